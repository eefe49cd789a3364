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

enum class TPointerShape { Default, Move, SizeVertical };

// The cursor over a zone of the selected item: edges size unless the size is fixed; the grip,
// the caption and, for a read-only item moved directly, the body move unless it is pinned.
TPointerShape ZoneShape(const TPlannerItem& item, THitZone zone, bool directMove);
