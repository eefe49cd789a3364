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

TEST_F(ProgramFilter, ListShowsLastBroadcastAndCountOnlyForBroadcastProgrammes) {
    Start(FivePrograms());
    Select([](TfrmProgramFilter& window) {
        TIBQuery& query = *window.qryPrograms;
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

} // namespace
