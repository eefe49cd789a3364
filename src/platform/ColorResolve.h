#pragma once

#include "platform/Colors.h"

#include <cstdint>

struct TRGB {
    std::uint8_t R = 0;
    std::uint8_t G = 0;
    std::uint8_t B = 0;
    bool operator==(const TRGB&) const = default;
};

// Explicit colours give their components; system colours those of the fixed scheme;
// clNone and clDefault resolve to black.
TRGB ColorToRGB(TColor color);
TColor RGBToColor(TRGB rgb);
