#pragma once

#include "platform/Colors.h"

#include <string>

enum TCaptionType { ctNone, ctText, ctTime, ctTimeText };
enum TPlannerShape { psRect, psRounded, psHexagon, psTool };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};
// The editor an item opens in place; peForm counts as not editable in place.
enum TPlannerEditType { peMemo, peEdit, peMaskEdit, peRichText, peCustom, peForm };
enum TInplaceEditType { ieAlways, ieNever };
enum TPlannerType { plDay };
enum TSideBarPosition { spLeft, spRight, spTop };
enum TSelectButton { sbLeft, sbRight, sbBoth };

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// Height below zero is the character height in pixels, as the toolkit's fonts count it.
struct TPlannerFont {
    std::string Name = "MS Sans Serif";
    int Height = -11;
    unsigned Style = 0; // TFontStyle bits
    TColor Color = clWindowText;

    bool operator==(const TPlannerFont&) const = default;
};
