#pragma once

#include <cstdint>
#include <string>

// Exact decimals as NUMERIC and DECIMAL columns hold them: a 64-bit integer and a scale, the
// value being number x 10^scale with the scale from 0 down to -18. A result that does not fit
// 64 bits raises EConvertError "'%s' is out of range" naming the value.

// Decimal text; no trailing zeros after the separator, and no separator for a whole value.
std::string ScaledToText(std::int64_t number, int scale, char separator);
// The nearest double.
double ScaledToDouble(std::int64_t number, int scale);
// The same value at another scale; dropped digits round halves to even.
std::int64_t Rescale(std::int64_t number, int scale, int newScale);
// Blanks around, a sign, digits with at most one separator: the value at the scale, dropped
// digits rounding halves away from zero, as the server stores such a value. False for any other
// text.
bool TryTextToScaled(const std::string& text, char separator, int scale, std::int64_t& result);
// The shortest decimal that reads back as the double, at the scale as the text above; NaN and
// infinities raise.
std::int64_t DoubleToScaled(double value, int scale);
