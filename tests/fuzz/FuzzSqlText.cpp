// Statement texts: the named-parameter scan and the placeholder rewriting.
#include "db/IBErrors.h"
#include "db/SQLParser.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string sql(reinterpret_cast<const char*>(data), size);
    ScanParamNames(sql);
    try {
        PreprocessSQL(sql);
    } catch (const EIBError&) {
    }
    return 0;
}
