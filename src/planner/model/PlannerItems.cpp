#include "planner/model/PlannerItems.h"

#include "planner/model/CustomPlanner.h"
#include "platform/Exceptions.h"
#include "platform/Format.h"

TPlannerItem& TPlannerItems::operator[](int index) const {
    CheckIndex(index);
    return *items_[index];
}

void TPlannerItems::CheckIndex(int index) const {
    if (index < 0 || index >= Count())
        throw EListError(Format("List index out of bounds (%d)", index));
}

TPlannerItem& TPlannerItems::Add() {
    TPlannerItem& item = Create();
    item.Assign(planner_.DefaultItem());
    planner_.ArrangeItems();
    return item;
}

TPlannerItem& TPlannerItems::Create() {
    items_.push_back(std::unique_ptr<TPlannerItem>(new TPlannerItem(*this, Count())));
    return *items_.back();
}

void TPlannerItems::Delete(int index) {
    CheckIndex(index);
    Free(index);
    planner_.ArrangeItems();
}

void TPlannerItems::Clear() {
    LockLayout();
    for (int i = Count() - 1; i >= 0; --i)
        Free(i);
    UnlockLayout();
}

void TPlannerItems::UnlockLayout() {
    if (updateLock_ == 0) return;
    if (--updateLock_ == 0) planner_.LayoutReleased();
}

void TPlannerItems::Free(int index) {
    TPlannerItem& item = *items_[index];
    planner_.ItemRemoving(item);
    if (&item == selectedItem_) MoveSelectionFrom(index);
    items_.erase(items_.begin() + index);
    for (int i = index; i < Count(); ++i)
        items_[i]->index_ = i;
}

// The selection passes to the next foreground item, else to the nearest one before.
void TPlannerItems::MoveSelectionFrom(int index) {
    TPlannerItem* next = FirstForeground(index + 1, 1);
    if (!next) next = FirstForeground(index - 1, -1);
    selectedItem_ = next;
    if (next) next->SetSelected(true);
}

void TPlannerItems::Select(TPlannerItem* item, bool toggle,
                           const std::function<void(TPlannerItem&)>& focusChanged) {
    const auto focus = [&focusChanged](TPlannerItem& each, bool value) {
        if (each.hasFocus_ == value) return;
        each.hasFocus_ = value;
        each.Repaint();
        if (focusChanged) focusChanged(each);
    };
    selectedItem_ = item;
    for (TPlannerItem& other : All()) {
        if (&other == item) continue;
        focus(other, false);
        if (!toggle) other.SetSelected(false);
    }
    if (!item) return;
    focus(*item, true);
    item->SetSelected(toggle ? !item->Selected() : true);
}

TPlannerItem* TPlannerItems::FirstForeground(int from, int step) const {
    for (int i = from; i >= 0 && i < Count(); i += step)
        if (!items_[i]->Background()) return items_[i].get();
    return nullptr;
}
