#pragma once

#include <optional>

class TCustomPlanner;
class TPlannerItem;

// A whole slot range [Begin, End) of an item in a position; it may reach beyond the rows.
struct TItemPlace {
    int Begin = 0;
    int End = 0;
    int Pos = 0;
    bool operator==(const TItemPlace&) const = default;
};

enum class TItemChange { Move, Size };

// A step proposed for the selected item: where it goes and whether that moves or sizes it.
struct TItemStep {
    TItemPlace Place;
    TItemChange Change = TItemChange::Move;
};

enum class TArrowKey { Left, Right, Up, Down };

TItemPlace PlaceOf(const TPlannerItem& item);

// What an arrow key does to the selected item; Shift, or a pinned place, turns Up and Down
// into shrinking and growing its end.
std::optional<TItemStep> ArrowStep(const TCustomPlanner& planner, const TPlannerItem& item,
                                   TArrowKey key, bool shift);

// Dragging the item to start at `begin` in `position`: nothing over the time column, past the
// last position or onto the place it has. At least one row of it stays in view.
std::optional<TItemPlace> DragMove(const TCustomPlanner& planner, const TPlannerItem& item,
                                   int begin, int position);
// Dragging an edge to slot boundary `slot`: nothing when the item would lose its last slot,
// leave the rows or stay as it is.
std::optional<TItemPlace> DragTop(const TCustomPlanner& planner, const TPlannerItem& item,
                                  int slot);
std::optional<TItemPlace> DragBottom(const TCustomPlanner& planner, const TPlannerItem& item,
                                     int slot);
