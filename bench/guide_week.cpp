// The XMLTV guide of a week of 2,000 broadcasts a day (14,000 programmes on the air), from the
// database read to the document's bytes, beside the read alone and the writing alone. Run with
// QT_QPA_PLATFORM=offscreen.
#include "BenchApplication.h"
#include "data/mData.h"
#include "db/IBQuery.h"
#include "platform/DateTime.h"
#include "schedule/StoredGuide.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDatabase.h"

#include <benchmark/benchmark.h>
#include <fstream>
#include <memory>
#include <string>

namespace {

constexpr int kPerDay = 2000;
constexpr int kDays = 7;

// Broadcasts of 43 seconds end to end over each day, some stored in position 1 of the day
// before; programmes with Cyrillic titles, languages and descriptions.
const std::string kWeek =
    "SET TERM ^ ;\n"
    "EXECUTE BLOCK AS DECLARE I INTEGER = 0; BEGIN WHILE (I < " +
    std::to_string(kPerDay) +
    ") DO BEGIN INSERT INTO PROGRAM_DESCRIPTION (NID, SNAME, SSERIES_NAME, SLANGUAGE, "
    "SDESCRIPTION) VALUES (:I, 'Предаване ' || :I, IIF(MOD(:I, 3) = 0, '', 'Поредица & ' || "
    "MOD(:I, 50)), IIF(MOD(:I, 2) = 0, 'Български', 'English'), 'Описание <' || :I || '>'); "
    "I = I + 1; END\n"
    "I = 0; WHILE (I < " +
    std::to_string(kPerDay * kDays) +
    ") DO BEGIN INSERT INTO PROGRAM_TIMELINE (NPROGRAM_ID, DSTART_DATE, DEND_DATE, TSTART_TIME, "
    "TDURATION) VALUES (MOD(:I, " +
    std::to_string(kPerDay) + "), DATEADD(:I / " + std::to_string(kPerDay) +
    " DAY TO DATE '2010-03-22'), DATEADD(:I / " + std::to_string(kPerDay) +
    " DAY TO DATE '2010-03-22'), DATEADD(MOD(:I, " + std::to_string(kPerDay) +
    ") * 43 SECOND TO TIME '00:00'), '00:00:43'); I = I + 1; END END^\n"
    "SET TERM ; ^\n";

struct Week {
    Week() : database(kWeek) {
        std::ofstream(database.Folder() + "/SQL.ini") << "[DATABASE]\nSERVER=" << database.Path();
        data = std::make_unique<TmodData>(database.Folder() + "/");
    }
    BenchApplication application;
    ScriptedDialogs dialogs;
    TempDatabase database;
    std::unique_ptr<TmodData> data;
};

Week& TheWeek() {
    static auto* week = new Week;
    return *week;
}

const TDateTime kFirst = EncodeDate(2010, 3, 22);

void BM_XmltvWeek(benchmark::State& state) {
    Week& week = TheWeek();
    const TChannelSettings channel{
        .Id = "tv.example.org", .DisplayName = "Канал", .TimeZone = "Europe/Sofia"};
    std::size_t bytes = 0;
    for (auto _ : state)
        bytes = StoredGuide(*week.data->qryTemp, kFirst, kFirst + kDays - 1, channel).size();
    state.counters["programmes"] = kPerDay * kDays;
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_XmltvWeek)->Unit(benchmark::kMillisecond);

void BM_GuideRowsRead(benchmark::State& state) {
    Week& week = TheWeek();
    std::size_t rows = 0;
    for (auto _ : state)
        rows = ReadGuideRows(*week.data->qryTemp, kFirst, kFirst + kDays - 1).size();
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_GuideRowsRead)->Unit(benchmark::kMillisecond);

void BM_GuideWritten(benchmark::State& state) {
    Week& week = TheWeek();
    const std::vector<TGuideRow> rows =
        ReadGuideRows(*week.data->qryTemp, kFirst, kFirst + kDays - 1);
    const QTimeZone zone("Europe/Sofia");
    std::size_t bytes = 0;
    for (auto _ : state)
        bytes = XmltvGuide(RowsOnTheAir(rows, kFirst, kFirst + kDays - 1),
                           {.Id = "tv.example.org", .DisplayName = "Канал"}, zone, "1")
                    .size();
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_GuideWritten)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
