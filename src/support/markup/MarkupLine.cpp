#include "support/markup/MarkupLine.h"

#include <algorithm>

namespace {

bool EndsWithSpace(const std::string& text) {
    return !text.empty() && text.back() == ' ';
}

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The run's length: up to the next tag, or up to and including a space before it.
size_t RunLength(std::string_view text, bool wordWrap) {
    size_t end = std::min(text.find('<'), text.size());
    if (wordWrap) {
        const size_t space = text.find(' ');
        if (space < end) end = space + 1;
    }
    return end;
}

std::string ShownRun(std::string_view raw) {
    std::string shown(raw);
    if (shown.find('&') == std::string::npos) return shown;
    shown = ReplaceAllNoCase(shown, "&nbsp;", " ");
    shown = ReplaceAllNoCase(shown, "&lt;", "<");
    return ReplaceAllNoCase(shown, "&gt;", ">");
}

int RunBottom(const TMarkupState& state, const TMarkupLine& line) {
    int bottom = line.Box.Bottom - line.SubscriptOffset;
    if (state.Superscript) bottom -= line.SuperscriptOffset;
    if (state.Subscript) bottom += line.SubscriptOffset;
    return bottom - line.ImageOffset;
}

// A red zigzag under the run, 1 pixel above and below its bottom by turns.
void DrawErrorMarking(TCanvas& canvas, int left, int right, int bottom) {
    std::vector<TPoint> points;
    bool up = true;
    for (int x = left & ~1; x <= right; x += 2, up = !up)
        points.push_back({x, up ? bottom - 1 : bottom + 1});
    const TPen pen = canvas.Pen;
    canvas.Pen = {clRed, 1};
    canvas.Polyline(points);
    canvas.Pen = pen;
}

void DrawRun(TMarkupCall& call, const TMarkupState& state, const TMarkupLine& line,
             const std::string& shown, int width) {
    TCanvas& canvas = call.Canvas;
    const TRect box{line.X, line.Box.Top, line.Box.Right, RunBottom(state, line)};
    const unsigned flags =
        tfSingleLine | tfBottom | tfExpandTabs | (call.Options.WordWrap ? 0u : tfEndEllipsis);
    if (state.Shadow) {
        const TColor color = canvas.Font.Color;
        canvas.Font.Color = call.Options.ShadowColor;
        const int offset = call.Options.ShadowOffset;
        canvas.DrawText(box.Offset(offset, offset), shown, flags);
        canvas.Font.Color = color;
    }
    canvas.DrawText(box, shown, flags);
    if (state.ErrorMarking) DrawErrorMarking(canvas, line.X, line.X + width, box.Bottom);
    if (state.InLink && state.LinkCount - 1 == call.Options.FocusedLink)
        call.Result.FocusedLinkTarget = state.LinkTarget;
}

void TestRun(TMarkupCall& call, const TMarkupState& state, TMarkupLine& line, int width) {
    const TMarkupOptions& options = call.Options;
    if (!state.InLink || options.PointY <= line.Box.Top || options.PointX < line.X ||
        options.PointX > line.X + width)
        return;
    call.Result.LinkTarget = state.LinkTarget;
    call.Result.LinkUnderPoint = state.LinkCount - 1;
    call.Result.HoverRect = {line.LinkStart, line.Box.Top, line.X + width,
                             line.Box.Top + line.Height};
    line.PointOnLink = true;
}

// A run joined to the previous one without a space is never separated from it.
bool RunFits(const TMarkupLine& line, int width) {
    const int room = line.Box.Width();
    return line.Width + width < room || width >= room || !line.EndsInSpace;
}

// Returns false when the line ends before the run.
bool TakeRun(TMarkupCall& call, TMarkupState& state, TMarkupLine& line, std::string_view& text,
             TMarkupPass pass) {
    TCanvas& canvas = call.Canvas;
    const size_t length = RunLength(text, call.Options.WordWrap);
    const std::string raw(text.substr(0, length));
    const std::string shown = ShownRun(raw);
    if (!shown.empty()) {
        const int height = canvas.TextHeight(shown);
        line.Height = std::max(line.Height, height);
        if (state.Subscript) line.SubscriptOffset = std::max(line.SubscriptOffset, height / 4);
        if (state.Superscript)
            line.SuperscriptOffset = std::max(line.SuperscriptOffset, height / 4);
        call.Result.PlainText += shown;
    }
    bool lastRun = false;
    if (!state.Hidden) {
        const int width = canvas.TextWidth(shown);
        if (pass == TMarkupPass::Measure && !RunFits(line, width)) {
            if (call.Options.WordWrap) return false;
            lastRun = line.Runs > 0;
        }
        if (pass == TMarkupPass::Measure) line.Width += width;
        if (TestsPoint(call, pass)) TestRun(call, state, line, width);
        if (Draws(call, pass)) DrawRun(call, state, line, shown, width);
        line.X += width;
        line.Trailing = EndsWithSpace(raw) ? canvas.TextWidth(" ") : 0;
        ++line.Runs;
    }
    line.EndsInSpace = EndsWithSpace(raw);
    line.Text += raw;
    text.remove_prefix(length);
    if (lastRun) text = {};
    return true;
}

TTagOutcome ApplyTag(TMarkupCall& call, TMarkupState& state, TMarkupLine& line,
                     const TMarkupTag& tag, TMarkupPass pass) {
    const std::string& upper = tag.Upper;
    if (upper[1] == '/' && IsLetter(upper[2]) && upper.size() >= 4)
        return EndTag(call, state, line, tag, pass);
    if (IsLetter(upper[1])) return StartTag(call, state, line, tag, pass);
    return TTagOutcome::Continue;
}

// Returns false when the line ends at or before the tag.
bool TakeTag(TMarkupCall& call, TMarkupState& state, TMarkupLine& line, std::string_view& text,
             TMarkupPass pass) {
    if (text.size() <= 2) {
        text = {};
        return false;
    }
    const size_t close = text.find('>');
    const size_t length = close == std::string_view::npos ? text.size() : close + 1;
    const TMarkupTag tag{std::string(text.substr(0, length)), UpperCase(text.substr(0, length))};
    const TTagOutcome outcome = ApplyTag(call, state, line, tag, pass);
    if (outcome == TTagOutcome::EndBefore) return false;
    line.Text += tag.Original;
    text.remove_prefix(length);
    return outcome == TTagOutcome::Continue;
}

} // namespace

void DrawMarkupLine(TMarkupCall& call, TMarkupState& state, TMarkupLine& line,
                    std::string_view& text, TMarkupPass pass) {
    bool goesOn = true;
    while (goesOn && !text.empty())
        goesOn = text[0] == '<' ? TakeTag(call, state, line, text, pass)
                                : TakeRun(call, state, line, text, pass);
    if (pass != TMarkupPass::Measure) return;
    line.Width -= line.Trailing;
    call.Result.Width = std::max(call.Result.Width, line.Width);
}
