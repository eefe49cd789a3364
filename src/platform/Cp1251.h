#pragma once

#include <string>
#include <string_view>

// Windows-1251, the 8-bit character set of every text below the widgets.

// The Unicode character of a Windows-1251 byte; the one unassigned byte, 0x98, maps to U+0098
// so that every byte survives a round trip.
char16_t Cp1251ToUnicode(unsigned char byte);
// The Windows-1251 byte of a Unicode character, '?' when the character set has none.
char UnicodeToCp1251(char32_t character);

std::string Cp1251ToUtf8(const std::string& text);
// Characters without a Windows-1251 form and malformed UTF-8 bytes become '?'.
std::string Utf8ToCp1251(const std::string& text);

// Equal ignoring case, Latin and Cyrillic letters alike.
bool AnsiSameText(std::string_view a, std::string_view b);
// The capital form of a Latin or Cyrillic letter; every other byte as it is.
char AnsiUpperChar(char c);
// The text with every Latin and Cyrillic letter in its capital form.
std::string AnsiUpperCase(std::string_view text);
