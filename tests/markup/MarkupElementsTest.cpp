#include "MarkupFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace {

// Pictures 16 by 16 pixels, drawn as filled rectangles.
struct SquareImages : TImageList {
    int Count() const override { return 2; }
    int Width() const override { return 16; }
    int Height() const override { return 16; }
    void Draw(TCanvas& canvas, int, const TRect& rect) const override { canvas.Ellipse(rect); }
};

TEST(MarkupElements, ImageListPicturesTakeRoomAndAnswerThePoint) {
    SquareImages images;
    MarkupDrawing drawing;
    drawing.Options.Images = &images;
    drawing.Options.PointX = 10;
    drawing.Options.PointY = 5;
    drawing.Draw("a<a href=\"pic\"><img src=\"IDX:1\"></a>b<img src=\"idx:7\">c", {0, 0, 400, 100});
    EXPECT_EQ(drawing.Result.Height, 16);
    EXPECT_THAT(drawing.Canvas.OfKind("Ellipse").at(0).Rect, (TRect{7, 0, 23, 16}));
    EXPECT_EQ(drawing.Text(1).Rect.Left, 23);
    // A missing picture draws nothing and takes no room.
    EXPECT_EQ(drawing.Text(2).Rect.Left, 29);
    EXPECT_TRUE(drawing.PointOnLink);
    EXPECT_EQ(drawing.Result.LinkTarget, "pic");

    MarkupDrawing stretched;
    stretched.Options.Images = &images;
    stretched.Draw("<img src=\"idx:0\" width=\"30\" height=\"20\">", {0, 0, 400, 100});
    EXPECT_EQ(stretched.Canvas.OfKind("Ellipse").at(0).Rect, (TRect{1, 0, 31, 20}));
}

TEST(MarkupElements, ListItemsIndentWithBulletsAndBreakLines) {
    MarkupDrawing drawing;
    drawing.Draw("<ul><li>one<li>two<ul><li>three</ul></ul>", {0, 0, 400, 100});
    EXPECT_THAT(drawing.Texts(), ElementsAre("\xB7", "one", "\xB7", "two", "o", "three"));
    EXPECT_EQ(drawing.Text(0).Font.Name, "Symbol");
    EXPECT_EQ(drawing.Text(1).Rect, (TRect{13, 0, 400, 13}));
    EXPECT_EQ(drawing.Text(2).Rect.Top, 13);
    EXPECT_EQ(drawing.Text(4).Rect.Left, 1 + 12);
    EXPECT_EQ(drawing.Text(5).Rect.Left, 1 + 12 + 12);
    EXPECT_EQ(drawing.Text(5).Rect.Top, 26);
}

TEST(MarkupElements, HorizontalRuleEndsTheLineWithALine) {
    MarkupDrawing drawing;
    drawing.Draw("a<hr>b", {0, 0, 100, 100});
    const auto lines = drawing.Canvas.OfKind("Polyline");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_THAT(lines[0].Points, ElementsAre(TPoint{1, 13}, TPoint{100, 13}));
    EXPECT_EQ(drawing.Text(1).Rect.Top, 13);
}

} // namespace

namespace {

// Numbers far beyond any screen are held to a bound instead of overflowing.
TEST(MarkupElements, HugeNumbersInTagsAreHeldWithinBounds) {
    MarkupDrawing rotated;
    rotated.Draw("<r 99999999999>a</r><r 370>b", {0, 0, 400, 100});
    EXPECT_EQ(rotated.Text(0).Font.Orientation, 1000000 % 360 * 10);
    EXPECT_EQ(rotated.Text(1).Font.Orientation, 100);

    MarkupDrawing indented;
    indented.Draw("<ind x=\"2147483647\">a", {0, 0, 400, 100});
    EXPECT_EQ(indented.Text(0).Rect.Left, 1000000);
}

} // namespace
