#include "db/ClientApi.h"
#include "db/IBErrors.h"
#include "platform/DynamicLibrary.h"

#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>

namespace {
#ifdef _WIN32
constexpr const char* kDefaultLibraryName = "gds32.dll";
#else
constexpr const char* kDefaultLibraryName = "libfbclient.so.2";
#endif

// Tests point this at a missing file to see the application fail to start.
std::string LibraryFileName() {
    const char* overridden = std::getenv("SKEDORA_CLIENT_LIBRARY");
    return overridden && *overridden ? overridden : kDefaultLibraryName;
}

template <class Entry> void Bind(const DynamicLibrary& library, Entry& entry, const char* name) {
    entry = reinterpret_cast<Entry>(library.Require(name));
}

#define SKEDORA_BIND(library, target, name) Bind(library, (target).name, #name)

void BindRequired(const DynamicLibrary& dll, ClientLibrary& api) {
    SKEDORA_BIND(dll, api, BLOB_get);
    SKEDORA_BIND(dll, api, BLOB_put);
    SKEDORA_BIND(dll, api, isc_sqlcode);
    SKEDORA_BIND(dll, api, isc_sql_interprete);
    SKEDORA_BIND(dll, api, isc_interprete);
    SKEDORA_BIND(dll, api, isc_vax_integer);
    SKEDORA_BIND(dll, api, isc_blob_info);
    SKEDORA_BIND(dll, api, isc_open_blob2);
    SKEDORA_BIND(dll, api, isc_close_blob);
    SKEDORA_BIND(dll, api, isc_get_segment);
    SKEDORA_BIND(dll, api, isc_put_segment);
    SKEDORA_BIND(dll, api, isc_create_blob2);
    SKEDORA_BIND(dll, api, isc_decode_date);
    SKEDORA_BIND(dll, api, isc_encode_date);
    SKEDORA_BIND(dll, api, isc_dsql_free_statement);
    SKEDORA_BIND(dll, api, isc_dsql_execute2);
    SKEDORA_BIND(dll, api, isc_dsql_execute);
    SKEDORA_BIND(dll, api, isc_dsql_set_cursor_name);
    SKEDORA_BIND(dll, api, isc_dsql_fetch);
    SKEDORA_BIND(dll, api, isc_dsql_sql_info);
    SKEDORA_BIND(dll, api, isc_dsql_alloc_statement2);
    SKEDORA_BIND(dll, api, isc_dsql_prepare);
    SKEDORA_BIND(dll, api, isc_dsql_describe_bind);
    SKEDORA_BIND(dll, api, isc_dsql_describe);
    SKEDORA_BIND(dll, api, isc_dsql_execute_immediate);
    SKEDORA_BIND(dll, api, isc_drop_database);
    SKEDORA_BIND(dll, api, isc_detach_database);
    SKEDORA_BIND(dll, api, isc_attach_database);
    SKEDORA_BIND(dll, api, isc_database_info);
    SKEDORA_BIND(dll, api, isc_start_multiple);
    SKEDORA_BIND(dll, api, isc_commit_transaction);
    SKEDORA_BIND(dll, api, isc_commit_retaining);
    SKEDORA_BIND(dll, api, isc_rollback_transaction);
    SKEDORA_BIND(dll, api, isc_cancel_events);
    SKEDORA_BIND(dll, api, isc_que_events);
    SKEDORA_BIND(dll, api, isc_event_counts);
    SKEDORA_BIND(dll, api, isc_event_block);
    SKEDORA_BIND(dll, api, isc_free);
    SKEDORA_BIND(dll, api, isc_add_user);
    SKEDORA_BIND(dll, api, isc_delete_user);
    SKEDORA_BIND(dll, api, isc_modify_user);
    SKEDORA_BIND(dll, api, isc_prepare_transaction);
    SKEDORA_BIND(dll, api, isc_prepare_transaction2);
}

void BindVersion6(const DynamicLibrary& dll, ClientLibrary& api) {
    SKEDORA_BIND(dll, api, isc_rollback_retaining);
    SKEDORA_BIND(dll, api, isc_service_attach);
    SKEDORA_BIND(dll, api, isc_service_detach);
    SKEDORA_BIND(dll, api, isc_service_query);
    SKEDORA_BIND(dll, api, isc_service_start);
    SKEDORA_BIND(dll, api, isc_decode_sql_date);
    SKEDORA_BIND(dll, api, isc_decode_sql_time);
    SKEDORA_BIND(dll, api, isc_decode_timestamp);
    SKEDORA_BIND(dll, api, isc_encode_sql_date);
    SKEDORA_BIND(dll, api, isc_encode_sql_time);
    SKEDORA_BIND(dll, api, isc_encode_timestamp);
    api.ClientVersion = 6;
}

#undef SKEDORA_BIND

// The loaded library and its entry points, kept until the process ends.
struct LoadedClient {
    std::unique_ptr<DynamicLibrary> library;
    ClientLibrary api;
};

std::unique_ptr<LoadedClient> Load() {
    const std::string fileName = LibraryFileName();
    auto loaded = std::make_unique<LoadedClient>();
    loaded->library = DynamicLibrary::Load(fileName);
    if (!loaded->library) RaiseClientError(ClientError::LibraryNotFound, fileName);
    BindRequired(*loaded->library, loaded->api);
    if (loaded->library->Find("isc_rollback_retaining"))
        BindVersion6(*loaded->library, loaded->api);
    else
        BindVersion5Substitutes(loaded->api);
    return loaded;
}
} // namespace

ClientLibrary& LoadClientLibrary() {
    static std::once_flag loading;
    static std::unique_ptr<LoadedClient> loaded;
    // A failed load leaves the flag unset, so the next call tries again.
    std::call_once(loading, [] { loaded = Load(); });
    return loaded->api;
}
