#pragma once

#include "platform/Colors.h"

#include <string>

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// Height below zero is the character height in pixels (the cell height less the internal
// leading); fonts of the forms are given this way.
struct TFont {
    std::string Name = "MS Sans Serif";
    int Height = -11;
    unsigned Style = 0; // TFontStyle bits
    TColor Color = clWindowText;
    int Orientation = 0; // tenths of a degree, counter-clockwise

    bool operator==(const TFont&) const = default;
};

// Point sizes at the 96 pixels per inch the layout assumes.
int FontSize(const TFont& font);
void SetFontSize(TFont& font, int points);
