#include "MarkupFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace {

using Texts = std::vector<std::string>;

TEST(MarkupLayout, ScheduleItemLaysOutFourLines) {
    MarkupDrawing drawing;
    drawing.Draw(ScheduleText("S", "N", "L"), {0, 0, 400, 200});
    EXPECT_THAT(drawing.Texts(), ElementsAre(" ", "Series:", " ", "S", "Program:", " ", "N",
                                             "Language: ", " ", "L"));
    EXPECT_EQ(drawing.Text(0).Rect, (TRect{1, 0, 400, 13}));
    EXPECT_EQ(drawing.Text(1).Rect, (TRect{7, 0, 400, 13}));
    EXPECT_EQ(drawing.Text(3).Rect, (TRect{62, 0, 400, 13}));
    EXPECT_EQ(drawing.Text(4).Rect, (TRect{1, 13, 400, 26}));
    EXPECT_EQ(drawing.Text(8).Rect, (TRect{71, 26, 400, 39}));
    const unsigned bold[] = {0, fsBold, 0, 0, fsBold, 0, 0, fsBold, 0, 0};
    for (size_t i = 0; i < 10; ++i)
        EXPECT_EQ(drawing.Text(i).Font.Style, bold[i]) << drawing.Texts()[i];
    // The closing body and html tags make a fourth line of one text height.
    EXPECT_EQ(drawing.Result.Height, 4 * 13);
    EXPECT_FALSE(drawing.Result.Cut);
    EXPECT_EQ(drawing.Result.Width, 70 + 6 + 6);
    EXPECT_EQ(drawing.Text(0).Flags, tfSingleLine | tfBottom | tfExpandTabs);
    // Text goes on without filling, and the canvas gets its state back.
    EXPECT_EQ(drawing.Text(0).Brush.Color, clNone);
    EXPECT_EQ(drawing.Canvas.Brush.Color, clWhite);
    EXPECT_EQ(drawing.Canvas.Font, TFont{});
}

TEST(MarkupLayout, LongValueWrapsAfterASpace) {
    MarkupDrawing drawing;
    drawing.Draw(ScheduleText("aaaa bbbb cccc", "N", "L"), {0, 0, 100, 200});
    EXPECT_THAT(drawing.Texts(), ElementsAre(" ", "Series:", " ", "aaaa ", "bbbb ", "cccc",
                                             "Program:", " ", "N", "Language: ", " ", "L"));
    EXPECT_EQ(drawing.Text(4).Rect, (TRect{1, 13, 100, 26}));
    EXPECT_EQ(drawing.Text(5).Rect, (TRect{31, 13, 100, 26}));
    EXPECT_EQ(drawing.Result.Height, 5 * 13);
}

TEST(MarkupLayout, WordWiderThanTheBoxStaysOnItsLineClipped) {
    MarkupDrawing drawing;
    drawing.Draw(ScheduleText("abcdefghijklmnopqrstuvwxyz", "N", "L"), {0, 0, 100, 200});
    EXPECT_EQ(drawing.Texts()[3], "abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(drawing.Text(3).Rect, (TRect{62, 0, 100, 13}));
    EXPECT_FALSE(drawing.Text(3).Flags & tfNoClip);
    EXPECT_EQ(drawing.Text(4).Rect.Top, 13);
}

TEST(MarkupLayout, WithoutWordWrapTheFirstLongLineEndsWithAnEllipsis) {
    MarkupDrawing drawing;
    drawing.Options.WordWrap = false;
    drawing.Draw(ScheduleText("aaaa bbbb ccc", "N", "L"), {0, 0, 100, 200});
    EXPECT_THAT(drawing.Texts(), ElementsAre(" ", "Series:", " ", "aaaa bbbb ccc"));
    EXPECT_TRUE(drawing.Text(3).Flags & tfEndEllipsis);
    EXPECT_EQ(drawing.Result.Height, 13);
}

TEST(MarkupLayout, BoxLowerThanTheTextStopsBeforeALineThatWouldPassTheBottom) {
    MarkupDrawing drawing;
    drawing.Draw(ScheduleText("S", "N", "L"), {0, 0, 400, 30});
    EXPECT_THAT(drawing.Texts(), ElementsAre(" ", "Series:", " ", "S", "Program:", " ", "N"));
    EXPECT_EQ(drawing.Result.Height, 26);
    EXPECT_TRUE(drawing.Result.Cut);

    MarkupDrawing tiny;
    tiny.Draw(ScheduleText("S", "N", "L"), {0, 0, 400, 5});
    EXPECT_THAT(tiny.Texts(), ElementsAre(" ", "Series:", " ", "S"));

    MarkupDrawing measured;
    measured.Options.MeasureOnly = true;
    measured.Draw(ScheduleText("S", "N", "L"), {0, 0, 400, 5});
    EXPECT_TRUE(measured.Texts().empty());
    EXPECT_EQ(measured.Result.Height, 4 * 13);
    EXPECT_FALSE(measured.Result.Cut);
    EXPECT_EQ(measured.Result.PlainText, " Series: SProgram: NLanguage:  L");
}

TEST(MarkupLayout, AlignmentAndIndentPlaceTheLineBox) {
    MarkupDrawing drawing;
    drawing.Draw("<p align=\"right\">ab</p><p align=\"center\" indent=\"5\">ab</p>",
                 {0, 0, 101, 100});
    EXPECT_EQ(drawing.Text(0).Rect.Left, 101 - 12);
    EXPECT_EQ(drawing.Text(1).Rect.Left, 1 + (100 - 12) / 2 + 5);
}

TEST(MarkupLayout, SubscriptAndSuperscriptGrowTheLine) {
    MarkupDrawing drawing;
    drawing.Draw("a<sub>b</sub><sup>c</sup>", {0, 0, 100, 100});
    // Offsets are a quarter of the text height (13 / 4 = 3) each.
    EXPECT_EQ(drawing.Result.Height, 13 + 3 + 3);
    EXPECT_EQ(drawing.Text(0).Rect.Bottom, 19 - 3);
    EXPECT_EQ(drawing.Text(1).Rect.Bottom, 19);
    EXPECT_EQ(drawing.Text(2).Rect.Bottom, 19 - 3 - 3);
}

TEST(MarkupLayout, EmptyTextStillReportsOneLine) {
    MarkupDrawing drawing;
    drawing.Draw("", {0, 0, 100, 100});
    EXPECT_EQ(drawing.Result.Height, 13);
    EXPECT_TRUE(drawing.Canvas.Ops.empty());
}

} // namespace
