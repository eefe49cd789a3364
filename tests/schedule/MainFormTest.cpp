#include "planner/widget/Planner.h"
#include "platform/QtImageList.h"
#include "schedule/Main.h"
#include "support/TestApplication.h"
#include "support/calendar/PlannerCalendarGroup.h"

#include <QAction>
#include <QCalendarWidget>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// The main window exactly as its form builds it; no database is needed to build it.
class MainForm : public testing::Test {
protected:
    QApplication& application_ = TestApplication();
    TfrmMain window_;
    TPlanner& planner_ = *window_.Planner1;
};

TEST_F(MainForm, PlannerCarriesTheDayViewSettings) {
    const TPlannerDisplay& display = planner_.Display();
    EXPECT_EQ(display.DisplayUnit(), 10);
    EXPECT_EQ(display.DisplayStart(), 0);
    EXPECT_EQ(display.DisplayEnd(), 143);
    EXPECT_EQ(display.DisplayScale(), 24);
    EXPECT_EQ(display.ActiveStart(), 48);
    EXPECT_EQ(display.ActiveEnd(), 120);
    EXPECT_TRUE(display.ShowCurrent());
    EXPECT_TRUE(display.ShowCurrentItem());
    EXPECT_EQ(planner_.RowCount(), 144);
    EXPECT_EQ(planner_.Positions(), 1);
    EXPECT_EQ(planner_.Sidebar().Position(), spLeft);
    EXPECT_TRUE(planner_.Sidebar().Visible());
    EXPECT_EQ(planner_.Sidebar().Width(), 60);
    EXPECT_EQ(planner_.Header().Height(), 18);
    EXPECT_EQ(planner_.HeaderSections()[1], "Caption 2");
    EXPECT_EQ(planner_.Caption().Title(), "Program");
    EXPECT_EQ(planner_.Caption().Height(), 32);
    EXPECT_EQ(planner_.ItemGap(), 8);
    EXPECT_TRUE(planner_.MultiSelect());
    EXPECT_TRUE(planner_.DirectMove());
    EXPECT_TRUE(planner_.InsertAlways());
    EXPECT_EQ(planner_.InplaceEdit(), ieAlways);
    EXPECT_EQ(planner_.GridTopRow(), 29);
    EXPECT_EQ(planner_.SelectBlend(), 20);
    EXPECT_EQ(planner_.PlannerImages(), window_.il2.get());
}

TEST_F(MainForm, AddedItemStartsFromTheDefaultItem) {
    TPlannerItem& item = planner_.Items().Add();
    EXPECT_TRUE(item.Visible());
    EXPECT_EQ(item.ItemBegin(), 16);
    EXPECT_EQ(item.ItemEnd(), 17);
    EXPECT_EQ(item.ItemPos(), 0);
    EXPECT_TRUE(item.Shadow());
    EXPECT_EQ(item.Color(), clWhite);
    EXPECT_EQ(item.CaptionType(), ctNone);
    EXPECT_TRUE(item.AllowOverlap());
    EXPECT_EQ(item.SelectColor(), clInfoBk);
    EXPECT_EQ(item.SelectFontColor(), clRed);
    EXPECT_EQ(item.TrackColor(), clBlue);
    EXPECT_EQ(item.InplaceEdit(), peMemo);
}

TEST_F(MainForm, OpensOnTheMorningBelowCaptionAndHeader) {
    window_.show();
    QApplication::processEvents();
    EXPECT_EQ(window_.tlbMain->height(), 64);
    EXPECT_EQ(planner_.TopRow(), 29);
    EXPECT_EQ(planner_.Layout().Grid.Top, 50);
    window_.hide();
}

TEST_F(MainForm, ImageListsHoldDistinctPictures) {
    ASSERT_EQ(window_.il1->Count(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(window_.il1->Image(i).size(), QSize(32, 32));
        for (int j = 0; j < i; ++j)
            EXPECT_NE(window_.il1->Image(i), window_.il1->Image(j));
    }
    ASSERT_EQ(window_.il2->Count(), 1);
    EXPECT_EQ(window_.il2->Image(0).size(), QSize(16, 16));
}

TEST_F(MainForm, ToolbarButtonShowsItsActionPicture) {
    const QImage icon = window_.actExport->icon().pixmap(32, 32).toImage();
    EXPECT_EQ(icon.convertToFormat(QImage::Format_ARGB32), window_.il1->Image(3));
    EXPECT_EQ(window_.btnExport->defaultAction(), window_.actExport);
}

TEST_F(MainForm, ToolbarRunsTheActionsInTheirOrder) {
    std::vector<std::string> captions;
    for (QAction* action : window_.tlbMain->actions())
        if (auto* button = qobject_cast<QToolButton*>(window_.tlbMain->widgetForAction(action)))
            captions.push_back(button->defaultAction()->text().toStdString());
    ASSERT_GE(captions.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(captions.begin(), captions.begin() + 5),
              (std::vector<std::string>{"Add Program(s)", "Save", "Export", "Import",
                                        "Show All Programs"}));
    EXPECT_EQ(window_.btnAddProgram->defaultAction(), window_.actAddProgram);
}

TEST_F(MainForm, HiddenPanelKeepsTheScheduleDate) {
    EXPECT_FALSE(window_.Panel1->isVisibleTo(&window_));
    EXPECT_EQ(window_.ScheduleDate(), 40346.0);
    const TPlannerCalendarGroup& group = *window_.PlannerCalendarGroup1;
    EXPECT_EQ(group.Calendar(0).monthShown(), 6);
    EXPECT_EQ(group.Calendar(3).monthShown(), 9);
}

} // namespace
