#include "planner/model/LaneArranger.h"

#include "planner/model/ItemRules.h"

#include <algorithm>

namespace {

// Visible items other than underlays look for the items overlapping them.
bool SeeksOverlaps(const TArrangedItem& item) {
    return item.Visible && !IsUnderlay(item.Background, item.AllowOverlap);
}

// Whether the item holds at least one slot that others can overlap.
bool Occupies(const TArrangedItem& item, int layer) {
    return SeeksOverlaps(item) && LayerShown(item.Layer, layer) && item.ItemBegin < item.ItemEnd;
}

void Merge(TLaneLayout& a, TLaneLayout& b) {
    a.GroupBegin = b.GroupBegin = std::min(a.GroupBegin, b.GroupBegin);
    a.GroupEnd = b.GroupEnd = std::max(a.GroupEnd, b.GroupEnd);
}

} // namespace

const std::vector<int>& TLaneArranger::Arrange(std::vector<TArrangedItem>& items,
                                               const TArrangeGrid& grid) {
    grid_ = grid;
    grid_.Columns = std::max(grid.Columns, 0);
    grid_.Rows = std::max(grid.Rows, 0);
    const size_t cells = static_cast<size_t>(grid_.Columns) * grid_.Rows;
    width_.assign(cells, 0);
    next_.assign(cells, 0);
    spare_.assign(cells, 0);
    repaint_.clear();
    for (TArrangedItem& item : items) {
        item.Layout.GroupBegin = item.ItemBegin;
        item.Layout.GroupEnd = item.ItemEnd;
        item.Layout.LaneChanged = false;
    }
    MergeOverlaps(items, grid_.Layer);
    FillWidths(items);
    AssignLanes(items);
    CapLaneCounts(items);
    return repaint_;
}

// Each item merges its group range with every item overlapping it, pair by pair in index order,
// so a range is not closed under chains of overlaps: an item merged early does not learn what a
// later pair adds. The pairs come from a sweep over each position instead of testing all pairs.
void TLaneArranger::MergeOverlaps(std::vector<TArrangedItem>& items, int layer) {
    CollectOverlapPairs(items, layer);
    SortPairsByItem(static_cast<int>(items.size()));
    for (size_t a = 0; a < items.size(); ++a) {
        const int first = firstPair_[a];
        const int last = firstPair_[a + 1];
        for (int k = first; k < last; ++k)
            Merge(items[a].Layout, items[partners_[k]].Layout);
        TLaneLayout& layout = items[a].Layout;
        layout.LaneChanged = layout.LaneCount != last - first + 1;
        layout.LaneCount = last - first + 1;
    }
}

void TLaneArranger::CollectOverlapPairs(const std::vector<TArrangedItem>& items, int layer) {
    sweep_.clear();
    for (size_t i = 0; i < items.size(); ++i)
        if (SeeksOverlaps(items[i]) && items[i].ItemBegin < items[i].ItemEnd)
            sweep_.push_back(static_cast<int>(i));
    std::sort(sweep_.begin(), sweep_.end(), [&items](int a, int b) {
        if (items[a].ItemPos != items[b].ItemPos) return items[a].ItemPos < items[b].ItemPos;
        return items[a].ItemBegin < items[b].ItemBegin;
    });
    pairs_.clear();
    active_.clear();
    for (size_t k = 0; k < sweep_.size(); ++k) {
        const TArrangedItem& item = items[sweep_[k]];
        if (k > 0 && items[sweep_[k - 1]].ItemPos != item.ItemPos) active_.clear();
        std::erase_if(active_, [&](int i) { return items[i].ItemEnd <= item.ItemBegin; });
        const std::uint64_t self = static_cast<std::uint64_t>(sweep_[k]);
        for (int other : active_) {
            const std::uint64_t peer = static_cast<std::uint64_t>(other);
            if (Occupies(items[other], layer)) pairs_.push_back(self << 32 | peer);
            if (Occupies(item, layer)) pairs_.push_back(peer << 32 | self);
        }
        active_.push_back(sweep_[k]);
    }
}

