// The import's text and date conversions: none may fail on any text or value.
#include "support/common/Common.h"
#include "support/common/TextDate.h"

#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    TextToTime(text);
    DigitsOnly(text);
    if (size > 0) {
        LeftText(text, static_cast<int8_t>(data[0]));
        ReplaceCharacter(text, static_cast<char>(data[0]), '-');
    }
    if (size >= sizeof(double)) {
        double value;
        std::memcpy(&value, data, sizeof value);
        DateToText(value);
    }
    return 0;
}
