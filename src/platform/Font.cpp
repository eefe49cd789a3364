#include "platform/Font.h"

#include <cmath>
#include <cstdlib>

namespace {
constexpr int kPixelsPerInch = 96;
constexpr int kPointsPerInch = 72;
} // namespace

int FontSize(const TFont& font) {
    return static_cast<int>(
        std::lround(-static_cast<double>(font.Height) * kPointsPerInch / kPixelsPerInch));
}

void SetFontSize(TFont& font, int points) {
    font.Height = -static_cast<int>(
        std::lround(static_cast<double>(points) * kPixelsPerInch / kPointsPerInch));
}
