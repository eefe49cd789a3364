#include "handover/XmltvGuide.h"

#include "handover/LanguageCode.h"
#include "handover/ZoneTime.h"
#include "platform/Cp1251.h"
#include "platform/Exceptions.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace {

long long DayOf(TDateTime date) {
    return static_cast<long long>(DateOf(date));
}

long long AirDay(const TGuideRow& row) {
    return DayOf(row.StoredDate) + row.Position;
}

// About what a programme with a title, a sub-title and a short description takes.
constexpr std::size_t kBytesPerProgramme = 300;

std::int64_t Seconds(TDateTime time) {
    return std::llround(time * 86400);
}

// The bytes of the character at i that a guide drops: controls but tab and line breaks, U+007F to
// U+009F (the validator takes them for mis-encoded text; Windows-1251's unassigned byte arrives
// as U+0098) and the non-characters U+FFFE, U+FFFF. The text is well-formed UTF-8.
size_t Dropped(std::string_view utf8, size_t i) {
    const auto byte = [&](size_t at) {
        return at < utf8.size() ? static_cast<unsigned char>(utf8[at]) : 0;
    };
    const unsigned char c = byte(i);
    if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F) return 1;
    if (c == 0xC2 && byte(i + 1) >= 0x80 && byte(i + 1) < 0xA0) return 2;
    if (c == 0xEF && byte(i + 1) == 0xBF && byte(i + 2) >= 0xBE) return 3;
    return 0;
}

const char* Entity(char c) {
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    default:
        return nullptr;
    }
}

// The UTF-8 text as XML carries it, escaped for element content and quoted attributes alike.
std::string XmlText(std::string_view utf8) {
    std::string text;
    text.reserve(utf8.size());
    size_t copied = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const size_t dropped = Dropped(utf8, i);
        const char* entity = Entity(utf8[i]);
        if (!dropped && !entity) continue;
        text.append(utf8.substr(copied, i - copied)).append(entity ? entity : "");
        i += dropped ? dropped - 1 : 0;
        copied = i + 1;
    }
    return text.append(utf8.substr(copied));
}

// Blank to the validator: spaces only, of which Windows-1251 has the ASCII ones and U+00A0.
bool IsBlank(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\xC2\xA0") == 0)
            ++i;
        else if (text[i] != ' ' && text[i] != '\t' && text[i] != '\n' && text[i] != '\r')
            return false;
    }
    return true;
}

struct TProgrammeTexts {
    std::string Title, SubTitle, Description; // XML text; empty when left out
    std::string Lang;                         // of all three; empty when not known
};

// The validator rejects a blank title, so a programme without names is named by its id.
TProgrammeTexts Unnamed(std::int32_t id) {
    return {.Title = "Program \u2116" + std::to_string(id),
            .SubTitle = {},
            .Description = {},
            .Lang = {}};
}

TProgrammeTexts TextsOf(const TGuideProgramme& programme, std::int32_t id,
                        const std::string& lang) {
    const std::string series = XmlText(Cp1251ToUtf8(programme.SeriesName));
    const std::string name = XmlText(Cp1251ToUtf8(programme.ProgramName));
    if (IsBlank(series) && IsBlank(name)) return Unnamed(id);
    const std::string description = XmlText(Cp1251ToUtf8(programme.Description));
    return {.Title = IsBlank(series) ? name : series,
            .SubTitle = IsBlank(series) || IsBlank(name) ? std::string() : name,
            .Description = IsBlank(description) ? std::string() : description,
            .Lang = lang};
}

// Each programme's texts converted once, however often it airs.
class TTextsOfProgrammes {
public:
    const TProgrammeTexts& Of(const TGuideRow& row) {
        if (!row.Programme) return unnamed_ = Unnamed(row.ProgramId);
        auto texts = texts_.find(row.Programme.get());
        if (texts == texts_.end())
            texts = texts_
                        .emplace(row.Programme.get(), TextsOf(*row.Programme, row.ProgramId,
                                                              Lang(row.Programme->Language)))
                        .first;
        return texts->second;
    }

private:
    const std::string& Lang(const std::string& language) {
        auto lang = langs_.find(language);
        if (lang == langs_.end()) lang = langs_.emplace(language, LanguageCode(language)).first;
        return lang->second;
    }

