#include "catalogue/ProgramFilter.h"

#include "catalogue/CatalogueFixture.h"
#include "catalogue/RowColours.h"
#include "data/mData.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "platform/DateTime.h"
#include "platform/Exceptions.h"
#include "support/RecordingCanvas.h"
#include "support/grid/RecordGrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <map>

namespace {

std::string FivePrograms() {
    return Programme(5, "Five") + Programme(9, "Nine") + Programme(2, "Two") +
           Programme(7, "Seven") + Broadcast(9, "2010-06-01") + Broadcast(9, "2010-06-17") +
           Broadcast(2, "2010-06-10") + Broadcast(7, "2010-05-01");
}

class ProgramFilter : public CatalogueFixture {
protected:
    // Opens the picker the way "Add Program(s)" does; act works on the shown window and
    // returns the window's own modal result.
    std::string Select(const std::function<void(TfrmProgramFilter&)>& act) {
        dialogs_.AnswerWith([&](const DialogCall& call) {
            auto& window = static_cast<TfrmProgramFilter&>(*call.Window);
            ShowActive(window);
            act(window);
            return window.result();
        });
        return TfrmProgramFilter::SelectPrograms(*data_);
    }
    static std::vector<std::string> Column(TfrmProgramFilter& window, const char* field) {
        std::vector<std::string> values;
        TIBQuery& query = *window.qryPrograms;
        for (query.First(); !query.AtEnd(); query.Next())
            values.push_back(query.Field(field).AsString());
        query.First();
        return values;
    }
};

TEST_F(ProgramFilter, ChosenRowsComeBackInListOrderWhateverTheClickOrder) {
    Start(FivePrograms());
    const std::string ids = Select([](TfrmProgramFilter& window) {
        // Sorted by identifier: 2, 5, 7, 9.
        ClickRow(*window.grdPrograms, 1, Qt::ControlModifier);
        ClickRow(*window.grdPrograms, 3, Qt::ControlModifier);
        ClickRow(*window.grdPrograms, 0, Qt::ControlModifier);
        window.btnSelect->click();
    });
    EXPECT_EQ(ids, "2, 5, 9");
}

TEST_F(ProgramFilter, NothingChosenOrCancelledGivesMinusOne) {
    Start(FivePrograms());
    EXPECT_EQ(Select([](TfrmProgramFilter& window) { window.btnSelect->click(); }), "-1");
    EXPECT_EQ(Select([](TfrmProgramFilter& window) {
                  ClickRow(*window.grdPrograms, 1);
                  window.btnCancel->click();
              }),
              "-1");
    EXPECT_EQ(Select([](TfrmProgramFilter& window) {
                  ClickRow(*window.grdPrograms, 1);
                  window.close();
              }),
              "-1");
}

TEST_F(ProgramFilter, DoubleClickChoosesTheClickedRowAlone) {
    Start(FivePrograms());
    const std::string ids = Select([](TfrmProgramFilter& window) {
        ClickRow(*window.grdPrograms, 0, Qt::ControlModifier);
        const TRect cell = window.grdPrograms->CellRect(1, 2);
        const QPoint at((cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2);
        QTest::mouseClick(window.grdPrograms, Qt::LeftButton, {}, at);
        QTest::mouseDClick(window.grdPrograms, Qt::LeftButton, {}, at);
    });
    EXPECT_EQ(ids, "7");
}

TEST_F(ProgramFilter, TitleClicksSortAscendingThenDescendingAndDropTheSelection) {
    Start(FivePrograms());
    Select([](TfrmProgramFilter& window) {
        TRecordGrid& grid = *window.grdPrograms;
        ClickRow(grid, 1, Qt::ControlModifier);
        ClickTitle(grid, 4); // "Last broadcast date"
        EXPECT_EQ(window.SortKey(), "LAST_SHOW_DATE");
        EXPECT_EQ(grid.SelectedBookmarks().Count(), 0);
        ClickTitle(grid, 4);
        EXPECT_EQ(window.SortKey(), "LAST_SHOW_DATE desc");
        const std::vector<std::string> ids = Column(window, "NPROGRAM_ID");
        // Nulls stand where the server puts them; the broadcast ones run latest first.
        std::vector<std::string> broadcast;
        for (const std::string& id : ids)
            if (id != "5") broadcast.push_back(id);
        EXPECT_EQ(broadcast, (std::vector<std::string>{"9", "2", "7"}));
        ClickTitle(grid, 4);
        EXPECT_EQ(window.SortKey(), "LAST_SHOW_DATE");
        ClickTitle(grid, 2);
        EXPECT_EQ(window.SortKey(), "SNAME");
        EXPECT_EQ(Column(window, "SNAME"),
                  (std::vector<std::string>{"Five", "Nine", "Seven", "Two"}));
    });
}

// A database made from the earlier schema has no counts of its own: the list aggregates the
// history instead.
TEST_F(ProgramFilter, ListShowsLastBroadcastAndCountOnlyForBroadcastProgrammes) {
    const std::string earlierSchema = "DROP TRIGGER PROGRAM_TIMELINE_SHOW_COUNT;\n"
                                      "DROP TABLE PROGRAM_SHOW_COUNT;\n"
                                      "DROP INDEX IX_TIMELINE_PROGRAM_LAST;\n";
    for (const bool earlier : {false, true}) {
        SCOPED_TRACE(earlier ? "earlier schema" : "schema");
        data_.reset();
        Start((earlier ? earlierSchema : "") + FivePrograms());
        Select([&](TfrmProgramFilter& window) {
            TIBQuery& query = *window.qryPrograms;
            EXPECT_EQ(query.SQL(), ProgramListSql(!earlier, "NPROGRAM_ID"));
            query.First(); // 2
            EXPECT_EQ(query.Field("SHOW_CNT").AsInteger(), 1);
            query.Next(); // 5, never broadcast
            EXPECT_TRUE(query.Field("LAST_SHOW_DATE").IsNull());
            EXPECT_TRUE(query.Field("SHOW_CNT").IsNull());
            query.Last(); // 9
            EXPECT_EQ(query.Field("SHOW_CNT").AsInteger(), 2);
            EXPECT_EQ(query.Field("LAST_SHOW_DATE").AsDateTime(), EncodeDate(2010, 6, 17));
        });
    }
}

TEST_F(ProgramFilter, RowsAreStripedByRecordNumberAndSelectedRowsStayHighlighted) {
    Start(FivePrograms());
    Select([](TfrmProgramFilter& window) {
        TRecordGrid& grid = *window.grdPrograms;
        ClickRow(grid, 1, Qt::ControlModifier);
        RecordingCanvas canvas;
        grid.PaintTo(canvas);
        std::map<std::string, std::pair<TColor, TColor>> byText; // brush, font colour
        for (const TCanvasOp& op : canvas.OfKind("DrawText"))
            byText[op.Text] = {op.Brush.Color, op.Font.Color};
        EXPECT_EQ(byText["Two"].first, ParityColour(1));
        EXPECT_EQ(byText["Two"].first, TColor(15720403));
        EXPECT_EQ(byText["Five"].first, clHighlight) << "selected row";
        EXPECT_EQ(byText["Seven"].first, TColor(15720403));
        EXPECT_EQ(byText["Nine"].first, TColor(15127753));
        EXPECT_EQ(byText["Five"].second, clHighlightText);
        EXPECT_NE(byText["Seven"].second, clHighlightText);
    });
}

TEST_F(ProgramFilter, ListErrorStopsBeforeTheWindowShows) {
    Start(FivePrograms());
    data_->IBDatabase->SetConnected(false);
    data_->IBDatabase->SetDatabaseName(database_->Folder() + "/missing.fdb");
    EXPECT_THROW(TfrmProgramFilter::SelectPrograms(*data_), EDatabaseError);
    EXPECT_TRUE(dialogs_.Calls().empty());
}

// Latin, Cyrillic (Ё outside the А..я run too), digits only in identifiers and durations, and a
// '?' that a character without a Windows-1251 form must not turn into.
std::string MixedProgrammes() {
    return Programme(12, "Morning News", "News") + Programme(31, "Вечерние новости", "Новости") +
           Programme(40, "Ёжик в тумане", "Мультфильмы") + Programme(7, "What?", "Quiz") +
           Programme(53, "Sport", "Вести");
}

// One key press per character, as a keyboard layout delivers Cyrillic and other characters.
void Type(QLineEdit& field, const char* utf8) {
    for (const char32_t character : QString::fromUtf8(utf8).toUcs4()) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, {}, QString::fromUcs4(&character, 1));
        QApplication::sendEvent(&field, &press);
    }
}

