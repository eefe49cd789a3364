#include "planner/paint/PaintLayout.h"

#include "planner/model/CustomPlanner.h"

#include <algorithm>

namespace {

// A flat planner keeps one pixel free at the grid's right.
constexpr int kFlatMargin = 1;

// A caption starting with '#' merges its section into the one before it.
void MergeSections(const TCustomPlanner& planner, std::vector<int>& widths) {
    const std::vector<std::string>& captions = planner.HeaderSections();
    int previous = 0;
    for (size_t k = 1; k < widths.size(); ++k) {
        if (k < captions.size() && !captions[k].empty() && captions[k][0] == '#') {
            widths[previous] += widths[k];
            widths[k] = 0;
        } else {
            previous = static_cast<int>(k);
        }
    }
}

std::vector<int> SectionWidths(const TCustomPlanner& planner, const TPlannerLayout& layout) {
    std::vector<int> widths{layout.SidebarWidth - kNavigatorButtonWidth};
    widths.insert(widths.end(), planner.Positions(), layout.ColumnWidth);
    MergeSections(planner, widths);
    int used = 0;
    for (int width : widths)
        used += width;
    widths.push_back(std::max(0, layout.Header.Width() - used));
    return widths;
}

} // namespace

TRect TPlannerLayout::CellRect(int column, int row, int topRow, int rowHeight) const {
    const int top = (row - topRow) * rowHeight;
    const int left = column == 0 ? 0 : SidebarWidth + (column - 1) * ColumnWidth;
    const int right = column == 0 ? SidebarWidth : left + ColumnWidth;
    return {left, top, right, top + rowHeight};
}

TPlannerLayout LayOutPlanner(const TCustomPlanner& planner, int width, int height,
                             int scrollBarWidth) {
    TPlannerLayout layout;
    const int captionBottom = planner.Caption().Height();
    const int headerBottom = captionBottom + planner.Header().Height();
    layout.Caption = {0, 0, width, captionBottom};
    layout.Header = {kNavigatorButtonWidth, captionBottom, width - kNavigatorButtonWidth,
                     headerBottom};
    layout.PreviousButton = {0, captionBottom, kNavigatorButtonWidth, headerBottom};
    layout.NextButton = {width - kNavigatorButtonWidth, captionBottom, width, headerBottom};
    layout.Grid = {0, headerBottom, width, std::max(headerBottom, height)};
    layout.SidebarWidth = planner.Sidebar().Visible() ? planner.Sidebar().Width() : 0;
    const int free = width - layout.SidebarWidth - scrollBarWidth - kFlatMargin;
    layout.ColumnWidth = planner.PositionWidth() != 0 ? planner.PositionWidth()
                                                      : std::max(0, free / planner.Positions());
    layout.SectionWidths = SectionWidths(planner, layout);
    return layout;
}

int ColumnAt(const TPlannerLayout& layout, int x) {
    if (x < 0) return -1;
    if (x < layout.SidebarWidth) return 0;
    return 1 + (x - layout.SidebarWidth) / std::max(1, layout.ColumnWidth);
}
