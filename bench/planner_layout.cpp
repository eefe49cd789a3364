// Arranging a week of programmes in seven positions, and adding an import's items one by one.
#include "planner/model/CustomPlanner.h"

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
    planner.BeginLoad();
    planner.Display().SetDisplayUnit(10);
    planner.Display().SetDisplayEnd(143);
    planner.Display().SetActiveStart(48);
    planner.Display().SetActiveEnd(120);
    planner.SetPositions(kDays);
    planner.SetItemGap(8);
    planner.DefaultItem().SetItemBegin(16);
    planner.Loaded();
}

// The schedule window's set-up of one programme.
void AddScheduleItem(TCustomPlanner& planner, const Programme& programme, int id) {
    TPlannerItem& item = planner.Items().Add();
    item.SetVisible(false);
    item.SetItemPos(programme.Position);
    item.SetShadow(true);
    item.SetShape(psRounded);
    item.SetBeginTime(programme.Start);
    item.SetEndTime(programme.Start + programme.Duration);
    item.SetCaptionType(ctTime);
    item.SetCaptionBkg(clWhite);
    item.SetCaptionBkgTo(15302738);
    TPlannerFont font = item.Font();
    font.Color = clWindowText;
    item.SetFont(font);
    item.SetCaptionType(ctTimeText);
    item.SetCaptionText("Program " + std::to_string(id));
    item.SetTextString("<html> \r\n<body>\r\n<b>Series:</b> <p>Series</p>\r\n<b>Program:</b> "
                       "<p>Program</p>\r\n<b>Language: </b> <p>en</p>\r\n</body>\r\n</html>");
    item.SetItemKey(std::to_string(id));
    item.SetReadOnly(true);
    item.SetFixedPosition(false);
    item.SetVisible(true);
}

void AddWeek(TCustomPlanner& planner, const std::vector<Programme>& week) {
    for (size_t i = 0; i < week.size(); ++i)
        AddScheduleItem(planner, week[i], static_cast<int>(i));
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
