#include "PlannerFixture.h"
#include "ScheduleItems.h"
#include "planner/Planner.h"

#include <QApplication>
#include <QImage>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

QApplication& TestApplication() {
    static int argc = 1;
    static char name[] = "planner_paint_tests";
    static char* argv[] = {name, nullptr};
    static auto* application = new QApplication(argc, argv);
    return *application;
}

std::string OutputPath(const std::string& name) {
    const char* dir = std::getenv("SKEDORA_BINARY_DIR");
    return (dir ? std::string(dir) + "/" : std::string()) + name;
}

// Renders a schedule into PNG files anyone can look at: planner_day.png shows the current and
// the selected item beside each other, planner_night.png the programme running past midnight.
TEST(PlannerSnapshot, RendersOverlappingItemsIntoPictures) {
    TestApplication();
    TPlanner planner;
    planner.resize(870, 720);
    ApplyScheduleSettings(planner);
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

} // namespace
