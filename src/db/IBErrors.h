#pragma once

#include "platform/Exceptions.h"
#include "platform/Format.h"

#include <string>
#include <type_traits>

// Every error of the database access layer.
class EIBError : public EDatabaseError {
public:
    EIBError(int sqlCode, int ibErrorCode, std::string message)
        : EDatabaseError(std::move(message)), sqlCode_(sqlCode), ibErrorCode_(ibErrorCode) {}
    const char* ClassName() const override { return "EIBError"; }

    int SqlCode() const { return sqlCode_; }
    // The server's error code (status vector entry 1); 0 for the layer's own errors.
    int IBErrorCode() const { return ibErrorCode_; }
    int ServerErrorCode() const { return ibErrorCode_; }

private:
    int sqlCode_;
    int ibErrorCode_;
};

// A failed client call.
SKEDORA_EXCEPTION(EIBInterBaseError, EIBError);

// Whether the server refused a call because another transaction holds or changed the same row:
// a lock conflict, an update conflict or a lock time-out.
bool ConflictsWithAnotherTransaction(const EIBError& error);
// Whether the server refused a row whose primary or unique key another row has.
bool DuplicatesAKey(const EIBError& error);
// A failed client call with SQL code -551 (no permission).
SKEDORA_EXCEPTION(EIBInterBaseRoleError, EIBInterBaseError);
// One of the layer's own checks; SqlCode() is the client error number.
SKEDORA_EXCEPTION(EIBClientError, EIBError);

// The layer's numbered errors; the number is the SqlCode of the raised EIBClientError.
enum class ClientError {
    Unknown = 0,
    LibraryNotFound = 1,
    NeedsVersion6 = 3,
    UnsupportedFeature = 4,
    NotPermitted = 5,
    OperationCancelled = 10,
    DpbConstantUnsupported = 11,
    TpbConstantUnsupported = 13,
    DatabaseClosed = 15,
    DatabaseOpen = 16,
    DatabaseNameMissing = 17,
    NotInTransaction = 18,
    InTransaction = 19,
    TimeoutNegative = 20,
    NoDatabasesInTransaction = 21,
    DatabaseNotAssigned = 24,
    TransactionNotAssigned = 25,
    XsqldaIndexOutOfRange = 26,
    InvalidStatementHandle = 30,
    SqlOpen = 31,
    SqlClosed = 32,
    UnknownSqlDataType = 35,
    InvalidDataConversion = 38,
    EmptyQuery = 42,
    FieldNotFound = 46,
    NotEditing = 47,
    CannotInsert = 48,
    CannotUpdate = 50,
    CannotDelete = 51,
    CannotRefresh = 52,
    BufferNotSet = 53,
    SqlParseError = 55,
    EmptySqlStatement = 65,
    SelectNeedsOpen = 66,
    SqlDialectInvalid = 87,
    DpbConstantUnknown = 114,
    TpbConstantUnknown = 115,
    SizeMismatch = 117,
    StringTooLong = 119,
    // Beyond the numbered texts of the original layer: a block's one-byte length cannot hold it.
    ParamValueTooLong = 120,
};

// The error's text with its %s and %d slots still open; an unlisted number gives Unknown's.
const char* ClientErrorText(ClientError error);

namespace detail {
inline const char* FormatArgument(const std::string& text) {
    return text.c_str();
}
template <class T>
requires std::is_arithmetic_v<T> || std::is_pointer_v<T> T FormatArgument(T value) {
    return value;
}
} // namespace detail

// Raises EIBClientError with the error's text, the arguments inserted in order.
template <class... Args>
[[noreturn]] void RaiseClientError(ClientError error, const Args&... args) {
    const char* text = ClientErrorText(error);
    if constexpr (sizeof...(Args) == 0)
        throw EIBClientError(static_cast<int>(error), 0, text);
    else
        throw EIBClientError(static_cast<int>(error), 0,
                             Format(text, detail::FormatArgument(args)...));
}
