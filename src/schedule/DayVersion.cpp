#include "schedule/DayVersion.h"

#include "db/IBQuery.h"
#include "db/IBTransaction.h"

namespace {

bool HasDayVersions(TIBQuery& query) {
    query.SetSQL(
        {"select count(*) from rdb$relations", "where rdb$relation_name = 'SCHEDULE_DAY'"});
    query.Open();
    const bool has = query.Fields(0).AsInteger() > 0;
    query.Close();
    return has;
}

} // namespace

void EnsureDayVersions(TIBQuery& query) {
    TIBTransaction& transaction = *query.Transaction();
    const bool has = HasDayVersions(query);
    if (!has) {
        query.SetSQL({"CREATE TABLE SCHEDULE_DAY (", "    DDATE     DATE NOT NULL PRIMARY KEY,",
                      "    NVERSION  INTEGER NOT NULL,", "    TSAVED    TIMESTAMP NOT NULL", ")"});
        query.Execute();
    }
    transaction.Commit();
}

int StoredDayVersion(TIBQuery& query, TDateTime date) {
    return HasDayVersions(query) ? ReadDayVersion(query, date) : 0;
}

int ReadDayVersion(TIBQuery& query, TDateTime date) {
    query.SetSQL({"select nversion from schedule_day where ddate = :DDATE"});
    query.Param("DDATE").SetAsDate(date);
    query.Open();
    const int version = query.AtEnd() ? 0 : query.Fields(0).AsInteger();
    query.Close();
    return version;
}

void RaiseDayVersion(TIBQuery& query, TDateTime date, int found) {
    if (found == 0)
        query.SetSQL({"insert into schedule_day (ddate, nversion, tsaved)",
                      "values (:DDATE, 1, current_timestamp)"});
    else
        query.SetSQL({"update schedule_day set nversion = nversion + 1,",
                      "  tsaved = current_timestamp where ddate = :DDATE"});
    query.Param("DDATE").SetAsDate(date);
    query.Execute();
}
