#pragma once

#include "platform/Alignment.h"
#include "platform/Colors.h"
#include "platform/Font.h"

#include <string>

enum TCaptionType { ctNone, ctText, ctTime, ctTimeText };
enum TPlannerShape { psRect, psRounded, psHexagon, psTool };
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

using TPlannerFont = TFont;
