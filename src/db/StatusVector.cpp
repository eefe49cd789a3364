#include "db/ClientApi.h"
#include "db/IBErrors.h"

#include <cstring>
#include <string>

namespace {
constexpr int kRoleErrorSqlCode = -551;
constexpr std::size_t kInterpretBufferSize = 20480;

// Lines joined by CR LF; a final full stop is dropped.
std::string InterpretStatus(const ClientLibrary& api, ISC_STATUS* vector) {
    std::string message;
    char buffer[kInterpretBufferSize];
    ISC_STATUS* cursor = vector;
    while (api.isc_interprete(buffer, &cursor) > 0) {
        if (!message.empty() && message.back() != '\n') message += "\r\n";
        message += buffer;
    }
    if (!message.empty() && message.back() == '.') message.pop_back();
    return message;
}
} // namespace

ISC_STATUS* StatusVector() {
    thread_local ISC_STATUS_ARRAY vector = {};
    return vector;
}

SavedStatus::SavedStatus() {
    std::memcpy(vector_, StatusVector(), sizeof vector_);
}

void SavedStatus::Restore() const {
    std::memcpy(StatusVector(), vector_, sizeof vector_);
}

bool StatusVectorHas(const ISC_STATUS* vector, ISC_STATUS code) {
    int i = 0;
    while (i + 1 < ISC_STATUS_LENGTH && vector[i] != isc_arg_end) {
        const ISC_STATUS kind = vector[i];
        if ((kind == isc_arg_gds || kind == isc_arg_number) && vector[i + 1] == code) return true;
        i += kind == isc_arg_cstring ? 3 : 2;
    }
    return false;
}

void RaiseStatusError() {
    const ClientLibrary& api = LoadClientLibrary();
    ISC_STATUS* vector = StatusVector();
    const int sqlCode = api.isc_sqlcode(vector);
    const int ibErrorCode = static_cast<int>(vector[1]);
    std::string message = InterpretStatus(api, vector);
    if (sqlCode == kRoleErrorSqlCode)
        throw EIBInterBaseRoleError(sqlCode, ibErrorCode, std::move(message));
    throw EIBInterBaseError(sqlCode, ibErrorCode, std::move(message));
}

bool ConnectionLost(const ISC_STATUS* vector) {
    return StatusVectorHas(vector, kLostConnectionCode) ||
           StatusVectorHas(vector, isc_net_read_err) || StatusVectorHas(vector, isc_net_write_err);
}
