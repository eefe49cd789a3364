#pragma once

// Fills a database made from the schema with a history, through the raw client calls: one
// attachment, one transaction, one prepared insert per table. Dates are days since 1970-01-01,
// times minutes from midnight. Every failure raises EIBInterBaseError with the engine's message.
// Measured at 100 years (bench/make_history): building the timeline's indexes once at the end
// rather than row by row halves the time, and so does filling with forced writes off.
#include "HistoryPlan.h"

#include <memory>
#include <string>

class HistoryWriter {
public:
    // Attaches with forced writes off and a large page cache, deactivates the timeline's
    // indexes and starts the transaction of the fill.
    explicit HistoryWriter(const std::string& path);
    ~HistoryWriter();
    HistoryWriter(const HistoryWriter&) = delete;
    HistoryWriter& operator=(const HistoryWriter&) = delete;

    void AddProgramme(const Programme& programme);
    // DEND_DATE is the date plus the position, or null when withEndDate is false.
    void AddBroadcast(int date, const Broadcast& broadcast, bool withEndDate);
    // The date's SCHEDULE_DAY row, saved the day before at savedMinute.
    void AddDay(int date, int savedMinute);
    // Commits, builds the indexes and turns forced writes on again: the database is then as
    // the application makes it.
    void Finish();

private:
    struct Session;
    struct Inserts;
    std::string path_;
    std::unique_ptr<Session> session_;
    std::unique_ptr<Inserts> inserts_;
};
