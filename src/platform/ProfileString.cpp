#include "platform/ProfileString.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <optional>

namespace {

std::string Trim(const std::string& text) {
    const auto blank = [](unsigned char c) { return c == ' ' || c == '\t' || c == '\r'; };
    auto begin = std::find_if_not(text.begin(), text.end(), blank);
    auto end = std::find_if_not(text.rbegin(), std::make_reverse_iterator(begin), blank).base();
    return std::string(begin, end);
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string Unquote(const std::string& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// The section name of a "[name]" line, or nothing for any other line.
std::optional<std::string> SectionName(const std::string& line) {
    if (line.empty() || line.front() != '[') return std::nullopt;
    const auto close = line.find(']');
    return Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
}

} // namespace

std::string ReadProfileString(const std::string& fileName, const std::string& section,
                              const std::string& key, const std::string& defaultValue,
                              std::size_t maxLength) {
    std::ifstream file(fileName, std::ios::binary);
    std::string raw;
    bool inSection = false;
    for (bool first = true; std::getline(file, raw); first = false) {
        if (first && raw.rfind("\xEF\xBB\xBF", 0) == 0) raw.erase(0, 3);
        const std::string line = Trim(raw);
        if (line.empty() || line.front() == ';') continue;
        if (const auto name = SectionName(line)) {
            inSection = SameName(*name, section);
            continue;
        }
        const auto equals = line.find('=');
        if (!inSection || equals == std::string::npos) continue;
        if (SameName(Trim(line.substr(0, equals)), key))
            return Unquote(Trim(line.substr(equals + 1))).substr(0, maxLength);
    }
    return defaultValue.substr(0, maxLength);
}
