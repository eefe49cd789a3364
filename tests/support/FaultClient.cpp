// A client library for tests: every entry point the access layer binds passes the call to the real
// client library, and a chosen call fails with a chosen status code once it has been made N times.
// Chosen through SKEDORA_FAULT_CALL (an entry point's name, or * for every call that reports a
// status), SKEDORA_FAULT_CODE, SKEDORA_FAULT_AFTER and SKEDORA_FAULT_TIMES (0: every later call),
// or through the control functions in FaultClient.h.
#include "support/FaultClient.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <ibase.h>
#include <mutex>
#include <string>

namespace {
struct Fault {
    std::string call;
    ISC_STATUS code = 0;
    long after = 0;
    long times = 0;
    long seen = 0;
    long failed = 0;
};

long EnvironmentNumber(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::strtol(value, nullptr, 10) : 0;
}

Fault FromEnvironment() {
    Fault fault;
    const char* call = std::getenv("SKEDORA_FAULT_CALL");
    fault.call = call ? call : "";
    fault.code = EnvironmentNumber("SKEDORA_FAULT_CODE");
    fault.after = EnvironmentNumber("SKEDORA_FAULT_AFTER");
    fault.times = EnvironmentNumber("SKEDORA_FAULT_TIMES");
    return fault;
}

std::mutex& FaultLock() {
    static std::mutex lock;
    return lock;
}

Fault& Configured() {
    static Fault fault = FromEnvironment();
    return fault;
}

void* RealLibrary() {
    static void* const handle = [] {
        const char* name = std::getenv("SKEDORA_FAULT_REAL_LIBRARY");
        void* library = dlopen(name && *name ? name : "libfbclient.so.2", RTLD_NOW | RTLD_LOCAL);
        if (!library) std::abort();
        return library;
    }();
    return handle;
}

template <class Entry> Entry Real(const char* name) {
    void* entry = dlsym(RealLibrary(), name);
    if (!entry) std::abort();
    return reinterpret_cast<Entry>(entry);
}

// True when this call is to fail.
bool Failing(const char* call) {
    std::lock_guard<std::mutex> guard(FaultLock());
    Fault& fault = Configured();
    if (fault.code == 0 || (fault.call != "*" && fault.call != call)) return false;
    if (fault.seen++ < fault.after) return false;
    if (fault.times > 0 && fault.failed >= fault.times) return false;
    ++fault.failed;
    return true;
}

ISC_STATUS Fail(ISC_STATUS* status) {
    std::lock_guard<std::mutex> guard(FaultLock());
    status[0] = isc_arg_gds;
    status[1] = Configured().code;
    status[2] = isc_arg_end;
    return status[1];
}
} // namespace

extern "C" void skedora_fault_set(const char* call, long code, long after, long times) {
    std::lock_guard<std::mutex> guard(FaultLock());
    Configured() = Fault{call ? call : "", code, after, times, 0, 0};
}

extern "C" void skedora_fault_clear() {
    skedora_fault_set(nullptr, 0, 0, 0);
}

extern "C" long skedora_fault_count() {
    std::lock_guard<std::mutex> guard(FaultLock());
    return Configured().failed;
}

