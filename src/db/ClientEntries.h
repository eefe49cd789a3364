#pragma once

#include <algorithm>
#include <cstddef>

// The client library's entry points, each listed once as X(name, handles) for every client to
// expand: the binding, the substitutes and the tests' fault-injecting library. ibase.h declares
// each name and so gives its type. handles is Releases when the call lets go of a handle.

// Bound from every library.
#define SKEDORA_CLIENT_BASE_ENTRIES(X)                                                             \
    X(BLOB_get, Keeps)                                                                             \
    X(BLOB_put, Keeps)                                                                             \
    X(isc_sqlcode, Keeps)                                                                          \
    X(isc_sql_interprete, Keeps)                                                                   \
    X(isc_interprete, Keeps)                                                                       \
    X(isc_vax_integer, Keeps)                                                                      \
    X(isc_blob_info, Keeps)                                                                        \
    X(isc_open_blob2, Keeps)                                                                       \
    X(isc_close_blob, Releases)                                                                    \
    X(isc_get_segment, Keeps)                                                                      \
    X(isc_put_segment, Keeps)                                                                      \
    X(isc_create_blob2, Keeps)                                                                     \
    X(isc_decode_date, Keeps)                                                                      \
    X(isc_encode_date, Keeps)                                                                      \
    X(isc_dsql_free_statement, Releases)                                                           \
    X(isc_dsql_execute2, Keeps)                                                                    \
    X(isc_dsql_execute, Keeps)                                                                     \
    X(isc_dsql_set_cursor_name, Keeps)                                                             \
    X(isc_dsql_fetch, Keeps)                                                                       \
    X(isc_dsql_sql_info, Keeps)                                                                    \
    X(isc_dsql_alloc_statement2, Keeps)                                                            \
    X(isc_dsql_prepare, Keeps)                                                                     \
    X(isc_dsql_describe_bind, Keeps)                                                               \
    X(isc_dsql_describe, Keeps)                                                                    \
    X(isc_dsql_execute_immediate, Keeps)                                                           \
    X(isc_drop_database, Keeps)                                                                    \
    X(isc_detach_database, Releases)                                                               \
    X(isc_attach_database, Keeps)                                                                  \
    X(isc_database_info, Keeps)                                                                    \
    X(isc_start_multiple, Keeps)                                                                   \
    X(isc_commit_transaction, Keeps)                                                               \
    X(isc_commit_retaining, Keeps)                                                                 \
    X(isc_rollback_transaction, Releases)                                                          \
    X(isc_cancel_events, Keeps)                                                                    \
    X(isc_que_events, Keeps)                                                                       \
    X(isc_event_counts, Keeps)                                                                     \
    X(isc_event_block, Keeps)                                                                      \
    X(isc_free, Keeps)                                                                             \
    X(isc_add_user, Keeps)                                                                         \
    X(isc_delete_user, Keeps)                                                                      \
    X(isc_modify_user, Keeps)                                                                      \
    X(isc_prepare_transaction, Keeps)                                                              \
    X(isc_prepare_transaction2, Keeps)

// The newer generation: bound together when the library has it, otherwise replaced together by
// substitutes.
#define SKEDORA_CLIENT_VERSION6_ENTRIES(X)                                                         \
    X(isc_rollback_retaining, Keeps)                                                               \
    X(isc_service_attach, Keeps)                                                                   \
    X(isc_service_detach, Releases)                                                                \
    X(isc_service_query, Keeps)                                                                    \
    X(isc_service_start, Keeps)                                                                    \
    X(isc_decode_sql_date, Keeps)                                                                  \
    X(isc_decode_sql_time, Keeps)                                                                  \
    X(isc_decode_timestamp, Keeps)                                                                 \
    X(isc_encode_sql_date, Keeps)                                                                  \
    X(isc_encode_sql_time, Keeps)                                                                  \
    X(isc_encode_timestamp, Keeps)

// An entry point's name as a template argument, for code made once per entry point.
template <std::size_t N> struct ClientEntryName {
    constexpr ClientEntryName(const char (&name)[N]) { std::copy_n(name, N, text); }
    char text[N];
};