// Groups the pairs by their first item, each group in index order of the second.
void TLaneArranger::SortPairsByItem(int itemCount) {
    firstPair_.assign(itemCount + 1, 0);
    for (std::uint64_t pair : pairs_)
        ++firstPair_[(pair >> 32) + 1];
    for (int i = 0; i < itemCount; ++i)
        firstPair_[i + 1] += firstPair_[i];
    partners_.resize(pairs_.size());
    nextPartner_.assign(firstPair_.begin(), firstPair_.end() - 1);
    for (std::uint64_t pair : pairs_)
        partners_[nextPartner_[pair >> 32]++] = static_cast<int>(pair & 0xFFFFFFFFu);
    for (int i = 0; i < itemCount; ++i)
        if (firstPair_[i + 1] - firstPair_[i] > 1)
            std::sort(partners_.begin() + firstPair_[i], partners_.begin() + firstPair_[i + 1]);
}

void TLaneArranger::FillWidths(const std::vector<TArrangedItem>& items) {
    for (const TArrangedItem& item : items) {
        if (!TakesPart(item)) continue;
        const TCells cells = Cells(item.ItemPos, item.Layout.GroupBegin, item.Layout.GroupEnd);
        for (int s = cells.Begin; s < cells.End; ++s) {
            int& width = width_[cells.Offset + s];
            width = std::max(width, item.Layout.LaneCount);
        }
    }
}

void TLaneArranger::AssignLanes(std::vector<TArrangedItem>& items) {
    for (size_t i = 0; i < items.size(); ++i)
        if (TakesPart(items[i])) PlaceInLane(items[i], static_cast<int>(i));
}

// The item takes the next free lane of its slots while its group has lanes left; past that it
// falls back on the spare counter.
void TLaneArranger::PlaceInLane(TArrangedItem& item, int index) {
    TLaneLayout& layout = item.Layout;
    const TCells slots = Cells(item.ItemPos, item.ItemBegin, item.ItemEnd);
    int next = Largest(next_, slots);
    int spare = Largest(spare_, slots);
    if (spare == next) spare = 0;
    const int width = Largest(width_, Cells(item.ItemPos, layout.GroupBegin, layout.GroupEnd));
    const bool repaint = layout.LaneCount != width || layout.Lane != next;
    layout.LaneCount = width;
    const int lane = width > next ? next : spare;
    if (lane != layout.Lane) layout.LaneChanged = true;
    layout.Lane = lane;
    if (next >= width)
        Fill(spare_, slots, spare + 1);
    else
        ++next;
    Fill(next_, slots, next);
    if (repaint) repaint_.push_back(index);
}

// No group keeps more lanes than its column ended up using.
void TLaneArranger::CapLaneCounts(std::vector<TArrangedItem>& items) {
    columnLanes_.resize(grid_.Columns);
    for (int c = 0; c < grid_.Columns; ++c)
        columnLanes_[c] = Largest(next_, Cells(c, 0, grid_.Rows));
    for (size_t i = 0; i < items.size(); ++i) {
        TLaneLayout& layout = items[i].Layout;
        const int pos = items[i].ItemPos;
        const int limit = pos >= 0 && pos < grid_.Columns ? columnLanes_[pos] : 0;
        if (layout.LaneCount <= limit) continue;
        layout.LaneChanged = true;
        layout.LaneCount = limit;
        repaint_.push_back(static_cast<int>(i));
    }
}

bool TLaneArranger::TakesPart(const TArrangedItem& item) const {
    return SeeksOverlaps(item) && LayerShown(item.Layer, grid_.Layer);
}

// Cells outside the table are skipped: an empty range when the column lies outside it.
TLaneArranger::TCells TLaneArranger::Cells(int position, int begin, int end) const {
    if (position < 0 || position >= grid_.Columns) return {};
    return {position * grid_.Rows, std::max(begin, 0), std::min(end, grid_.Rows)};
}

int TLaneArranger::Largest(const std::vector<int>& counters, TCells cells) {
    int largest = 0;
    for (int s = cells.Begin; s < cells.End; ++s)
        largest = std::max(largest, counters[cells.Offset + s]);
    return largest;
}

void TLaneArranger::Fill(std::vector<int>& counters, TCells cells, int value) {
    for (int s = cells.Begin; s < cells.End; ++s)
        counters[cells.Offset + s] = value;
}
