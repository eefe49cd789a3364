#pragma once

#include <string>

class RecordLayout;
class TIBXSQLDA;

// Fills an update statement's parameters from a record of the result set whose columns and
// layout are given: each parameter takes the column of its name, from oldRecord when the name
// starts with "OLD_", else from record (a leading "NEW_" dropped). A parameter naming no column
// keeps its value; IB_INTERNAL_DBKEY takes the row's database key. Client error BufferNotSet
// without a record.
void FillUpdateParams(TIBXSQLDA& params, const TIBXSQLDA& columns, const RecordLayout& layout,
                      const char* record, const char* oldRecord);

// The column a parameter of that name is filled from: the name without "OLD_" or "NEW_".
std::string ParamColumnName(std::string name);
