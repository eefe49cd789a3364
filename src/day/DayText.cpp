#include "day/DayText.h"

#include <charconv>
#include <cstdio>
#include <vector>

namespace {

constexpr std::string_view kHeader = "skedora-day 1";

// Tabs and line breaks inside a text would end its field or line.
std::string Escaped(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        if (c == '\\' || c == '\t' || c == '\n' || c == '\r') {
            escaped += '\\';
            escaped += c == '\t' ? 't' : c == '\n' ? 'n' : c == '\r' ? 'r' : '\\';
        } else {
            escaped += c;
        }
    }
    return escaped;
}

bool Unescape(std::string_view field, std::string& text) {
    text.clear();
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            text += field[i];
            continue;
        }
        if (++i == field.size()) return false;
        const char c = field[i];
        if (c != 't' && c != 'n' && c != 'r' && c != '\\') return false;
        text += c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : '\\';
    }
    return true;
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

template <class T> bool Parse(std::string_view field, T& value) {
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    return error == std::errc() && end == field.data() + field.size();
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t from = 0;;) {
        const std::size_t end = text.find(separator, from);
        parts.push_back(text.substr(from, end == std::string_view::npos ? end : end - from));
        if (end == std::string_view::npos) return parts;
        from = end + 1;
    }
}

std::string BroadcastLine(const TDayBroadcast& b) {
    return std::to_string(b.ProgramId) + "\t" + Number(b.Start) + "\t" + Number(b.End) + "\t" +
           std::to_string(b.Position) + "\t" + Escaped(b.SeriesName) + "\t" +
           Escaped(b.ProgramName) + "\t" + Escaped(b.Language);
}

bool ReadBroadcast(std::string_view line, TDayBroadcast& b) {
    const std::vector<std::string_view> f = Split(line, '\t');
    return f.size() == 7 && Parse(f[0], b.ProgramId) && Parse(f[1], b.Start) &&
           Parse(f[2], b.End) && Parse(f[3], b.Position) && Unescape(f[4], b.SeriesName) &&
           Unescape(f[5], b.ProgramName) && Unescape(f[6], b.Language);
}

} // namespace

std::string DayToText(const TScheduleDay& day) {
    std::string text(kHeader);
    text += "\n" + Number(day.Date) + "\n" + std::to_string(day.StoredVersion) + "\n" +
            std::to_string(day.Positions) + "\n" + std::to_string(day.Captions.size()) + "\n";
    for (const std::string& caption : day.Captions)
        text += Escaped(caption) + "\n";
    text += std::to_string(day.Broadcasts.size()) + "\n";
    for (const TDayBroadcast& broadcast : day.Broadcasts)
        text += BroadcastLine(broadcast) + "\n";
    return text;
}

std::optional<TScheduleDay> DayFromText(std::string_view text) {
    std::vector<std::string_view> lines = Split(text, '\n');
    std::size_t captions = 0, broadcasts = 0;
    TScheduleDay day;
    if (lines.size() < 7 || lines[0] != kHeader || !Parse(lines[1], day.Date) ||
        !Parse(lines[2], day.StoredVersion) || !Parse(lines[3], day.Positions) ||
        !Parse(lines[4], captions) || lines.size() < 7 + captions ||
        !Parse(lines[5 + captions], broadcasts) || lines.size() != 7 + captions + broadcasts ||
        !lines.back().empty())
        return std::nullopt;
    day.Captions.resize(captions);
    for (std::size_t i = 0; i < captions; ++i)
        if (!Unescape(lines[5 + i], day.Captions[i])) return std::nullopt;
    day.Broadcasts.resize(broadcasts);
    for (std::size_t i = 0; i < broadcasts; ++i)
        if (!ReadBroadcast(lines[6 + captions + i], day.Broadcasts[i])) return std::nullopt;
    return day;
}
