#pragma once

// Private to the access layer: the client library's interface as bound at run time.
#include "db/ClientLibrary.h"

#include <cstdint>
#include <ibase.h>
#include <type_traits>

// isc_interprete is the entry point bound by name; its deprecation does not concern a binding.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
using isc_interprete_fn = decltype(&isc_interprete);
#pragma GCC diagnostic pop

#define SKEDORA_CLIENT_ENTRY(name) decltype(&::name) name = nullptr

struct ClientLibrary {
    SKEDORA_CLIENT_ENTRY(BLOB_get);
    SKEDORA_CLIENT_ENTRY(BLOB_put);
    SKEDORA_CLIENT_ENTRY(isc_sqlcode);
    SKEDORA_CLIENT_ENTRY(isc_sql_interprete);
    isc_interprete_fn isc_interprete = nullptr;
    SKEDORA_CLIENT_ENTRY(isc_vax_integer);
    SKEDORA_CLIENT_ENTRY(isc_blob_info);
    SKEDORA_CLIENT_ENTRY(isc_open_blob2);
    SKEDORA_CLIENT_ENTRY(isc_close_blob);
    SKEDORA_CLIENT_ENTRY(isc_get_segment);
    SKEDORA_CLIENT_ENTRY(isc_put_segment);
    SKEDORA_CLIENT_ENTRY(isc_create_blob2);
    SKEDORA_CLIENT_ENTRY(isc_decode_date);
    SKEDORA_CLIENT_ENTRY(isc_encode_date);
    SKEDORA_CLIENT_ENTRY(isc_dsql_free_statement);
    SKEDORA_CLIENT_ENTRY(isc_dsql_execute2);
    SKEDORA_CLIENT_ENTRY(isc_dsql_execute);
    SKEDORA_CLIENT_ENTRY(isc_dsql_set_cursor_name);
    SKEDORA_CLIENT_ENTRY(isc_dsql_fetch);
    SKEDORA_CLIENT_ENTRY(isc_dsql_sql_info);
    SKEDORA_CLIENT_ENTRY(isc_dsql_alloc_statement2);
    SKEDORA_CLIENT_ENTRY(isc_dsql_prepare);
    SKEDORA_CLIENT_ENTRY(isc_dsql_describe_bind);
    SKEDORA_CLIENT_ENTRY(isc_dsql_describe);
    SKEDORA_CLIENT_ENTRY(isc_dsql_execute_immediate);
    SKEDORA_CLIENT_ENTRY(isc_drop_database);
    SKEDORA_CLIENT_ENTRY(isc_detach_database);
    SKEDORA_CLIENT_ENTRY(isc_attach_database);
    SKEDORA_CLIENT_ENTRY(isc_database_info);
    SKEDORA_CLIENT_ENTRY(isc_start_multiple);
    SKEDORA_CLIENT_ENTRY(isc_commit_transaction);
    SKEDORA_CLIENT_ENTRY(isc_commit_retaining);
    SKEDORA_CLIENT_ENTRY(isc_rollback_transaction);
    SKEDORA_CLIENT_ENTRY(isc_cancel_events);
    SKEDORA_CLIENT_ENTRY(isc_que_events);
    SKEDORA_CLIENT_ENTRY(isc_event_counts);
    SKEDORA_CLIENT_ENTRY(isc_event_block);
    SKEDORA_CLIENT_ENTRY(isc_free);
    SKEDORA_CLIENT_ENTRY(isc_add_user);
    SKEDORA_CLIENT_ENTRY(isc_delete_user);
    SKEDORA_CLIENT_ENTRY(isc_modify_user);
    SKEDORA_CLIENT_ENTRY(isc_prepare_transaction);
    SKEDORA_CLIENT_ENTRY(isc_prepare_transaction2);

    // The newer generation, bound together or replaced together by substitutes.
    SKEDORA_CLIENT_ENTRY(isc_rollback_retaining);
    SKEDORA_CLIENT_ENTRY(isc_service_attach);
    SKEDORA_CLIENT_ENTRY(isc_service_detach);
    SKEDORA_CLIENT_ENTRY(isc_service_query);
    SKEDORA_CLIENT_ENTRY(isc_service_start);
    SKEDORA_CLIENT_ENTRY(isc_decode_sql_date);
    SKEDORA_CLIENT_ENTRY(isc_decode_sql_time);
    SKEDORA_CLIENT_ENTRY(isc_decode_timestamp);
    SKEDORA_CLIENT_ENTRY(isc_encode_sql_date);
    SKEDORA_CLIENT_ENTRY(isc_encode_sql_time);
    SKEDORA_CLIENT_ENTRY(isc_encode_timestamp);

    // 6 with the newer generation, 5 with the substitutes.
    int ClientVersion = 5;
};

#undef SKEDORA_CLIENT_ENTRY

// Fills the newer generation with functions that raise client error NeedsVersion6 naming the entry
// point.
void BindVersion5Substitutes(ClientLibrary& library);

// The calling thread's status vector; every client call passes it.
ISC_STATUS* StatusVector();

// The calling thread's status vector as it was when made; put back after calls that overwrite it
// so that the failure first reported is the one raised.
class SavedStatus {
public:
    SavedStatus();
    void Restore() const;

private:
    ISC_STATUS_ARRAY vector_;
};

// True when one of the vector's error-code or number clusters holds the code.
bool StatusVectorHas(const ISC_STATUS* vector, ISC_STATUS code);

// Raises the failure held in the calling thread's status vector as EIBInterBaseError, or
// EIBInterBaseRoleError for SQL code -551.
[[noreturn]] void RaiseStatusError();

constexpr ISC_STATUS kLostConnectionCode = 335544741;

// True when the vector says the connection is gone: the lost-connection code, or a failed read or
// write on the network connection, which is how a remote server that died shows.
bool ConnectionLost(const ISC_STATUS* vector);

// One entry of isc_start_multiple's vector.
struct TransactionElement {
    isc_db_handle* database;
    ISC_LONG paramBlockLength;
    const char* paramBlock;
};

static_assert(std::is_same_v<ISC_STATUS, std::intptr_t>, "the layer passes results as intptr_t");
