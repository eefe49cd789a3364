#pragma once

#include "planner/model/PlannerItems.h"

// Holds the planner's layout for a batch of item changes: it is arranged once, when the last
// lock goes, also when the batch fails part-way.
class TLayoutLock {
public:
    explicit TLayoutLock(TPlannerItems& items) : items_(items) { items_.LockLayout(); }
    ~TLayoutLock() { items_.UnlockLayout(); }
    TLayoutLock(const TLayoutLock&) = delete;
    TLayoutLock& operator=(const TLayoutLock&) = delete;

private:
    TPlannerItems& items_;
};
