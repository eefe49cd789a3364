#include "planner/model/CustomPlanner.h"

#include "planner/model/ItemRules.h"
#include "platform/Exceptions.h"

#include <algorithm>

TCustomPlanner::TCustomPlanner()
    : sections_(positions_ + 2),
      slotColors_(positions_, std::vector<TColor>(kSlotColorCount, clNone)) {
    display_.OnChange = [this] { RefreshDisplay(); };
    sidebar_.OnChange = [this] { ApplySidebar(); };
    header_.Captions().OnChange = [this] { CopyCaptionsToSections(); };
    for (TPlannerSettings* part : std::initializer_list<TPlannerSettings*>{
             &mode_, &header_, &caption_, &bands_, &itemSelection_})
        part->OnChange = [this] { SettingsChanged(); };
    defaultItems_.Create();
}

void TCustomPlanner::Loaded() {
    loading_ = false;
    RefreshDisplay();
    ArrangeItems();
}

void TCustomPlanner::SetPositions(int value) {
    if (value < 1 || value == positions_) return;
    positions_ = value;
    ApplySidebar();
    // The caption of position p sits at index p + 1.
    while (header_.Captions().Count() < value + 1)
        header_.Captions().Add("");
    slotColors_.resize(value, std::vector<TColor>(kSlotColorCount, clNone));
}

void TCustomPlanner::SetLayer(int value) {
    if (value == layer_) return;
    layer_ = value;
    ArrangeItems();
    SettingsChanged();
}

void TCustomPlanner::SetSelectBlend(int value) {
    if (value < 0 || value > 100) throw Exception("Illegal blend factor");
    Store(selectBlend_, value);
}

void TCustomPlanner::ArrangeItems() {
    Arrange(true);
}

void TCustomPlanner::RepaintItem(TPlannerItem& item) {
    if (items_.UpdateLock() > 0) return;
    item.ViewState().Painted = false;
    if (!view_ || &item.Collection() != &items_) return;
    const auto [begin, end] = RepaintRange(item);
    InvalidateRows(item.ItemPos() + 1, begin, end);
    if (sidebar_.ShowOccupied()) InvalidateRows(0, begin, end);
}

// Offset and overflow play no part: an item running past midnight ends beyond the last row.
void TCustomPlanner::RefreshDisplay() {
    if (loading_) return;
    const int unit = display_.DisplayUnit();
    const int start = display_.DisplayStart();
    for (TPlannerItem& item : items_.All()) {
        item.state_.ItemBegin = item.state_.BeginMinute / unit - start;
        item.state_.ItemEnd =
            item.state_.EndMinute / unit - start + (item.state_.EndMinute % unit != 0 ? 1 : 0);
    }
    SettingsChanged();
}

bool TCustomPlanner::Blocked(int begin, int end, int position) const {
    for (const TPlannerItem& item : items_.All()) {
        if (&item == items_.SelectedItem() || item.ItemPos() != position || !item.Visible() ||
            !LayerShown(item.Layer(), layer_))
            continue;
        if (!RangesMeet(item.ItemBegin(), item.ItemEnd(), begin, end)) continue;
        if (!item.AllowOverlap() || !overlap_) return true;
    }
    return false;
}

void TCustomPlanner::SettingsChanged() {
    if (view_) view_->SettingsChanged();
}

// The grid gets a column per position after the time column, the header a section per column
// plus a trailing one.
void TCustomPlanner::ApplySidebar() {
    sections_.resize(positions_ + 2);
    CopyCaptionsToSections();
    RefreshDisplay();
}

// Sections without a caption string keep their text.
void TCustomPlanner::CopyCaptionsToSections() {
    const std::vector<std::string>& captions = header_.Captions().Strings();
    const size_t count = std::min(captions.size(), sections_.size());
    std::copy_n(captions.begin(), count, sections_.begin());
    SettingsChanged();
}

void TCustomPlanner::Arrange(bool repaintItems) {
    if (items_.UpdateLock() > 0 || items_.Count() == 0) return;
    arranged_.clear();
    for (const TPlannerItem& item : items_.All())
        arranged_.push_back({item.ItemBegin(), item.ItemEnd(), item.ItemPos(), item.Visible(),
                             item.Background(), item.AllowOverlap(), item.Layer(), item.Layout()});
    const std::vector<int>& repaint =
        arranger_.Arrange(arranged_, {ColumnCount(), RowCount(), layer_});
    for (int i = 0; i < items_.Count(); ++i)
        items_[i].layout_ = arranged_[i].Layout;
    if (!repaintItems) return;
    for (int index : repaint)
        RepaintItem(items_[index]);
}

// The item's slots joined with those of every shown item of its position that meets them.
std::pair<int, int> TCustomPlanner::RepaintRange(const TPlannerItem& item) const {
    int begin = item.ItemBegin();
    int end = item.ItemEnd();
    for (const TPlannerItem& other : items_.All()) {
        if (other.ItemPos() != item.ItemPos() || !other.Visible() ||
            !LayerShown(other.Layer(), layer_) ||
            !RangesMeet(other.ItemBegin(), other.ItemEnd(), item.ItemBegin(), item.ItemEnd()))
            continue;
        begin = std::min(begin, other.ItemBegin());
        end = std::max(end, other.ItemEnd());
    }
    return {begin, end};
}

void TCustomPlanner::InvalidateRows(int column, int beginRow, int endRow) {
    beginRow = std::max(beginRow, 0);
    endRow = std::min(endRow, RowCount());
    if (column < 0 || column >= ColumnCount() || beginRow >= endRow) return;
    view_->InvalidateCells(column, beginRow, endRow);
}

// Every item's repaint is covered by repainting the whole grid.
void TCustomPlanner::LayoutReleased() {
    Arrange(false);
    if (view_) view_->InvalidateGrid();
}

void TCustomPlanner::ItemRemoving(TPlannerItem& item) {
    if (view_) view_->ItemRemoving(item);
}

TPlannerContent TCustomPlanner::Content() const {
    TPlannerContent content{positions_, header_.Captions().Strings(), {}};
    content.Items.reserve(static_cast<std::size_t>(items_.Count()));
    for (const TPlannerItem& item : items_.All())
        content.Items.push_back(item.state_);
    return content;
}

void TCustomPlanner::SetContent(const TPlannerContent& content) {
    items_.LockLayout();
    items_.Clear();
    SetPositions(content.Positions);
    header_.Captions().Assign(content.Captions);
    for (const TPlannerItemState& state : content.Items)
        items_.Create().state_ = state;
    items_.UnlockLayout();
}
