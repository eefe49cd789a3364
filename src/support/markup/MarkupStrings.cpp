#include "support/markup/MarkupLine.h"

#include <algorithm>
#include <cstdlib>

namespace {

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

std::string UpperCase(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), Upper);
    return result;
}

std::string LowerCase(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), Lower);
    return result;
}

size_t FindNoCase(std::string_view text, std::string_view name, size_t from) {
    const auto same = [](char a, char b) { return Upper(a) == Upper(b); };
    if (from > text.size()) return std::string_view::npos;
    const auto found = std::search(text.begin() + from, text.end(), name.begin(), name.end(), same);
    return found == text.end() ? std::string_view::npos : found - text.begin();
}

std::string ReplaceAllNoCase(std::string text, std::string_view name, std::string_view value) {
    for (size_t at = FindNoCase(text, name); at != std::string::npos;
         at = FindNoCase(text, name, at + value.size()))
        text.replace(at, name.size(), value);
    return text;
}

std::string FirstQuotedValue(const std::string& text) {
    const size_t open = text.find('"');
    if (open == std::string::npos) return {};
    const size_t close = text.find('"', open + 1);
    if (close == std::string::npos) return {};
    return text.substr(open + 1, close - open - 1);
}

// The name must start a word, so that COLOR is not found inside BGCOLOR.
int MarkupNumber(const std::string& text) {
    const long value = std::strtol(text.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long>(value, -kMarkupNumberLimit, kMarkupNumberLimit));
}

std::string Attribute(const TMarkupTag& tag, const std::string& name) {
    for (size_t at = tag.Upper.find(name); at != std::string::npos;
         at = tag.Upper.find(name, at + 1)) {
        if (at > 0 && IsLetter(tag.Upper[at - 1])) continue;
        return FirstQuotedValue(tag.Original.substr(at + name.size()));
    }
    return {};
}

bool TestsPoint(const TMarkupCall& call, TMarkupPass pass) {
    return pass == TMarkupPass::Measure || call.Options.HitTestOnly;
}

bool Draws(const TMarkupCall& call, TMarkupPass pass) {
    return pass == TMarkupPass::Draw && !call.Options.HitTestOnly;
}
