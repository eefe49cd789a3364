#pragma once

#include "platform/DateTime.h"

#include <QTimeZone>
#include <cstdint>
#include <string>
#include <utility>

// The zone of an IANA name ("Europe/Sofia", UTF-8); raises EConvertError naming it when Qt does
// not know it.
QTimeZone TimeZoneNamed(const std::string& name);

// A zone's offsets from UTC in seconds. A guide asks about thousands of instants of a zone that
// changes its offset twice a year, so the span between the two changes around the last instant
// asked is kept and answers the next ones without asking the zone.
class TZoneOffsets {
public:
    explicit TZoneOffsets(QTimeZone zone) : zone_(std::move(zone)) {}
    int At(std::int64_t utc);

private:
    QTimeZone zone_;
    std::int64_t from_ = 1, to_ = 0; // [from_, to_): no span yet
    int offset_ = 0;
};

// Seconds since 1970-01-01 00:00 UTC of a wall-clock time of the zone. Where the offset changes
// the rule is ours, not QDateTime's: a time in the hour skipped when the clocks go forward moves
// forward by the skip (03:30 in the skipped hour is 04:30 of the new offset), a time in the hour
// repeated when they go back is its first occurrence (the one with the earlier offset).
std::int64_t UtcOfLocal(TZoneOffsets& zone, TDateTime local);

// The instant as an XMLTV guide writes it, "YYYYMMDDhhmmss +hhmm": the zone's wall clock with the
// offset in force at that instant (whole minutes, as the format holds no seconds).
std::string XmltvTime(TZoneOffsets& zone, std::int64_t utc);
