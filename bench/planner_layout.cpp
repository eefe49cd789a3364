// Arranging a week of programmes in seven positions, and adding an import's items one by one.
#include "planner/model/CustomPlanner.h"
#include "schedule/MainPlanner.h"
#include "schedule/PlannerDay.h"

#include <benchmark/benchmark.h>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kDays = 7;

struct Programme {
    int Position;
    TDateTime Start;
    TDateTime Duration;
};

// Each day's programmes follow one another through the day; some run into the next one.
std::vector<Programme> Week(int count) {
    std::mt19937 random(17062010);
    std::uniform_real_distribution<double> stretch(0.8, 1.2);
    const int perDay = (count + kDays - 1) / kDays;
    const double spacing = 1440.0 / perDay;
    std::vector<Programme> week;
    for (int i = 0; i < count; ++i) {
        const double start = (i % perDay) * spacing;
        week.push_back({i / perDay, start / 1440, spacing * stretch(random) / 1440});
    }
    return week;
}

void ApplyScheduleSettings(TCustomPlanner& planner) {
    ApplyMainPlannerSettings(planner);
    planner.SetPositions(kDays);
}

// Each programme as the main window adds it.
void AddWeek(TCustomPlanner& planner, const std::vector<Programme>& week) {
    for (size_t i = 0; i < week.size(); ++i) {
        TDayBroadcast broadcast;
        broadcast.ProgramId = static_cast<int>(i);
        broadcast.SeriesName = "Series";
        broadcast.ProgramName = "Program";
        broadcast.Language = "en";
        broadcast.Start = week[i].Start;
        broadcast.End = week[i].Start + week[i].Duration;
        broadcast.Position = week[i].Position;
        AddBroadcastItem(planner, broadcast);
    }
}

void PerItem(benchmark::State& state, int items) {
    state.counters["per_item"] = benchmark::Counter(
        items, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_ArrangeItems(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    TCustomPlanner planner;
    ApplyScheduleSettings(planner);
    planner.Items().LockLayout();
    AddWeek(planner, Week(count));
    planner.Items().UnlockLayout();
    for (auto _ : state)
        planner.ArrangeItems();
    PerItem(state, count);
    int shared = 0;
    for (const TPlannerItem& item : planner.Items().All())
        shared += item.LaneCount() > 1;
    state.counters["sharing_lanes"] = static_cast<double>(shared) / count;
}
BENCHMARK(BM_ArrangeItems)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMicrosecond);

// range(0): whether the batch runs under LockLayout.
void BM_AddImportBatch(benchmark::State& state) {
    const bool locked = state.range(0) != 0;
    const std::vector<Programme> week = Week(2000);
    TCustomPlanner planner;
    ApplyScheduleSettings(planner);
    for (auto _ : state) {
        state.PauseTiming();
        planner.Items().Clear();
        state.ResumeTiming();
        if (locked) planner.Items().LockLayout();
        AddWeek(planner, week);
        if (locked) planner.Items().UnlockLayout();
    }
    PerItem(state, static_cast<int>(week.size()));
}
BENCHMARK(BM_AddImportBatch)->ArgName("locked")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
