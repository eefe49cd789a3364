#include "ReferenceArrangement.h"

#include <algorithm>

namespace {

struct Reference {
    std::vector<TArrangedItem>& items;
    const TArrangeGrid& grid;
    std::vector<std::vector<int>> width, next, spare;
    std::vector<int> repaint;

    bool Underlay(const TArrangedItem& item) const { return item.Background && item.AllowOverlap; }
    bool LayerShown(const TArrangedItem& item) const {
        return grid.Layer == 0 || (grid.Layer > 0 && (item.Layer & grid.Layer) != 0);
    }
    bool Occupies(const TArrangedItem& item, int slot) const {
        return item.ItemBegin <= slot && slot < item.ItemEnd && item.Visible && !Underlay(item) &&
               LayerShown(item);
    }
    bool TakesPart(const TArrangedItem& item) const {
        return item.Visible && LayerShown(item) && !Underlay(item);
    }
    bool InTable(int column, int slot) const {
        return column >= 0 && column < grid.Columns && slot >= 0 && slot < grid.Rows;
    }
    int Largest(const std::vector<std::vector<int>>& table, int column, int from, int to) const {
        int largest = 0;
        for (int s = from; s < to; ++s)
            if (InTable(column, s)) largest = std::max(largest, table[column][s]);
        return largest;
    }

    void DirectOverlaps() {
        for (TArrangedItem& a : items) {
            int n = 0;
            if (a.Visible && !Underlay(a)) {
                for (TArrangedItem& b : items) {
                    if (&a == &b || b.ItemPos != a.ItemPos) continue;
                    bool overlaps = false;
                    for (int s = a.ItemBegin; s < a.ItemEnd; ++s)
                        overlaps |= Occupies(b, s);
                    if (!overlaps) continue;
                    a.Layout.GroupBegin = b.Layout.GroupBegin =
                        std::min(a.Layout.GroupBegin, b.Layout.GroupBegin);
                    a.Layout.GroupEnd = b.Layout.GroupEnd =
                        std::max(a.Layout.GroupEnd, b.Layout.GroupEnd);
                    ++n;
                }
            }
            a.Layout.LaneChanged = a.Layout.LaneCount != n + 1;
            a.Layout.LaneCount = n + 1;
        }
    }

    void GroupWidths() {
        for (const TArrangedItem& a : items) {
            if (!TakesPart(a)) continue;
            for (int s = a.Layout.GroupBegin; s < a.Layout.GroupEnd; ++s)
                if (InTable(a.ItemPos, s))
                    width[a.ItemPos][s] = std::max(width[a.ItemPos][s], a.Layout.LaneCount);
        }
    }

    void Lanes() {
        for (size_t i = 0; i < items.size(); ++i) {
            TArrangedItem& a = items[i];
            if (!TakesPart(a)) continue;
            const int p = a.ItemPos;
            int nx = Largest(next, p, a.ItemBegin, a.ItemEnd);
            int sp = Largest(spare, p, a.ItemBegin, a.ItemEnd);
            if (sp == nx) sp = 0;
            const int w = Largest(width, p, a.Layout.GroupBegin, a.Layout.GroupEnd);
            const bool repaintIt = a.Layout.LaneCount != w || a.Layout.Lane != nx;
            a.Layout.LaneCount = w;
            const int lane = w > nx ? nx : sp;
            if (lane != a.Layout.Lane) a.Layout.LaneChanged = true;
            a.Layout.Lane = lane;
            if (nx >= w) {
                ++sp;
                for (int s = a.ItemBegin; s < a.ItemEnd; ++s)
                    if (InTable(p, s)) spare[p][s] = sp;
            }
            if (nx < w) ++nx;
            for (int s = a.ItemBegin; s < a.ItemEnd; ++s)
                if (InTable(p, s)) next[p][s] = nx;
            if (repaintIt) repaint.push_back(static_cast<int>(i));
        }
    }

    void Cap() {
        for (size_t i = 0; i < items.size(); ++i) {
            TArrangedItem& a = items[i];
            const int m = Largest(next, a.ItemPos, 0, grid.Rows);
            if (a.Layout.LaneCount <= m) continue;
            a.Layout.LaneChanged = true;
            a.Layout.LaneCount = m;
            repaint.push_back(static_cast<int>(i));
        }
    }
};

} // namespace

std::vector<int> ReferenceArrange(std::vector<TArrangedItem>& items, const TArrangeGrid& grid) {
    for (TArrangedItem& item : items) {
        item.Layout.GroupBegin = item.ItemBegin;
        item.Layout.GroupEnd = item.ItemEnd;
        item.Layout.LaneChanged = false;
    }
    const std::vector<std::vector<int>> table(std::max(grid.Columns, 0),
                                              std::vector<int>(std::max(grid.Rows, 0), 0));
    Reference run{items, grid, table, table, table, {}};
    run.DirectOverlaps();
    run.GroupWidths();
    run.Lanes();
    run.Cap();
    return run.repaint;
}
