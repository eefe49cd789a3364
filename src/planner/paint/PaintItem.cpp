#include "planner/model/CustomPlanner.h"
#include "planner/paint/PaintColors.h"
#include "planner/paint/PaintPlanner.h"
#include "support/markup/Markup.h"

#include <algorithm>

namespace {

constexpr int kCorner = 10;
constexpr int kShadowOffset = 2;
constexpr int kRectShadow = 3;
constexpr int kGradientSteps = 32;
constexpr int kArrowGap = 8; // the text makes room for the continuation arrows

bool ShowsSelected(const TPlannerItem& item) {
    return item.Selected() && item.ShowSelection();
}

TColor BodyColor(const TCustomPlanner& planner, const TPlannerItem& item) {
    if (item.ViewState().IsCurrent) return planner.Display().ColorCurrentItem();
    return ShowsSelected(item) ? item.SelectColor() : item.Color();
}

TFont ItemFont(TFont font, const TPlannerItem& item) {
    if (ShowsSelected(item)) font.Color = item.SelectFontColor();
    return font;
}

void Fill(TCanvas& canvas, const TRect& rect, TColor color) {
    canvas.Brush.Color = color;
    canvas.FillRect(rect);
}

std::string Joined(const std::vector<std::string>& lines, const std::string& separator) {
    std::string result;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) result += separator;
        result += lines[i];
    }
    return result;
}

// Two stacked chevrons, 6 pixels wide and 3 high, 4 pixels apart.
void DrawChevrons(TCanvas& canvas, int x, int y, bool up) {
    canvas.Pen = {clBlue, 2};
    for (int top : {y, y + 4}) {
        if (up)
            canvas.Polyline({{x, top + 3}, {x + 3, top}, {x + 6, top + 3}});
        else
            canvas.Polyline({{x, top}, {x + 3, top + 3}, {x + 6, top}});
    }
}

} // namespace

void TGridPainter::PaintItem(TCanvas& canvas, TPlannerItem& item, TRect rect) {
    TItemViewState& state = item.ViewState();
    if (state.Painted || item.ItemBegin() == item.ItemEnd()) return;
    state.Painted = true;
    rect.Right -= planner_.ItemGap();
    TRect outer = rect;
    TPen outline{clBlack, 1};
    PaintItemFrame(canvas, item, rect, outer, outline);
    rect = {rect.Left + 2, rect.Top + 4, rect.Right - 2, rect.Bottom - 4};
    if (item.OverflowBefore() != 0 || item.OverflowAfter() != 0) rect.Right -= kArrowGap;
    const int captionHeight = PaintCaptionBand(canvas, item, rect, outline);
    state.TextRect = {rect.Left, rect.Top + captionHeight + 2, rect.Right, rect.Bottom};
    PaintItemText(canvas, item, state.TextRect);
    PaintArrows(canvas, item, outer);
}

// Shadow and body; leaves `rect` on the body's inner area and `outer` where arrows are placed.
void TGridPainter::PaintItemFrame(TCanvas& canvas, TPlannerItem& item, TRect& rect, TRect& outer,
                                  TPen& outline) const {
    const TColor body = BodyColor(planner_, item);
    if (item.Shape() == psRect) {
        if (item.Shadow()) {
            Fill(canvas,
                 {rect.Right - kRectShadow, rect.Top + kRectShadow, rect.Right, rect.Bottom},
                 looks_.ShadowColor);
            Fill(canvas,
                 {rect.Left + kRectShadow, rect.Bottom - kRectShadow, rect.Right, rect.Bottom},
                 looks_.ShadowColor);
            rect.Right -= kRectShadow;
            rect.Bottom -= kRectShadow;
        }
        outer = rect;
        canvas.Pen = outline;
        canvas.Brush.Color = body;
        canvas.Rectangle(rect);
        Fill(canvas, {rect.Left, rect.Top, rect.Left + looks_.TrackWidth, rect.Bottom},
             item.TrackColor());
        if (item.HasFocus()) {
            Fill(canvas, {rect.Left, rect.Top, rect.Right, rect.Top + 3}, item.TrackColor());
            Fill(canvas, {rect.Left, rect.Bottom - 4, rect.Right, rect.Bottom}, item.TrackColor());
        }
        return;
    }
    rect = rect.Inflate(-1, -1);
    if (item.Shadow()) {
        rect = rect.Inflate(-2, -2);
        canvas.Pen = {looks_.ShadowColor, 2};
        canvas.Brush.Color = looks_.ShadowColor;
        canvas.RoundRect(rect.Offset(kShadowOffset, kShadowOffset), kCorner, kCorner);
    }
    if (item.HasFocus() && item.TrackVisible()) outline = {item.TrackColor(), 2};
    canvas.Pen = outline;
    canvas.Brush.Color = body;
    canvas.RoundRect(rect, kCorner, kCorner);
    rect = rect.Inflate(-5, -5);
}

