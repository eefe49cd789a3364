// Painting through the recording canvas: what the drawing hook receives and the row it reads.
#include "GridFixture.h"
#include "support/RecordingCanvas.h"

using testing::ElementsAre;

namespace {

constexpr TColor kOddRow = 15720403;
constexpr TColor kEvenRow = 15127753;

class GridPaintTest : public GridTest {
protected:
    // The texts of one column as they were last drawn, top to bottom, with their canvas state.
    std::vector<TCanvasOp> ColumnTexts(const RecordingCanvas& canvas, int dataCol) const {
        const TGridGeometry geometry = grid.Geometry();
        std::vector<TCanvasOp> result;
        for (const TCanvasOp& op : canvas.OfKind("DrawText"))
            if (op.Rect.Top >= geometry.DataTop &&
                geometry.ColumnAt(op.Rect.Left) == dataCol - geometry.Columns[0].DataCol) {
                if (!result.empty() && result.back().Rect.Top == op.Rect.Top) result.pop_back();
                result.push_back(op);
            }
        return result;
    }

    // The catalogue's hook: row colours by the parity of the painted row's number.
    void PaintRowsByParity() {
        grid.OnDrawColumnCell = [this](TRecordGrid& sender, const TRect& rect, int, TColumn& column,
                                       TGridDrawState state) {
            const TColor color = query->RecordNumber() % 2 ? kOddRow : kEvenRow;
            sender.Canvas().Pen.Color = color;
            sender.Canvas().Brush.Color = color;
            sender.DefaultDrawColumnCell(rect, 0, column, state);
        };
    }
};

TEST_F(GridPaintTest, TheHookReadsThePaintedRowAndTheCurrentRowComesBack) {
    Open();
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    std::vector<std::string> seen;
    grid.OnDrawColumnCell = [&](TRecordGrid&, const TRect&, int dataCol, TColumn& column,
                                TGridDrawState) {
        if (dataCol == 0)
            seen.push_back(std::to_string(query->RecordNumber()) + "=" +
                           column.Field()->AsString());
    };
    RecordingCanvas canvas;
    grid.PaintTo(canvas);
    ASSERT_EQ(static_cast<int>(seen.size()), grid.VisibleRowCount());
    EXPECT_EQ(seen[0], "1=1");
    EXPECT_EQ(seen[5], "6=6");
    EXPECT_EQ(CurrentId(), 3);
    EXPECT_THAT(ColumnTexts(canvas, 1)[3].Text, "Programme 4");
}

TEST_F(GridPaintTest, RowsPaintedByParityWithTheirFieldTexts) {
    Open();
    grid.SetOptions(grid.Options() | dgAlwaysShowSelection);
    PaintRowsByParity();
    RecordingCanvas canvas;
    grid.PaintTo(canvas);
    const std::vector<TCanvasOp> texts = ColumnTexts(canvas, 1);
    ASSERT_GE(texts.size(), 4u);
    EXPECT_EQ(texts[0].Text, "Programme 1");
    EXPECT_EQ(texts[0].Brush.Color, kOddRow);
    EXPECT_EQ(texts[1].Brush.Color, kEvenRow);
    EXPECT_EQ(texts[2].Brush.Color, kOddRow);
    EXPECT_EQ(texts[3].Text, "Programme 4");
    EXPECT_EQ(texts[3].Brush.Color, kEvenRow);
}

TEST_F(GridPaintTest, ASelectedPickerRowReachesTheHookHighlighted) {
    MakePicker();
    Open();
    Click(1, Qt::ControlModifier);
    Click(3, Qt::ControlModifier);
    std::vector<std::pair<TColor, TColor>> arriving;
    grid.OnDrawColumnCell = [&](TRecordGrid& sender, const TRect& rect, int dataCol,
                                TColumn& column, TGridDrawState state) {
        if (dataCol == 1)
            arriving.push_back({sender.Canvas().Brush.Color, sender.Canvas().Font.Color});
        if (dataCol == 1 && query->RecordNumber() == 2) {
            EXPECT_TRUE(state & gdSelected);
        }
        sender.Canvas().Brush.Color = kOddRow;
        sender.DrawCellText(rect, column.Field(), state);
    };
    RecordingCanvas canvas;
    grid.PaintTo(canvas);
    ASSERT_GE(arriving.size(), 5u);
    EXPECT_EQ(arriving[0], std::make_pair(TColor{clWindow}, TColor{clWindowText}));
    EXPECT_EQ(arriving[1], std::make_pair(TColor{clHighlight}, TColor{clHighlightText}));
    EXPECT_EQ(arriving[2], std::make_pair(TColor{clWindow}, TColor{clWindowText}));
    EXPECT_EQ(arriving[3], std::make_pair(TColor{clHighlight}, TColor{clHighlightText}));
    const TCanvasOp selectedText = ColumnTexts(canvas, 1)[1];
    EXPECT_EQ(selectedText.Text, "Programme 2");
    EXPECT_EQ(selectedText.Brush.Color, kOddRow);
    EXPECT_EQ(selectedText.Font.Color, TColor{clHighlightText});
}

TEST_F(GridPaintTest, TextsSitTwoPixelsInAndNumbersAlignRight) {
    Open();
    RecordingCanvas canvas;
    grid.PaintTo(canvas);
    const TRect name = grid.CellRect(1, 0);
    const TRect id = grid.CellRect(0, 0);
    const TCanvasOp nameText = ColumnTexts(canvas, 1)[0];
    EXPECT_EQ(nameText.Rect.Left, name.Left + 2);
    EXPECT_EQ(nameText.Rect.Top, name.Top + 2);
    const TCanvasOp idText = ColumnTexts(canvas, 0)[0];
    EXPECT_EQ(idText.Text, "1");
    EXPECT_EQ(idText.Rect.Left, id.Right - RecordingCanvas::CharWidth(TFont{}) - 3);
}

TEST_F(GridPaintTest, AMemoColumnShowsAPictureUnlessGlyphsAreOff) {
    query->SetSQL({"select NID, SNAME, FDURATION, SNOTE from PROGRAM_DESCRIPTION order by NID"});
    query->Open();
    grid.Columns().Add("SNOTE", "Note", 60);
    RecordingCanvas canvas;
    grid.PaintTo(canvas);
    EXPECT_TRUE(ColumnTexts(canvas, 3).empty());
    const TRect note = grid.CellRect(3, 0);
    int pictures = 0;
    for (const TCanvasOp& op : canvas.OfKind("Rectangle"))
        pictures += note.Left < op.Rect.Left && op.Rect.Right < note.Right ? 1 : 0;
    EXPECT_EQ(pictures, grid.VisibleRowCount());
    grid.SetShowGlyphs(false);
    canvas.Clear();
    grid.PaintTo(canvas);
    EXPECT_EQ(ColumnTexts(canvas, 3)[0].Text, "(memo)");
}

TEST_F(GridPaintTest, AClosedResultSetPaintsNoTextAndTheHookDoesNotRun) {
    int hooks = 0;
    grid.OnDrawColumnCell = [&](TRecordGrid&, const TRect&, int, TColumn&, TGridDrawState) {
        ++hooks;
    };
    RecordingCanvas canvas;
    grid.PaintTo(canvas);
    EXPECT_EQ(hooks, 0);
    EXPECT_THAT(ColumnTexts(canvas, 1), testing::IsEmpty());
}

} // namespace
