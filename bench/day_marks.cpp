// Marking the overlaps, gaps and totals of a day, as the main window recomputes them after
// every change.
#include "day/DayMarks.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {

constexpr int kPositions = 3;

// Each position's broadcasts follow one another through the day; about half run into the next
// one, the others leave a gap, and the last runs past midnight.
TScheduleDay Day(int count) {
    std::mt19937 random(17062010);
    std::uniform_real_distribution<double> stretch(0.4, 1.6);
    const int perPosition = (count + kPositions - 1) / kPositions;
    const double spacing = 1.0 / perPosition;
    TScheduleDay day;
    day.Positions = kPositions;
    for (int i = 0; i < count; ++i) {
        TDayBroadcast broadcast;
        broadcast.Position = i / perPosition;
        broadcast.Start = (i % perPosition) * spacing;
        broadcast.End = broadcast.Start + spacing * stretch(random);
        day.Broadcasts.push_back(broadcast);
    }
    return day;
}

void BM_MarkDay(benchmark::State& state) {
    const TScheduleDay day = Day(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(MarkDay(day, kDefaultGapThreshold));
    state.SetComplexityN(state.range(0));
    const TDayMarks marks = MarkDay(day, kDefaultGapThreshold);
    state.counters["overlapping"] = marks.Totals.Overlapping;
    state.counters["gaps"] =
        static_cast<double>(marks.Gaps[0].size() + marks.Gaps[1].size() + marks.Gaps[2].size());
}
BENCHMARK(BM_MarkDay)
    ->Arg(500)
    ->Arg(2000)
    ->Arg(8000)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
