#include "handover/ZoneTime.h"

#include "platform/Cp1251.h"
#include "platform/Exceptions.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

constexpr std::int64_t kSecsPerDay = 86400;
constexpr TDateTime kUnixEpoch = 25569; // 1970-01-01

std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor) {
    return value / divisor - (value % divisor < 0 ? 1 : 0);
}

// The value in as many decimal digits as the width, with leading zeros.
void AppendDigits(std::string& text, int value, int width) {
    text.resize(text.size() + width);
    for (auto digit = text.rbegin(); width-- > 0; value /= 10)
        *digit++ = static_cast<char>('0' + value % 10);
}

} // namespace

// The last change at or before the instant and the first one after it bound its span.
int TZoneOffsets::At(std::int64_t utc) {
    if (utc >= from_ && utc < to_) return offset_;
    const QDateTime instant = QDateTime::fromSecsSinceEpoch(utc, Qt::UTC);
    offset_ = zone_.offsetFromUtc(instant);
    const QTimeZone::OffsetData previous = zone_.previousTransition(instant.addSecs(1));
    const QTimeZone::OffsetData next = zone_.nextTransition(instant);
    from_ = previous.atUtc.isValid() ? previous.atUtc.toSecsSinceEpoch()
                                     : std::numeric_limits<std::int64_t>::min();
    to_ = next.atUtc.isValid() ? next.atUtc.toSecsSinceEpoch()
                               : std::numeric_limits<std::int64_t>::max();
    return offset_;
}

QTimeZone TimeZoneNamed(const std::string& name) {
    const QTimeZone zone(QByteArray::fromStdString(name));
    if (!zone.isValid()) throw EConvertError("Unknown time zone \"" + Utf8ToCp1251(name) + "\".");
    return zone;
}

// An offset fits the wall-clock time when the instant it gives has that offset. The offsets a
// day either side are the only ones a change near the time can involve; where both fit the
// time is repeated, where none does it lies in the skip and moves forward past it.
std::int64_t UtcOfLocal(TZoneOffsets& zone, TDateTime local) {
    const std::int64_t wall = std::llround((local - kUnixEpoch) * kSecsPerDay);
    const int before = zone.At(wall - kSecsPerDay);
    const int after = zone.At(wall + kSecsPerDay);
    for (const int offset : {std::max(before, after), std::min(before, after)})
        if (zone.At(wall - offset) == offset) return wall - offset;
    return wall - before;
}

std::string XmltvTime(TZoneOffsets& zone, std::int64_t utc) {
    const int minutes = zone.At(utc) / 60;
    const std::int64_t wall = utc + minutes * 60;
    const std::int64_t days = FloorDiv(wall, kSecsPerDay);
    const auto second = static_cast<int>(wall - days * kSecsPerDay);
    int year = 0, month = 0, day = 0;
    DecodeDate(kUnixEpoch + static_cast<TDateTime>(days), year, month, day);
    std::string written;
    AppendDigits(written, year * 10000 + month * 100 + day, 8);
    AppendDigits(written, second / 3600 * 10000 + second / 60 % 60 * 100 + second % 60, 6);
    written += minutes < 0 ? " -" : " +";
    AppendDigits(written, std::abs(minutes) / 60 * 100 + std::abs(minutes) % 60, 4);
    return written;
}