// Returns the band's height, which the mouse handling reads back too.
int TGridPainter::PaintCaptionBand(TCanvas& canvas, TPlannerItem& item, const TRect& rect,
                                   const TPen& outline) {
    TItemViewState& state = item.ViewState();
    state.CaptionHeight = 0;
    if (item.CaptionType() == ctNone) return 0;
    canvas.Font = ItemFont(item.CaptionFont(), item);
    const int h = canvas.TextHeight("gh");
    if (rect.Top + h + 1 < rect.Bottom) {
        canvas.Pen = outline;
        canvas.Line(rect.Left, rect.Top + h + 1, rect.Right, rect.Top + h + 1);
    }
    const int n = std::min(h, rect.Height() - 1);
    const TRect text{rect.Left - 1, rect.Top - 1, rect.Right + 1, rect.Top + n + 1};
    TRect band = text;
    if (!item.HasFocus()) band.Top -= 2;
    if (item.CaptionBkgTo() != clNone) {
        const auto direction = looks_.GradientHorizontal ? TGradientDirection::TopToBottom
                                                         : TGradientDirection::LeftToRight;
        GradientFill(canvas, item.CaptionBkg(), item.CaptionBkgTo(), direction, band,
                     kGradientSteps);
    } else {
        Fill(canvas, band, item.UniformBkg() ? BodyColor(planner_, item) : item.CaptionBkg());
    }
    const std::string caption = item.CaptionString();
    canvas.Brush.Color = clNone;
    if (IsMarkup(caption)) {
        TMarkupResult result;
        DrawMarkupText(canvas, caption, text, {}, result);
    } else {
        canvas.DrawText(text, caption,
                        AlignmentFlags(item.CaptionAlign()) | tfSingleLine | tfNoPrefix |
                            tfEndEllipsis);
    }
    state.CaptionHeight = n + 2;
    return state.CaptionHeight;
}

void TGridPainter::PaintItemText(TCanvas& canvas, TPlannerItem& item, const TRect& rect) {
    canvas.Font = ItemFont(item.Font(), item);
    canvas.Brush.Color = clNone;
    int height = 0;
    bool cut = false;
    const std::string markup = Joined(item.Text(), "");
    if (IsMarkup(markup) && markup.rfind("{\\", 0) != 0) {
        TMarkupOptions options;
        options.Images = grid_.Images;
        options.PointX = grid_.Mouse.X;
        options.PointY = grid_.Mouse.Y;
        options.WordWrap = item.WordWrap();
        options.ControlPressed = grid_.MouseDown;
        options.LinkColor = looks_.URLColor;
        TMarkupResult result;
        canvas.PushClip(rect);
        DrawMarkupText(canvas, markup, rect, options, result);
        canvas.PopClip();
        height = result.Height;
        cut = result.Cut;
    } else {
        const unsigned wrap = item.WordWrap() ? tfWordBreak : tfSingleLine | tfEndEllipsis;
        height = canvas.DrawText(rect, Joined(item.Text(), "\r"),
                                 AlignmentFlags(item.Alignment()) | tfNoPrefix | wrap);
    }
    // The height of the lines drawn alone would miss the lines left out below the rectangle.
    item.ViewState().TextOverflow = rect.Height() < height || cut;
}

void TGridPainter::PaintArrows(TCanvas& canvas, const TPlannerItem& item,
                               const TRect& outer) const {
    const int x = outer.Right - 4 - looks_.TrackWidth;
    if (item.OverflowBefore() > 0) DrawChevrons(canvas, x, outer.Top + looks_.TrackWidth, true);
    if (item.OverflowAfter() > 0)
        DrawChevrons(canvas, x, outer.Bottom - 8 - looks_.TrackWidth, false);
}