#define FORWARD(name, ...)                                                                         \
    static const auto real = Real<decltype(&::name)>(#name);                                       \
    return real(__VA_ARGS__)

#define FAIL_OR_FORWARD(name, status, ...)                                                         \
    if (Failing(#name)) return Fail(status);                                                       \
    FORWARD(name, status, __VA_ARGS__)

// A call that lets a handle go still reaches the real library when it fails, as a client does
// with a dead connection: no handle the real library tracks outlives its holder.
#define RELEASE_AND_FAIL_OR_FORWARD(name, status, ...)                                             \
    static const auto real = Real<decltype(&::name)>(#name);                                       \
    const ISC_STATUS result = real(status, __VA_ARGS__);                                           \
    return Failing(#name) ? Fail(status) : result

// The names of the events follow the count; the real function reads as many as that says.
ISC_LONG isc_event_block(ISC_UCHAR** events, ISC_UCHAR** results, ISC_USHORT count, ...) {
    constexpr int kMostEvents = 15;
    const char* names[kMostEvents] = {};
    std::va_list arguments;
    va_start(arguments, count);
    for (int i = 0; i < count && i < kMostEvents; ++i)
        names[i] = va_arg(arguments, const char*);
    va_end(arguments);
    FORWARD(isc_event_block, events, results, count, names[0], names[1], names[2], names[3],
            names[4], names[5], names[6], names[7], names[8], names[9], names[10], names[11],
            names[12], names[13], names[14]);
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

int BLOB_get(FB_BLOB_STREAM a0) {
    FORWARD(BLOB_get, a0);
}

int BLOB_put(ISC_SCHAR a0, FB_BLOB_STREAM a1) {
    FORWARD(BLOB_put, a0, a1);
}

ISC_LONG isc_sqlcode(const ISC_STATUS* a0) {
    FORWARD(isc_sqlcode, a0);
}

void isc_sql_interprete(short a0, ISC_SCHAR* a1, short a2) {
    FORWARD(isc_sql_interprete, a0, a1, a2);
}

ISC_LONG isc_interprete(ISC_SCHAR* a0, ISC_STATUS** a1) {
    FORWARD(isc_interprete, a0, a1);
}

ISC_LONG isc_vax_integer(const ISC_SCHAR* a0, short a1) {
    FORWARD(isc_vax_integer, a0, a1);
}

ISC_STATUS isc_blob_info(ISC_STATUS* status, isc_blob_handle* a1, short a2, const ISC_SCHAR* a3,
                         short a4, ISC_SCHAR* a5) {
    FAIL_OR_FORWARD(isc_blob_info, status, a1, a2, a3, a4, a5);
}

ISC_STATUS isc_open_blob2(ISC_STATUS* status, isc_db_handle* a1, isc_tr_handle* a2,
                          isc_blob_handle* a3, ISC_QUAD* a4, ISC_USHORT a5, const ISC_UCHAR* a6) {
    FAIL_OR_FORWARD(isc_open_blob2, status, a1, a2, a3, a4, a5, a6);
}

ISC_STATUS isc_close_blob(ISC_STATUS* status, isc_blob_handle* a1) {
    RELEASE_AND_FAIL_OR_FORWARD(isc_close_blob, status, a1);
}

ISC_STATUS isc_get_segment(ISC_STATUS* status, isc_blob_handle* a1, unsigned short* a2,
                           unsigned short a3, ISC_SCHAR* a4) {
    FAIL_OR_FORWARD(isc_get_segment, status, a1, a2, a3, a4);
}

ISC_STATUS isc_put_segment(ISC_STATUS* status, isc_blob_handle* a1, unsigned short a2,
                           const ISC_SCHAR* a3) {
    FAIL_OR_FORWARD(isc_put_segment, status, a1, a2, a3);
}

ISC_STATUS isc_create_blob2(ISC_STATUS* status, isc_db_handle* a1, isc_tr_handle* a2,
                            isc_blob_handle* a3, ISC_QUAD* a4, short a5, const ISC_SCHAR* a6) {
    FAIL_OR_FORWARD(isc_create_blob2, status, a1, a2, a3, a4, a5, a6);
}

void isc_decode_date(const ISC_QUAD* a0, void* a1) {
    FORWARD(isc_decode_date, a0, a1);
}

void isc_encode_date(const void* a0, ISC_QUAD* a1) {
    FORWARD(isc_encode_date, a0, a1);
}

ISC_STATUS isc_dsql_free_statement(ISC_STATUS* status, isc_stmt_handle* a1, unsigned short a2) {
    RELEASE_AND_FAIL_OR_FORWARD(isc_dsql_free_statement, status, a1, a2);
}

ISC_STATUS isc_dsql_execute2(ISC_STATUS* status, isc_tr_handle* a1, isc_stmt_handle* a2,
                             unsigned short a3, const XSQLDA* a4, const XSQLDA* a5) {
    FAIL_OR_FORWARD(isc_dsql_execute2, status, a1, a2, a3, a4, a5);
}

ISC_STATUS isc_dsql_execute(ISC_STATUS* status, isc_tr_handle* a1, isc_stmt_handle* a2,
                            unsigned short a3, const XSQLDA* a4) {
    FAIL_OR_FORWARD(isc_dsql_execute, status, a1, a2, a3, a4);
}

ISC_STATUS isc_dsql_set_cursor_name(ISC_STATUS* status, isc_stmt_handle* a1, const ISC_SCHAR* a2,
                                    unsigned short a3) {
    FAIL_OR_FORWARD(isc_dsql_set_cursor_name, status, a1, a2, a3);
}

ISC_STATUS isc_dsql_fetch(ISC_STATUS* status, isc_stmt_handle* a1, unsigned short a2,
                          const XSQLDA* a3) {
    FAIL_OR_FORWARD(isc_dsql_fetch, status, a1, a2, a3);
}

ISC_STATUS isc_dsql_sql_info(ISC_STATUS* status, isc_stmt_handle* a1, short a2, const ISC_SCHAR* a3,
                             short a4, ISC_SCHAR* a5) {
    FAIL_OR_FORWARD(isc_dsql_sql_info, status, a1, a2, a3, a4, a5);
}

ISC_STATUS isc_dsql_alloc_statement2(ISC_STATUS* status, isc_db_handle* a1, isc_stmt_handle* a2) {
    FAIL_OR_FORWARD(isc_dsql_alloc_statement2, status, a1, a2);
}

ISC_STATUS isc_dsql_prepare(ISC_STATUS* status, isc_tr_handle* a1, isc_stmt_handle* a2,
                            unsigned short a3, const ISC_SCHAR* a4, unsigned short a5, XSQLDA* a6) {
    FAIL_OR_FORWARD(isc_dsql_prepare, status, a1, a2, a3, a4, a5, a6);
}

ISC_STATUS isc_dsql_describe_bind(ISC_STATUS* status, isc_stmt_handle* a1, unsigned short a2,
                                  XSQLDA* a3) {
    FAIL_OR_FORWARD(isc_dsql_describe_bind, status, a1, a2, a3);
}

ISC_STATUS isc_dsql_describe(ISC_STATUS* status, isc_stmt_handle* a1, unsigned short a2,
                             XSQLDA* a3) {
    FAIL_OR_FORWARD(isc_dsql_describe, status, a1, a2, a3);
}

ISC_STATUS isc_dsql_execute_immediate(ISC_STATUS* status, isc_db_handle* a1, isc_tr_handle* a2,
                                      unsigned short a3, const ISC_SCHAR* a4, unsigned short a5,
                                      const XSQLDA* a6) {
    FAIL_OR_FORWARD(isc_dsql_execute_immediate, status, a1, a2, a3, a4, a5, a6);
}

ISC_STATUS isc_drop_database(ISC_STATUS* status, isc_db_handle* a1) {
    FAIL_OR_FORWARD(isc_drop_database, status, a1);
}

ISC_STATUS isc_detach_database(ISC_STATUS* status, isc_db_handle* a1) {
    RELEASE_AND_FAIL_OR_FORWARD(isc_detach_database, status, a1);
}

ISC_STATUS isc_attach_database(ISC_STATUS* status, short a1, const ISC_SCHAR* a2, isc_db_handle* a3,
                               short a4, const ISC_SCHAR* a5) {
    FAIL_OR_FORWARD(isc_attach_database, status, a1, a2, a3, a4, a5);
}

ISC_STATUS isc_database_info(ISC_STATUS* status, isc_db_handle* a1, short a2, const ISC_SCHAR* a3,
                             short a4, ISC_SCHAR* a5) {
    FAIL_OR_FORWARD(isc_database_info, status, a1, a2, a3, a4, a5);
}

ISC_STATUS isc_start_multiple(ISC_STATUS* status, isc_tr_handle* a1, short a2, void* a3) {
    FAIL_OR_FORWARD(isc_start_multiple, status, a1, a2, a3);
}

ISC_STATUS isc_commit_transaction(ISC_STATUS* status, isc_tr_handle* a1) {
    FAIL_OR_FORWARD(isc_commit_transaction, status, a1);
}

ISC_STATUS isc_commit_retaining(ISC_STATUS* status, isc_tr_handle* a1) {
    FAIL_OR_FORWARD(isc_commit_retaining, status, a1);
}

ISC_STATUS isc_rollback_transaction(ISC_STATUS* status, isc_tr_handle* a1) {
    RELEASE_AND_FAIL_OR_FORWARD(isc_rollback_transaction, status, a1);
}

ISC_STATUS isc_cancel_events(ISC_STATUS* status, isc_db_handle* a1, ISC_LONG* a2) {
    FAIL_OR_FORWARD(isc_cancel_events, status, a1, a2);
}

ISC_STATUS isc_que_events(ISC_STATUS* status, isc_db_handle* a1, ISC_LONG* a2, short a3,
                          const ISC_UCHAR* a4, ISC_EVENT_CALLBACK a5, void* a6) {
    FAIL_OR_FORWARD(isc_que_events, status, a1, a2, a3, a4, a5, a6);
}

void isc_event_counts(ISC_ULONG* a0, short a1, ISC_UCHAR* a2, const ISC_UCHAR* a3) {
    FORWARD(isc_event_counts, a0, a1, a2, a3);
}

ISC_LONG isc_free(ISC_SCHAR* a0) {
    FORWARD(isc_free, a0);
}

ISC_STATUS isc_add_user(ISC_STATUS* status, const USER_SEC_DATA* a1) {
    FAIL_OR_FORWARD(isc_add_user, status, a1);
}

ISC_STATUS isc_delete_user(ISC_STATUS* status, const USER_SEC_DATA* a1) {
    FAIL_OR_FORWARD(isc_delete_user, status, a1);
}

ISC_STATUS isc_modify_user(ISC_STATUS* status, const USER_SEC_DATA* a1) {
    FAIL_OR_FORWARD(isc_modify_user, status, a1);
}

ISC_STATUS isc_prepare_transaction(ISC_STATUS* status, isc_tr_handle* a1) {
    FAIL_OR_FORWARD(isc_prepare_transaction, status, a1);
}

ISC_STATUS isc_prepare_transaction2(ISC_STATUS* status, isc_tr_handle* a1, ISC_USHORT a2,
                                    const ISC_UCHAR* a3) {
    FAIL_OR_FORWARD(isc_prepare_transaction2, status, a1, a2, a3);
}

ISC_STATUS isc_rollback_retaining(ISC_STATUS* status, isc_tr_handle* a1) {
    FAIL_OR_FORWARD(isc_rollback_retaining, status, a1);
}

ISC_STATUS isc_service_attach(ISC_STATUS* status, unsigned short a1, const ISC_SCHAR* a2,
                              isc_svc_handle* a3, unsigned short a4, const ISC_SCHAR* a5) {
    FAIL_OR_FORWARD(isc_service_attach, status, a1, a2, a3, a4, a5);
}

ISC_STATUS isc_service_detach(ISC_STATUS* status, isc_svc_handle* a1) {
    RELEASE_AND_FAIL_OR_FORWARD(isc_service_detach, status, a1);
}

ISC_STATUS isc_service_query(ISC_STATUS* status, isc_svc_handle* a1, isc_resv_handle* a2,
                             unsigned short a3, const ISC_SCHAR* a4, unsigned short a5,
                             const ISC_SCHAR* a6, unsigned short a7, ISC_SCHAR* a8) {
    FAIL_OR_FORWARD(isc_service_query, status, a1, a2, a3, a4, a5, a6, a7, a8);
}

ISC_STATUS isc_service_start(ISC_STATUS* status, isc_svc_handle* a1, isc_resv_handle* a2,
                             unsigned short a3, const ISC_SCHAR* a4) {
    FAIL_OR_FORWARD(isc_service_start, status, a1, a2, a3, a4);
}

void isc_decode_sql_date(const ISC_DATE* a0, void* a1) {
    FORWARD(isc_decode_sql_date, a0, a1);
}

void isc_decode_sql_time(const ISC_TIME* a0, void* a1) {
    FORWARD(isc_decode_sql_time, a0, a1);
}

void isc_decode_timestamp(const ISC_TIMESTAMP* a0, void* a1) {
    FORWARD(isc_decode_timestamp, a0, a1);
}

void isc_encode_sql_date(const void* a0, ISC_DATE* a1) {
    FORWARD(isc_encode_sql_date, a0, a1);
}

void isc_encode_sql_time(const void* a0, ISC_TIME* a1) {
    FORWARD(isc_encode_sql_time, a0, a1);
}

void isc_encode_timestamp(const void* a0, ISC_TIMESTAMP* a1) {
    FORWARD(isc_encode_timestamp, a0, a1);
}
#pragma GCC diagnostic pop
