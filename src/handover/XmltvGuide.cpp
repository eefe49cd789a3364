#include "handover/XmltvGuide.h"

#include "handover/LanguageCode.h"
#include "handover/ZoneTime.h"
#include "platform/Cp1251.h"
#include "platform/Exceptions.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <utility>

namespace {

long long DayOf(TDateTime date) {
    return static_cast<long long>(DateOf(date));
}

long long AirDay(const TGuideRow& row) {
    return DayOf(row.StoredDate) + row.Position;
}

std::int64_t Seconds(TDateTime time) {
    return std::llround(time * 86400);
}

// XML 1.0's characters less U+007F..U+009F, which the validator takes for mis-encoded text
// (Windows-1251's unassigned byte arrives as U+0098). Surrogates come in pairs from UTF-8.
bool Carried(QChar c) {
    const char16_t u = c.unicode();
    return u == '\t' || u == '\n' || u == '\r' || (u >= 0x20 && u < 0x7F) ||
           (u >= 0xA0 && u <= 0xFFFD);
}

QString Text(const std::string& utf8) {
    QString text = QString::fromUtf8(utf8);
    text.removeIf([](QChar c) { return !Carried(c); });
    return text;
}

bool IsBlank(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
}

// Escaped for element content and quoted attributes alike.
std::string Escaped(const QString& text) {
    std::string escaped;
    for (const char c : text.toStdString()) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

struct TProgrammeTexts {
    QString Title, SubTitle, Description;
    std::string Lang; // of all three; empty when not known
};

// The validator rejects a blank title, so a programme without names is named by its id.
TProgrammeTexts TextsOf(const TGuideRow& row) {
    const QString series = Text(Cp1251ToUtf8(row.SeriesName));
    const QString name = Text(Cp1251ToUtf8(row.ProgramName));
    if (!row.ProgramExists || (IsBlank(series) && IsBlank(name)))
        return {.Title = QString::fromUtf8("Program \u2116") + QString::number(row.ProgramId),
                .SubTitle = {},
                .Description = {},
                .Lang = {}};
    const QString description = Text(Cp1251ToUtf8(row.Description));
    return {.Title = IsBlank(series) ? name : series,
            .SubTitle = IsBlank(series) || IsBlank(name) ? QString() : name,
            .Description = IsBlank(description) ? QString() : description,
            .Lang = LanguageCode(row.Language)};
}

std::string Element(const char* name, const std::string& lang, const QString& text) {
    if (text.isEmpty()) return {};
    const std::string attribute = lang.empty() ? "" : " lang=\"" + lang + "\"";
    return std::string("    <") + name + attribute + ">" + Escaped(text) + "</" + name + ">\n";
}

std::string Programme(const TGuideRow& row, std::int64_t start, const QTimeZone& zone,
                      const std::string& channel) {
    const std::int64_t duration = Seconds(row.Duration);
    const TProgrammeTexts texts = TextsOf(row);
    return "  <programme start=\"" + XmltvTime(zone, start) + "\" stop=\"" +
           XmltvTime(zone, start + duration) + "\" channel=\"" + channel + "\">\n" +
           Element("title", texts.Lang, texts.Title) +
           Element("sub-title", texts.Lang, texts.SubTitle) +
           Element("desc", texts.Lang, texts.Description) + "    <length units=\"minutes\">" +
           std::to_string(std::llround(duration / 60.0)) + "</length>\n  </programme>\n";
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
    std::vector<std::int64_t> starts;
    for (const TGuideRow& row : rows)
        starts.push_back(UtcOfLocal(zone, AirDay(row) + row.StartTime));
    // A start moved past a skipped hour may pass the next one's.
    std::vector<size_t> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return starts[a] < starts[b]; });
    const std::string id = Escaped(Text(channel.Id));
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<!DOCTYPE tv SYSTEM \"xmltv.dtd\">\n"
                      "<tv generator-info-name=\"" +
                      Escaped(Text("Skedora " + version)) + "\">\n  <channel id=\"" + id +
                      "\">\n    <display-name>" + Escaped(Text(channel.DisplayName)) +
                      "</display-name>\n  </channel>\n";
    for (const size_t i : order)
        xml += Programme(rows[i], starts[i], zone, id);
    return xml + "</tv>\n";
}

bool IsValidChannelId(const std::string& id) {
    const auto allowed = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '-' || c == '.';
    };
    return std::all_of(id.begin(), id.end(), allowed) && id.find('.') != std::string::npos &&
           id.front() != '.' && id.back() != '.' && id.find("..") == std::string::npos;
}
