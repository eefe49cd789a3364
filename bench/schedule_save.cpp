// Saving a planner of 1,000 items through the main window, beside the same deletes and inserts
// done by a raw isc_dsql_* loop in the same run, and the two steps a save adds to them: the
// date's version row and the recovery file kept while the day is unsaved. Run with
// QT_QPA_PLATFORM=offscreen.
#include "MainWindowOnDatabase.h"
#include "RawClient.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "planner/widget/Planner.h"
#include "platform/DateTime.h"
#include "schedule/DayVersion.h"
#include "schedule/LayoutLock.h"
#include "schedule/PlannerDay.h"
#include "schedule/RecoveryFile.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <ctime>
#include <string>

namespace {

constexpr int kItems = 1000;

std::string Catalogue() {
    std::string sql;
    for (int i = 0; i < kItems; ++i)
        sql += "INSERT INTO PROGRAM_DESCRIPTION (NID, SNAME) VALUES (" + std::to_string(i) +
               ", 'Programme " + std::to_string(i) + "');\n";
    return sql;
}

// Two-minute items spread over three positions of the day.
MainWindowOnDatabase& TheDay() {
    static auto* day = [] {
        auto* made = new MainWindowOnDatabase(Catalogue());
        const TLayoutLock lock(made->window.Planner1->Items());
        for (int i = 0; i < kItems; ++i) {
            TScheduleEntry entry;
            entry.NID = i;
            entry.StartTime = (i / 3 * 4 % 1440) / 1440.0;
            entry.Duration = 2 / 1440.0;
            made->window.AddScheduleItem(entry, i % 3);
        }
        return made;
    }();
    return *day;
}

void BM_SaveSchedule(benchmark::State& state) {
    MainWindowOnDatabase& day = TheDay();
    for (auto _ : state)
        day.window.SaveSchedule();
    state.counters["items"] = kItems;
    if (!day.FirstMessage().empty()) state.SkipWithError(day.FirstMessage().c_str());
}
BENCHMARK(BM_SaveSchedule)->Unit(benchmark::kMillisecond);

std::tm CalendarDay(TDateTime date) {
    int year, month, day;
    DecodeDate(date, year, month, day);
    std::tm tm = {};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    return tm;
}

std::tm ClockTime(TDateTime time) {
    int hour, minute, second, millisecond;
    DecodeTime(time, hour, minute, second, millisecond);
    std::tm tm = {};
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    return tm;
}

// The save's statements on the raw client calls, with the values the window stores.
class RawSave {
public:
    RawSave(RawSession& session, TDateTime date) : session_(session), date_(date) {}

    void Run(const TPlannerItems& items) {
        session_.Start();
        Delete();
        isc_stmt_handle insert = 0;
        session_.Prepare(
            insert,
            "INSERT INTO PROGRAM_TIMELINE (NPROGRAM_ID,DSTART_DATE,DEND_DATE,TSTART_TIME,"
            "TEND_TIME, TDURATION) VALUES (?, ?, ?, ?, ?, ?)",
            nullptr);
        RawArea in(6);
        Check((api().isc_dsql_describe_bind(session_.status_, &insert, 1, in.area),
               session_.status_));
        in.Allocate();
        for (const TPlannerItem& item : items.All())
            Insert(insert, in.area, item);
        api().isc_dsql_free_statement(session_.status_, &insert, DSQL_drop);
        session_.Commit();
    }

private:
    const ClientLibrary& api() const { return session_.api_; }

    void Delete() {
        RawArea in(2);
        isc_stmt_handle statement = 0;
        session_.Prepare(statement, "delete from program_timeline ptl where (ptl.dstart_date = ?)",
                         nullptr);
        Check((api().isc_dsql_describe_bind(session_.status_, &statement, 1, in.area),
               session_.status_));
        in.Allocate();
        std::tm day = CalendarDay(date_);
        api().isc_encode_sql_date(&day, reinterpret_cast<ISC_DATE*>(in.area->sqlvar[0].sqldata));
        Check((api().isc_dsql_execute(session_.status_, &session_.tr_, &statement, 3, in.area),
               session_.status_));
        api().isc_dsql_free_statement(session_.status_, &statement, DSQL_drop);
    }

    void Insert(isc_stmt_handle& statement, XSQLDA* in, const TPlannerItem& item) {
        const TDateTime start = item.BeginTime(), end = item.EndTime();
        *reinterpret_cast<ISC_LONG*>(in->sqlvar[0].sqldata) = std::stoi(item.ItemKey());
        std::tm day = CalendarDay(date_), endDay = CalendarDay(date_ + item.ItemPos());
        api().isc_encode_sql_date(&day, reinterpret_cast<ISC_DATE*>(in->sqlvar[1].sqldata));
        api().isc_encode_sql_date(&endDay, reinterpret_cast<ISC_DATE*>(in->sqlvar[2].sqldata));
        std::tm times[3] = {ClockTime(start), ClockTime(end), ClockTime(end - start)};
        for (int i = 0; i < 3; ++i)
            api().isc_encode_sql_time(&times[i],
                                      reinterpret_cast<ISC_TIME*>(in->sqlvar[3 + i].sqldata));
        Check((api().isc_dsql_execute(session_.status_, &session_.tr_, &statement, 3, in),
               session_.status_));
    }

    RawSession& session_;
    TDateTime date_;
};

void BM_RawSave(benchmark::State& state) {
    MainWindowOnDatabase& day = TheDay();
    RawSession session(day.database.Path());
    RawSave save(session, day.window.ScheduleDate());
    for (auto _ : state)
        save.Run(day.window.Planner1->Items());
    state.counters["items"] = kItems;
}
BENCHMARK(BM_RawSave)->Unit(benchmark::kMillisecond);

// What the version row adds to a save: reading it and raising it inside the save's transaction,
// whose start and commit the save pays anyway.
void BM_DayVersionRow(benchmark::State& state) {
    MainWindowOnDatabase& day = TheDay();
    day.window.SaveSchedule();
    TIBTransaction transaction;
    transaction.SetDefaultDatabase(day.data->IBDatabase.get());
    TIBQuery query;
    query.SetDatabase(day.data->IBDatabase.get());
    query.SetTransaction(&transaction);
    const TDateTime date = day.window.ScheduleDate();
    for (auto _ : state) {
        state.PauseTiming();
        transaction.Start();
        state.ResumeTiming();
        RaiseDayVersion(query, date, ReadDayVersion(query, date));
        state.PauseTiming();
        transaction.Commit();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DayVersionRow)->Unit(benchmark::kMillisecond);

// Written after every action that leaves the day unsaved.
void BM_RecoveryFileWrite(benchmark::State& state) {
    MainWindowOnDatabase& day = TheDay();
    const TScheduleDay shown = DayOfPlanner(*day.window.Planner1, day.window.ScheduleDate());
    const TRecoveryFile file(day.database.Path(), shown.Date);
    for (auto _ : state)
        file.Write(shown);
    file.Remove();
    state.counters["items"] = static_cast<double>(shown.Broadcasts.size());
}
BENCHMARK(BM_RecoveryFileWrite)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
