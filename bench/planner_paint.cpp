// Painting the visible planner into an offscreen image, and measuring item texts with the
// markup renderer.
#include "../tests/planner/ScheduleItems.h"
#include "planner/widget/Planner.h"
#include "platform/QtCanvas.h"
#include "schedule/MainPlanner.h"
#include "support/markup/Markup.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace {

constexpr int kPositions = 7;
constexpr int kWidth = 870;
constexpr int kHeight = 576;

// `count` programmes spread evenly over `hours` in every position, each twice its spacing
// long so that neighbours overlap; `hidden` more lie in the evening, out of view and apart from
// the others.
std::unique_ptr<TPlanner> MakePlanner(int count, double hours = 24, int hidden = 0) {
    auto planner = std::make_unique<TPlanner>();
    planner->resize(kWidth, kHeight);
    SetUpMainPlanner(*planner);
    planner->SetPositions(kPositions);
    planner->Items().LockLayout();
    const int perPosition = (count + kPositions - 1) / kPositions;
    const double spacing = hours / 24 / perPosition;
    for (int i = 0; i < count; ++i)
        AddProgramme(*planner, (i / kPositions) * spacing, 2 * spacing, i % kPositions);
    const double eveningSpacing = At(6, 0) / ((hidden + kPositions - 1) / kPositions + 1);
    for (int i = 0; i < hidden; ++i)
        AddProgramme(*planner, At(18, 0) + (i / kPositions) * eveningSpacing, eveningSpacing / 2,
                     i % kPositions);
    planner->Items().UnlockLayout();
    return planner;
}

int VisibleItems(const TPlanner& planner) {
    int visible = 0;
    const int top = planner.TopRow();
    const int bottom = top + planner.VisibleRows();
    for (const TPlannerItem& item : planner.Items().All())
        visible += item.ItemBegin() < bottom && item.ItemEnd() > top;
    return visible;
}

void Repaint(benchmark::State& state, TPlanner& planner) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        planner.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["visible items"] = VisibleItems(planner);
    state.counters["all items"] = planner.Items().Count();
}

void BM_PlannerRepaint(benchmark::State& state) {
    const auto planner = MakePlanner(static_cast<int>(state.range(0)));
    Repaint(state, *planner);
}
BENCHMARK(BM_PlannerRepaint)->Arg(20)->Arg(300)->Arg(2000)->Unit(benchmark::kMillisecond);

// The same visible items, from 300 over the morning, with more and more items out of view.
void BM_PlannerRepaintWithItemsOutOfView(benchmark::State& state) {
    const auto planner = MakePlanner(300, 12, static_cast<int>(state.range(0)));
    Repaint(state, *planner);
}
BENCHMARK(BM_PlannerRepaintWithItemsOutOfView)->Arg(0)->Arg(1700)->Unit(benchmark::kMillisecond);

std::string ItemText(int i) {
    const std::string n = std::to_string(i);
    return "<html> <body><b>Series:</b> <p>Series number " + n +
           " with a longer name</p><b>Program:</b> <p>Programme " + n +
           "</p><b>Language: </b> <p>English</p></body></html>";
}

void BM_MeasureItemTexts(benchmark::State& state) {
    std::vector<std::string> texts;
    for (int i = 0; i < 1000; ++i)
        texts.push_back(ItemText(i));
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    TMarkupOptions options;
    options.MeasureOnly = true;
    TMarkupResult result;
    for (auto _ : state) {
        // A canvas lives for one paint, and so do the text widths it remembers.
        TQtCanvas canvas(painter);
        for (const std::string& text : texts) {
            DrawMarkupText(canvas, text, {0, 0, 180, 60}, options, result);
            benchmark::DoNotOptimize(result.Height);
        }
    }
    state.SetItemsProcessed(state.iterations() * texts.size());
}
BENCHMARK(BM_MeasureItemTexts)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
