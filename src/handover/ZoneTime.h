#pragma once

#include "platform/DateTime.h"

#include <QTimeZone>
#include <cstdint>
#include <string>

// The zone of an IANA name ("Europe/Sofia", UTF-8); raises EConvertError naming it when Qt does
// not know it.
QTimeZone TimeZoneNamed(const std::string& name);

// Seconds since 1970-01-01 00:00 UTC of a wall-clock time of the zone. Where the offset changes
// the rule is ours, not QDateTime's: a time in the hour skipped when the clocks go forward moves
// forward by the skip (03:30 in the skipped hour is 04:30 of the new offset), a time in the hour
// repeated when they go back is its first occurrence (the one with the earlier offset).
std::int64_t UtcOfLocal(const QTimeZone& zone, TDateTime local);

// The instant as an XMLTV guide writes it, "YYYYMMDDhhmmss +hhmm": the zone's wall clock with the
// offset in force at that instant (whole minutes, as the format holds no seconds).
std::string XmltvTime(const QTimeZone& zone, std::int64_t utc);
