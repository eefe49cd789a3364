#pragma once

class TIBDatabase;

// The broadcast counts that the schema's triggers keep as rows of +1 and -1 per programme
// (PROGRAM_SHOW_COUNT). Databases made from an earlier schema have none.
bool HasShowCounts(TIBDatabase& database);

// Replaces each programme's delta rows by one row of their sum, in a transaction of its own; a
// compaction running at the same time wins and this one leaves the rows as they are.
void CompactShowCounts(TIBDatabase& database);
