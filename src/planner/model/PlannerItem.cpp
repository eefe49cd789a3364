#include "planner/model/PlannerItem.h"

#include "planner/model/CustomPlanner.h"
#include "platform/Format.h"

#include <algorithm>

TPlannerItem::TPlannerItem(TPlannerItems& collection, int index)
    : collection_(collection), index_(index) {
    const TCustomPlanner& planner = Planner();
    const TPlannerDisplay& display = planner.Display();
    state_.ItemBegin = display.ActiveStart();
    state_.ItemEnd = state_.ItemBegin + 1;
    state_.BeginMinute = display.SlotMinute(state_.ItemBegin);
    state_.EndMinute = display.SlotMinute(state_.ItemEnd);
    state_.Font = state_.CaptionFont = planner.Font();
    state_.Name = Format("PlannerItem%d", index);
}

void TPlannerItem::Assign(const TPlannerItem& source) {
    SetItemPos(source.ItemPos());
    SetItemBegin(source.ItemBegin());
    SetItemEnd(source.ItemEnd());
    SetVisible(source.Visible());
    AssignLooks(source);
    AssignBehaviour(source);
}

void TPlannerItem::AssignLooks(const TPlannerItem& source) {
    SetCaptionType(source.CaptionType());
    SetCaptionText(source.CaptionText());
    SetCaptionBkg(source.CaptionBkg());
    SetCaptionBkgTo(source.CaptionBkgTo());
    SetCaptionFont(source.CaptionFont());
    SetCaptionAlign(source.CaptionAlign());
    SetText(source.Text());
    SetFont(source.Font());
    SetAlignment(source.Alignment());
    SetWordWrap(source.WordWrap());
    SetColor(source.Color());
    SetSelectColor(source.SelectColor());
    SetSelectFontColor(source.SelectFontColor());
    SetShowSelection(source.ShowSelection());
    SetShape(source.Shape());
    SetShadow(source.Shadow());
    SetTrackColor(source.TrackColor());
    SetTrackVisible(source.TrackVisible());
    SetUniformBkg(source.UniformBkg());
    SetBrushStyle(source.BrushStyle());
    SetImageID(source.ImageID());
}

// Background first: it would otherwise override the flags copied after it.
void TPlannerItem::AssignBehaviour(const TPlannerItem& source) {
    SetBackground(source.Background());
    SetAllowOverlap(source.AllowOverlap());
    SetReadOnly(source.ReadOnly());
    SetFixedPos(source.FixedPos());
    SetFixedSize(source.FixedSize());
    SetSelected(source.Selected());
    SetLayer(source.Layer());
    SetInplaceEdit(source.InplaceEdit());
    SetInHeader(source.InHeader());
    SetName(source.Name());
    SetTag(source.Tag());
    SetDBTag(source.DBTag());
}

// Hiding first and showing after has the old and the new rows repainted.
void TPlannerItem::SetItemBegin(int value) {
    SetVisible(false);
    state_.ItemBegin = std::max(value, 0);
    state_.BeginMinute = Planner().Display().SlotMinute(state_.ItemBegin);
    SetVisible(true);
    Planner().ArrangeItems();
}

void TPlannerItem::SetItemEnd(int value) {
    const bool visible = state_.Visible;
    SetVisible(false);
    state_.ItemEnd = value;
    state_.EndMinute = Planner().Display().SlotMinute(value + state_.OverflowAfter);
    SetVisible(visible);
    Planner().ArrangeItems();
}

void TPlannerItem::SetItemPos(int value) {
    if (value == state_.ItemPos) return;
    SetVisible(false);
    Repaint();
    state_.ItemPos = value;
    SetVisible(true);
    Planner().ArrangeItems();
    Repaint();
}

void TPlannerItem::Place(int begin, int end, int position) {
    SetItemPos(position);
    PlaceBegin(begin);
    PlaceEnd(end);
}

void TPlannerItem::PlaceBegin(int begin) {
    state_.OverflowBefore = std::max(0, -begin);
    SetItemBegin(begin);
}

// The end setter counts OverflowAfter into the end minute, so it is set first.
void TPlannerItem::PlaceEnd(int end) {
    const int rows = Planner().RowCount();
    state_.OverflowAfter = std::max(0, end - rows);
    SetItemEnd(std::min(end, rows));
}

void TPlannerItem::SetVisible(bool value) {
    if (value == state_.Visible) return;
    state_.Visible = value;
    Repaint();
}

void TPlannerItem::SetInHeader(bool value) {
    if (value == state_.InHeader) return;
    state_.InHeader = value;
    Planner().ArrangeItems();
}

void TPlannerItem::SetTextString(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t stop = text.find_first_of("\r\n", start);
        if (stop == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, stop - start));
        start = stop + (text.compare(stop, 2, "\r\n") == 0 ? 2 : 1);
    }
    SetText(lines);
}

void TPlannerItem::SetBackground(bool value) {
    state_.Background = value;
    if (!value) return;
    state_.ReadOnly = state_.FixedPos = state_.FixedSize = true;
    state_.AllowOverlap = false;
}

TCustomPlanner& TPlannerItem::Planner() const {
    return collection_.Planner();
}

void TPlannerItem::Repaint() {
    Planner().RepaintItem(*this);
}
