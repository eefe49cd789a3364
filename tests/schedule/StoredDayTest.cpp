#include "schedule/StoredDay.h"

#include "catalogue/ProgramFilter.h"
#include "data/ShowCounts.h"
#include "data/mData.h"
#include "db/IBTransaction.h"
#include "platform/DateTime.h"
#include "schedule/MainWindowFixture.h"
#include "support/OwnConnection.h"

#include <cmath>
#include <gmock/gmock.h>
#include <random>

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

// Every row of the statement as committed, one text each, with the columns' names and types.
std::vector<std::string> CommittedRows(const std::string& path, TIBDatabase& like,
                                       const std::vector<std::string>& sql) {
    OwnConnection reader(path, like.Params());
    reader.Query.SetSQL(sql);
    reader.Query.Open();
    std::vector<std::string> rows;
    for (; !reader.Query.AtEnd(); reader.Query.Next()) {
        std::string row;
        for (int i = 0; i < reader.Query.FieldCount(); ++i) {
            const TField& field = reader.Query.Fields(i);
            row += field.FieldName() + ":" + std::to_string(static_cast<int>(field.DataType())) +
                   "=" + (field.IsNull() ? "null" : field.AsString()) + " ";
        }
        rows.push_back(row);
    }
    reader.Transaction.Commit();
    return rows;
}

void ExpectSameProgramLists(const std::string& path, TIBDatabase& like,
                            const std::string& sortKey) {
    // Ties of the sort key come in any order; the identifier orders them.
    const std::string key = sortKey + ", NPROGRAM_ID";
    EXPECT_EQ(CommittedRows(path, like, ProgramListSql(true, key)),
              CommittedRows(path, like, ProgramListSql(false, key)))
        << sortKey;
}

TScheduleDay RandomDay(std::mt19937& random, int date) {
    TScheduleDay day;
    day.Date = EncodeDate(2010, 6, date);
    const int count = static_cast<int>(random() % 5);
    for (int i = 0; i < count; ++i) {
        TDayBroadcast broadcast;
        broadcast.ProgramId = static_cast<std::int32_t>(random() % 6) + 1; // 6: not catalogued
        broadcast.Start = i / 24.0;
        broadcast.End = (i + 1) / 24.0;
        day.Broadcasts.push_back(broadcast);
    }
    return day;
}

// Saves, imported days, deletes of a programme's latest broadcasts and compactions in a random
// order; the counts kept by the schema's trigger must give what aggregating the history gives.
TEST_F(StoredDay, KeptCountsListTheSameProgrammesAsTheHistoryAfterSavesDeletesAndImports) {
    Start(Programme(1, "News", "Daily", "BG") + Programme(2, "Film", "", "EN") +
          Programme(3, "Sport", "", "BG") + Programme(4, "Never", "", "BG") +
          Programme(5, "Quiz", "", "BG") + Row("NULL, '2010-06-01', NULL, '11:00', NULL, NULL") +
          Row("5, NULL, NULL, '12:00', NULL, NULL"));
    std::mt19937 random(29);
    for (int step = 0; step < 40; ++step) {
        const int date = static_cast<int>(random() % 6) + 1;
        switch (random() % 4) {
        case 0:
            StoreDay(*data_->qryTemp, RandomDay(random, date));
            break;
        case 1:
            StoreDayOverAnyVersion(*data_->qryTemp, RandomDay(random, date));
            break;
        case 2: {
            const std::string id = std::to_string(random() % 6 + 1);
            OwnConnection other(database_->Path(), data_->IBDatabase->Params());
            other.Query.SetSQL({"DELETE FROM PROGRAM_TIMELINE WHERE NPROGRAM_ID = " + id +
                                " AND DSTART_DATE = (SELECT MAX(DSTART_DATE) FROM "
                                "PROGRAM_TIMELINE WHERE NPROGRAM_ID = " +
                                id + ")"});
            other.Query.Execute();
            other.Transaction.Commit();
            break;
        }
        default:
            CompactShowCounts(*data_->IBDatabase);
        }
        if (step % 8 == 7)
            ExpectSameProgramLists(database_->Path(), *data_->IBDatabase, "NPROGRAM_ID");
    }
    for (const char* key : {"NPROGRAM_ID", "LAST_SHOW_DATE desc", "SHOW_CNT", "SNAME"})
        ExpectSameProgramLists(database_->Path(), *data_->IBDatabase, key);
}

} // namespace
