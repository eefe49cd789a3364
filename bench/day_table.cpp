// The PDF of a schedule day, as "Export PDF…" and the nightly command write it.
#include "handover/DayTable.h"
#include "platform/Cp1251.h"
#include "platform/Format.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>
#include <benchmark/benchmark.h>

namespace {

constexpr int kPositions = 3;

// Cyrillic titles, every fourth series long enough to wrap over two or three lines.
TScheduleDay Day(int count) {
    const int perPosition = (count + kPositions - 1) / kPositions;
    const double spacing = 1.0 / perPosition;
    TScheduleDay day;
    day.Date = EncodeDate(2010, 6, 17);
    day.Positions = kPositions;
    day.Captions = {"", "Caption 1", "Caption 2", "Caption 3"};
    for (int i = 0; i < count; ++i) {
        const std::string series =
            i % 4 == 0 ? "Дълъг сериал за живота в планината и по морето" : "Новини";
        day.Broadcasts.push_back({.ProgramId = i,
                                  .SeriesName = Utf8ToCp1251(series),
                                  .ProgramName = Utf8ToCp1251(Format("Предаване %d", i)),
                                  .Language = Utf8ToCp1251("Български"),
                                  .Start = (i % perPosition) * spacing,
                                  .End = (i % perPosition + 1) * spacing,
                                  .Position = i / perPosition});
    }
    return day;
}

void BM_DayTablePdf(benchmark::State& state) {
    const TScheduleDay day = Day(static_cast<int>(state.range(0)));
    QByteArray pdf;
    for (auto _ : state) {
        pdf = DayTablePdf(day, "Канал Едно");
        benchmark::DoNotOptimize(pdf.data());
    }
    state.counters["KiB"] = pdf.size() / 1024.0;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(DayTablePdfPage());
    state.counters["pages"] = PaintDayTable(writer, day, "Канал Едно");
}
BENCHMARK(BM_DayTablePdf)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
