#include "db/IBErrors.h"

#include <algorithm>
#include <ibase.h>
#include <iterator>

namespace {
struct ClientErrorEntry {
    ClientError error;
    const char* text;
};

// Sorted by number.
constexpr ClientErrorEntry kClientErrors[] = {
    {ClientError::Unknown, "Unknown error"},
    {ClientError::LibraryNotFound,
     "InterBase library %s not found in the path. Please install InterBase to use this "
     "functionality"},
    {ClientError::NeedsVersion6,
     "%s is an InterBase 6 function. Please upgrade to InterBase 6 to use this functonality"},
    {ClientError::UnsupportedFeature, "Unsupported feature"},
    {ClientError::NotPermitted, "Not permitted"},
    {ClientError::OperationCancelled, "Operation cancelled at user's request"},
    {ClientError::DpbConstantUnsupported, "DPB Constant (isc_dpb_%s) is unsupported"},
    {ClientError::TpbConstantUnsupported, "TPB Constant (isc_tpb_%s) is unsupported"},
    {ClientError::DatabaseClosed, "Cannot perform operation -- DB is not open"},
    {ClientError::DatabaseOpen, "Cannot perform operation -- DB is currently open"},
    {ClientError::DatabaseNameMissing, "Database name is missing"},
    {ClientError::NotInTransaction, "Transaction is not active"},
    {ClientError::InTransaction, "Transaction is active"},
    {ClientError::TimeoutNegative, "Timeout values cannot be negative"},
    {ClientError::NoDatabasesInTransaction, "No databases are listed in transaction component"},
    {ClientError::DatabaseNotAssigned, "Database not assigned"},
    {ClientError::TransactionNotAssigned, "Transaction not assigned"},
    {ClientError::XsqldaIndexOutOfRange, "XSQLDA index out of range"},
    {ClientError::InvalidStatementHandle, "Invalid statement handle"},
    {ClientError::SqlOpen, "IBSQL Open"},
    {ClientError::SqlClosed, "IBSQL Closed"},
    {ClientError::UnknownSqlDataType, "Unknown SQL Data type (%d)"},
    {ClientError::InvalidDataConversion, "Invalid data conversion"},
    {ClientError::EmptyQuery, "Empty query"},
    {ClientError::FieldNotFound, "Field \"%s\" not found"},
    {ClientError::NotEditing, "Not in edit mode"},
    {ClientError::CannotInsert, "Cannot insert into dataset. (No insert query)"},
    {ClientError::CannotUpdate, "Cannot update. (No update query)"},
    {ClientError::CannotDelete, "Cannot delete from dataset. (No delete query)"},
    {ClientError::CannotRefresh, "Cannot refresh row. (No refresh query)"},
    {ClientError::BufferNotSet, "Buffer not set"},
    {ClientError::SqlParseError, "SQL Parse Error:\r\n\r\n%s"},
    {ClientError::EmptySqlStatement, "Empty SQL Statement"},
    {ClientError::SelectNeedsOpen, "use Open for a Select Statement"},
    {ClientError::SqlDialectInvalid, "SQL Dialect Invalid"},
    {ClientError::DpbConstantUnknown, "DPB Constant (%s) is unknown"},
    {ClientError::TpbConstantUnknown, "TPB Constant (%s) is unknown"},
    {ClientError::SizeMismatch, "Size Mismatch - Field %s size is too small for data"},
    {ClientError::StringTooLong,
     "Trying to store a string of length %d into a field that can only contain %d"},
    {ClientError::ParamValueTooLong,
     "Parameter %s is %d bytes long; a parameter block carries at most 255"},
};
} // namespace

const char* ClientErrorText(ClientError error) {
    const auto found = std::lower_bound(
        std::begin(kClientErrors), std::end(kClientErrors), error,
        [](const ClientErrorEntry& entry, ClientError wanted) { return entry.error < wanted; });
    if (found == std::end(kClientErrors) || found->error != error) return kClientErrors[0].text;
    return found->text;
}

bool ConflictsWithAnotherTransaction(const EIBError& error) {
    const ISC_STATUS code = error.IBErrorCode();
    return code == isc_deadlock || code == isc_lock_conflict || code == isc_update_conflict ||
           code == isc_lock_timeout;
}

bool DuplicatesAKey(const EIBError& error) {
    const ISC_STATUS code = error.IBErrorCode();
    return code == isc_unique_key_violation || code == isc_no_dup;
}
