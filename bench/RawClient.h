#pragma once

// The raw client calls that benchmarks measure the access layer against: an attachment as
// SYSDBA with WIN1251, one transaction, statements and descriptor areas, nothing else.
#include "db/ClientApi.h"
#include "db/ClientLibrary.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

inline constexpr const char* kUser = "SYSDBA";
inline constexpr const char* kPassword = "masterkey";

// Throws std::runtime_error when the status vector holds an error.
void Check(ISC_STATUS* status);

class RawSession {
public:
    explicit RawSession(const std::string& path) : api_(LoadClientLibrary()) {
        std::string dpb = "\x01";
        Add(dpb, isc_dpb_user_name, kUser);
        Add(dpb, isc_dpb_lc_ctype, "WIN1251");
        Add(dpb, isc_dpb_password, kPassword);
        api_.isc_attach_database(status_, 0, path.c_str(), &db_, static_cast<short>(dpb.size()),
                                 dpb.data());
        Check(status_);
    }
    ~RawSession() { api_.isc_detach_database(status_, &db_); }
    RawSession(const RawSession&) = delete;
    RawSession& operator=(const RawSession&) = delete;

    void Start() {
        TransactionElement element{&db_, 0, nullptr};
        api_.isc_start_multiple(status_, &tr_, 1, &element);
        Check(status_);
    }
    void Rollback() { Check((api_.isc_rollback_transaction(status_, &tr_), status_)); }
    void Commit() { Check((api_.isc_commit_transaction(status_, &tr_), status_)); }
    // A statement prepared with its columns described into out.
    // The library keeps the handle's address, to clear it when the database detaches, so the
    // handle must live in the caller's variable rather than in a returned copy.
    void Prepare(isc_stmt_handle& statement, const char* sql, XSQLDA* out) {
        statement = 0;
        Check((api_.isc_dsql_alloc_statement2(status_, &db_, &statement), status_));
        Check((api_.isc_dsql_prepare(status_, &tr_, &statement, 0, sql, 3, out), status_));
    }

    const ClientLibrary& api_;
    ISC_STATUS_ARRAY status_ = {};
    isc_db_handle db_ = 0;
    isc_tr_handle tr_ = 0;

private:
    static void Add(std::string& dpb, char code, const std::string& value) {
        dpb += code;
        dpb += static_cast<char>(value.size());
        dpb += value;
    }
};

struct RawArea {
    explicit RawArea(int count)
        : memory(static_cast<char*>(std::calloc(1, XSQLDA_LENGTH(count)))),
          area(reinterpret_cast<XSQLDA*>(memory.get())) {
        area->version = SQLDA_VERSION1;
        area->sqln = static_cast<short>(count);
    }
    // Buffers for what describe put in.
    void Allocate() {
        for (int i = 0; i < area->sqld; ++i) {
            XSQLVAR& var = area->sqlvar[i];
            const int type = var.sqltype & ~1;
            buffers.emplace_back(var.sqllen + (type == SQL_VARYING ? 2 : 0), '\0');
            var.sqldata = buffers.back().data();
            var.sqlind = &nulls[static_cast<std::size_t>(i)];
        }
    }
    struct Free {
        void operator()(char* p) const { std::free(p); }
    };
    std::unique_ptr<char, Free> memory;
    XSQLDA* area;
    std::vector<std::vector<char>> buffers;
    std::vector<short> nulls = std::vector<short>(16);
};