    std::unordered_map<const TGuideProgramme*, TProgrammeTexts> texts_;
    std::map<std::string, std::string> langs_; // by language name: a guide has few
    TProgrammeTexts unnamed_;
};

template <typename... Parts> void Append(std::string& xml, const Parts&... parts) {
    ((xml += parts), ...);
}

void AppendElement(std::string& xml, const char* name, const std::string& lang,
                   const std::string& text) {
    if (text.empty()) return;
    Append(xml, "    <", name);
    if (!lang.empty()) Append(xml, " lang=\"", lang, "\"");
    Append(xml, ">", text, "</", name, ">\n");
}

void AppendProgramme(std::string& xml, const TGuideRow& row, std::int64_t start, TZoneOffsets& zone,
                     const std::string& channel, const TProgrammeTexts& texts) {
    const std::int64_t duration = Seconds(row.Duration);
    Append(xml, "  <programme start=\"", XmltvTime(zone, start), "\" stop=\"",
           XmltvTime(zone, start + duration), "\" channel=\"", channel, "\">\n");
    AppendElement(xml, "title", texts.Lang, texts.Title);
    AppendElement(xml, "sub-title", texts.Lang, texts.SubTitle);
    AppendElement(xml, "desc", texts.Lang, texts.Description);
    Append(xml, "    <length units=\"minutes\">", std::to_string(std::llround(duration / 60.0)),
           "</length>\n  </programme>\n");
}

} // namespace

std::vector<TGuideRow> RowsOnTheAir(const std::vector<TGuideRow>& rows, TDateTime first,
                                    TDateTime last) {
    std::map<long long, long long> latestStored; // by air day
    for (const TGuideRow& row : rows) {
        long long& latest =
            latestStored.try_emplace(AirDay(row), DayOf(row.StoredDate)).first->second;
        latest = std::max(latest, DayOf(row.StoredDate));
    }
    std::vector<TGuideRow> onAir;
    for (const TGuideRow& row : rows)
        if (AirDay(row) >= DayOf(first) && AirDay(row) <= DayOf(last) &&
            DayOf(row.StoredDate) == latestStored.at(AirDay(row)))
            onAir.push_back(row);
    std::stable_sort(onAir.begin(), onAir.end(), [](const TGuideRow& a, const TGuideRow& b) {
        return std::pair(AirDay(a), Seconds(a.StartTime)) <
               std::pair(AirDay(b), Seconds(b.StartTime));
    });
    return onAir;
}

std::string XmltvGuide(const std::vector<TGuideRow>& rows, const TGuideChannel& channel,
                       const QTimeZone& zone, const std::string& version) {
    if (!zone.isValid()) throw EConvertError("The time zone of the guide is not known");
    TZoneOffsets offsets(zone);
    std::vector<std::int64_t> starts;
    starts.reserve(rows.size());
    for (const TGuideRow& row : rows)
        starts.push_back(UtcOfLocal(offsets, AirDay(row) + row.StartTime));
    // A start moved past a skipped hour may pass the next one's.
    std::vector<size_t> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return starts[a] < starts[b]; });
    const std::string id = XmlText(channel.Id);
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<!DOCTYPE tv SYSTEM \"xmltv.dtd\">\n"
                      "<tv generator-info-name=\"" +
                      XmlText("Skedora " + version) + "\">\n  <channel id=\"" + id +
                      "\">\n    <display-name>" + XmlText(channel.DisplayName) +
                      "</display-name>\n  </channel>\n";
    xml.reserve(xml.size() + rows.size() * kBytesPerProgramme);
    TTextsOfProgrammes texts;
    for (const size_t i : order)
        AppendProgramme(xml, rows[i], starts[i], offsets, id, texts.Of(rows[i]));
    xml += "</tv>\n";
    return xml;
}

bool IsValidChannelId(const std::string& id) {
    const auto allowed = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '-' || c == '.';
    };
    return std::all_of(id.begin(), id.end(), allowed) && id.find('.') != std::string::npos &&
           id.front() != '.' && id.back() != '.' && id.find("..") == std::string::npos;
}
