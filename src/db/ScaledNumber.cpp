#include "db/ScaledNumber.h"

#include "platform/Conversions.h"
#include "platform/Exceptions.h"

#include <charconv>
#include <cmath>

namespace {
constexpr std::uint64_t kPowersOfTen[] = {1ULL,
                                          10ULL,
                                          100ULL,
                                          1000ULL,
                                          10000ULL,
                                          100000ULL,
                                          1000000ULL,
                                          10000000ULL,
                                          100000000ULL,
                                          1000000000ULL,
                                          10000000000ULL,
                                          100000000000ULL,
                                          1000000000000ULL,
                                          10000000000000ULL,
                                          100000000000000ULL,
                                          1000000000000000ULL,
                                          10000000000000000ULL,
                                          100000000000000000ULL,
                                          1000000000000000000ULL};
// Below 2^53 an integer converts to a double exactly.
constexpr std::uint64_t kExactInDouble = 1ULL << 53;
constexpr std::uint64_t kLargestMagnitude = 1ULL << 63;
// Room for any double written out in full.
constexpr std::size_t kFixedDoubleChars = 400;

// A decimal split into its digits, how many of them follow the separator, and its sign.
struct Decimal {
    std::string digits;
    int fraction = 0;
    bool negative = false;
};

std::uint64_t Magnitude(std::int64_t number) {
    return number < 0 ? 0 - static_cast<std::uint64_t>(number) : static_cast<std::uint64_t>(number);
}

std::int64_t Signed(std::uint64_t magnitude, bool negative) {
    return negative ? static_cast<std::int64_t>(0 - magnitude)
                    : static_cast<std::int64_t>(magnitude);
}

[[noreturn]] void OutOfRange(const std::string& value) {
    throw EConvertError("'" + value + "' is out of range");
}

bool ParseDecimal(const std::string& text, char separator, Decimal& decimal) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return false;
    const std::size_t last = text.find_last_not_of(' ');
    std::size_t at = first;
    if (text[at] == '-' || text[at] == '+') decimal.negative = text[at++] == '-';
    bool separated = false;
    for (; at <= last; ++at) {
        const char c = text[at];
        if (c >= '0' && c <= '9') {
            decimal.digits += c;
            decimal.fraction += separated ? 1 : 0;
        } else if (c == separator && !separated) {
            separated = true;
        } else {
            return false;
        }
    }
    return !decimal.digits.empty();
}

// The decimal with `decimals` digits after the point as a scaled integer, dropped digits rounding
// halves away from zero as the server does; false when it does not fit.
bool Compose(const Decimal& decimal, int decimals, std::int64_t& result) {
    const std::size_t dropped =
        static_cast<std::size_t>(decimal.fraction > decimals ? decimal.fraction - decimals : 0);
    const std::size_t kept = decimal.digits.size() - dropped;
    std::uint64_t magnitude = 0;
    for (std::size_t i = 0; i < kept; ++i)
        if (__builtin_mul_overflow(magnitude, 10, &magnitude) ||
            __builtin_add_overflow(magnitude, decimal.digits[i] - '0', &magnitude))
            return false;
    for (int i = decimal.fraction; i < decimals; ++i)
        if (__builtin_mul_overflow(magnitude, 10, &magnitude)) return false;
    if (dropped > 0 && decimal.digits[kept] >= '5' &&
        __builtin_add_overflow(magnitude, 1, &magnitude))
        return false;
    if (magnitude > kLargestMagnitude - (decimal.negative ? 0 : 1)) return false;
    result = Signed(magnitude, decimal.negative);
    return true;
}
} // namespace

std::string ScaledToText(std::int64_t number, int scale, char separator) {
    const auto decimals = static_cast<std::size_t>(-scale);
    std::string digits = std::to_string(Magnitude(number));
    if (digits.size() <= decimals) digits.insert(0, decimals + 1 - digits.size(), '0');
    std::string fraction = digits.substr(digits.size() - decimals);
    fraction.erase(fraction.find_last_not_of('0') + 1);
    std::string text = (number < 0 ? "-" : "") + digits.substr(0, digits.size() - decimals);
    return fraction.empty() ? text : text + separator + fraction;
}

double ScaledToDouble(std::int64_t number, int scale) {
    if (Magnitude(number) <= kExactInDouble)
        return static_cast<double>(number) / static_cast<double>(kPowersOfTen[-scale]);
    const std::string text = std::to_string(number) + "e" + std::to_string(scale);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::int64_t Rescale(std::int64_t number, int scale, int newScale) {
    if (newScale <= scale) {
        std::int64_t result;
        if (__builtin_mul_overflow(number, kPowersOfTen[scale - newScale], &result))
            OutOfRange(ScaledToText(number, scale, DefaultFormatSettings().DecimalSeparator));
        return result;
    }
    const auto divisor = static_cast<std::int64_t>(kPowersOfTen[newScale - scale]);
    const std::int64_t quotient = number / divisor;
    const std::uint64_t twiceRest = 2 * Magnitude(number % divisor);
    const auto half = static_cast<std::uint64_t>(divisor);
    if (twiceRest > half || (twiceRest == half && quotient % 2 != 0))
        return quotient + (number < 0 ? -1 : 1);
    return quotient;
}

bool TryTextToScaled(const std::string& text, char separator, int scale, std::int64_t& result) {
    Decimal decimal;
    if (!ParseDecimal(text, separator, decimal)) return false;
    if (!Compose(decimal, -scale, result)) OutOfRange(text);
    return true;
}

std::int64_t DoubleToScaled(double value, int scale) {
    if (std::isfinite(value)) {
        char text[kFixedDoubleChars];
        char* end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed).ptr;
        Decimal decimal;
        std::int64_t result = 0;
        if (ParseDecimal(std::string(text, end), '.', decimal) && Compose(decimal, -scale, result))
            return result;
    }
    OutOfRange(FloatToStr(value));
}
