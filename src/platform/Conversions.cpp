#include "platform/Conversions.h"

#include "platform/Exceptions.h"
#include "platform/Format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string_view>
#include <type_traits>

namespace {

constexpr int kFloatDigits = 15;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

size_t SkipBlanks(std::string_view text, size_t pos) {
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    return pos;
}

bool IsSign(std::string_view text, size_t pos) {
    return pos < text.size() && (text[pos] == '-' || text[pos] == '+');
}

// "$" or "0x" / "0X"; advances past it.
bool SkipHexPrefix(std::string_view text, size_t& pos) {
    if (pos < text.size() && text[pos] == '$') {
        pos += 1;
        return true;
    }
    if (text.substr(pos, 2) == "0x" || text.substr(pos, 2) == "0X") {
        pos += 2;
        return true;
    }
    return false;
}

// Hexadecimal digits give the bit pattern (so "$FFFFFFFF" is -1); decimal ones must fit.
template <typename T> bool ParseInteger(std::string_view text, T& result) {
    using Unsigned = std::make_unsigned_t<T>;
    size_t pos = SkipBlanks(text, 0);
    const bool negative = pos < text.size() && text[pos] == '-';
    if (IsSign(text, pos)) ++pos;
    const bool hex = SkipHexPrefix(text, pos);
    Unsigned magnitude = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data() + pos, end, magnitude, hex ? 16 : 10);
    if (error != std::errc() || stop != end) return false;
    const auto limit = static_cast<Unsigned>(std::numeric_limits<T>::max()) + (negative ? 1 : 0);
    if (!hex && magnitude > limit) return false;
    result = static_cast<T>(negative ? Unsigned(0) - magnitude : magnitude);
    return true;
}

template <typename T> T IntegerOrRaise(const std::string& text) {
    T result;
    if (!ParseInteger(text, result))
        throw EConvertError(Format("'%s' is not a valid integer value", text.c_str()));
    return result;
}

size_t SkipDigits(std::string_view text, size_t pos) {
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos;
    return pos;
}

// Digits with at most one decimal separator, at least one digit; '.' goes to the output.
bool AppendMantissa(std::string_view text, size_t& pos, char decimalSeparator, std::string& out) {
    size_t end = SkipDigits(text, pos);
    bool digits = end > pos;
    out.append(text.substr(pos, end - pos));
    if (end < text.size() && text[end] == decimalSeparator) {
        pos = end + 1;
        end = SkipDigits(text, pos);
        digits = digits || end > pos;
        out.append(".").append(text.substr(pos, end - pos));
    }
    pos = end;
    return digits;
}

// An optional "E" with a signed exponent.
bool AppendExponent(std::string_view text, size_t& pos, std::string& out) {
    if (pos >= text.size() || (text[pos] != 'E' && text[pos] != 'e')) return true;
    const size_t start = ++pos;
    if (IsSign(text, pos)) ++pos;
    const size_t end = SkipDigits(text, pos);
    if (end == pos) return false;
    out.append("e").append(text.substr(start, end - start));
    pos = end;
    return true;
}

// Checks the number syntax of StrToFloat (optional sign, digits with one decimal separator,
// optional exponent) and rewrites it for from_chars: no blanks, no plus sign, '.' as the
// decimal point. Empty when the syntax is wrong.
std::string NormalizeFloat(std::string_view text, char decimalSeparator) {
    std::string normal;
    size_t pos = SkipBlanks(text, 0);
    if (IsSign(text, pos) && text[pos++] == '-') normal += '-';
    if (!AppendMantissa(text, pos, decimalSeparator, normal)) return {};
    if (!AppendExponent(text, pos, normal)) return {};
    return SkipBlanks(text, pos) == text.size() ? normal : std::string();
}

// digits: significant digits without trailing zeros; the value is d.ddd x 10^exponent.
std::string FixedForm(const std::string& digits, int exponent, char decimalSeparator) {
    if (exponent < 0)
        return "0" + std::string(1, decimalSeparator) +
               std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    const auto integerDigits = static_cast<size_t>(exponent + 1);
    if (digits.size() <= integerDigits)
        return digits + std::string(integerDigits - digits.size(), '0');
    return digits.substr(0, integerDigits) + decimalSeparator + digits.substr(integerDigits);
}

std::string ScientificForm(const std::string& digits, int exponent, char decimalSeparator) {
    std::string text = digits.substr(0, 1);
    if (digits.size() > 1) text += decimalSeparator + digits.substr(1);
    return text + "E" + std::to_string(exponent);
}

} // namespace

std::string IntToStr(std::int64_t value) {
    return std::to_string(value);
}

bool TryStrToInt(const std::string& text, int& result) {
    return ParseInteger(text, result);
}

bool TryStrToInt64(const std::string& text, std::int64_t& result) {
    return ParseInteger(text, result);
}

int StrToInt(const std::string& text) {
    return IntegerOrRaise<int>(text);
}

std::int64_t StrToInt64(const std::string& text) {
    return IntegerOrRaise<std::int64_t>(text);
}

std::string FloatToStr(double value, const FormatSettings& settings) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";
    // d.dddddddddddddde-x: the rounding to 15 significant digits is the C library's.
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*e", kFloatDigits - 1, std::fabs(value));
    std::string digits = buffer[0] + std::string(buffer + 2, kFloatDigits - 1);
    digits.erase(digits.find_last_not_of('0') + 1);
    const int exponent = std::atoi(buffer + kFloatDigits + 2);
    const bool scientific = exponent >= kFloatDigits || exponent < -4;
    const char separator = settings.DecimalSeparator;
    return (value < 0 ? "-" : "") + (scientific ? ScientificForm(digits, exponent, separator)
                                                : FixedForm(digits, exponent, separator));
}

bool TryStrToFloat(const std::string& text, double& result, const FormatSettings& settings) {
    const std::string normal = NormalizeFloat(text, settings.DecimalSeparator);
    if (normal.empty()) return false;
    const char* end = normal.data() + normal.size();
    const auto [stop, error] = std::from_chars(normal.data(), end, result);
    return error == std::errc() && stop == end;
}

double StrToFloat(const std::string& text, const FormatSettings& settings) {
    double result;
    if (!TryStrToFloat(text, result, settings))
        throw EConvertError(Format("'%s' is not a valid floating point value", text.c_str()));
    return result;
}
