#include "platform/ColorResolve.h"

#include <array>

namespace {

// One fixed scheme of system colours, so that drawings come out the same on every machine.
constexpr std::array<TColor, 25> kSystemColors = {
    0xC8C8C8, // scroll bar
    0x000000, // background
    0xD1B499, // active caption
    0xDBCDBF, // inactive caption
    0xF0F0F0, // menu
    0xFFFFFF, // window
    0x646464, // window frame
    0x000000, // menu text
    0x000000, // window text
    0x000000, // caption text
    0xB4B4B4, // active border
    0xFCF7F4, // inactive border
    0xABABAB, // application workspace
    0xFF9933, // highlight
    0xFFFFFF, // highlight text
    0xF0F0F0, // button face
    0xA0A0A0, // button shadow
    0x6D6D6D, // gray text
    0x000000, // button text
    0x000000, // inactive caption text
    0xFFFFFF, // button highlight
    0x696969, // 3D dark shadow
    0xE3E3E3, // 3D light
    0x000000, // info text
    0xE1FFFF, // info background
};

} // namespace

TRGB ColorToRGB(TColor color) {
    if (color >= kSystemColorBase) {
        const TColor index = color - kSystemColorBase;
        color = index < kSystemColors.size() ? kSystemColors[index] : clBlack;
    } else if (color > 0xFFFFFF) {
        color = clBlack;
    }
    return {static_cast<std::uint8_t>(color & 0xFF), static_cast<std::uint8_t>((color >> 8) & 0xFF),
            static_cast<std::uint8_t>((color >> 16) & 0xFF)};
}

TColor RGBToColor(TRGB rgb) {
    return rgb.R | (static_cast<TColor>(rgb.G) << 8) | (static_cast<TColor>(rgb.B) << 16);
}
