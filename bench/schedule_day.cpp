// The main window's day: opening a stored day of 2,000 broadcasts in three positions, saving
// it back, copying it to another date, marking its overlaps and gaps, adding 500 programmes
// chosen in the picker, and importing 2,000 broadcasts. Run with QT_QPA_PLATFORM=offscreen.
#include "MainWindowOnDatabase.h"
#include "planner/widget/Planner.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

constexpr int kBroadcasts = 2000;

// Broadcasts of about two minutes, one after another over three positions of the day.
std::string StoredDay() {
    std::string sql;
    for (int i = 0; i < kBroadcasts; ++i) {
        const int position = i % 3, minute = (i / 3) * 2 % 1440;
        const std::string id = std::to_string(i);
        char start[8];
        std::snprintf(start, sizeof start, "%02d:%02d", minute / 60, minute % 60);
        sql += "INSERT INTO PROGRAM_DESCRIPTION (NID, SNAME, SSERIES_NAME, SLANGUAGE) VALUES (" +
               id + ", 'Програма " + id + "', 'Поредица', 'BG');\n" +
               "INSERT INTO PROGRAM_TIMELINE (NPROGRAM_ID, DSTART_DATE, DEND_DATE, TSTART_TIME, "
               "TDURATION) VALUES (" +
               id + ", '2010-06-17', '2010-06-" + std::to_string(17 + position) + "', '" + start +
               "', '00:02');\n";
    }
    return sql;
}

// One window on one database for every benchmark of the run.
MainWindowOnDatabase& TheDay() {
    static auto* day = new MainWindowOnDatabase(StoredDay());
    return *day;
}

void BM_OpenStoredDay(benchmark::State& state) {
    MainWindowOnDatabase& day = TheDay();
    for (auto _ : state)
        day.window.OpenStoredDay();
    state.counters["broadcasts"] = kBroadcasts;
    if (!day.FirstMessage().empty()) state.SkipWithError(day.FirstMessage().c_str());
}
BENCHMARK(BM_OpenStoredDay)->Unit(benchmark::kMillisecond);

void BM_SaveSchedule(benchmark::State& state) {
    MainWindowOnDatabase& day = TheDay();
    day.window.OpenStoredDay();
    for (auto _ : state)
        day.window.SaveSchedule();
    if (!day.FirstMessage().empty()) state.SkipWithError(day.FirstMessage().c_str());
}
BENCHMARK(BM_SaveSchedule)->Unit(benchmark::kMillisecond);

// What every change of the day pays for its marks: the day read off the planner, its overlaps,
// gaps and totals, and the status bar's text.
void BM_RefreshDayMarks(benchmark::State& state) {
    MainWindowOnDatabase& day = TheDay();
    day.window.OpenStoredDay();
    for (auto _ : state)
        day.window.RefreshDayMarks();
    state.counters["items"] = static_cast<double>(day.window.Planner1->Items().Count());
}
BENCHMARK(BM_RefreshDayMarks)->Unit(benchmark::kMillisecond);

// "Add Program(s)" from the picker's answer of 500 identifiers to the arranged planner.
void BM_AddPrograms(benchmark::State& state) {
    MainWindowOnDatabase& day = TheDay();
    std::string ids = "0";
    for (int i = 1; i < 500; ++i)
        ids += ", " + std::to_string(i * 3);
    for (auto _ : state) {
        state.PauseTiming();
        day.window.Planner1->Items().Clear();
        state.ResumeTiming();
        day.window.LoadSelectedPrograms(ids);
        day.window.AddLoadedPrograms();
    }
    state.counters["items"] = static_cast<double>(day.window.Planner1->Items().Count());
    if (!day.FirstMessage().empty()) state.SkipWithError(day.FirstMessage().c_str());
}
BENCHMARK(BM_AddPrograms)->Unit(benchmark::kMillisecond);

// A broadcast file of 2,000 broadcasts over three dates, as the export writes them.
std::string BroadcastFile(const std::string& folder) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"windows-1251\" standalone=\"yes\" ?>\r\n"
                      "<broadcasts>\r\n";
    for (int i = 0; i < kBroadcasts; ++i) {
        char start[8];
        std::snprintf(start, sizeof start, "%02d:%02d", (i * 2 % 1440) / 60, i * 2 % 60);
        xml += "  <broadcast>\r\n    <date>2010-06-" + std::to_string(17 + i * 3 / kBroadcasts) +
               "</date>\r\n    <time>" + start +
               "</time>\r\n    <duration>00:02:00</duration>\r\n    <series><![CDATA[Series]]>"
               "</series>\r\n    <program><![CDATA[Programme " +
               std::to_string(i) + "]]></program>\r\n    <programuid><![CDATA[BG - " +
               std::to_string(i) +
               "]]></programuid>\r\n    <language>BG</language>\r\n"
               "  </broadcast>\r\n";
    }
    const std::string fileName = folder + "/import.xml";
    std::ofstream(fileName, std::ios::binary) << xml << "</broadcasts>\r\n";
    return fileName;
}

// "Import" of 2,000 broadcasts from the chosen file to the arranged planner.
void BM_ImportBroadcasts(benchmark::State& state) {
    MainWindowOnDatabase& day = TheDay();
    const std::string fileName = BroadcastFile(day.database.Folder());
    for (auto _ : state) {
        day.dialogs.AnswerFile(fileName);
        day.window.actImportExecute();
    }
    state.counters["items"] = static_cast<double>(day.window.Planner1->Items().Count());
    if (!day.FirstMessage().empty()) state.SkipWithError(day.FirstMessage().c_str());
}
BENCHMARK(BM_ImportBroadcasts)->Unit(benchmark::kMillisecond);

// "Copy Day To…" of the shown day onto the next date, which holds the previous copy: the date
// window, the count behind the replace question, and the store, beside the save above. Last:
// its questions stay among the messages the other steps check.
void BM_CopyDay(benchmark::State& state) {
    MainWindowOnDatabase& day = TheDay();
    day.window.OpenStoredDay();
    day.window.actCopyDayExecute();
    for (auto _ : state) {
        day.dialogs.Answer(mrOk);
        day.dialogs.Answer(mrYes);
        day.window.actCopyDayExecute();
    }
    state.counters["broadcasts"] = kBroadcasts;
    for (const std::string& message : day.dialogs.Messages())
        if (message.rfind("Replace the ", 0) != 0) return state.SkipWithError(message.c_str());
}
BENCHMARK(BM_CopyDay)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
