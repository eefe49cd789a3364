#pragma once

#include <algorithm>
#include <vector>

// A registration list whose entries keep their index: removing leaves an empty slot, and the
// next registration fills the first empty slot before the list grows. Notifications walk it
// by index, so entries may come and go while it is being walked.
template <class T> class SlotList {
public:
    // The slot now holding the entry.
    int Add(T* entry) {
        const auto empty = std::find(slots_.begin(), slots_.end(), nullptr);
        if (empty != slots_.end()) {
            *empty = entry;
            return static_cast<int>(empty - slots_.begin());
        }
        slots_.push_back(entry);
        return static_cast<int>(slots_.size()) - 1;
    }
    void Remove(int index) {
        if (index >= 0 && index < Count()) slots_[index] = nullptr;
    }
    // -1 when not listed.
    int IndexOf(const T* entry) const {
        const auto found = std::find(slots_.begin(), slots_.end(), entry);
        return found == slots_.end() ? -1 : static_cast<int>(found - slots_.begin());
    }
    // Number of slots, empty ones included.
    int Count() const { return static_cast<int>(slots_.size()); }
    // nullptr for an empty slot.
    T* At(int index) const { return slots_[index]; }
    bool HasEntries() const {
        return std::any_of(slots_.begin(), slots_.end(), [](T* e) { return e != nullptr; });
    }
    // Calls action for every entry, including those added while walking.
    template <class Action> void ForEach(Action action) const {
        for (int i = 0; i < Count(); ++i)
            if (T* entry = slots_[i]) action(*entry);
    }
    void Clear() { slots_.clear(); }

private:
    std::vector<T*> slots_;
};
