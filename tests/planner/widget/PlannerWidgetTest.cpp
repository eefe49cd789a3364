#include "ScheduleItems.h"
#include "TestPlanner.h"
#include "planner/widget/Planner.h"
#include "platform/QtCanvas.h"
#include "support/TestApplication.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Beside the build's other outputs under ctest, otherwise in the temporary folder.
std::string OutputPath(const std::string& name) {
    const char* dir = std::getenv("SKEDORA_BINARY_DIR");
    return (dir ? std::string(dir) : QDir::tempPath().toStdString()) + "/" + name;
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

TEST(QtCanvas, DrawsWithTheCanvasState) {
    TestApplication();
    QImage image(100, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TQtCanvas canvas(painter);
    canvas.Brush.Color = clRed;
    canvas.FillRect({0, 0, 10, 10});
    canvas.Brush.Color = clNone;
    canvas.Pen = {clBlue, 1};
    canvas.Rectangle({20, 0, 30, 10});
    canvas.PushClip({40, 0, 45, 10});
    canvas.Brush.Color = clLime;
    canvas.FillRect({40, 0, 60, 10});
    canvas.PopClip();
    const int height = canvas.DrawText({0, 12, 100, 40}, "Wide text", tfSingleLine);
    EXPECT_EQ(height, canvas.TextHeight("gh"));
    EXPECT_GT(canvas.TextWidth("WW"), canvas.TextWidth("W"));
    painter.end();
    EXPECT_EQ(image.pixelColor(5, 5), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(20, 5), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(29, 5), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(25, 5), QColor(255, 255, 255));
    EXPECT_EQ(image.pixelColor(44, 5), QColor(0, 255, 0));
    EXPECT_EQ(image.pixelColor(45, 5), QColor(255, 255, 255));
}

} // namespace
