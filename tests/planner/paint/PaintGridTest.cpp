#include "PaintFixture.h"
#include "planner/paint/PaintColors.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

TEST_F(PaintTest, LayoutPlacesCaptionHeaderButtonsAndColumns) {
    EXPECT_EQ(layout.Caption, (TRect{0, 0, 870, 32}));
    EXPECT_EQ(layout.Header, (TRect{16, 32, 854, 50}));
    EXPECT_EQ(layout.PreviousButton, (TRect{0, 32, 16, 50}));
    EXPECT_EQ(layout.NextButton, (TRect{854, 32, 870, 50}));
    EXPECT_EQ(layout.Grid, (TRect{0, 50, 870, 576}));
    EXPECT_EQ(layout.ColumnWidth, 793);
    EXPECT_THAT(layout.SectionWidths, ElementsAre(44, 793, 1));
    EXPECT_EQ(layout.CellRect(1, 31, 29, 24), (TRect{60, 48, 853, 72}));
}

TEST_F(PaintTest, HeaderSectionsAndCaptionBar) {
    planner.SetPositions(3);
    planner.Header().Captions().Assign({"", "One", "Two\\nlines", "#merged", ""});
    layout = LayOutPlanner(planner, 870, 576, 16);
    EXPECT_THAT(layout.SectionWidths, ElementsAre(44, 264, 528, 0, 2));
    PaintHeader(canvas, planner, looks, layout);
    const auto texts = canvas.OfKind("DrawText");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].Rect, (TRect{64, 34, 320, 50}));
    EXPECT_EQ(texts[0].Flags, tfSingleLine | tfVCenter | tfNoPrefix | tfEndEllipsis);
    EXPECT_EQ(texts[1].Text, "Two\rlines");
    EXPECT_EQ(texts[1].Flags, tfWordBreak | tfNoPrefix | tfEndEllipsis);
    // Section 0 is a pixel narrower; the trailing one reaches the strip's end.
    EXPECT_TRUE(Has("FillRect", {16, 32, 59, 50}));
    EXPECT_TRUE(Has("FillRect", {852, 32, 854, 50}));

    canvas.Clear();
    PaintCaptionBar(canvas, planner, looks, layout.Caption);
    EXPECT_EQ(canvas.Ops[0].Brush.Color, clGray);
    // Centred on the height of a 15-pixel line of the bold caption font.
    EXPECT_EQ(canvas.OfKind("DrawText").at(0).Rect, (TRect{0, 8, 870, 23}));
    EXPECT_EQ(canvas.OfKind("DrawText").at(0).Font.Color, clWhite);
}

TEST_F(PaintTest, TimeColumnFirstThenPositionCellsRowByRow) {
    PaintGrid(29, 3);
    // 4:50 carries no hour; 5:00 does.
    EXPECT_THAT(canvas.Texts(), ElementsAre("50", "5", "00", "10"));
    size_t lastText = 0;
    std::vector<int> cellTops;
    for (size_t i = 0; i < canvas.Ops.size(); ++i) {
        const TCanvasOp& op = canvas.Ops[i];
        if (op.Kind == "DrawText") lastText = i;
        if (op.Kind == "FillRect" && op.Rect.Left == 60) {
            EXPECT_GT(i, lastText);
            cellTops.push_back(op.Rect.Top);
        }
    }
    EXPECT_THAT(cellTops, ElementsAre(0, 24, 48));
}

TEST_F(PaintTest, TimeColumnLabelsAndSeparators) {
    PaintGrid(0, 7);
    const auto texts = canvas.OfKind("DrawText");
    ASSERT_EQ(texts[0].Text, "0");
    EXPECT_EQ(texts[0].Rect, (TRect{4, 1, 56, 23}));
    EXPECT_EQ(texts[0].Font.Height, -13); // 8 points grown to 10
    EXPECT_EQ(texts[1].Text, "00");
    EXPECT_EQ(texts[1].Rect, (TRect{14, 1, 56, 23}));
    EXPECT_EQ(texts[2].Text, "10");
    EXPECT_EQ(texts[2].Rect.Left, 14);
    std::vector<std::vector<TPoint>> separators;
    for (const TCanvasOp& op : canvas.OfKind("Polyline"))
        if (op.Pen.Color == looks.SidebarSeparatorLineColor && op.Points[0].Y == op.Points[1].Y &&
            op.Points[0].X > 0 && op.Points[0].X < 60)
            separators.push_back(op.Points);
    // None in the top row; over the minutes only, or across the box on the hour.
    ASSERT_EQ(separators.size(), 6u);
    EXPECT_THAT(separators[0], ElementsAre(TPoint{44, 24}, TPoint{55, 24}));
    EXPECT_THAT(separators[5], ElementsAre(TPoint{4, 144}, TPoint{55, 144}));
}

