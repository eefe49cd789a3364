#pragma once

#include <bit>
#include <initializer_list>

// The navigator's buttons in their order.
enum TNavigateBtn {
    nbFirst,
    nbPrior,
    nbNext,
    nbLast,
    nbInsert,
    nbDelete,
    nbEdit,
    nbPost,
    nbCancel,
    nbRefresh,
};

constexpr int kNavButtonCount = 10;

// A set of navigator buttons.
class TButtonSet {
public:
    constexpr TButtonSet() = default;
    constexpr TButtonSet(std::initializer_list<TNavigateBtn> buttons) {
        for (const TNavigateBtn button : buttons)
            bits_ |= Bit(button);
    }
    static constexpr TButtonSet All() {
        TButtonSet all;
        all.bits_ = (1u << kNavButtonCount) - 1;
        return all;
    }

    constexpr bool Contains(TNavigateBtn button) const { return (bits_ & Bit(button)) != 0; }
    constexpr int Count() const { return std::popcount(bits_); }
    bool operator==(const TButtonSet&) const = default;

private:
    static constexpr unsigned Bit(TNavigateBtn button) { return 1u << button; }

    unsigned bits_ = 0;
};
