#include "support/markup/Markup.h"
#include "support/markup/MarkupLine.h"

#include <utility>

namespace {

// Character names replaced before the text is laid out; "&amp;" keeps a doubled '&' so that
// the text output draws one.
constexpr std::pair<const char*, const char*> kCharacterNames[] = {
    {"&amp;", "&&"},      {"&quot;", "\""},    {"&sect;", "\xA7"},
    {"&permil;", "\x89"}, {"&reg;", "\xAE"},   {"&copy;", "\xA9"},
    {"&para;", "\xB6"},   {"&trade;", "\x99"}, {"&euro;", "\x80"},
};

// One occurrence per name in each pass over the table, until a pass replaces nothing.
void ReplaceCharacterNames(std::string& text) {
    bool replaced = true;
    while (replaced) {
        replaced = false;
        for (const auto& [name, value] : kCharacterNames) {
            const size_t at = FindNoCase(text, name);
            if (at == std::string::npos) continue;
            text.replace(at, std::string_view(name).size(), value);
            replaced = true;
        }
    }
}

// "<#...>" shows its contents as written.
void UnwrapVerbatim(std::string& text) {
    const size_t open = text.find("<#");
    if (open == std::string::npos) return;
    text.erase(open, 1);
    const size_t close = text.find('>', open);
    if (close != std::string::npos) text.erase(close, 1);
}

std::string PrepareText(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    std::string source = text;
    if (source.find('&') != std::string::npos) ReplaceCharacterNames(source);
    UnwrapVerbatim(source);
    for (char c : source) {
        if (c == '\r')
            result += "<BR>";
        else if (c != '\n')
            result += c;
    }
    return result;
}

// Each pass keeps its own font and state, so both see the same sequence of tags.
struct TPassState {
    TFont Font;
    TMarkupState State;
};

struct TLineLayout {
    TPassState Measure;
    TPassState Draw;
    int Top = 0;
    bool PointOnLink = false;
};

void PlaceLine(const TMarkupCall& call, const TMarkupState& state, TMarkupLine& line) {
    const TRect& rect = call.Rect;
    TRect box{rect.Left + 1, line.Box.Top, rect.Right,
              line.Box.Top + line.Height + line.SubscriptOffset + line.SuperscriptOffset};
    if (state.Align == TMarkupAlign::Right && box.Right - line.Width > box.Left)
        box.Left = box.Right - line.Width;
    if (state.Align == TMarkupAlign::Center && box.Right - box.Left - line.Width > 0)
        box.Left += (box.Right - box.Left - line.Width) / 2;
    box.Left += state.Indent;
    line.Box = box;
}

void DrawLine(TMarkupCall& call, TPassState& pass, const TMarkupLine& measured, TMarkupLine& line) {
    call.Canvas.Font = pass.Font;
    pass.State.Subscript = pass.State.Superscript = false;
    line = TMarkupLine{};
    line.Box = measured.Box;
    line.X = line.Box.Left;
    line.Height = measured.Height;
    line.BaseHeight = measured.BaseHeight;
    line.SubscriptOffset = measured.SubscriptOffset;
    line.SuperscriptOffset = measured.SuperscriptOffset;
    line.ImageOffset = measured.ImageOffset;
    if (pass.State.ParagraphFill != clNone && !call.Options.HitTestOnly) {
        const TColor brush = call.Canvas.Brush.Color;
        call.Canvas.Brush.Color = pass.State.ParagraphFill;
        call.Canvas.FillRect({call.Rect.Left, line.Box.Top, call.Rect.Right, line.Box.Bottom});
        call.Canvas.Brush.Color = brush;
    }
    std::string_view text = measured.Text;
    DrawMarkupLine(call, pass.State, line, text, TMarkupPass::Draw);
    pass.Font = call.Canvas.Font;
}

// The point lies on a link of the line within one line of text above the line's bottom.
bool PointOnLine(const TMarkupCall& call, const TMarkupLine& line) {
    const int bottom = line.Box.Bottom - line.ImageOffset;
    const int y = call.Options.PointY;
    return y <= bottom && y >= bottom - line.BaseHeight;
}

// Measures one line, places it and draws or tests it; the text below may be dropped.
void LayOutLine(TMarkupCall& call, TLineLayout& layout, std::string_view& rest) {
    TCanvas& canvas = call.Canvas;
    canvas.Font = layout.Measure.Font;
    layout.Measure.State.Subscript = layout.Measure.State.Superscript = false;
    TMarkupLine measured;
    measured.BaseHeight = measured.Height = canvas.TextHeight("gh");
    measured.Box = {call.Rect.Left + 1 + layout.Measure.State.Indent, layout.Top, call.Rect.Right,
                    layout.Top};
    measured.X = measured.Box.Left;
    DrawMarkupLine(call, layout.Measure.State, measured, rest, TMarkupPass::Measure);
    layout.Measure.Font = canvas.Font;
    PlaceLine(call, layout.Measure.State, measured);
    TMarkupLine drawn;
    if (!call.Options.MeasureOnly) DrawLine(call, layout.Draw, measured, drawn);
    if ((measured.PointOnLink || drawn.PointOnLink) && PointOnLine(call, measured))
        layout.PointOnLink = true;
    if (measured.PointOnElement || drawn.PointOnElement) layout.PointOnLink = true;
    const int height = measured.Box.Height();
    layout.Top += height;
    call.Result.Height += height;
    if (!call.Options.MeasureOnly && layout.Top + measured.BaseHeight > call.Rect.Bottom &&
        !rest.empty()) {
        rest = {};
        call.Result.Cut = true;
    }
}

} // namespace

bool DrawMarkupText(TCanvas& canvas, const std::string& text, const TRect& rect,
                    const TMarkupOptions& options, TMarkupResult& result) {
    result = TMarkupResult{};
    TMarkupCall call{canvas, rect, options, result, canvas.Font, canvas.Brush.Color};
    canvas.Brush.Color = clNone;
    const std::string prepared = PrepareText(text);
    std::string_view rest = prepared;
    TLineLayout layout{{canvas.Font, {}}, {canvas.Font, {}}, rect.Top, false};
    while (!rest.empty())
        LayOutLine(call, layout, rest);
    result.LinkCount = layout.Measure.State.LinkCount;
    canvas.Font = call.EntryFont;
    if (result.Height == 0) result.Height = canvas.TextHeight("gh");
    canvas.Brush.Color = call.EntryBrush;
    return layout.PointOnLink;
}
