#include "planner/widget/Planner.h"
#include "platform/QtText.h"
#include "schedule/Main.h"
#include "schedule/MainWindowFixture.h"
#include "schedule/ScheduleHistory.h"
#include "schedule/SettingsDialog.h"
#include "support/RecordingCanvas.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>
#include <QUndoStack>
#include <filesystem>
#include <gmock/gmock.h>

using testing::HasSubstr;

namespace {

// 06:00-07:00 News, 06:45-07:15 Weather (overlapping by 15 minutes), 07:30-09:00 Film after a
// 15-minute gap.
class DayMarks : public MainWindowFixture {
protected:
    void SetUp() override {
        Start(Programme(1, "News", "Daily", "BG") + Programme(2, "Weather", "Daily", "EN") +
              Programme(3, "Film", "Cinema", "BG") + Broadcast(1, "2010-06-17", "06:00", "01:00") +
              Broadcast(2, "2010-06-17", "06:45", "00:30") +
              Broadcast(3, "2010-06-17", "07:30", "01:30"));
        window_->OpenStoredDay();
    }
    TPlannerItem& Item(int id) {
        for (TPlannerItem& item : window_->Planner1->Items().All())
            if (item.ItemKey() == std::to_string(id)) return item;
        throw std::runtime_error("no item " + std::to_string(id));
    }
    std::string Overlaps() const { return FromQString(window_->btnOverlaps->text()); }
    std::string Totals() const { return FromQString(window_->lblTotals->text()); }
    // Red frames the overlay draws, and the texts it writes.
    std::pair<int, std::vector<std::string>> Overlay() {
        RecordingCanvas canvas;
        window_->Planner1->OnPaintOverlay(canvas);
        int frames = 0;
        for (const TCanvasOp& op : canvas.OfKind("Rectangle"))
            frames += op.Pen.Color == clRed;
        std::vector<std::string> texts;
        for (const TCanvasOp& op : canvas.OfKind("DrawText"))
            texts.push_back(op.Text);
        return {frames, texts};
    }
};

TEST_F(DayMarks, AnOpenedDayShowsItsOverlapsGapAndTotals) {
    EXPECT_EQ(Overlaps(), "Overlaps: 2");
    EXPECT_EQ(Totals(), "Day: 3 broadcasts, on air 2:45 (06:00\x96"
                        "09:00), gaps 0:15, dead air 21:15");
    const auto [frames, texts] = Overlay();
    EXPECT_EQ(frames, 2);
    EXPECT_THAT(texts, testing::Contains(" 0:15 "));
    EXPECT_EQ(window_->Planner1->OnItemHint(Item(1)), "Overlaps Daily - Weather by 0:15.");
    EXPECT_EQ(window_->Planner1->OnItemHint(Item(3)), "");
}

TEST_F(DayMarks, OverlapCountSelectsTheOverlappingItems) {
    window_->btnOverlaps->click();
    EXPECT_TRUE(Item(1).Selected());
    EXPECT_TRUE(Item(2).Selected());
    EXPECT_FALSE(Item(3).Selected());
}

// Removing, then undoing: the marks follow each step without a repaint of their own.
TEST_F(DayMarks, MarksFollowEveryStep) {
    window_->Planner1->Items().Select(&Item(2));
    window_->RemoveSelectedItems();
    EXPECT_EQ(Overlaps(), "Overlaps: 0");
    EXPECT_FALSE(window_->btnOverlaps->isEnabled());
    EXPECT_THAT(Totals(), HasSubstr("2 broadcasts"));
    EXPECT_THAT(Totals(), HasSubstr("gaps 0:30"));
    window_->History().Stack().undo();
    EXPECT_EQ(Overlaps(), "Overlaps: 2");
    EXPECT_THAT(Totals(), HasSubstr("gaps 0:15"));
}

// The threshold decides which gaps are drawn; the settings file keeps it for the next start.
TEST_F(DayMarks, SettingsChangeTheGapsDrawnAndAreKept) {
    struct Case {
        int threshold; // as typed; the dialog takes no negative value
        bool drawGaps;
        bool gapDrawn;
    };
    for (const Case& c : {Case{20, true, false}, Case{0, true, true}, Case{-5, true, true},
                          Case{1, false, false}}) {
        dialogs_.AnswerWith([&](const DialogCall& call) {
            auto& settings = static_cast<TfrmSettings&>(*call.Window);
            settings.edGapThreshold->setValue(c.threshold);
            settings.chkDrawGaps->setChecked(c.drawGaps);
            return static_cast<int>(mrOk);
        });
        window_->actSettings->trigger();
        const auto texts = Overlay().second;
        EXPECT_EQ(std::count(texts.begin(), texts.end(), " 0:15 "), c.gapDrawn ? 1 : 0)
            << c.threshold;
        EXPECT_EQ(TfrmSettings(ReadMarkSettings()).edGapThreshold->value(),
                  std::max(0, c.threshold));
    }
    EXPECT_TRUE(dialogs_.Messages().empty()) << dialogs_.Messages().front();
    WriteMarkSettings({});
}

} // namespace
