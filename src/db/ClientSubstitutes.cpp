#include "db/ClientApi.h"
#include "db/IBErrors.h"

#include <algorithm>
#include <cstddef>

namespace {
template <std::size_t N> struct EntryName {
    constexpr EntryName(const char (&name)[N]) { std::copy_n(name, N, text); }
    char text[N];
};

// A stand-in with the entry point's own signature, so callers need not know it is missing.
template <class Entry> struct Substitute;

template <class Result, class... Args> struct Substitute<Result (*)(Args...)> {
    template <EntryName Name> static Result Raise(Args...) {
        RaiseClientError(ClientError::NeedsVersion6, Name.text);
    }
};
} // namespace

#define SKEDORA_SUBSTITUTE(api, entry, shownName)                                                  \
    (api).entry = &Substitute<decltype((api).entry)>::template Raise<shownName>

void BindVersion5Substitutes(ClientLibrary& api) {
    SKEDORA_SUBSTITUTE(api, isc_rollback_retaining, "isc_rollback_retaining");
    SKEDORA_SUBSTITUTE(api, isc_service_attach, "isc_service_attach");
    SKEDORA_SUBSTITUTE(api, isc_service_detach, "isc_service_detach");
    SKEDORA_SUBSTITUTE(api, isc_service_query, "isc_service_query");
    SKEDORA_SUBSTITUTE(api, isc_service_start, "isc_service_start");
    SKEDORA_SUBSTITUTE(api, isc_decode_sql_date, "isc_decode_sql_date");
    SKEDORA_SUBSTITUTE(api, isc_decode_sql_time, "isc_decode_sql_time");
    SKEDORA_SUBSTITUTE(api, isc_decode_timestamp, "isc_decode_timestamp");
    SKEDORA_SUBSTITUTE(api, isc_encode_sql_date, "isc_encode_sql_date");
    SKEDORA_SUBSTITUTE(api, isc_encode_sql_time, "isc_encode_sql_time");
    // The older library's own naming of this entry point.
    SKEDORA_SUBSTITUTE(api, isc_encode_timestamp, "isc_encode_sql_timestamp");
    api.ClientVersion = 5;
}
