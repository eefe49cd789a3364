#pragma once

#include "support/xml/XmlArena.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

// Case-insensitive lookup of a list's names (Latin and Cyrillic letters alike), rebuilt by the
// first lookup after the list changed.
class XmlNameIndex {
public:
    void Invalidate() { valid_ = false; }

    // The highest position whose name equals `name` without regard to case, or -1.
    // `nameAt(i)` gives the name at position i of a list of `count` entries.
    template <class NameAt>
    std::ptrdiff_t Find(XmlArena& arena, std::string_view name, std::size_t count, NameAt nameAt) {
        if (!valid_) Rebuild(arena, count, nameAt);
        const std::uint32_t hash = UpperHash(name);
        Slot* const end = slots_ + count_;
        Slot* const first = std::lower_bound(slots_, end, Slot{hash, 0});
        for (Slot* it = std::upper_bound(first, end, Slot{hash, UINT32_MAX}); it != first;) {
            --it;
            if (SameUpper(nameAt(it->position), name)) return it->position;
        }
        return -1;
    }

    static std::uint32_t UpperHash(std::string_view name);
    static bool SameUpper(std::string_view a, std::string_view b);

private:
    struct Slot {
        std::uint32_t hash;
        std::uint32_t position;
        bool operator<(const Slot& other) const {
            return hash != other.hash ? hash < other.hash : position < other.position;
        }
    };

    template <class NameAt> void Rebuild(XmlArena& arena, std::size_t count, NameAt nameAt) {
        if (count > capacity_) {
            slots_ = arena.NewArray<Slot>(count);
            capacity_ = count;
        }
        for (std::size_t i = 0; i < count; ++i)
            slots_[i] = {UpperHash(nameAt(i)), static_cast<std::uint32_t>(i)};
        std::sort(slots_, slots_ + count);
        count_ = count;
        valid_ = true;
    }

    Slot* slots_ = nullptr;
    std::size_t count_ = 0;
    std::size_t capacity_ = 0;
    bool valid_ = false;
};
