#include "PaintFixture.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

std::vector<TRect> Rects(const std::vector<TCanvasOp>& ops) {
    std::vector<TRect> result;
    for (const TCanvasOp& op : ops)
        result.push_back(op.Rect);
    return result;
}

TEST_F(PaintTest, OverlappingItemsShareTheCellLessTheItemGap) {
    AddProgramme(planner, At(8, 20), At(0, 30), 0);
    AddProgramme(planner, At(8, 30), At(0, 30), 0);
    grid.TopRow = 50;
    TGridPainter(planner, looks, layout, grid).PaintPositionCell(canvas, 0, 51, Cell(51), false);
    // Lanes of 396 pixels; each item's body ends 8 pixels short of its lane, less its insets.
    EXPECT_THAT(Rects(canvas.OfKind("RoundRect")),
                ElementsAre(TRect{65, 5, 447, 71}, TRect{63, 3, 445, 69}, TRect{461, 29, 844, 95},
                            TRect{459, 27, 842, 93}));
    EXPECT_TRUE(Has("FillRect", {448, 24, 456, 48}));
    EXPECT_TRUE(Has("FillRect", {845, 24, 853, 48}));
    // Each lane is filled before its rounded item is drawn over it.
    EXPECT_EQ(canvas.Ops[0].Kind, "FillRect");
    EXPECT_EQ(canvas.Ops[0].Rect, (TRect{60, 24, 456, 48}));
}

TEST_F(PaintTest, RoundedItemInsetsCaptionBandAndText) {
    TPlannerItem& item = AddProgramme(planner, At(8, 20), At(0, 30), 0);
    grid.TopRow = 50;
    TGridPainter painter(planner, looks, layout, grid);
    painter.PaintItem(canvas, item, {60, 0, 853, 72});
    const auto shapes = canvas.OfKind("RoundRect");
    ASSERT_EQ(shapes.size(), 2u);
    EXPECT_EQ(shapes[0].Rect, (TRect{65, 5, 844, 71}));
    EXPECT_EQ(shapes[0].Pen.Width, 2);
    EXPECT_EQ(shapes[0].Brush.Color, looks.ShadowColor);
    EXPECT_EQ(shapes[1].Rect, (TRect{63, 3, 842, 69}));
    EXPECT_EQ(shapes[1].Brush.Color, clWhite);
    EXPECT_EQ(shapes[1].Pen.Color, clBlack);
    // The band: 13 pixels of caption text, raised by 2 while the item has no focus.
    const auto strips = canvas.OfKind("Rectangle");
    ASSERT_EQ(strips.size(), 32u);
    EXPECT_EQ(strips.front().Rect.Top, 9);
    EXPECT_EQ(strips.back().Rect.Bottom, 26);
    EXPECT_EQ(strips.front().Brush.Color, clWhite);
    EXPECT_EQ(item.ViewState().CaptionHeight, 15);
    const auto texts = canvas.OfKind("DrawText");
    EXPECT_EQ(texts[0].Text, "8:20 - 8:50 Program \xB9"
                             "7");
    EXPECT_EQ(texts[0].Rect, (TRect{69, 11, 836, 26}));
    EXPECT_EQ(texts[0].Flags, tfLeft | tfSingleLine | tfNoPrefix | tfEndEllipsis);
    EXPECT_TRUE(Has("PushClip", {70, 29, 835, 60}));
    EXPECT_EQ(texts[1].Rect, (TRect{71, 29, 835, 42}));
    // Two of the four lines fit in 31 pixels; the text is flagged though their height fits.
    EXPECT_EQ(texts.back().Text, "news");
    EXPECT_TRUE(item.ViewState().TextOverflow);
    EXPECT_TRUE(item.ViewState().Painted);

    canvas.Clear();
    painter.PaintItem(canvas, item, {60, 0, 853, 72});
    EXPECT_TRUE(canvas.Ops.empty());
}

TEST_F(PaintTest, CaptionBandFadesDownwardsWithHorizontalGradients) {
    TPlannerItem& item = AddProgramme(planner, At(8, 20), At(0, 30), 0);
    const auto strips = [&] {
        canvas.Clear();
        item.ViewState().Painted = false;
        TGridPainter(planner, looks, layout, grid).PaintItem(canvas, item, {60, 0, 853, 72});
        return canvas.OfKind("Rectangle");
    };
    const auto across = strips();
    ASSERT_EQ(across.size(), 32u);
    EXPECT_LT(across[0].Rect.Right, across[1].Rect.Right) << "left to right by default";
    looks.GradientHorizontal = true;
    const auto down = strips();
    ASSERT_EQ(down.size(), 32u);
    EXPECT_EQ(down[0].Rect.Left, down[31].Rect.Left);
    EXPECT_LT(down[0].Rect.Top, down[31].Rect.Top);
    EXPECT_EQ(down[0].Brush.Color, clWhite) << "white at the top";
    EXPECT_EQ(down[31].Brush.Color, 0xEA8457u) << "a step short of the blue below";
}

