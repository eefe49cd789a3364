#include "db/ClientApi.h"
#include "db/IBErrors.h"
#include "platform/DynamicLibrary.h"

#include <cstdlib>
#include <memory>
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

#define SKEDORA_BIND(name, handles) Bind(dll, api.name, #name);

void BindRequired(const DynamicLibrary& dll, ClientLibrary& api) {
    SKEDORA_CLIENT_BASE_ENTRIES(SKEDORA_BIND)
}

void BindVersion6(const DynamicLibrary& dll, ClientLibrary& api) {
    SKEDORA_CLIENT_VERSION6_ENTRIES(SKEDORA_BIND)
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

// A failed load leaves the static uninitialised, so the next call tries again. Every client call
// comes here; past the first, the check is the static's guard.
ClientLibrary& LoadClientLibrary() {
    static const std::unique_ptr<LoadedClient> loaded = Load();
    return loaded->api;
}
