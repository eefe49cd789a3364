#include "schedule/BroadcastImport.h"

#include "support/common/Common.h"

#include <charconv>

namespace {

constexpr std::string_view kCDataOpen = "<![CDATA[";
constexpr std::string_view kCDataClose = "]]>";

// The part's decimal value, 0 when it is not a number.
int DecimalPart(const std::string& text, std::size_t from, std::size_t length) {
    if (from >= text.size()) return 0;
    const std::string part = text.substr(from, length);
    const char* begin = part.data() + (part[0] == '+' ? 1 : 0);
    int value = 0;
    const auto [end, error] = std::from_chars(begin, part.data() + part.size(), value);
    return error == std::errc() && end == part.data() + part.size() ? value : 0;
}

} // namespace

std::string ExtractCDataText(const std::string& text) {
    std::size_t from = text.find(kCDataOpen.substr(1));
    if (from == std::string::npos) return {};
    from += kCDataOpen.size() - 1;
    std::string content;
    for (;;) {
        const std::size_t end = text.find(kCDataClose, from);
        content.append(text, from, end == std::string::npos ? std::string::npos : end - from);
        if (end == std::string::npos) return content;
        from = end + kCDataClose.size();
        if (text.compare(from, kCDataOpen.size(), kCDataOpen) != 0) return content;
        from += kCDataOpen.size();
    }
}

TDateTime ParseIsoDate(const std::string& text) {
    return EncodeDate(DecimalPart(text, 0, 4), DecimalPart(text, 5, 2), DecimalPart(text, 8, 2));
}

std::int32_t ProgrammeIdentifier(const std::string& text) {
    const std::string digits = DigitsOnly(text);
    std::int32_t value = -1;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return !digits.empty() && error == std::errc() && end == digits.data() + digits.size() ? value
                                                                                           : -1;
}
