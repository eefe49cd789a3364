#pragma once

#include <optional>

class TCustomPlanner;
class TPlannerItem;

// A slot range [Begin, End) of an item in a position; a whole range may reach beyond the rows.
struct TItemPlace {
    int Begin = 0;
    int End = 0;
    int Pos = 0;
    bool operator==(const TItemPlace&) const = default;
};

enum class TItemChange { Move, Size };

// How a new place is put on an item; slots that change take slot-boundary minutes.
enum class TPlaceBy {
    Range, // the whole range: what lies beyond the rows becomes overflow
    Ends,  // the whole range's ends that differ; the other end keeps its exact minute
    Slots, // the visible slots through the slot setters; the overflow stays as it is
};

// A step proposed for the selected item: where it goes, whether that moves or sizes it, and
// how the place is put on it.
struct TItemStep {
    TItemPlace Place;
    TItemChange Change = TItemChange::Move;
    TPlaceBy By = TPlaceBy::Ends;
};

enum class TArrowKey { Left, Right, Up, Down };

// The item's visible slots and position.
TItemPlace SlotsOf(const TPlannerItem& item);
// Puts the item at `to` as `by` says.
void PlaceItem(TPlannerItem& item, const TItemPlace& to, TPlaceBy by);

// What an arrow key does to the selected item; Shift, or a pinned place, turns Up and Down
// into shrinking and growing its end. Up and Down step both visible slots and keep the overflow.
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
