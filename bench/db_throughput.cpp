// Fetching 100,000 catalogue rows and inserting 10,000 broadcasts through the access layer,
// beside the same work on the raw client calls (the floor) and on Qt's Firebird driver. The
// machine's speed drifts between runs, so compare peers with --benchmark_repetitions=6
// --benchmark_enable_random_interleaving=true, which gives each the same drift.
#include "RawClient.h"
#include "db/ClientApi.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/Conversions.h"
#include "platform/DateTime.h"

#include <QCoreApplication>
#include <QDate>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTime>
#include <QVariant>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {
constexpr int kFetchRows = 100000;
constexpr int kInsertRows = 10000;
constexpr const char* kSelect =
    "select NID, SNAME, SFILE_NAME, SDESCRIPTION, SSERIES_NAME, FDURATION, BIMAGE, SLANGUAGE, "
    "SNOTE from PROGRAM_DESCRIPTION";
constexpr const char* kInsert =
    "insert into PROGRAM_TIMELINE (NPROGRAM_ID, DSTART_DATE, DEND_DATE, TSTART_TIME, TEND_TIME, "
    "TDURATION) values (%s)";

std::string g_path;
std::map<std::string, double> g_times;
std::map<std::string, double> g_cpuTimes;
// Per peer: the process's peak resident memory during its run, and what the run added to it.
std::map<std::string, double> g_peakMB;
std::map<std::string, double> g_addedMB;
double g_cacheBytes = 0;
double g_rowBytes = 0;

// A line of /proc/self/status in kB.
double StatusKB(const char* key) {
    std::FILE* file = std::fopen("/proc/self/status", "r");
    if (!file) return 0;
    char line[256];
    double value = 0;
    const std::size_t length = std::strlen(key);
    while (std::fgets(line, sizeof line, file))
        if (std::strncmp(line, key, length) == 0) value = std::atof(line + length);
    std::fclose(file);
    return value;
}

// The peak resident memory a peer's run adds: the peak is reset to the present size before the
// run and read after it.
class PeakMemory {
public:
    explicit PeakMemory(std::string name) : name_(std::move(name)) {
        if (std::FILE* file = std::fopen("/proc/self/clear_refs", "w")) {
            std::fputs("5", file);
            std::fclose(file);
        }
        baseKB_ = StatusKB("VmRSS:");
    }
    ~PeakMemory() {
        const double peakKB = StatusKB("VmHWM:");
        g_peakMB[name_] = peakKB / 1024.0;
        g_addedMB[name_] = (peakKB - baseKB_) / 1024.0;
    }
    PeakMemory(const PeakMemory&) = delete;
    PeakMemory& operator=(const PeakMemory&) = delete;

private:
    std::string name_;
    double baseKB_;
};

// ---- The database ----

void RunSQL(TIBDatabase& database, const std::vector<std::string>& statements) {
    TIBTransaction transaction;
    transaction.SetDefaultDatabase(&database);
    TIBQuery query;
    query.SetDatabase(&database);
    query.SetTransaction(&transaction);
    // The fill block's colons name its own variables.
    query.SetParamCheck(false);
    for (const std::string& sql : statements) {
        query.SetSQL({sql});
        query.Execute();
        transaction.Commit();
    }
}

const std::vector<std::string> kSchema = {
    "CREATE TABLE PROGRAM_DESCRIPTION (NID INTEGER NOT NULL PRIMARY KEY, SNAME VARCHAR(200), "
    "SFILE_NAME VARCHAR(255), SDESCRIPTION VARCHAR(2000), SSERIES_NAME VARCHAR(200), "
    "FDURATION TIME, BIMAGE BLOB SUB_TYPE 0, SLANGUAGE VARCHAR(50), SNOTE BLOB SUB_TYPE 1)",
    "CREATE TABLE PROGRAM_TIMELINE (NPROGRAM_ID INTEGER, DSTART_DATE DATE, DEND_DATE DATE, "
    "TSTART_TIME TIME, TEND_TIME TIME, TDURATION TIME)",
    "CREATE INDEX IX_TIMELINE_START_DATE ON PROGRAM_TIMELINE (DSTART_DATE)",
    "CREATE INDEX IX_TIMELINE_END_DATE ON PROGRAM_TIMELINE (DEND_DATE)",
    "CREATE INDEX IX_TIMELINE_PROGRAM ON PROGRAM_TIMELINE (NPROGRAM_ID)",
    "EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= 100000) DO BEGIN "
    "INSERT INTO PROGRAM_DESCRIPTION (NID, SNAME, SFILE_NAME, SDESCRIPTION, SSERIES_NAME, "
    "FDURATION, SLANGUAGE) VALUES (:I, 'Programme ' || :I, 'programme_' || :I || '.mxf', "
    "'A programme of the catalogue with a description of about a hundred characters, number ' "
    "|| :I, 'Series ' || MOD(:I, 100), DATEADD(MOD(:I, 180) MINUTE TO TIME '00:10'), 'BG'); "
    "I = I + 1; END END",
};