TEST_F(ProgramFilter, TypingShowsRowsWhoseIdSeriesOrNameContainTheTextIgnoringCase) {
    struct Case {
        const char* typed;
        std::vector<std::string> ids;
    };
    const std::vector<Case> cases = {
        {"", {"7", "12", "31", "40", "53"}},
        {"news", {"12"}},
        {"NEWS", {"12"}},
        {"ing n", {"12"}},
        {"НОВОСТИ", {"31"}},
        {"вести", {"53"}},
        {"ёжик", {"40"}},
        {"ТУМАН", {"40"}},
        {"мульт", {"40"}},
        {"3", {"31", "53"}},
        {"?", {"7"}},
        {"ü", {}},
        {"Wh😀", {}},
        {"x", {}},
    };
    Start(MixedProgrammes());
    Select([&](TfrmProgramFilter& window) {
        for (const Case& c : cases) {
            window.edtFilter->clear();
            Type(*window.edtFilter, c.typed);
            EXPECT_EQ(Column(window, "NPROGRAM_ID"), c.ids) << c.typed;
            EXPECT_EQ(window.qryPrograms->RecordCount(), static_cast<int>(c.ids.size())) << c.typed;
            EXPECT_EQ(window.qryPrograms->RecordNumber(), c.ids.empty() ? 0 : 1) << c.typed;
        }
        EXPECT_TRUE(dialogs_.Messages().empty());
    });
}

