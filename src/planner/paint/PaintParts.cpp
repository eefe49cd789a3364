#include "planner/model/CustomPlanner.h"
#include "planner/paint/PaintColors.h"
#include "planner/paint/PaintPlanner.h"
#include "support/markup/Markup.h"

bool IsMarkup(const std::string& text) {
    return text.find("</") != std::string::npos;
}

unsigned AlignmentFlags(TAlignment alignment) {
    return alignment == taRightJustify ? tfRight : alignment == taCenter ? tfCenter : tfLeft;
}

namespace {

void DrawMarkup(TCanvas& canvas, const std::string& text, const TRect& rect) {
    TMarkupResult result;
    DrawMarkupText(canvas, text, rect, {}, result);
}

// Light top and left, dark right and bottom.
void DrawRaisedEdge(TCanvas& canvas, const TRect& rect) {
    canvas.Pen = {clBtnHighlight, 1};
    canvas.Polyline({{rect.Left, rect.Bottom - 1}, {rect.Left, rect.Top}, {rect.Right, rect.Top}});
    canvas.Pen = {clBtnShadow, 1};
    canvas.Polyline({{rect.Right - 1, rect.Top},
                     {rect.Right - 1, rect.Bottom - 1},
                     {rect.Left - 1, rect.Bottom - 1}});
}

// The two characters backslash and n stand for a line break.
std::string WithLineBreaks(const std::string& text) {
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool lineBreak = text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n';
        result += lineBreak ? '\r' : text[i];
        i += lineBreak ? 1 : 0;
    }
    return result;
}

void PaintSectionText(TCanvas& canvas, const TPlannerLooks& looks, const TRect& section,
                      int textHeight, const std::string& caption) {
    const std::string text = WithLineBreaks(caption);
    const TRect box{section.Left + 4, section.Top + 2, section.Right - 4,
                    section.Top + 2 + textHeight};
    canvas.Font = looks.HeaderFont;
    canvas.Brush.Color = clNone;
    if (IsMarkup(text)) return DrawMarkup(canvas, text, box);
    const bool oneLine = text.find('\r') == std::string::npos;
    canvas.DrawText(box, text,
                    tfLeft | tfNoPrefix | tfEndEllipsis |
                        (oneLine ? tfSingleLine | tfVCenter : tfTop | tfWordBreak));
}

} // namespace

void PaintCaptionBar(TCanvas& canvas, const TCustomPlanner& planner, const TPlannerLooks& looks,
                     const TRect& rect) {
    if (looks.CaptionBackgroundTo != clNone) {
        GradientFill(canvas, looks.CaptionBackground, looks.CaptionBackgroundTo,
                     TGradientDirection::LeftToRight, rect, looks.CaptionBackgroundSteps);
    } else {
        canvas.Brush.Color = looks.CaptionBackground;
        canvas.FillRect(rect);
    }
    canvas.Font = looks.CaptionFont;
    canvas.Brush.Color = clNone;
    const int height = canvas.TextHeight("W");
    const int top = rect.Top + (rect.Height() - height) / 2;
    const std::string& title = planner.Caption().Title();
    if (IsMarkup(title))
        return DrawMarkup(canvas, title, {rect.Left, top, rect.Right, rect.Bottom});
    canvas.DrawText({rect.Left, top, rect.Right, top + height}, title,
                    AlignmentFlags(looks.CaptionAlignment) | tfSingleLine | tfExpandTabs);
}

// Sections above the time column and the trailing one carry no text while the time column shows.
void PaintHeader(TCanvas& canvas, const TCustomPlanner& planner, const TPlannerLooks& looks,
                 const TPlannerLayout& layout) {
    const std::vector<int>& widths = layout.SectionWidths;
    const int last = static_cast<int>(widths.size()) - 1;
    const bool sidebar = planner.Sidebar().Visible();
    int x = layout.Header.Left;
    for (int k = 0; k <= last; ++k) {
        if (widths[k] == 0 && k != last) continue;
        TRect section{x, layout.Header.Top, x + widths[k], layout.Header.Bottom};
        x += widths[k];
        if (k == 0) --section.Right;
        if (k == last) section.Right = layout.Header.Right;
        canvas.Brush.Color = looks.HeaderColor;
        canvas.FillRect(section);
        const bool blank = sidebar && (k == 0 || k == last);
        if (!blank && k < static_cast<int>(planner.HeaderSections().size()))
            PaintSectionText(canvas, looks, section, planner.Header().TextHeight(),
                             planner.HeaderSections()[k]);
        if (!looks.HeaderFlat) DrawRaisedEdge(canvas, section);
    }
}

void PaintNavigatorButton(TCanvas& canvas, const TPlannerLooks& looks, const TRect& rect,
                          bool next) {
    canvas.Brush.Color = looks.HeaderColor;
    canvas.FillRect(rect);
    const int x = rect.Left + rect.Width() / 2;
    const int y = rect.Top + rect.Height() / 2;
    canvas.Pen = {clBlack, 1};
    canvas.Brush.Color = clBlack;
    if (next)
        canvas.Polygon({{x - 2, y - 4}, {x + 2, y}, {x - 2, y + 4}});
    else
        canvas.Polygon({{x + 2, y - 4}, {x - 2, y}, {x + 2, y + 4}});
}
