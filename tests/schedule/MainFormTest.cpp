#include "planner/widget/Planner.h"
#include "platform/QtImageList.h"
#include "schedule/Main.h"
#include "schedule/MainWindowFixture.h"
#include "support/RecordingCanvas.h"
#include "support/calendar/PlannerCalendar.h"
#include "support/calendar/PlannerCalendarGroup.h"

#include <QAction>
#include <QCalendarWidget>
#include <QToolBar>
#include <QToolButton>

namespace {

class MainForm : public MainWindowFixture {
protected:
    void SetUp() override { Start(); }
};

} // namespace

TEST_F(MainForm, ToolbarHoldsTheExportButtonWithItsPicture) {
    EXPECT_EQ(window_->windowTitle(), "Skedora");
    EXPECT_EQ(window_->tlbMain->height(), 64);
    ASSERT_EQ(window_->actlst1.size(), 1u);
    EXPECT_EQ(window_->actlst1[0], window_->actExport);
    EXPECT_EQ(window_->actExport->text(), "Export");
    EXPECT_EQ(window_->btnExport->defaultAction(), window_->actExport);
    EXPECT_EQ(window_->btnExport->size(), QSize(95, 52));
    EXPECT_EQ(window_->btnExport->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    const QImage icon = window_->actExport->icon().pixmap(32, 32).toImage();
    EXPECT_EQ(icon.convertToFormat(QImage::Format_ARGB32), window_->il1->Image(3));
}

TEST_F(MainForm, ImageListsHoldDistinctPictures) {
    ASSERT_EQ(window_->il1->Count(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(window_->il1->Image(i).size(), QSize(32, 32));
        for (int j = 0; j < i; ++j)
            EXPECT_NE(window_->il1->Image(i), window_->il1->Image(j));
    }
    ASSERT_EQ(window_->il2->Count(), 1);
    EXPECT_EQ(window_->il2->Image(0).size(), QSize(16, 16));
    EXPECT_EQ(window_->Planner1->PlannerImages(), window_->il2.get());
}

TEST_F(MainForm, ImageListDrawsOpaquePixelsStretchedThroughTheCanvas) {
    TQtImageList list(2, 2);
    QImage image(2, 2, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(1, 0, qRgb(255, 0, 0));
    image.setPixel(1, 1, qRgb(0, 0, 255));
    list.Add(image);

    RecordingCanvas canvas;
    canvas.Brush.Color = clWhite;
    list.Draw(canvas, 0, {10, 10, 30, 30});
    list.Draw(canvas, 1, {10, 10, 30, 30});
    const auto fills = canvas.OfKind("FillRect");
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0].Rect, (TRect{10, 10, 30, 20}));
    EXPECT_EQ(fills[0].Brush.Color, 0x0000FFu);
    EXPECT_EQ(fills[1].Rect, (TRect{20, 20, 30, 30}));
    EXPECT_EQ(fills[1].Brush.Color, 0xFF0000u);
    EXPECT_EQ(canvas.Brush.Color, clWhite);
}

TEST_F(MainForm, HiddenPanelKeepsTheScheduleDate) {
    EXPECT_FALSE(window_->Panel1->isVisibleTo(window_.get()));
    EXPECT_EQ(window_->ScheduleDate(), 40346.0);
    const TPlannerCalendarGroup& group = *window_->PlannerCalendarGroup1;
    EXPECT_EQ(group.Calendar(0).monthShown(), 6);
    EXPECT_EQ(group.Calendar(3).monthShown(), 9);
    EXPECT_EQ(group.Calendar(3).yearShown(), 2010);
}

TEST_F(MainForm, GroupCarriesMonthsIntoTheNextYear) {
    TPlannerCalendarGroup group;
    group.SetStartMonth(2010, 11);
    EXPECT_EQ(group.Calendar(1).monthShown(), 12);
    EXPECT_EQ(group.Calendar(2).monthShown(), 1);
    EXPECT_EQ(group.Calendar(2).yearShown(), 2011);
}