TEST_F(ProgramFilter, FilteredRowsKeepTheChosenOrderThroughReSorts) {
    struct Case {
        int title; // -1: none
        std::vector<std::string> ids;
    };
    const std::vector<Case> cases = {
        {-1, {"5", "7", "9"}},
        {2, {"5", "9", "7"}}, // "Program": Five, Nine, Seven
        {2, {"7", "9", "5"}},
        {0, {"5", "7", "9"}},
    };
    Start(FivePrograms());
    Select([&](TfrmProgramFilter& window) {
        Type(*window.edtFilter, "E");
        for (const Case& c : cases) {
            if (c.title >= 0) ClickTitle(*window.grdPrograms, c.title);
            EXPECT_EQ(Column(window, "NPROGRAM_ID"), c.ids) << window.SortKey();
        }
    });
}

TEST_F(ProgramFilter, HiddenRowsLeaveTheSelectionAndSelectReturnsTheShownSelectedOnes) {
    struct Case {
        const char* typed;
        bool escape;     // Esc in the field after typing
        int toggledRow;  // a Ctrl+click on a shown row afterwards; -1 none
        const char* ids; // every row was selected first
    };
    const std::vector<Case> cases = {
        {"e", false, -1, "5, 7, 9"}, {"e", true, -1, "5, 7, 9"}, {"ev", false, -1, "7"},
        {"e", false, 1, "5, 9"},     {"x", true, -1, "-1"},
    };
    Start(FivePrograms());
    for (const Case& c : cases) {
        const std::string ids = Select([&](TfrmProgramFilter& window) {
            for (int row = 0; row < 4; ++row)
                ClickRow(*window.grdPrograms, row, Qt::ControlModifier);
            Type(*window.edtFilter, c.typed);
            if (c.escape) QTest::keyClick(window.edtFilter, Qt::Key_Escape);
            if (c.toggledRow >= 0) ClickRow(*window.grdPrograms, c.toggledRow, Qt::ControlModifier);
            window.btnSelect->click();
        });
        EXPECT_EQ(ids, c.ids) << c.typed << (c.escape ? " Esc" : "");
    }
}

TEST_F(ProgramFilter, GridKeepsTheFocusAndItsKeysCtrlFReachesTheFieldWhereEscClears) {
    Start(FivePrograms());
    Select([](TfrmProgramFilter& window) {
        TRecordGrid& grid = *window.grdPrograms;
        EXPECT_EQ(QApplication::focusWidget(), &grid);
        QTest::keyClick(&grid, Qt::Key_Down);
        EXPECT_EQ(window.qryPrograms->Field("NPROGRAM_ID").AsString(), "5");
        QTest::keyClick(&grid, Qt::Key_F, Qt::ControlModifier);
        ASSERT_EQ(QApplication::focusWidget(), window.edtFilter);
        Type(*window.edtFilter, "ev");
        EXPECT_EQ(Column(window, "NPROGRAM_ID"), (std::vector<std::string>{"7"}));
        QTest::keyClick(window.edtFilter, Qt::Key_Escape);
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.edtFilter->text(), "");
        EXPECT_EQ(Column(window, "NPROGRAM_ID").size(), 4u);
        Type(*window.edtFilter, "ev");
        grid.setFocus();
        QTest::keyClick(&grid, Qt::Key_Escape);
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.edtFilter->text(), "ev");
    });
}

} // namespace
