#pragma once

// Rules every part of the planner applies to items alike.

// Layer 0 shows every item; a positive planner layer shows items sharing a bit with it.
inline bool LayerShown(int itemLayer, int plannerLayer) {
    return plannerLayer == 0 || (plannerLayer > 0 && (itemLayer & plannerLayer) != 0);
}

// A background item that lets others overlap it is drawn behind the lanes and takes none.
inline bool IsUnderlay(bool background, bool allowOverlap) {
    return background && allowOverlap;
}

// Whether the slot range [begin, end) meets [a, b), counting shared boundaries of empty ranges.
inline bool RangesMeet(int begin, int end, int a, int b) {
    return (begin <= a && a < end) || (begin < b && b <= end) || (a < end && end <= b) ||
           (a <= begin && begin < b);
}
