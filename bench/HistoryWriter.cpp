#include "HistoryWriter.h"

#include "db/ClientApi.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <optional>
#include <vector>

namespace {

constexpr ISC_LONG kModifiedJulianOf1970 = 40587;
constexpr ISC_LONG kTicksPerMinute = 60 * ISC_TIME_SECONDS_PRECISION;

void Check(ISC_STATUS* status) {
    if (status[0] == 1 && status[1] != 0) RaiseStatusError();
}

void AddText(std::string& block, char code, const std::string& value) {
    block += code;
    block += static_cast<char>(value.size());
    block += value;
}

// Pages of the attachment's cache while filling: 128 MB of 8 KB pages.
constexpr ISC_LONG kFillBuffers = 16384;

// Forced writes off and a large cache for the fill, forced writes on for the last attachment.
std::string AttachBlock(bool filling) {
    std::string dpb(1, isc_dpb_version1);
    AddText(dpb, isc_dpb_user_name, "SYSDBA");
    AddText(dpb, isc_dpb_password, "masterkey");
    AddText(dpb, isc_dpb_lc_ctype, "WIN1251");
    dpb += {isc_dpb_force_write, 1, static_cast<char>(filling ? 0 : 1)};
    if (filling) {
        dpb += {isc_dpb_num_buffers, 4};
        for (int shift = 0; shift < 32; shift += 8)
            dpb += static_cast<char>(kFillBuffers >> shift & 0xff);
    }
    return dpb;
}

// Indexes are built once at the end rather than kept up row by row. The schema makes every index
// active, so activating all inactive ones brings back exactly what deactivating took.
std::string SwitchIndexes(const char* from, const char* to) {
    return std::string("EXECUTE BLOCK AS DECLARE NAME VARCHAR(63); BEGIN "
                       "FOR SELECT TRIM(I.RDB$INDEX_NAME) FROM RDB$INDICES I "
                       "WHERE I.RDB$RELATION_NAME = 'PROGRAM_TIMELINE' AND "
                       "COALESCE(I.RDB$INDEX_INACTIVE, 0) = ") +
           from +
           " AND NOT EXISTS (SELECT 1 FROM RDB$RELATION_CONSTRAINTS C "
           "WHERE C.RDB$INDEX_NAME = I.RDB$INDEX_NAME) INTO :NAME DO "
           "EXECUTE STATEMENT 'ALTER INDEX ' || NAME || ' " +
           to + "'; END";
}

// Parameters described by the server, with buffers of their sizes, every one nullable.
class Parameters {
public:
    explicit Parameters(int count)
        : memory_(static_cast<char*>(std::calloc(1, XSQLDA_LENGTH(count)))),
          area_(reinterpret_cast<XSQLDA*>(memory_.get())), nulls_(static_cast<std::size_t>(count)) {
        area_->version = SQLDA_VERSION1;
        area_->sqln = static_cast<short>(count);
    }
    XSQLDA* Area() const { return area_; }
    void Allocate() {
        buffers_.resize(static_cast<std::size_t>(area_->sqld));
        for (int i = 0; i < area_->sqld; ++i) {
            XSQLVAR& var = area_->sqlvar[i];
            const bool varying = (var.sqltype & ~1) == SQL_VARYING;
            buffers_[static_cast<std::size_t>(i)].assign(var.sqllen + (varying ? 2 : 0), '\0');
            var.sqltype |= 1;
            var.sqldata = buffers_[static_cast<std::size_t>(i)].data();
            var.sqlind = &nulls_[static_cast<std::size_t>(i)];
        }
    }
    template <typename T> void Set(int i, const T& value) {
        std::memcpy(area_->sqlvar[i].sqldata, &value, sizeof value);
        nulls_[static_cast<std::size_t>(i)] = 0;
    }
    void SetText(int i, const std::optional<std::string>& text) {
        if (!text) return SetNull(i);
        XSQLVAR& var = area_->sqlvar[i];
        const auto length = static_cast<unsigned short>(
            std::min<std::size_t>(text->size(), static_cast<std::size_t>(var.sqllen)));
        std::memcpy(var.sqldata, &length, sizeof length);
        std::memcpy(var.sqldata + 2, text->data(), length);
        nulls_[static_cast<std::size_t>(i)] = 0;
    }
    void SetNull(int i) { nulls_[static_cast<std::size_t>(i)] = -1; }

private:
    struct Free {
        void operator()(char* p) const { std::free(p); }
    };
    std::unique_ptr<char, Free> memory_;
    XSQLDA* area_;
    std::vector<std::vector<char>> buffers_;
    std::vector<short> nulls_;
};

ISC_DATE SqlDate(int date) {
    return date + kModifiedJulianOf1970;
}

ISC_TIME SqlTime(int minute) {
    return static_cast<ISC_TIME>(minute % 1440) * kTicksPerMinute;
}

} // namespace

