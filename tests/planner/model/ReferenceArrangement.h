#pragma once

#include "planner/model/LaneArranger.h"

#include <vector>

// The arrangement written step by step, slot by slot, without any shortcut; the planner's
// arranger must give the same layouts and repaints.
std::vector<int> ReferenceArrange(std::vector<TArrangedItem>& items, const TArrangeGrid& grid);
