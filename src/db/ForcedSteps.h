#pragma once

// Private to the access layer: the steps of a close that may be forced.
#include <exception>

// With force a close goes on past every failure; without, the first one stops it.
template <class Step> void Attempt(bool force, Step step) {
    if (!force) return step();
    try {
        step();
    } catch (const std::exception&) {
    }
}
