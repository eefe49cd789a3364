#pragma once

#include "planner/model/PlannerItem.h"

#include <functional>
#include <memory>
#include <ranges>
#include <vector>

// The planner's items in insertion order; indices close up when an item is removed.
class TPlannerItems {
public:
    explicit TPlannerItems(TCustomPlanner& planner) : planner_(planner) {}
    TPlannerItems(const TPlannerItems&) = delete;
    TPlannerItems& operator=(const TPlannerItems&) = delete;

    TCustomPlanner& Planner() const { return planner_; }
    int Count() const { return static_cast<int>(items_.size()); }
    // Raises EListError "List index out of bounds (%d)" outside 0 to Count - 1.
    TPlannerItem& operator[](int index) const;
    auto All() const {
        return items_ | std::views::transform(
                            [](const std::unique_ptr<TPlannerItem>& item) -> TPlannerItem& {
                                return *item;
                            });
    }

    // A new item with the settings of the planner's DefaultItem.
    TPlannerItem& Add();
    void Delete(int index);
    void Clear();

    // Nested: the layout is recomputed and the grid repainted once the last level is released.
    void LockLayout() { ++updateLock_; }
    void UnlockLayout();
    int UpdateLock() const { return updateLock_; }

    // The item last selected by a click, or null.
    TPlannerItem* SelectedItem() const { return selectedItem_; }
    void SetSelectedItem(TPlannerItem* item) { selectedItem_ = item; }
    // Makes `item` the selected item and the only one with the focus; the others lose their
    // selection too unless `toggle`, which flips the item's own selection instead. Null leaves
    // nothing selected. `focusChanged` hears of each item whose focus changed.
    void Select(TPlannerItem* item, bool toggle = false,
                const std::function<void(TPlannerItem&)>& focusChanged = {});
    // The first item that is not a background item, from index `from` on by `step` (1 or -1).
    TPlannerItem* FirstForeground(int from, int step) const;

private:
    friend class TCustomPlanner;

    TPlannerItem& Create();
    void CheckIndex(int index) const;
    void Free(int index);
    void MoveSelectionFrom(int index);

    TCustomPlanner& planner_;
    std::vector<std::unique_ptr<TPlannerItem>> items_;
    TPlannerItem* selectedItem_ = nullptr;
    int updateLock_ = 0;
};
