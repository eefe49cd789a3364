#pragma once

#include "planner/model/ItemGeometry.h"
#include "platform/Geometry.h"

class TCustomPlanner;
class TPlannerItem;

// The part of the selected item under the pointer, which decides what a press starts.
enum class THitZone { Grip, TopEdge, Caption, BottomEdge, Body };

// The item's lane rectangles in the cells of its first and last rows, each row outside the
// view replaced by the nearest visible one.
struct TItemFrame {
    TRect First;
    TRect Last;
};

// `columnLeft` and `columnRight` bound the item's position column; `lastRow` is the last
// visible row.
TItemFrame ItemFrame(const TCustomPlanner& planner, const TPlannerItem& item, int columnLeft,
                     int columnRight, const TRowScale& scale, int lastRow);
// The zone of a pointer already known to lie on the item.
THitZone ItemZone(const TItemFrame& frame, int captionHeight, int trackWidth, int x, int y);

// What a left press on an item starts. The press always selects the item (or, with Ctrl,
// toggles it); Select means it starts nothing more.
enum class TPressAction { Select, Move, SizeTop, SizeBottom };

// The one rule for presses and for the cursor over the selected item. `selected`: the item was
// the selected one before the press; a first press moves it from anywhere when `directMove`.
// Edges size unless the size is fixed; the grip, the caption and a read-only body move. A
// background item is pinned in place and size whatever its other flags say.
TPressAction PressAction(const TPlannerItem& item, THitZone zone, bool selected, bool directMove);