struct HistoryWriter::Session {
    Session(const std::string& path, bool filling) : api(LoadClientLibrary()) {
        const std::string dpb = AttachBlock(filling);
        Call(api.isc_attach_database(StatusVector(), 0, path.c_str(), &database,
                                     static_cast<short>(dpb.size()), dpb.data()));
    }
    ~Session() {
        for (isc_stmt_handle& statement : statements)
            api.isc_dsql_free_statement(StatusVector(), &statement, DSQL_drop);
        if (transaction) api.isc_rollback_transaction(StatusVector(), &transaction);
        api.isc_detach_database(StatusVector(), &database);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    static void Call(ISC_STATUS) { Check(StatusVector()); }

    void Start() {
        TransactionElement element{&database, 0, nullptr};
        Call(api.isc_start_multiple(StatusVector(), &transaction, 1, &element));
    }
    void Commit() { Call(api.isc_commit_transaction(StatusVector(), &transaction)); }
    // In a transaction of its own.
    void Run(const std::string& sql) {
        Start();
        Call(api.isc_dsql_execute_immediate(StatusVector(), &database, &transaction, 0, sql.c_str(),
                                            3, nullptr));
        Commit();
    }
    // The handle stays in the session, where the library keeps its address.
    isc_stmt_handle& Prepare(const char* sql, Parameters& parameters) {
        isc_stmt_handle& statement = statements.emplace_back(0);
        Call(api.isc_dsql_alloc_statement2(StatusVector(), &database, &statement));
        Call(api.isc_dsql_prepare(StatusVector(), &transaction, &statement, 0, sql, 3, nullptr));
        Call(api.isc_dsql_describe_bind(StatusVector(), &statement, 1, parameters.Area()));
        parameters.Allocate();
        return statement;
    }
    void Execute(isc_stmt_handle& statement, const Parameters& parameters) {
        Call(api.isc_dsql_execute(StatusVector(), &transaction, &statement, 3, parameters.Area()));
    }
    ISC_QUAD Blob(const std::string& text) {
        ISC_QUAD id{};
        isc_blob_handle blob = 0;
        Call(api.isc_create_blob2(StatusVector(), &database, &transaction, &blob, &id, 0, nullptr));
        Call(api.isc_put_segment(StatusVector(), &blob, static_cast<unsigned short>(text.size()),
                                 text.data()));
        Call(api.isc_close_blob(StatusVector(), &blob));
        return id;
    }

    const ClientLibrary& api;
    isc_db_handle database = 0;
    isc_tr_handle transaction = 0;
    std::deque<isc_stmt_handle> statements;
};

struct HistoryWriter::Inserts {
    explicit Inserts(Session& session)
        : programme(session.Prepare("INSERT INTO PROGRAM_DESCRIPTION (NID, SNAME, SFILE_NAME, "
                                    "SDESCRIPTION, SSERIES_NAME, FDURATION, SLANGUAGE, SNOTE) "
                                    "VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                                    programmeParameters)),
          broadcast(session.Prepare("INSERT INTO PROGRAM_TIMELINE (NPROGRAM_ID, DSTART_DATE, "
                                    "DEND_DATE, TSTART_TIME, TEND_TIME, TDURATION) "
                                    "VALUES (?, ?, ?, ?, ?, ?)",
                                    broadcastParameters)),
          day(session.Prepare("INSERT INTO SCHEDULE_DAY (DDATE, NVERSION, TSAVED) VALUES (?, 1, ?)",
                              dayParameters)) {}

    Parameters programmeParameters{8};
    Parameters broadcastParameters{6};
    Parameters dayParameters{2};
    isc_stmt_handle& programme;
    isc_stmt_handle& broadcast;
    isc_stmt_handle& day;
};

HistoryWriter::HistoryWriter(const std::string& path)
    : path_(path), session_(std::make_unique<Session>(path, true)) {
    session_->Run(SwitchIndexes("0", "INACTIVE"));
    session_->Run("ALTER TRIGGER PROGRAM_TIMELINE_SHOW_COUNT INACTIVE");
    session_->Start();
    inserts_ = std::make_unique<Inserts>(*session_);
}

HistoryWriter::~HistoryWriter() = default;

void HistoryWriter::AddProgramme(const Programme& programme) {
    Parameters& p = inserts_->programmeParameters;
    p.Set(0, static_cast<ISC_LONG>(programme.id));
    p.SetText(1, programme.name);
    p.SetText(2, programme.fileName);
    p.SetText(3, programme.description);
    p.SetText(4, programme.series);
    p.Set(5, SqlTime(programme.minutes));
    p.SetText(6, programme.language);
    if (programme.note)
        p.Set(7, session_->Blob(*programme.note));
    else
        p.SetNull(7);
    session_->Execute(inserts_->programme, p);
}

void HistoryWriter::AddBroadcast(int date, const Broadcast& broadcast, bool withEndDate) {
    Parameters& p = inserts_->broadcastParameters;
    p.Set(0, static_cast<ISC_LONG>(broadcast.programmeId));
    p.Set(1, SqlDate(date));
    if (withEndDate)
        p.Set(2, SqlDate(date + broadcast.position));
    else
        p.SetNull(2);
    p.Set(3, SqlTime(broadcast.startMinute));
    p.Set(4, SqlTime(broadcast.startMinute + broadcast.minutes));
    p.Set(5, SqlTime(broadcast.minutes));
    session_->Execute(inserts_->broadcast, p);
}

void HistoryWriter::AddDay(int date, int savedMinute) {
    Parameters& p = inserts_->dayParameters;
    p.Set(0, SqlDate(date));
    p.Set(1, ISC_TIMESTAMP{SqlDate(date - 1), SqlTime(savedMinute)});
    session_->Execute(inserts_->day, p);
}

void HistoryWriter::Finish() {
    session_->Commit();
    inserts_.reset();
    session_->Run(SwitchIndexes("1", "ACTIVE"));
    // Counted once at the end, one row per programme as a compacted database holds them: rows
    // added per broadcast and compacted would leave the first reader their garbage to collect.
    session_->Run("INSERT INTO PROGRAM_SHOW_COUNT (NPROGRAM_ID, NCOUNT) SELECT NPROGRAM_ID, "
                  "COUNT(*) FROM PROGRAM_TIMELINE GROUP BY 1");
    session_->Run("ALTER TRIGGER PROGRAM_TIMELINE_SHOW_COUNT ACTIVE");
    session_.reset();
    const Session restoringForcedWrites(path_, false);
}