void CreateDatabase() {
    const std::string sql = "CREATE DATABASE '" + g_path + "' USER '" + kUser + "' PASSWORD '" +
                            kPassword + "' PAGE_SIZE 8192 DEFAULT CHARACTER SET WIN1251";
    ISC_STATUS_ARRAY status;
    isc_db_handle db = 0;
    isc_tr_handle tr = 0;
    const ClientLibrary& api = LoadClientLibrary();
    api.isc_dsql_execute_immediate(status, &db, &tr, 0, sql.c_str(), 3, nullptr);
    Check(status);
    api.isc_detach_database(status, &db);
    TIBDatabase database;
    database.SetDatabaseName(g_path);
    database.SetParams(
        {"user_name=SYSDBA", "lc_ctype=WIN1251", std::string("password=") + kPassword});
    database.SetLoginPrompt(false);
    database.SetConnected(true);
    RunSQL(database, kSchema);
}

// ---- Raw client calls ----

std::string RawText(const ClientLibrary& api, const XSQLVAR& var) {
    if ((var.sqltype & 1) && *var.sqlind == -1) return {};
    switch (var.sqltype & ~1) {
    case SQL_VARYING:
        return std::string(var.sqldata + 2, *reinterpret_cast<unsigned short*>(var.sqldata));
    case SQL_LONG:
        return IntToStr(*reinterpret_cast<ISC_LONG*>(var.sqldata));
    case SQL_TYPE_TIME: {
        std::tm tm;
        api.isc_decode_sql_time(reinterpret_cast<ISC_TIME*>(var.sqldata), &tm);
        return TimeToStr(EncodeTime(tm.tm_hour, tm.tm_min, tm.tm_sec, 0));
    }
    default:
        return {};
    }
}

void RawFetch(benchmark::State& state) {
    RawSession session(g_path);
    const PeakMemory peak("RawFetch");
    for (auto _ : state) {
        session.Start();
        RawArea out(9);
        isc_stmt_handle statement = 0;
        session.Prepare(statement, kSelect, out.area);
        out.Allocate();
        Check((session.api_.isc_dsql_execute(session.status_, &session.tr_, &statement, 3, nullptr),
               session.status_));
        std::size_t characters = 0;
        while (session.api_.isc_dsql_fetch(session.status_, &statement, 3, out.area) == 0)
            for (int i = 0; i < out.area->sqld; ++i)
                characters += RawText(session.api_, out.area->sqlvar[i]).size();
        benchmark::DoNotOptimize(characters);
        session.api_.isc_dsql_free_statement(session.status_, &statement, DSQL_drop);
        session.Commit();
    }
}

void SetRawParams(const ClientLibrary& api, XSQLDA* in, int row) {
    std::tm day = {};
    day.tm_year = 110;
    day.tm_mon = 5;
    day.tm_mday = 17;
    std::tm time = {};
    time.tm_hour = row / 600 % 24;
    time.tm_min = row % 60;
    *reinterpret_cast<ISC_LONG*>(in->sqlvar[0].sqldata) = row;
    api.isc_encode_sql_date(&day, reinterpret_cast<ISC_DATE*>(in->sqlvar[1].sqldata));
    api.isc_encode_sql_date(&day, reinterpret_cast<ISC_DATE*>(in->sqlvar[2].sqldata));
    for (int i = 3; i < 6; ++i)
        api.isc_encode_sql_time(&time, reinterpret_cast<ISC_TIME*>(in->sqlvar[i].sqldata));
}

