#include "support/common/Common.h"

std::string DigitsOnly(const std::string& text) {
    std::string digits;
    for (const char c : text)
        if (c >= '0' && c <= '9') digits += c;
    return digits;
}
