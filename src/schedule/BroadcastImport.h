#pragma once

#include "platform/DateTime.h"

#include <cstdint>
#include <string>

// Conversions of the broadcast import from the file's texts to an entry's values.

// The content of the CDATA section that starts at the first "![CDATA[" of the text, with the
// sections that follow it directly (an export splits a "]]>" of the value across two); empty
// without the marker, up to the end of the text when the section is not closed.
std::string ExtractCDataText(const std::string& text);

// The date of "YYYY-MM-DD" read by position (the separators are not looked at); a part that is
// not a decimal number reads as 0. Raises EConvertError "Invalid argument to date encode" when
// the parts form no date.
TDateTime ParseIsoDate(const std::string& text);

// The programme identifier made of the text's digits; -1 without digits or when they do not
// fit a 32-bit signed integer.
std::int32_t ProgrammeIdentifier(const std::string& text);
