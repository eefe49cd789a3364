#include "schedule/StoredDay.h"

#include "data/mData.h"
#include "db/IBTransaction.h"
#include "schedule/MainWindowFixture.h"

#include <cmath>
#include <gmock/gmock.h>

namespace {

class StoredDay : public MainWindowFixture {};

std::string Row(const std::string& values) {
    return "INSERT INTO PROGRAM_TIMELINE (NPROGRAM_ID, DSTART_DATE, DEND_DATE, TSTART_TIME, "
           "TEND_TIME, TDURATION) VALUES (" +
           values + ");\n";
}

// Rows written by other programs lack a running time, an end or an end date.
TEST_F(StoredDay, EveryRowOfTheDateOpensWithItsTimesAndPosition) {
    Start(Programme(1, "News", "Daily", "BG") +
          Row("1, '2010-06-17', '2010-06-17', '08:00', '08:30', '00:30'") +
          Row("1, '2010-06-17', NULL, '09:00', '09:45', NULL") +
          Row("1, '2010-06-17', '2010-06-19', '23:30', '00:15', NULL") +
          Row("99, '2010-06-17', '2010-06-18', '10:00', NULL, NULL") +
          Row("NULL, '2010-06-17', '2010-06-16', '11:00', NULL, '00:05'") +
          Row("1, '2010-06-16', '2010-06-17', '07:00', '07:30', '00:30'"));
    const TScheduleDay day = ReadStoredDay(*data_->qryTemp, EncodeDate(2010, 6, 17));
    std::vector<std::string> read;
    for (const TDayBroadcast& b : day.Broadcasts)
        read.push_back(std::to_string(b.ProgramId) + " " + b.ProgramName + " " +
                       std::to_string(std::lround(b.Start * 1440)) + "-" +
                       std::to_string(std::lround(b.End * 1440)) + " " +
                       std::to_string(b.Position));
    EXPECT_THAT(read, testing::ElementsAre("1 News 480-510 0", "1 News 540-585 0", "99  600-600 1",
                                           "-1  660-665 0", "1 News 1410-1455 2"));
    EXPECT_EQ(day.Positions, 3);
    EXPECT_THAT(day.Captions, testing::ElementsAre("", "2010-06-17", "2010-06-18", "2010-06-19"));
    EXPECT_FALSE(data_->trTemp->Active());
}

} // namespace
