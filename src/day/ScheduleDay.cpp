#include "day/ScheduleDay.h"

#include <algorithm>
#include <cmath>

int StoredPosition(TDateTime startDate, std::optional<TDateTime> endDate) {
    if (!endDate) return 0;
    return std::max(0, static_cast<int>(std::lround(*endDate - startDate)));
}

TDateTime EndOnTheAir(TDateTime start, TDateTime endTime) {
    const TDateTime span = TimeOf(endTime) - TimeOf(start);
    return start + (span < 0 ? span + 1 : span);
}

int PositionsFor(const std::vector<TDayBroadcast>& broadcasts) {
    int positions = 1;
    for (const TDayBroadcast& broadcast : broadcasts)
        positions = std::max(positions, broadcast.Position + 1);
    return positions;
}
