#include "db/Schema.h"

#include "db/IBDatabase.h"
#include "db/IBSQL.h"
#include "db/IBTransaction.h"

namespace {
constexpr const char* kLookupSQL =
    "Select F.RDB$COMPUTED_BLR, F.RDB$DEFAULT_VALUE, R.RDB$FIELD_NAME from RDB$RELATION_FIELDS R, "
    "RDB$FIELDS F where R.RDB$RELATION_NAME = :RELATION and R.RDB$FIELD_SOURCE = F.RDB$FIELD_NAME "
    "and ((not F.RDB$COMPUTED_BLR is NULL) or      (not F.RDB$DEFAULT_VALUE is NULL)) ";

std::string TrimRight(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}
} // namespace

TSchema::TSchema(TIBDatabase& database) : database_(database) {}

TSchema::~TSchema() = default;

bool TSchema::Has_COMPUTED_BLR(const std::string& relation, const std::string& field) {
    return Lookup(relation, field).computed;
}

bool TSchema::Has_DEFAULT_VALUE(const std::string& relation, const std::string& field) {
    return Lookup(relation, field).hasDefault;
}

TSchema::ColumnFacts TSchema::Lookup(const std::string& relation, const std::string& field) {
    auto table = relations_.find(relation);
    if (table == relations_.end())
        table = relations_.emplace(relation, ReadRelation(relation)).first;
    const auto column = table->second.find(field);
    return column == table->second.end() ? ColumnFacts{} : column->second;
}

TSchema::Columns TSchema::ReadRelation(const std::string& relation) {
    TIBTransaction& transaction = database_.InternalTransaction();
    const bool started = !transaction.Active();
    if (started) transaction.Start();
    Columns columns;
    try {
        columns = ReadRows(relation);
    } catch (...) {
        if (started) transaction.Rollback();
        throw;
    }
    if (started) transaction.Commit();
    return columns;
}

TSchema::Columns TSchema::ReadRows(const std::string& relation) {
    if (!query_) {
        query_ = std::make_unique<TIBSQL>();
        query_->SetDatabase(&database_);
        query_->SetTransaction(&database_.InternalTransaction());
        query_->SetGoToFirstRecordOnExecute(false);
        query_->SetSQL({kLookupSQL});
    }
    query_->Prepare();
    query_->ParamByName("RELATION").SetAsString(relation);
    query_->Execute();
    Columns columns;
    while (TIBXSQLDA* row = query_->Fetch())
        columns[TrimRight(row->Var(2).AsString())] = {!row->Var(0).IsNull(), !row->Var(1).IsNull()};
    query_->CloseRows();
    return columns;
}
