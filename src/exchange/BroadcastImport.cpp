#include "exchange/BroadcastImport.h"

#include "platform/Exceptions.h"
#include "support/common/Common.h"
#include "support/common/TextDate.h"
#include "support/xml/SimpleXml.h"

#include <array>
#include <charconv>

namespace {

constexpr std::string_view kCDataOpen = "<![CDATA[";
constexpr std::string_view kCDataClose = "]]>";

// The part's decimal value, 0 when it is not a number.
int DecimalPart(std::string_view text, std::size_t from, std::size_t length) {
    if (from >= text.size()) return 0;
    const std::string_view part = text.substr(from, length);
    const char* begin = part.data() + (part[0] == '+' ? 1 : 0);
    int value = 0;
    const auto [end, error] = std::from_chars(begin, part.data() + part.size(), value);
    return error == std::errc() && end == part.data() + part.size() ? value : 0;
}

constexpr std::array<const char*, 7> kBroadcastChildren = {
    "programuid", "series", "program", "date", "time", "duration", "language"};

TSimpleXmlElem& Child(TSimpleXmlElem& broadcast, const char* name) {
    return *broadcast.Items().ItemNamed(name);
}

TDateTime FirstDate(TSimpleXmlElems& broadcasts) {
    return ParseIsoDate(Child(*broadcasts.Item(0), "date").Value());
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
        from = text.find_first_not_of(" \t\r\n", end + kCDataClose.size());
        if (from == std::string::npos || text.compare(from, kCDataOpen.size(), kCDataOpen) != 0)
            return content;
        from += kCDataOpen.size();
    }
}

TDateTime ParseIsoDate(std::string_view text) {
    return EncodeDate(DecimalPart(text, 0, 4), DecimalPart(text, 5, 2), DecimalPart(text, 8, 2));
}

std::int32_t ProgrammeIdentifier(const std::string& text) {
    const std::string digits = DigitsOnly(text);
    std::int32_t value = -1;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return !digits.empty() && error == std::errc() && end == digits.data() + digits.size() ? value
                                                                                           : -1;
}

void CheckBroadcasts(TSimpleXml& xml, const std::string& fileName) {
    TSimpleXmlElems& broadcasts = xml.Root().Items();
    if (broadcasts.Count() == 0)
        throw EConvertError("The file \"" + fileName + "\" holds no broadcast.");
    for (int i = 0; i < broadcasts.Count(); ++i)
        for (const char* name : kBroadcastChildren)
            if (!broadcasts.Item(i)->Items().ItemNamed(name))
                throw EConvertError("Broadcast " + std::to_string(i + 1) + " of the file \"" +
                                    fileName + "\" has no \"" + name + "\".");
    FirstDate(broadcasts);
}

TFileBroadcast ReadBroadcast(TSimpleXmlElem& element) {
    TFileBroadcast read;
    TDayBroadcast& broadcast = read.Broadcast;
    broadcast.ProgramId =
        ProgrammeIdentifier(ExtractCDataText(Child(element, "programuid").SaveToString()));
    broadcast.SeriesName = ExtractCDataText(Child(element, "series").SaveToString());
    broadcast.ProgramName = ExtractCDataText(Child(element, "program").SaveToString());
    read.Date = ParseIsoDate(Child(element, "date").Value());
    broadcast.Start = TextToTime(std::string(Child(element, "time").Value()));
    broadcast.End = broadcast.Start + TextToTime(std::string(Child(element, "duration").Value()));
    broadcast.Language = Child(element, "language").Value();
    return read;
}

void ReadBroadcastDay(TSimpleXmlElems& broadcasts, TScheduleDay& day) {
    day.Positions = 1;
    day.Captions = {"", DateToText(FirstDate(broadcasts))};
    day.Broadcasts.clear();
    TDateTime previous = 0;
    for (int i = 0; i < broadcasts.Count(); ++i) {
        TFileBroadcast read = ReadBroadcast(*broadcasts.Item(i));
        if (i > 0 && read.Date > previous) {
            ++day.Positions;
            day.Captions.push_back(DateToText(read.Date));
        }
        previous = read.Date;
        read.Broadcast.Position = day.Positions - 1;
        day.Broadcasts.push_back(std::move(read.Broadcast));
    }
}
