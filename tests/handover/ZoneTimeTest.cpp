#include "handover/ZoneTime.h"

#include "handover/XmltvGuide.h"
#include "platform/Exceptions.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace {

TDateTime At(int year, int month, int day, int hour, int minute, int second = 0) {
    return EncodeDate(year, month, day) + EncodeTime(hour, minute, second, 0);
}

} // namespace

// Europe/Sofia went from +0200 to +0300 at 2010-03-28 03:00 and back at 2010-10-31 04:00.
TEST(ZoneTime, WallClockTimesAcrossChangesOfOffset) {
    const struct {
        const char* zone;
        TDateTime local;
        const char* written;
    } cases[] = {
        {"Europe/Sofia", At(2010, 1, 15, 12, 0), "20100115120000 +0200"},
        {"Europe/Sofia", At(2010, 7, 1, 0, 0), "20100701000000 +0300"},
        {"Europe/Sofia", At(2010, 3, 28, 2, 59, 59), "20100328025959 +0200"},
        {"Europe/Sofia", At(2010, 3, 28, 3, 30), "20100328043000 +0300"}, // skipped: forward
        {"Europe/Sofia", At(2010, 3, 28, 4, 0), "20100328040000 +0300"},
        {"Europe/Sofia", At(2010, 10, 31, 3, 30), "20101031033000 +0300"}, // repeated: first
        {"Europe/Sofia", At(2010, 10, 31, 4, 0), "20101031040000 +0200"},
        {"America/New_York", At(2010, 3, 14, 2, 30), "20100314033000 -0400"},
        {"America/New_York", At(2010, 11, 7, 1, 30), "20101107013000 -0400"},
        {"Asia/Kolkata", At(2010, 3, 28, 3, 30), "20100328033000 +0530"},
        {"UTC", At(2010, 3, 28, 3, 30), "20100328033000 +0000"},
        {"UTC", At(1969, 12, 31, 23, 59), "19691231235900 +0000"},
    };
    for (const auto& c : cases) {
        TZoneOffsets zone(TimeZoneNamed(c.zone));
        EXPECT_EQ(XmltvTime(zone, UtcOfLocal(zone, c.local)), c.written) << c.zone;
    }
    try {
        TimeZoneNamed("Europe/Atlantis");
        ADD_FAILURE() << "an unknown zone was taken";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Unknown time zone \"Europe/Atlantis\".");
    }
    EXPECT_THROW(
        XmltvGuide({}, {.Id = "a.b", .DisplayName = "a"}, QTimeZone("Europe/Atlantis"), "2"),
        EConvertError);
}

// The kept span must never answer for an instant on the other side of a change, whichever way
// the instants asked move: forward in steps and a day back from each, as a guide asks.
TEST(ZoneTime, KeptSpanAnswersAsTheZoneDoes) {
    for (const char* name : {"Europe/Sofia", "America/New_York", "Australia/Lord_Howe",
                             "Europe/Moscow", "Asia/Kolkata", "UTC"}) {
        const QTimeZone zone = TimeZoneNamed(name);
        TZoneOffsets offsets(zone);
        const auto direct = [&](std::int64_t utc) {
            return zone.offsetFromUtc(QDateTime::fromSecsSinceEpoch(utc, Qt::UTC));
        };
        int wrong = 0;
        for (std::int64_t utc = 946684800; utc < 1577836800; utc += 13 * 3600 + 17)
            for (const std::int64_t asked : {utc, utc - 86400, utc + 1800})
                wrong += offsets.At(asked) != direct(asked);
        const QDateTime from = QDateTime::fromSecsSinceEpoch(946684800, Qt::UTC);
        for (const auto& change : zone.transitions(from, from.addYears(20))) {
            const std::int64_t at = change.atUtc.toSecsSinceEpoch();
            for (const std::int64_t asked : {at - 1, at, at + 1, at - 1})
                wrong += offsets.At(asked) != direct(asked);
        }
        EXPECT_EQ(wrong, 0) << name;
    }
}
