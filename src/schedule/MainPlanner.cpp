#include "schedule/MainPlanner.h"

#include "planner/widget/Planner.h"

namespace {

void ApplyFormSettings(TCustomPlanner& planner) {
    planner.BeginLoad();
    planner.Mode().SetPlannerType(plDay);
    planner.Display().SetDisplayUnit(10);
    planner.Display().SetDisplayStart(0);
    planner.Display().SetDisplayEnd(143);
    planner.Display().SetDisplayScale(24);
    planner.Display().SetActiveStart(48);
    planner.Display().SetActiveEnd(120);
    planner.Display().SetShowCurrent(true);
    planner.Display().SetShowCurrentItem(true);
    planner.SetPositions(1);
    planner.Sidebar().SetPosition(spLeft);
    planner.Sidebar().SetVisible(true);
    planner.Sidebar().SetWidth(60);
    planner.Header().SetHeight(18);
    planner.Header().SetAutoSize(true);
    planner.Header().Captions().Assign(
        {"Caption 1", "Caption 2", "Caption 3", "Caption 4", "Caption 5"});
    planner.Caption().SetTitle("Program");
    planner.Caption().SetHeight(32);
    planner.SetItemGap(8);
    planner.SetMultiSelect(true);
    planner.SetDirectMove(true);
    planner.SetInsertAlways(true);
    planner.SetInplaceEdit(ieAlways);
    planner.SetGridTopRow(29);
    planner.SetSelectBlend(20);
    planner.Loaded();
}

void ApplyDefaultItem(TPlannerItem& item) {
    item.SetItemBegin(16);
    item.SetItemEnd(17);
    item.SetShadow(true);
    item.SetColor(clWhite);
    item.SetCaptionType(ctNone);
    item.SetAllowOverlap(true);
    item.SetSelectColor(clInfoBk);
    item.SetSelectFontColor(clRed);
    item.SetTrackColor(clBlue);
    item.SetInplaceEdit(peMemo);
}

TPlannerLooks PlannerLooks() {
    TPlannerLooks looks;
    looks.CaptionBackground = clGray;
    looks.GradientHorizontal = true;
    looks.CaptionFont = TFont{"MS Sans Serif", -13, fsBold, clWhite};
    looks.SidebarFont = TFont{"Arial", -11, 0, clWindowText};
    return looks;
}

} // namespace

void ApplyMainPlannerSettings(TCustomPlanner& planner) {
    ApplyFormSettings(planner);
    ApplyDefaultItem(planner.DefaultItem());
}

void SetUpMainPlanner(TPlanner& planner) {
    ApplyMainPlannerSettings(planner);
    planner.SetLooks(PlannerLooks());
}
