// A broadcast's field texts as the import reads them from a file.
#include "exchange/BroadcastImport.h"
#include "platform/Exceptions.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    ExtractCDataText(text);
    ProgrammeIdentifier(text);
    try {
        ParseIsoDate(text);
    } catch (const EConvertError&) {
    }
    return 0;
}
