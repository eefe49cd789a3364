#pragma once

#include <string>
#include <vector>

// The database parameter block for connection parameter lines "name=value"; names may carry
// the isc_dpb_ prefix and any case. Raises client error DpbConstantUnsupported or
// DpbConstantUnknown for a name it cannot send, EConvertError for a value that must be an integer
// and is not.
std::string BuildDatabaseParamBlock(const std::vector<std::string>& lines);

// The transaction parameter block for lines "name" or "name=value"; empty for no lines. Raises
// client error TpbConstantUnsupported or TpbConstantUnknown for a name it cannot send.
std::string BuildTransactionParamBlock(const std::vector<std::string>& lines);
