#pragma once

#include "platform/DateTime.h"

class TIBQuery;

// The table of saved days: one row per date, holding the version its last save gave it, so a
// save over a day that another user saved meanwhile is seen, and two saves of one date at the
// same moment meet on that row.

// Creates the table in a database made before it existed, in a transaction of its own; a
// database that has it is left alone.
void EnsureDayVersions(TIBQuery& query);

// The version stored for the date, read in the query's transaction: 0 for a date never saved,
// and in a database without the table.
int StoredDayVersion(TIBQuery& query, TDateTime date);
// The same in a database known to have the table.
int ReadDayVersion(TIBQuery& query, TDateTime date);

// Raises the date's version from `found` by one, writing its row in the query's transaction;
// the row stays locked until that transaction ends.
void RaiseDayVersion(TIBQuery& query, TDateTime date, int found);