void RawInsert(benchmark::State& state) {
    RawSession session(g_path);
    char sql[256];
    std::snprintf(sql, sizeof sql, kInsert, "?, ?, ?, ?, ?, ?");
    const PeakMemory peak("RawInsert");
    for (auto _ : state) {
        session.Start();
        isc_stmt_handle statement = 0;
        session.Prepare(statement, sql, nullptr);
        RawArea in(6);
        Check((session.api_.isc_dsql_describe_bind(session.status_, &statement, 1, in.area),
               session.status_));
        in.Allocate();
        for (int row = 0; row < kInsertRows; ++row) {
            SetRawParams(session.api_, in.area, row);
            session.api_.isc_dsql_execute(session.status_, &session.tr_, &statement, 3, in.area);
            Check(session.status_);
        }
        session.api_.isc_dsql_free_statement(session.status_, &statement, DSQL_drop);
        state.PauseTiming();
        session.Rollback();
        state.ResumeTiming();
    }
}

// ---- The access layer ----

struct LayerSession {
    LayerSession() {
        database.SetDatabaseName(g_path);
        database.SetParams(
            {"user_name=SYSDBA", "lc_ctype=WIN1251", std::string("password=") + kPassword});
        database.SetLoginPrompt(false);
        transaction.SetDefaultDatabase(&database);
        database.SetConnected(true);
        query.SetDatabase(&database);
        query.SetTransaction(&transaction);
    }
    TIBDatabase database;
    TIBTransaction transaction;
    TIBQuery query;
};

void QueryFetch(benchmark::State& state) {
    LayerSession session;
    TIBQuery& query = session.query;
    const PeakMemory peak("QueryFetch");
    for (auto _ : state) {
        query.SetSQL({kSelect});
        query.Open();
        std::size_t characters = 0;
        while (!query.AtEnd()) {
            for (int i = 0; i < query.FieldCount(); ++i)
                characters += query.Fields(i).AsString().size();
            query.Next();
        }
        benchmark::DoNotOptimize(characters);
        g_cacheBytes = static_cast<double>(query.CacheBytes());
        g_rowBytes = static_cast<double>(query.RecordCount()) * query.RecordSize();
        session.transaction.Commit();
    }
    state.counters["cache_MB"] = g_cacheBytes / 1e6;
    state.counters["rows_x_record_MB"] = g_rowBytes / 1e6;
}

void InsertThroughQuery(TIBQuery& query) {
    char sql[256];
    std::snprintf(sql, sizeof sql, kInsert, ":NID, :DDATE, :DDATE, :TSTART, :TEND, :TDURATION");
    const TDateTime day = EncodeDate(2010, 6, 17);
    query.SetSQL({sql});
    for (int row = 0; row < kInsertRows; ++row) {
        const TDateTime time = EncodeTime(row / 600 % 24, row % 60, 0, 0);
        query.Param("NID").SetAsInteger(row);
        query.Param("DDATE").SetAsDate(day);
        query.Param("TSTART").SetAsTime(time);
        query.Param("TEND").SetAsTime(time);
        query.Param("TDURATION").SetAsTime(time);
        query.Execute();
    }
}

// The first inserts into fresh tables allocate their pages; every peer gets them ready.
void WarmUpInserts() {
    LayerSession session;
    InsertThroughQuery(session.query);
    session.transaction.Rollback();
}

void QueryInsert(benchmark::State& state) {
    LayerSession session;
    const PeakMemory peak("QueryInsert");
    for (auto _ : state) {
        InsertThroughQuery(session.query);
        state.PauseTiming();
        session.transaction.Rollback();
        state.ResumeTiming();
    }
}

// ---- Qt's driver ----

QSqlDatabase QtDatabase() {
    QSqlDatabase database = QSqlDatabase::addDatabase("QIBASE", "bench");
    database.setDatabaseName(QString::fromStdString(g_path));
    database.setUserName(kUser);
    database.setPassword(kPassword);
    database.setConnectOptions("ISC_DPB_LC_CTYPE=WIN1251");
    if (!database.open()) throw std::runtime_error(database.lastError().text().toStdString());
    return database;
}

