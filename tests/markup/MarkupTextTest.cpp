#include "MarkupFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace {

std::string SeriesRun(const std::string& series) {
    MarkupDrawing drawing;
    drawing.Draw(ScheduleText(series, "N", "L"), {0, 0, 400, 200});
    return drawing.Texts().at(3);
}

TEST(MarkupText, AmpersandsReachTheTextOutputForPrefixDrawing) {
    EXPECT_EQ(SeriesRun("A&B"), "A&B");
    EXPECT_EQ(SeriesRun("A&&B"), "A&&B");
    EXPECT_EQ(SeriesRun("A&amp;B"), "A&&B");
    MarkupDrawing drawing;
    drawing.Draw("A&B", {0, 0, 100, 100});
    EXPECT_FALSE(drawing.Text(0).Flags & tfNoPrefix);
}

TEST(MarkupText, CharacterNamesAreReplacedInAnyCase) {
    EXPECT_EQ(SeriesRun("&permil;"), "\x89");
    EXPECT_EQ(SeriesRun("&EURO;&copy;&Trade;"), "\x80\xA9\x99");
    EXPECT_EQ(SeriesRun("&lt;x&gt;"), "<x>");
    EXPECT_EQ(SeriesRun("a&nbsp;b"), "a b");
    // Replacement repeats until nothing changes: the doubled '&' then meets "quot;".
    EXPECT_EQ(SeriesRun("&amp;quot;"), "&\"");
}

TEST(MarkupText, LessThanInAValueSwallowsTextToTheNextGreaterThan) {
    MarkupDrawing drawing;
    drawing.Draw(ScheduleText("x<y", "N", "L"), {0, 0, 400, 200});
    // "<y</p>" is one unknown tag: the programme label joins the series line.
    EXPECT_THAT(drawing.Texts(), ElementsAre(" ", "Series:", " ", "x", "Program:", " ", "N",
                                             "Language: ", " ", "L"));
    EXPECT_EQ(drawing.Text(4).Rect.Top, 0);

    MarkupDrawing cut;
    cut.Draw("<b>a</b> c<d e", {0, 0, 400, 200});
    EXPECT_THAT(cut.Texts(), ElementsAre("a", " ", "c"));
    MarkupDrawing tail;
    tail.Draw("ab<", {0, 0, 400, 200});
    EXPECT_THAT(tail.Texts(), ElementsAre("ab"));
}

TEST(MarkupText, VerbatimMarkShowsTagsAsWritten) {
    MarkupDrawing drawing;
    drawing.Options.WordWrap = false;
    drawing.Draw("<#b>x", {0, 0, 400, 200});
    EXPECT_THAT(drawing.Texts(), ElementsAre("#bx"));
}

TEST(MarkupText, LineBreaksAndHiddenText) {
    MarkupDrawing drawing;
    drawing.Options.MeasureOnly = true;
    drawing.Draw("a\r\nb<br>c<z>hidden</z>d", {0, 0, 400, 200});
    EXPECT_EQ(drawing.Result.Height, 3 * 13);
    EXPECT_EQ(drawing.Result.PlainText, "a\rb\rchiddend");
    EXPECT_EQ(drawing.Result.Width, 12);

    MarkupDrawing shown;
    shown.Draw("c<z>hidden</z>d", {0, 0, 400, 200});
    EXPECT_THAT(shown.Texts(), ElementsAre("c", "d"));
    EXPECT_EQ(shown.Text(1).Rect.Left, 7);
}

TEST(MarkupText, FontTagsChangeTheRunsAndReturnToTheEntryFont) {
    MarkupDrawing drawing;
    drawing.Draw("<font face=\"Arial\" bgcolor=\"#102030\" color=\"clred\" size=\"3\">a</font>"
                 "<i><u><s>b</s></u></i><hi>c</hi>d",
                 {0, 0, 400, 200});
    const TCanvasOp a = drawing.Text(0);
    EXPECT_EQ(a.Font.Name, "Arial");
    EXPECT_EQ(a.Font.Color, clRed);
    EXPECT_EQ(a.Font.Height, -16);
    EXPECT_EQ(a.Brush.Color, 0x302010u);
    EXPECT_EQ(drawing.Text(1).Font.Style, fsItalic | fsUnderline | fsStrikeOut);
    EXPECT_EQ(drawing.Text(1).Font.Name, TFont{}.Name);
    EXPECT_EQ(drawing.Text(1).Brush.Color, clNone);
    EXPECT_EQ(drawing.Text(2).Brush.Color, clHighlight);
    EXPECT_EQ(drawing.Text(2).Font.Color, clHighlightText);
    EXPECT_EQ(drawing.Text(3).Font, TFont{});
    EXPECT_EQ(drawing.Text(3).Brush.Color, clNone);

    MarkupDrawing selected;
    selected.Options.Selected = true;
    selected.Draw("<font color=\"clred\">a</font>", {0, 0, 400, 200});
    EXPECT_EQ(selected.Text(0).Font.Color, clWindowText);
}

