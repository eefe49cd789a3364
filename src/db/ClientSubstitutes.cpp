#include "db/ClientApi.h"
#include "db/IBErrors.h"

namespace {
// A stand-in with the entry point's own signature, so callers need not know it is missing.
template <class Entry> struct StandIn;

template <class Result, class... Args> struct StandIn<Result (*)(Args...)> {
    template <ClientEntryName Name> static Result Raise(Args...) {
        RaiseClientError(ClientError::NeedsVersion6, Name.text);
    }
};

template <ClientEntryName Name, class Entry> void Substitute(Entry& entry) {
    entry = &StandIn<Entry>::template Raise<Name>;
}
} // namespace

#define SKEDORA_SUBSTITUTE(name, handles) Substitute<#name>(api.name);

void BindVersion5Substitutes(ClientLibrary& api) {
    SKEDORA_CLIENT_VERSION6_ENTRIES(SKEDORA_SUBSTITUTE)
    // The older library's own naming of this entry point.
    Substitute<"isc_encode_sql_timestamp">(api.isc_encode_timestamp);
    api.ClientVersion = 5;
}