TEST_F(PaintTest, IndicatorsForItemsAboveAndBelowTheView) {
    AddAt(planner, 20, 25);
    AddAt(planner, 60, 62);
    PaintGrid(29, 3);
    EXPECT_TRUE(grid.Outside.Above);
    EXPECT_TRUE(grid.Outside.Below);
    const auto boxes = canvas.OfKind("Rectangle");
    std::vector<TRect> indicators;
    for (const TCanvasOp& op : boxes)
        if (op.Brush.Color == clInfoBk) indicators.push_back(op.Rect);
    EXPECT_THAT(indicators, ElementsAre(TRect{4, 1, 26, 11}, TRect{0, 62, 22, 72}));
    const auto triangles = canvas.OfKind("Polygon");
    ASSERT_EQ(triangles.size(), 2u);
    EXPECT_THAT(triangles[0].Points, ElementsAre(TPoint{8, 3}, TPoint{10, 7}, TPoint{6, 7}));
    EXPECT_THAT(triangles[1].Points, ElementsAre(TPoint{4, 68}, TPoint{6, 64}, TPoint{2, 64}));
    EXPECT_TRUE(Has("FillRect", {12, 67, 14, 69}));
}

TEST_F(PaintTest, IndicatorBelowStaysInsideAPartlyVisibleLastRow) {
    AddAt(planner, 60, 62);
    layout = LayOutPlanner(planner, 870, 50 + 3 * 24 + 4, 16);
    PaintGrid(29, 4);
    std::vector<TRect> indicators;
    for (const TCanvasOp& op : canvas.OfKind("Rectangle"))
        if (op.Brush.Color == clInfoBk) indicators.push_back(op.Rect);
    EXPECT_THAT(indicators, ElementsAre(TRect{0, 66, 22, 76})) << "the last row shows 4 pixels";
}

TEST_F(PaintTest, CellColoursActiveNonActiveCurrentAndSelected) {
    grid.Now = 40000 + At(10, 5);
    grid.Selection = {1, 50, 1, 50};
    PaintGrid(29, 40);
    EXPECT_EQ(CellColor(29), clSilver);
    EXPECT_EQ(CellColor(48), clWhite);
    EXPECT_EQ(CellColor(60), clYellow);
    EXPECT_EQ(CellColor(50), BlendColor(clHighlight, clWhite, 20));
    EXPECT_TRUE(Has("FillRect", Cell(50)));
}

TEST_F(PaintTest, CurrentSlotUnderTheSelectionIsBlended) {
    grid.Now = 40000 + At(10, 10);
    grid.Selection = {1, 61, 1, 61};
    PaintGrid(55, 10);
    // Exactly 10:10 lies in both the 10:00 and the 10:10 slot.
    EXPECT_EQ(CellColor(60), clYellow);
    EXPECT_EQ(CellColor(61), BlendColor(clHighlight, clYellow, 20));
    EXPECT_EQ(CellColor(62), clWhite);
}

TEST_F(PaintTest, SlotLinesAndColumnLine) {
    PaintGrid(50, 1);
    std::vector<std::vector<TPoint>> grey;
    for (const TCanvasOp& op : canvas.OfKind("Polyline"))
        if (op.Pen.Color == looks.GridLineColor && op.Points[0].X >= 60) grey.push_back(op.Points);
    ASSERT_EQ(grey.size(), 2u);
    EXPECT_THAT(grey[0], ElementsAre(TPoint{60, 23}, TPoint{853, 23}));
    EXPECT_THAT(grey[1], ElementsAre(TPoint{852, -1}, TPoint{852, 23}));
}

} // namespace