TEST_F(PaintTest, SelectedCurrentItemShowsTheCurrentColourWithSelectedText) {
    TPlannerItem& item = AddProgramme(planner, At(8, 20), At(0, 30), 0);
    item.SetSelected(true);
    item.ViewState().IsCurrent = true;
    TGridPainter(planner, looks, layout, grid).PaintItem(canvas, item, {60, 0, 853, 72});
    EXPECT_EQ(canvas.OfKind("RoundRect")[1].Brush.Color, clLime);
    EXPECT_EQ(canvas.OfKind("DrawText")[0].Font.Color, clRed);
    EXPECT_EQ(canvas.OfKind("DrawText")[1].Font.Color, clRed);

    item.ViewState() = {};
    planner.Items().Select(&item);
    canvas.Clear();
    TGridPainter(planner, looks, layout, grid).PaintItem(canvas, item, {60, 0, 853, 72});
    EXPECT_EQ(canvas.OfKind("RoundRect")[1].Brush.Color, clInfoBk);
    EXPECT_EQ(canvas.OfKind("RoundRect")[1].Pen.Color, clBlue);
    EXPECT_EQ(canvas.OfKind("Rectangle").front().Rect.Top, 11);
}

TEST_F(PaintTest, ItemRunningPastMidnightShowsDownArrowsAndNarrowerText) {
    TPlannerItem& item = AddProgramme(planner, At(21, 45), At(2, 30), 0);
    ASSERT_EQ(item.OverflowAfter(), 1);
    PaintGrid(130, 14);
    std::vector<std::vector<TPoint>> arrows;
    for (const TCanvasOp& op : canvas.OfKind("Polyline"))
        if (op.Pen.Color == clBlue && op.Pen.Width == 2) arrows.push_back(op.Points);
    // Drawn again at every cell of the rounded item: the last drawing has the last two.
    ASSERT_GE(arrows.size(), 2u);
    EXPECT_THAT(arrows[arrows.size() - 2],
                ElementsAre(TPoint{837, 324}, TPoint{840, 327}, TPoint{843, 324}));
    EXPECT_THAT(arrows.back(), ElementsAre(TPoint{837, 328}, TPoint{840, 331}, TPoint{843, 328}));
    const auto texts = canvas.OfKind("DrawText");
    const auto caption = std::find_if(
        texts.begin(), texts.end(), [](const TCanvasOp& op) { return op.Text.find("21:45") == 0; });
    ASSERT_NE(caption, texts.end());
    EXPECT_EQ(caption->Rect.Right, 828);
}

TEST_F(PaintTest, RectangleItemIsDrawnOnceAtItsFirstVisibleCell) {
    TPlannerItem& item = AddAt(planner, 50, 53);
    item.SetShape(psRect);
    item.SetTextString("plain");
    PaintGrid(50, 3);
    const auto bodies = canvas.OfKind("Rectangle");
    std::vector<TRect> framed;
    for (const TCanvasOp& op : bodies)
        if (op.Pen.Color == clBlack) framed.push_back(op.Rect);
    // The shadow's 3-pixel strips come off the right and bottom.
    EXPECT_THAT(framed, ElementsAre(TRect{60, 0, 842, 69}));
    EXPECT_TRUE(Has("FillRect", {842, 3, 845, 72}));
    EXPECT_TRUE(Has("FillRect", {63, 69, 845, 72}));
    EXPECT_TRUE(Has("FillRect", {60, 0, 64, 69}));
    const auto texts = canvas.OfKind("DrawText");
    EXPECT_EQ(texts.back().Text, "plain");
    EXPECT_EQ(texts.back().Rect, (TRect{62, 6, 840, 65}));
    EXPECT_EQ(texts.back().Flags, tfLeft | tfNoPrefix | tfWordBreak);
}

TEST_F(PaintTest, TenMinuteItemLeavesNoRoomForText) {
    TPlannerItem& item = AddProgramme(planner, At(8, 20), At(0, 10), 0);
    TGridPainter(planner, looks, layout, grid).PaintItem(canvas, item, {60, 0, 853, 24});
    EXPECT_EQ(canvas.OfKind("RoundRect").size(), 2u);
    EXPECT_TRUE(Has("PushClip", {70, 15, 835, 12}));
    EXPECT_EQ(item.ViewState().CaptionHeight, 1);
}

} // namespace
