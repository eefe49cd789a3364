#pragma once

#include <cstdint>
#include <vector>

// Overlap layout of one item.
struct TLaneLayout {
    int LaneCount = 0;  // lanes of the item's overlap group
    int Lane = 0;       // 0-based lane of the item
    int GroupBegin = 0; // slot range of the item together with the items overlapping it
    int GroupEnd = 0;
    bool LaneChanged = false; // changed by the last arrangement

    bool operator==(const TLaneLayout&) const = default;
};

// One item as the arrangement sees it; Layout is read and rewritten.
struct TArrangedItem {
    int ItemBegin = 0;
    int ItemEnd = 0;
    int ItemPos = 0;
    bool Visible = true;
    bool Background = false;
    bool AllowOverlap = true;
    int Layer = 0;
    TLaneLayout Layout;
};

// The grid items are laid into; Layer is the planner's shown layer mask.
struct TArrangeGrid {
    int Columns = 0;
    int Rows = 0;
    int Layer = 0;
};

// Lays overlapping items of a position side by side. Keeps its working buffers between runs.
class TLaneArranger {
public:
    // Rewrites every item's layout; returns the indices of the items to repaint, in order.
    const std::vector<int>& Arrange(std::vector<TArrangedItem>& items, const TArrangeGrid& grid);

private:
    // A slot range clipped to the table; Offset locates its column.
    struct TCells {
        int Offset = 0;
        int Begin = 0;
        int End = 0;
    };

    void MergeOverlaps(std::vector<TArrangedItem>& items, int layer);
    void CollectOverlapPairs(const std::vector<TArrangedItem>& items, int layer);
    void SortPairsByItem(int itemCount);
    void FillWidths(const std::vector<TArrangedItem>& items);
    void AssignLanes(std::vector<TArrangedItem>& items);
    void PlaceInLane(TArrangedItem& item, int index);
    void CapLaneCounts(std::vector<TArrangedItem>& items);
    bool TakesPart(const TArrangedItem& item) const;
    TCells Cells(int position, int begin, int end) const;
    static int Largest(const std::vector<int>& counters, TCells cells);
    static void Fill(std::vector<int>& counters, TCells cells, int value);

    TArrangeGrid grid_;
    std::vector<int> width_;           // largest LaneCount of a group covering the cell
    std::vector<int> next_;            // lane counter left behind by the items placed over the cell
    std::vector<int> spare_;           // second counter, used once next runs past the group's width
    std::vector<int> sweep_;           // candidates in order of position and first slot
    std::vector<int> active_;          // candidates of the sweep not yet ended
    std::vector<std::uint64_t> pairs_; // item << 32 | an item overlapping it
    std::vector<int> firstPair_;       // per item, where its partners start in partners_
    std::vector<int> nextPartner_;
    std::vector<int> partners_;
    std::vector<int> columnLanes_; // per column, the lanes its items ended up using
    std::vector<int> repaint_;
};
