#pragma once

// Private to the access layer: the client library's interface as bound at run time.
#include "db/ClientEntries.h"
#include "db/ClientLibrary.h"

#include <cstdint>
#include <ibase.h>
#include <type_traits>

#define SKEDORA_CLIENT_ENTRY(name, handles) decltype(&::name) name = nullptr;

struct ClientLibrary {
// Naming a deprecated entry point (isc_interprete) to bind it is not a use of it.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    SKEDORA_CLIENT_BASE_ENTRIES(SKEDORA_CLIENT_ENTRY)
    SKEDORA_CLIENT_VERSION6_ENTRIES(SKEDORA_CLIENT_ENTRY)
#pragma GCC diagnostic pop

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
