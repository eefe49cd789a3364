#include "planner/paint/PaintColors.h"

#include "platform/ColorResolve.h"

#include <algorithm>
#include <cmath>

namespace {

std::uint8_t Step(std::uint8_t from, std::uint8_t to, int i, int steps) {
    return static_cast<std::uint8_t>(from +
                                     std::lround(static_cast<double>(i) * (to - from) / steps));
}

TRect Strip(const TRect& rect, TGradientDirection direction, int i, int steps) {
    const bool across = direction == TGradientDirection::LeftToRight;
    const int size = across ? rect.Width() : rect.Height();
    const int origin = across ? rect.Left : rect.Top;
    const int end = across ? rect.Right : rect.Bottom;
    const int start = origin + static_cast<int>(std::lround(static_cast<double>(i) * size / steps));
    const int stop = std::min(start + size / steps + 1, end);
    return across ? TRect{start, rect.Top, stop, rect.Bottom}
                  : TRect{rect.Left, start, rect.Right, stop};
}

} // namespace

void GradientFill(TCanvas& canvas, TColor from, TColor to, TGradientDirection direction,
                  const TRect& rect, int steps) {
    steps = std::max(steps, 1);
    const TRGB a = ColorToRGB(from);
    const TRGB b = ColorToRGB(to);
    const TPen pen = canvas.Pen;
    const TBrush brush = canvas.Brush;
    for (int i = 0; i < steps; ++i) {
        const TColor color = RGBToColor(
            {Step(a.R, b.R, i, steps), Step(a.G, b.G, i, steps), Step(a.B, b.B, i, steps)});
        canvas.Pen = {color, 1};
        canvas.Brush.Color = color;
        canvas.Rectangle(Strip(rect, direction, i, steps));
    }
    canvas.Pen = pen;
    canvas.Brush = brush;
}

// Halves round to even.
TColor BlendColor(TColor a, TColor b, int percent) {
    if (percent == 100) return a;
    const TRGB ca = ColorToRGB(a);
    const TRGB cb = ColorToRGB(b);
    const double q = percent / 100.0;
    const auto mix = [q](std::uint8_t x, std::uint8_t y) {
        return static_cast<std::uint8_t>(std::nearbyint(q * x + (1 - q) * y));
    };
    return RGBToColor({mix(ca.R, cb.R), mix(ca.G, cb.G), mix(ca.B, cb.B)});
}
