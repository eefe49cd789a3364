#include "data/ShowCounts.h"

#include "db/IBDatabase.h"
#include "db/IBErrors.h"
#include "db/IBSQL.h"
#include "db/IBTransaction.h"

namespace {

// Only rows of the transaction's snapshot are summed and deleted, so saves committing meanwhile
// keep their rows; saves only insert, so they never wait on this.
const char* const kCompaction =
    "execute block as declare p integer; declare n integer; begin "
    "for select nprogram_id, sum(ncount) from program_show_count group by 1 "
    "having count(*) > 1 into :p, :n do begin "
    "delete from program_show_count where nprogram_id is not distinct from :p; "
    "insert into program_show_count (nprogram_id, ncount) values (:p, :n); "
    "end end";

// As a dataset does before its statement: a connection lost earlier is made again.
void Connect(TIBDatabase& database) {
    if (!database.Connected()) database.SetConnected(true);
}

} // namespace

bool HasShowCounts(TIBDatabase& database) {
    Connect(database);
    TIBTransaction transaction;
    transaction.SetDefaultDatabase(&database);
    transaction.SetParams({"read", "read_committed", "rec_version", "nowait"});
    TIBSQL sql;
    sql.SetDatabase(&database);
    sql.SetTransaction(&transaction);
    sql.SetSQL({"select count(*) from rdb$relations where rdb$relation_name = "
                "'PROGRAM_SHOW_COUNT'"});
    transaction.Start();
    sql.Execute();
    const bool found = sql.Field(0).AsString() != "0";
    sql.CloseRows();
    transaction.Commit();
    return found;
}

void CompactShowCounts(TIBDatabase& database) {
    Connect(database);
    TIBTransaction transaction;
    transaction.SetDefaultDatabase(&database);
    transaction.SetParams({"write", "concurrency", "nowait"});
    TIBSQL sql;
    sql.SetDatabase(&database);
    sql.SetTransaction(&transaction);
    sql.SetParamCheck(false);
    sql.SetSQL({kCompaction});
    transaction.Start();
    try {
        sql.Execute();
        transaction.Commit();
    } catch (const EIBError& error) {
        if (transaction.Active()) transaction.Finish(TARollback, true);
        if (!ConflictsWithAnotherTransaction(error)) throw;
    }
}