TEST(MarkupText, ClosingHtmlWithoutHighlightKeepsTheColours) {
    MarkupDrawing drawing;
    drawing.Canvas.Font.Color = clNavy;
    drawing.Draw("</html>a", {0, 0, 400, 200});
    EXPECT_EQ(drawing.Text(0).Font.Color, clNavy);
    EXPECT_EQ(drawing.Text(0).Brush.Color, clNone);
}

TEST(MarkupText, ShadowAndErrorMarking) {
    MarkupDrawing drawing;
    drawing.Draw("<shad>ab</shad><e>cd</e>", {0, 0, 400, 200});
    ASSERT_THAT(drawing.Texts(), ElementsAre("ab", "ab", "cd"));
    EXPECT_EQ(drawing.Text(0).Rect, (TRect{2, 1, 401, 14}));
    EXPECT_EQ(drawing.Text(0).Font.Color, clGray);
    const auto lines = drawing.Canvas.OfKind("Polyline");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Pen.Color, clRed);
    EXPECT_THAT(lines[0].Points,
                ElementsAre(TPoint{12, 12}, TPoint{14, 14}, TPoint{16, 12}, TPoint{18, 14},
                            TPoint{20, 12}, TPoint{22, 14}, TPoint{24, 12}));
}

TEST(MarkupText, LinksAreCountedStyledAndFoundUnderThePoint) {
    MarkupDrawing drawing;
    drawing.Options.PointX = 10;
    drawing.Options.PointY = 8;
    drawing.Options.FocusedLink = 1;
    drawing.Draw("<a href=\"one\">link</a> <a href=\"two\">more</a>", {0, 0, 400, 200});
    EXPECT_TRUE(drawing.PointOnLink);
    EXPECT_EQ(drawing.Result.LinkTarget, "one");
    EXPECT_EQ(drawing.Result.LinkUnderPoint, 0);
    EXPECT_EQ(drawing.Result.LinkCount, 2);
    EXPECT_EQ(drawing.Result.HoverRect, (TRect{1, 0, 25, 13}));
    EXPECT_EQ(drawing.Result.FocusedLinkTarget, "two");
    EXPECT_EQ(drawing.Text(0).Font.Color, clBlue);
    EXPECT_TRUE(drawing.Text(0).Font.Style & fsUnderline);
    EXPECT_EQ(drawing.Text(1).Font.Color, clWindowText);
    EXPECT_EQ(drawing.Canvas.OfKind("FocusRect").at(0).Rect, (TRect{31, 0, 55, 13}));

    MarkupDrawing missed;
    missed.Options.PointX = 10;
    missed.Options.PointY = 40;
    missed.Options.HitTestOnly = true;
    missed.Draw("<a href=\"one\">link</a>", {0, 0, 400, 200});
    // The run test looks only below the run's top; the line decides the answer.
    EXPECT_FALSE(missed.PointOnLink);
    EXPECT_EQ(missed.Result.LinkUnderPoint, 0);
    EXPECT_TRUE(missed.Texts().empty());

    MarkupDrawing above;
    above.Options.PointX = 10;
    above.Options.PointY = 0;
    above.Draw("<a href=\"one\">link</a>", {0, 0, 400, 200});
    EXPECT_EQ(above.Result.LinkUnderPoint, -1);
    EXPECT_EQ(above.Result.LinkTarget, "");
}

TEST(MarkupText, FormControlUnderThePointSetsTheControlOutputs) {
    MarkupDrawing drawing;
    drawing.Options.PointX = 20;
    drawing.Options.PointY = 5;
    drawing.Draw("a<control type=\"edit\" id=\"e1\" value=\"v\" width=\"40\">", {0, 0, 400, 200});
    EXPECT_TRUE(drawing.PointOnLink);
    EXPECT_EQ(drawing.Result.ControlId, "e1");
    EXPECT_EQ(drawing.Result.ControlValue, "v");
    EXPECT_EQ(drawing.Result.ControlType, "EDIT");
    EXPECT_EQ(drawing.Result.LinkTarget, "ctrl");
    EXPECT_EQ(drawing.Result.Height, 13 + 6);
    EXPECT_EQ(drawing.Canvas.OfKind("Rectangle").at(0).Rect, (TRect{7, 0, 47, 19}));
}

TEST(MarkupPlainText, RemovesTagsAndBreaksLines) {
    EXPECT_EQ(MarkupToPlainText("one<BR>two"), "one\r\ntwo");
    EXPECT_EQ(MarkupToPlainText("<b>one</b><hr>two<Br>"), "one\r\ntwo\r\n");
    EXPECT_EQ(MarkupToPlainText("a <b>b</b> < c"), "a b < c");
    EXPECT_EQ(MarkupToPlainText(ScheduleText("S", "N", "L")), " Series: SProgram: NLanguage:  L");
}

} // namespace
