#pragma once

#include "platform/FormatSettings.h"

#include <cstdint>
#include <string>

// Number <-> text conversions: decimal integers, and floats with the locale's decimal separator;
// a text that is no number raises EConvertError naming it.

std::string IntToStr(std::int64_t value);

// Leading blanks, a sign, then decimal digits or hexadecimal ones after "$" or "0x"; nothing may
// follow. Failures raise EConvertError "'%s' is not a valid integer value".
int StrToInt(const std::string& text);
bool TryStrToInt(const std::string& text, int& result);
std::int64_t StrToInt64(const std::string& text);
bool TryStrToInt64(const std::string& text, std::int64_t& result);

// General format: up to 15 significant digits, exponent form ("1E20", "1.5E-7") when the
// number has more than 15 integer digits or is below 0.0001.
std::string FloatToStr(double value, const FormatSettings& settings = DefaultFormatSettings());

// Blanks around, a sign, digits with one decimal separator, an optional exponent. Failures raise
// EConvertError "'%s' is not a valid floating point value".
double StrToFloat(const std::string& text,
                  const FormatSettings& settings = DefaultFormatSettings());
bool TryStrToFloat(const std::string& text, double& result,
                   const FormatSettings& settings = DefaultFormatSettings());
