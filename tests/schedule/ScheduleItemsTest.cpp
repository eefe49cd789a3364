#include "catalogue/ProgramFilter.h"
#include "catalogue/ProgramModule.h"
#include "db/IBDataSet.h"
#include "planner/widget/Planner.h"
#include "platform/Exceptions.h"
#include "schedule/Main.h"
#include "schedule/MainWindowFixture.h"
#include "support/RecordingCanvas.h"
#include "support/grid/RecordGrid.h"
#include "support/markup/Markup.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <gmock/gmock.h>

using testing::ElementsAre;
using testing::HasSubstr;

namespace {

class ScheduleItems : public MainWindowFixture {
protected:
    TPlannerItem& Item(int index) { return window_->Planner1->Items()[index]; }
    std::string Span(int index) { return Item(index).TimeSpanText(); }
    void AddPrograms(const std::string& ids) {
        window_->LoadSelectedPrograms(ids);
        window_->AddLoadedPrograms();
    }
};

TEST_F(ScheduleItems, ChosenProgrammesFollowEachOtherFromTheActiveStart) {
    Start(Programme(2, "News", "Daily", "EN", "00:15") +
          Programme(5, "Film", "Cinema", "BG", "01:40") +
          Programme(9, "Talk", "Evening", "", "00:00"));
    AddPrograms("5, 9, 2");
    ASSERT_EQ(window_->Planner1->Items().Count(), 3);
    // The server returns the rows in its own order; each starts where the one before ended.
    std::vector<std::string> keys;
    for (int i = 0; i < 3; ++i)
        keys.push_back(Item(i).ItemKey());
    EXPECT_THAT(keys, testing::UnorderedElementsAre("2", "5", "9"));
    EXPECT_EQ(Span(0).substr(0, 4), "8:00");
    EXPECT_EQ(Item(1).BeginMinute(), Item(0).EndMinute());
    EXPECT_EQ(Item(2).BeginMinute(), Item(1).EndMinute());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Item(i).ItemPos(), 0);
        EXPECT_TRUE(Item(i).Visible());
        EXPECT_EQ(Item(i).CaptionText(), "Program \xB9" + Item(i).ItemKey());
        EXPECT_EQ(Item(i).CaptionType(), ctTimeText);
        EXPECT_TRUE(Item(i).ReadOnly());
    }

    AddPrograms("2");
    ASSERT_EQ(window_->Planner1->Items().Count(), 4);
    EXPECT_EQ(Item(3).BeginMinute(), Item(2).EndMinute()) << "added after the latest item";
}

TEST_F(ScheduleItems, TextCarriesSeriesProgrammeAndLanguage) {
    Start(Programme(9, "Talk", "Evening", "", "00:00"));
    AddPrograms("9");
    EXPECT_THAT(Item(0).Text(), ElementsAre("<html> ", "<body>", "<b>Series:</b> <p>Evening</p>",
                                            "<b>Program:</b> <p>Talk</p>",
                                            "<b>Language: </b> <p></p>", "</body>", "</html>"));
    EXPECT_EQ(Item(0).BeginMinute(), Item(0).EndMinute()) << "no running time";
}

TEST_F(ScheduleItems, TitlesShowAsWrittenWithAmpersandAndAngleBracket) {
    Start();
    TScheduleEntry entry;
    entry.NID = 4;
    entry.ProgramName = "Tom & Jerry <HD>";
    entry.SeriesName = "A<B";
    entry.Duration = EncodeTime(0, 30, 0, 0);
    entry.Language = "EN";
    window_->AddScheduleItem(entry, 0);
    std::string text;
    for (const std::string& line : Item(0).Text())
        text += line + "\r\n";
    RecordingCanvas canvas;
    TMarkupResult result;
    DrawMarkupText(canvas, text, {0, 0, 400, 400}, {}, result);
    EXPECT_THAT(result.PlainText, HasSubstr("A<B"));
    EXPECT_THAT(result.PlainText, HasSubstr("Tom && Jerry <HD>")); // "&&" is drawn as one '&'
    EXPECT_THAT(result.PlainText, HasSubstr("EN"));
}

TEST_F(ScheduleItems, UnknownIdentifierListIsAnErrorAndAddsNothing) {
    Start(Programme(2, "News", "Daily", "EN"));
    EXPECT_THROW(window_->LoadSelectedPrograms("2, x"), Exception);
    EXPECT_EQ(window_->Planner1->Items().Count(), 0);
    AddPrograms("-1");
    EXPECT_EQ(window_->Planner1->Items().Count(), 0);
}

TEST_F(ScheduleItems, AddProgramPlacesWhatThePickerReturnsAndNothingOnCancel) {
    Start(Programme(2, "News", "Daily", "EN") + Programme(5, "Film", "Cinema", "BG") +
          Programme(9, "Talk", "Evening", ""));
    const auto pick = [this](std::vector<int> rows, bool select) {
        dialogs_.AnswerWith([rows, select](const DialogCall& call) {
            auto& picker = static_cast<TfrmProgramFilter&>(*call.Window);
            picker.show();
            QApplication::setActiveWindow(&picker);
            for (int row : rows) {
                const TRect cell = picker.grdPrograms->CellRect(0, row);
                QTest::mouseClick(picker.grdPrograms, Qt::LeftButton, Qt::ControlModifier,
                                  QPoint(cell.Left + 2, cell.Top + 2));
            }
            (select ? picker.btnSelect : picker.btnCancel)->click();
            return picker.result();
        });
        window_->actAddProgram->trigger();
    };
    pick({2, 0}, false);
    EXPECT_EQ(window_->Planner1->Items().Count(), 0);
    pick({2, 0}, true);
    ASSERT_EQ(window_->Planner1->Items().Count(), 2);
    std::vector<std::string> keys{Item(0).ItemKey(), Item(1).ItemKey()};
    EXPECT_THAT(keys, testing::UnorderedElementsAre("2", "9"));
    EXPECT_EQ(dialogs_.Messages().size(), 0u);
    window_->actUndo->trigger();
    EXPECT_EQ(window_->Planner1->Items().Count(), 0) << "the whole addition is one step";
}

TEST_F(ScheduleItems, ShowAllProgramsLeavesThePlannerAsItWas) {
    Start(Programme(2, "News", "Daily", "EN") + Programme(5, "Film", "Cinema", "BG"));
    AddPrograms("2");
    dialogs_.AnswerWith([](const DialogCall& call) {
        auto& catalogue = static_cast<TfrmPrograms&>(*call.Window);
        catalogue.dstPrograms->Next();
        catalogue.dstPrograms->Delete();
        return mrNone;
    });
    window_->actShowAllPrograms->trigger();
    ASSERT_EQ(window_->Planner1->Items().Count(), 1);
    EXPECT_EQ(Item(0).ItemKey(), "2");
    EXPECT_TRUE(dialogs_.Messages().empty());
}

} // namespace
