#include "ScheduleItems.h"
#include "TestPlanner.h"
#include "planner/widget/Planner.h"
#include "support/TestApplication.h"

#include <QImage>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Beside the build's other outputs.
std::string OutputPath(const std::string& name) {
    return std::string(SKEDORA_BINARY_DIR) + "/" + name;
}

// The test planner as a widget of 600 by 400 pixels.
class PlannerWidget : public testing::Test {
protected:
    PlannerWidget() {
        planner.resize(600, 400);
        SetUpTestPlanner(planner);
    }

    QApplication& application = TestApplication(); // before any widget
    TPlanner planner;
};

// Renders a schedule into PNG files anyone can look at: planner_day.png shows the current and
// the selected item beside each other, planner_night.png the programme running past midnight.
TEST_F(PlannerWidget, RendersOverlappingItemsIntoPictures) {
    planner.resize(870, 720);
    planner.SetPositions(2);
    TPlannerLooks looks = planner.Looks();
    looks.GradientHorizontal = true;
    planner.SetLooks(looks);
    AddProgramme(planner, At(5, 0), At(1, 30), 0, "Morning");
    AddProgramme(planner, At(5, 30), At(1, 30), 0, "Overlapping one").SetSelected(true);
    AddProgramme(planner, At(7, 10), At(0, 40), 1, "Cartoons");
    AddProgramme(planner, At(21, 45), At(2, 30), 1, "Late film");
    planner.Clock = [] { return 40000 + At(5, 20); };
    planner.TimerTick();
    EXPECT_TRUE(planner.Items()[0].ViewState().IsCurrent);
    EXPECT_EQ(planner.TopRow(), 29);

    QImage day(planner.size(), QImage::Format_RGB32);
    planner.render(&day);
    EXPECT_TRUE(day.save(QString::fromStdString(OutputPath("planner_day.png"))));
    EXPECT_EQ(day.pixelColor(400, 10), QColor(128, 128, 128));

    planner.SetTopRow(planner.RowCount());
    QImage night(planner.size(), QImage::Format_RGB32);
    planner.render(&night);
    EXPECT_TRUE(night.save(QString::fromStdString(OutputPath("planner_night.png"))));
    EXPECT_TRUE(planner.RowsOutside().Above);
}

TEST_F(PlannerWidget, TimerTicksMoveTheCurrentItems) {
    TPlannerItem& morning = AddProgramme(planner, At(10, 0), At(0, 30), 0);
    TPlannerItem& later = AddProgramme(planner, At(10, 20), At(0, 30), 0);
    std::vector<std::string> events;
    planner.OnItemActivate = [&](TPlannerItem& item) {
        events.push_back("on " + std::to_string(item.Index()));
    };
    planner.OnItemDeactivate = [&](TPlannerItem& item) {
        events.push_back("off " + std::to_string(item.Index()));
    };
    TDateTime now = 40000 + At(10, 10);
    planner.Clock = [&] { return now; };
    planner.TimerTick();
    EXPECT_TRUE(morning.ViewState().IsCurrent);
    EXPECT_FALSE(later.ViewState().IsCurrent);
    now = 40000 + At(10, 30);
    planner.TimerTick();
    EXPECT_FALSE(morning.ViewState().IsCurrent);
    EXPECT_TRUE(later.ViewState().IsCurrent);
    EXPECT_EQ(events, (std::vector<std::string>{"on 0", "off 0", "on 1"}));

    planner.Display().SetShowCurrentItem(false);
    EXPECT_FALSE(later.ViewState().IsCurrent);
}

TEST_F(PlannerWidget, NavigatorButtonsRaiseTheirEvents) {
    std::vector<std::string> events;
    planner.OnPrevious = [&] { events.push_back("previous"); };
    planner.OnNext = [&] { events.push_back("next"); };
    QTest::mouseClick(&planner, Qt::LeftButton, {}, QPoint(8, 40));
    QTest::mouseClick(&planner, Qt::LeftButton, {}, QPoint(590, 40));
    QTest::mouseClick(&planner, Qt::LeftButton, {}, QPoint(300, 40));
    EXPECT_EQ(events, (std::vector<std::string>{"previous", "next"}));
}

} // namespace
