#include "planner/model/CurrentTime.h"

#include "planner/model/CustomPlanner.h"
#include "planner/model/ItemRules.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMinutesPerDay = 24 * 60;
// A millisecond, in minutes: clock values carry rounding noise.
constexpr double kTolerance = 1.0 / 60000;

double MinuteOfDay(TDateTime now) {
    return TimeOf(now) * kMinutesPerDay;
}

} // namespace

bool InCurrentPositions(const TPlannerDisplay& display, int position) {
    const int from = display.CurrentPosFrom();
    const int to = display.CurrentPosTo();
    return from < 0 || to < 0 || (from <= position && position <= to);
}

bool IsCurrentSlot(const TPlannerDisplay& display, int row, TDateTime now) {
    if (!display.ShowCurrent()) return false;
    const int begin = display.SlotMinute(row);
    const int end = std::min(begin + display.DisplayUnit(), kMinutesPerDay);
    const double minute = MinuteOfDay(now);
    return begin - kTolerance <= minute && minute <= end + kTolerance;
}

int CurrentRow(const TPlannerDisplay& display, TDateTime now) {
    const int minute = static_cast<int>(std::floor(MinuteOfDay(now) + kTolerance));
    return (minute - display.DisplayOffset()) / display.DisplayUnit() - display.DisplayStart();
}

TRowsOutside ItemsOutsideView(const TCustomPlanner& planner, int topRow, int lastRow) {
    TRowsOutside outside;
    for (const TPlannerItem& item : planner.Items().All()) {
        if (!item.Visible() || !LayerShown(item.Layer(), planner.Layer()) || item.ItemPos() < 0 ||
            item.ItemPos() >= planner.Positions() || item.ItemBegin() >= item.ItemEnd())
            continue;
        if (item.ItemBegin() < topRow) outside.Above = true;
        if (std::min(item.ItemEnd(), planner.RowCount()) - 1 > lastRow) outside.Below = true;
    }
    return outside;
}

void MarkCurrentItems(TCustomPlanner& planner, int currentRow,
                      const std::function<void(TPlannerItem&)>& changed) {
    const TPlannerDisplay& display = planner.Display();
    for (TPlannerItem& item : planner.Items().All()) {
        const bool current = display.ShowCurrentItem() && item.ItemBegin() <= currentRow &&
                             currentRow < item.ItemEnd() && !item.InHeader() &&
                             InCurrentPositions(display, item.ItemPos());
        if (current == item.ViewState().IsCurrent) continue;
        item.ViewState().IsCurrent = current;
        changed(item);
    }
}