void QtFetch(benchmark::State& state) {
    QSqlDatabase database = QSqlDatabase::database("bench");
    const PeakMemory peak("QtFetch");
    for (auto _ : state) {
        database.transaction();
        QSqlQuery query(database);
        query.setForwardOnly(true);
        query.exec(kSelect);
        std::size_t characters = 0;
        while (query.next())
            for (int i = 0; i < 9; ++i)
                characters += static_cast<std::size_t>(query.value(i).toString().size());
        benchmark::DoNotOptimize(characters);
        database.commit();
    }
}

void QtInsert(benchmark::State& state) {
    QSqlDatabase database = QSqlDatabase::database("bench");
    char sql[256];
    std::snprintf(sql, sizeof sql, kInsert, "?, ?, ?, ?, ?, ?");
    const QDate day(2010, 6, 17);
    const PeakMemory peak("QtInsert");
    for (auto _ : state) {
        database.transaction();
        QSqlQuery query(database);
        query.prepare(sql);
        for (int row = 0; row < kInsertRows; ++row) {
            const QTime time(row / 600 % 24, row % 60);
            query.bindValue(0, QString::number(row));
            query.bindValue(1, day);
            query.bindValue(2, day);
            query.bindValue(3, time);
            query.bindValue(4, time);
            query.bindValue(5, time);
            if (!query.exec()) throw std::runtime_error(query.lastError().text().toStdString());
        }
        state.PauseTiming();
        database.rollback();
        state.ResumeTiming();
    }
}

// Keeps each benchmark's time per iteration for the closing table: with repetitions, the
// median's (it is reported after the single runs), never another aggregate's.
class TableReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
            const double toMs = 1e3 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            g_times[run.run_name.function_name] = run.GetAdjustedRealTime() * toMs;
            g_cpuTimes[run.run_name.function_name] = run.GetAdjustedCPUTime() * toMs;
        }
    }
};

// Under load from other processes the processor time compares the peers more fairly.
void PrintRow(const char* work, const char* peer, const std::string& name, const std::string& raw) {
    const double ms = g_times[name];
    const double cpu = g_cpuTimes[name];
    std::printf("%-20s %-13s %8.1f ms %6.2fx %8.1f ms %6.2fx %8.1f MB %6.2fx %8.1f MB\n", work,
                peer, ms, ms / g_times[raw], cpu, cpu / g_cpuTimes[raw], g_peakMB[name],
                g_peakMB[name] / g_peakMB[raw], g_addedMB[name]);
}

void PrintTable() {
    std::printf("\n%-20s %-13s %11s %7s %11s %7s %11s %7s %11s\n", "work", "through", "time",
                "vs raw", "cpu", "vs raw", "peak RSS", "vs raw", "peak added");
    for (const char* work : {"Fetch", "Insert"}) {
        const std::string raw = std::string("Raw") + work;
        if (g_times[raw] <= 0) continue;
        const char* label =
            std::strcmp(work, "Fetch") == 0 ? "fetch 100,000 rows" : "insert 10,000 rows";
        PrintRow(label, "raw isc_dsql", raw, raw);
        PrintRow(label, "TIBQuery", std::string("Query") + work, raw);
        PrintRow(label, "Qt QIBASE", std::string("Qt") + work, raw);
    }
    std::printf("\nrecord cache %.1f MB for rows x record size %.1f MB: %.3fx\n",
                g_cacheBytes / 1e6, g_rowBytes / 1e6,
                g_rowBytes > 0 ? g_cacheBytes / g_rowBytes : 0.0);
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("skedora-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    g_path = (folder / "bench.fdb").string();
    CreateDatabase();
    WarmUpInserts();
    {
        QSqlDatabase database = QtDatabase();
        benchmark::RegisterBenchmark("RawFetch", RawFetch)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(3);
        benchmark::RegisterBenchmark("QueryFetch", QueryFetch)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(3);
        benchmark::RegisterBenchmark("QtFetch", QtFetch)->Unit(benchmark::kMillisecond)->MinTime(3);
        benchmark::RegisterBenchmark("RawInsert", RawInsert)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(3);
        benchmark::RegisterBenchmark("QueryInsert", QueryInsert)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(3);
        benchmark::RegisterBenchmark("QtInsert", QtInsert)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(3);
        benchmark::Initialize(&argc, argv);
        TableReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        PrintTable();
        database.close();
    }
    QSqlDatabase::removeDatabase("bench");
    std::filesystem::remove_all(folder);
    return 0;
}
