#pragma once

#include "day/ScheduleDay.h"
#include "platform/DateTime.h"

#include <cstdint>
#include <string>
#include <string_view>

class TSimpleXml;
class TSimpleXmlElem;
class TSimpleXmlElems;

// Conversions of the broadcast import from the file's texts to an entry's values.

// The content of the CDATA section that starts at the first "![CDATA[" of the text, with the
// sections that follow it with only blanks between (an export splits a "]]>" of the value
// across two, and a saved element puts them on lines of their own); empty without the marker,
// up to the end of the text when the section is not closed.
std::string ExtractCDataText(const std::string& text);

// The date of "YYYY-MM-DD" read by position (the separators are not looked at); a part that is
// not a decimal number reads as 0. Raises EConvertError "Invalid argument to date encode" when
// the parts form no date.
TDateTime ParseIsoDate(std::string_view text);

// The programme identifier made of the text's digits; -1 without digits or when they do not
// fit a 32-bit signed integer.
std::int32_t ProgrammeIdentifier(const std::string& text);

// Raises EConvertError for a loaded file without broadcasts, or naming the first of a
// broadcast's seven children that is missing, and the date error for a first date that is no
// date; checked before the planner changes, so a file the import cannot read loses nothing.
void CheckBroadcasts(TSimpleXml& xml, const std::string& fileName);

// One checked broadcast element: the date it airs on and the broadcast, in position 0.
struct TFileBroadcast {
    TDateTime Date = 0;
    TDayBroadcast Broadcast;
};

// An invalid date raises as ParseIsoDate does.
TFileBroadcast ReadBroadcast(TSimpleXmlElem& broadcast);

// The broadcasts of a checked file as the day's, in file order: a broadcast dated later than the
// one before it opens the next position, captioned with its date; an earlier date stays in the
// current position. Filled as it goes, so an invalid date part-way raises with the broadcasts
// before it in the day.
void ReadBroadcastDay(TSimpleXmlElems& broadcasts, TScheduleDay& day);
