#pragma once

#include "support/markup/Markup.h"

#include <string>
#include <string_view>
#include <vector>

// The two passes over each line: measuring lays the line out, drawing paints it.
enum class TMarkupPass { Measure, Draw };
enum class TMarkupAlign { Left, Right, Center };

// What one call of DrawMarkupText shares between its lines and passes.
struct TMarkupCall {
    TCanvas& Canvas;
    const TRect& Rect;
    const TMarkupOptions& Options;
    TMarkupResult& Result;
    TFont EntryFont;
    TColor EntryBrush;
};

// Drawing state of one pass apart from the canvas font and brush, which the canvas holds.
struct TMarkupState {
    bool Subscript = false;
    bool Superscript = false;
    bool Shadow = false;
    bool Hidden = false;
    bool ErrorMarking = false;
    bool InLink = false;
    bool LinkStyled = false;
    bool HoverTextApplied = false;
    TColor BrushBeforeHover = clNone;
    int LinkCount = 0;
    std::string LinkTarget;
    TMarkupAlign Align = TMarkupAlign::Left;
    int Indent = 0;
    int ListLevel = 0;
    TColor FontBackground = clNone;      // brush before the last FONT background
    TColor ParagraphBackground = clNone; // brush before the last paragraph background
    TColor ParagraphFill = clNone;       // fills every line box while a P background lasts
    bool HighlightSaved = false;
    TColor HighlightText = clNone;
    TColor HighlightBackground = clNone;
    std::vector<TFont> UnrotatedFonts;
};

// One line as a pass works through it.
struct TMarkupLine {
    TRect Box;          // left, top and right; the bottom is known in the drawing pass
    int X = 0;          // position reached
    int Width = 0;      // measured width of the runs
    int Height = 0;     // grows with the runs
    int BaseHeight = 0; // height of "gh" at the line's start
    int SubscriptOffset = 0;
    int SuperscriptOffset = 0;
    int ImageOffset = 0;
    int Trailing = 0; // width of the last run's trailing space
    int Runs = 0;
    bool EndsInSpace = false; // the last run taken ends in a space
    int LinkStart = 0;        // x where the current link began on this line
    bool ListItemSeen = false;
    bool PointOnLink = false;    // a linked run of this line lies under the point
    bool PointOnElement = false; // a form control or a linked picture lies under the point
    std::string Text;            // the runs and tags consumed
};

// Works through `text` run by run and tag by tag until it is used up or the line ends.
void DrawMarkupLine(TMarkupCall& call, TMarkupState& state, TMarkupLine& line,
                    std::string_view& text, TMarkupPass pass);

enum class TTagOutcome { Continue, EndLine, EndBefore };

// A tag as written and upper-cased, from '<' to its '>' included.
struct TMarkupTag {
    std::string Original;
    std::string Upper;
};

TTagOutcome StartTag(TMarkupCall& call, TMarkupState& state, TMarkupLine& line,
                     const TMarkupTag& tag, TMarkupPass pass);
TTagOutcome EndTag(TMarkupCall& call, TMarkupState& state, TMarkupLine& line, const TMarkupTag& tag,
                   TMarkupPass pass);
TTagOutcome Picture(TMarkupCall& call, TMarkupState& state, TMarkupLine& line,
                    const TMarkupTag& tag, TMarkupPass pass);
TTagOutcome FormControl(TMarkupCall& call, TMarkupState& state, TMarkupLine& line,
                        const TMarkupTag& tag, TMarkupPass pass);

// The double-quoted value of attribute `name` (upper case); empty when missing.
std::string Attribute(const TMarkupTag& tag, const std::string& name);
std::string FirstQuotedValue(const std::string& text);
// The leading decimal number of an attribute value, 0 when there is none; held within
// +-kMarkupNumberLimit, so sums of positions and sizes stay far from overflowing.
int MarkupNumber(const std::string& text);
constexpr int kMarkupNumberLimit = 1000000;
TColor MarkupColor(const std::string& value);

std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
// Replaces every occurrence of `name`, in any case, by `value`.
std::string ReplaceAllNoCase(std::string text, std::string_view name, std::string_view value);
size_t FindNoCase(std::string_view text, std::string_view name, size_t from = 0);
// Whether the point tests links and controls in this pass.
bool TestsPoint(const TMarkupCall& call, TMarkupPass pass);
bool Draws(const TMarkupCall& call, TMarkupPass pass);
