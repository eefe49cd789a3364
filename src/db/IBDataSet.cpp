#include "db/IBDataSet.h"

#include "db/DataSource.h"
#include "db/IBErrors.h"
#include "db/SQLParser.h"
#include "db/UpdateParams.h"

#include <exception>

namespace {
bool IsBlank(const std::string& text) {
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}
} // namespace

TIBDataSet::TIBDataSet() {
    for (TIBSQL& statement : updates_)
        AddStatement(statement);
}

const std::vector<std::string>& TIBDataSet::SelectSQL() const {
    return const_cast<TIBDataSet*>(this)->SelectStatement().SQL();
}

void TIBDataSet::SetSelectSQL(std::vector<std::string> lines) {
    SelectStatement().SetSQL(std::move(lines));
}

void TIBDataSet::SetText(Operation operation, std::vector<std::string> lines) {
    Close();
    Unprepare();
    updates_[operation].SetSQL(std::move(lines));
}

bool TIBDataSet::ParamCheck() const {
    return const_cast<TIBDataSet*>(this)->SelectStatement().ParamCheck();
}

void TIBDataSet::SetParamCheck(bool value) {
    CheckNotOpen();
    Unprepare();
    SelectStatement().SetParamCheck(value);
    for (TIBSQL& statement : updates_)
        statement.SetParamCheck(value);
}

// ---- Preparation ----

void TIBDataSet::Prepare() {
    PrepareConnection();
    InternalPrepare();
}

// The select first, then each update statement; the field definitions last.
void TIBDataSet::InternalPrepare() {
    if (Prepared()) return;
    try {
        SelectStatement().Prepare();
        for (int operation = 0; operation < kOperations; ++operation)
            PrepareOperation(static_cast<Operation>(operation));
        TIBCustomDataSet::InternalPrepare();
        SetRowKey(RefreshKey());
    } catch (...) {
        Unprepare();
        throw;
    }
}

// Without permission for it (SQL code -551) an operation is simply not offered.
void TIBDataSet::PrepareOperation(Operation operation) {
    live_[operation] = false;
    if (IsBlank(JoinLines(Text(operation)))) return;
    try {
        updates_[operation].Prepare();
        live_[operation] = true;
    } catch (const EIBInterBaseRoleError&) {
    }
}

// The columns the refresh statement finds a row by: what tells one row from another here.
std::vector<int> TIBDataSet::RefreshKey() {
    if (!CanRefresh()) return {};
    TIBXSQLDA& params = updates_[opRefresh].Params();
    std::vector<int> key;
    for (int i = 0; i < params.Count(); ++i) {
        const int column = Columns().IndexOf(ParamColumnName(params.Var(i).Name()));
        if (column < 0) return {};
        key.push_back(column);
    }
    return key;
}

void TIBDataSet::Unprepare() {
    SetRowKey({});
    for (bool& live : live_)
        live = false;
    TIBCustomDataSet::Unprepare();
}

// ---- Editing ----

void TIBDataSet::CheckModifiable() const {
    if (!Modifiable()) DatabaseError("Cannot modify a read-only dataset");
}

void TIBDataSet::ResolvePendingRecord() {
    if (Modified())
        Post();
    else
        Cancel();
}

void TIBDataSet::Edit() {
    if (State() == dsEdit || State() == dsInsert) return;
    if (IsEmpty()) return Insert();
    CheckBrowseMode();
    CheckModifiable();
    if (!CanModify()) RaiseClientError(ClientError::CannotUpdate);
    RunEvent(BeforeEdit);
    try {
        TakeOldValues();
        SetState(dsEdit);
    } catch (const EDatabaseError& error) {
        if (OnEditError) OnEditError(*this, error);
        throw;
    }
    ClearModified();
    RunEvent(AfterEdit);
}

void TIBDataSet::Insert() {
    BeginInsert(false);
}

void TIBDataSet::Append() {
    BeginInsert(true);
}

// No key is generated: the new record's columns stay NULL until written.
void TIBDataSet::BeginInsert(bool append) {
    CheckBrowseMode();
    CheckModifiable();
    if (!CanInsert()) RaiseClientError(ClientError::CannotInsert);
    RunEvent(BeforeInsert);
    RunEvent(BeforeScroll);
    OpenNewRecord(append);
    SetState(dsInsert);
    try {
        RunEvent(OnNewRecord);
    } catch (...) {
        DropNewRecord(false);
        SetState(dsBrowse);
        Resync();
        throw;
    }
    ClearModified();
    NotifySources(&TDataSource::NotifyDataChanged);
    RunEvent(AfterInsert);
    RunEvent(AfterScroll);
}

void TIBDataSet::Post() {
    if (State() != dsEdit && State() != dsInsert)
        DatabaseError("Dataset not in edit or insert mode");
    NotifySources(&TDataSource::NotifyUpdateData);
    RunEvent(BeforePost);
    CheckRequiredFields();
    TIBSQL& statement = PostStatement();
    // Without a key to check the cursor's later rows against, they are all fetched before.
    if (!ActiveRowIdentified()) FetchAll();
    ExecuteUpdate(statement, OnPostError);
    FinishPost();
}

void TIBDataSet::CheckRequiredFields() const {
    for (int i = 0; i < FieldCount(); ++i) {
        const TField& field = Fields(i);
        if (field.Required() && !field.ReadOnly() && field.IsNull())
            throw EDatabaseError("Field '" + field.DisplayName() + "' must have a value");
    }
}

TIBSQL& TIBDataSet::PostStatement() {
    if (State() == dsEdit) {
        if (!CanModify()) RaiseClientError(ClientError::CannotUpdate);
        return updates_[opModify];
    }
    if (!CanInsert()) RaiseClientError(ClientError::CannotInsert);
    return updates_[opInsert];
}

// Nothing of the record changes before the statement succeeded.
void TIBDataSet::ExecuteUpdate(TIBSQL& statement, const ErrorEvent& onError) {
    try {
        FillUpdateParams(statement.Params(), Columns(), Layout(), ActiveRecordData(),
                         OldValuesData());
        statement.Execute();
    } catch (const EDatabaseError& error) {
        if (onError) onError(*this, error);
        throw;
    }
}

// The row is written by now, so a failed re-read still leaves the dataset browsing it.
void TIBDataSet::FinishPost() {
    if (State() == dsInsert)
        StoreNewRecord();
    else
        StoreActiveRecord();
    ClearModified();
    std::exception_ptr failure;
    if ((forcedRefresh_ || NeedsRefresh()) && CanRefresh()) {
        try {
            RefreshActiveRecord();
        } catch (...) {
            failure = std::current_exception();
        }
    }
    if (Active()) {
        RememberPostedRow();
        SetState(dsBrowse);
        Resync();
    }
    if (failure) std::rethrow_exception(failure);
    RunEvent(AfterPost);
}

void TIBDataSet::Cancel() {
    const TDataSetState state = State();
    if (state != dsEdit && state != dsInsert) return;
    RunEvent(BeforeCancel);
    if (state == dsInsert) RunEvent(BeforeScroll);
    if (state == dsEdit)
        RestoreOldValues();
    else
        DropNewRecord(true);
    SetState(dsBrowse);
    Resync();
    RunEvent(AfterCancel);
    if (state == dsInsert) RunEvent(AfterScroll);
}

// The row counts as deleted even when the statement found none.
void TIBDataSet::Delete() {
    CheckActive();
    if (State() == dsInsert) return Cancel();
    if (IsEmpty()) DatabaseError("Cannot perform this operation on an empty dataset");
    if (!CanDelete()) RaiseClientError(ClientError::CannotDelete);
    RunEvent(BeforeDelete);
    RunEvent(BeforeScroll);
    ExecuteUpdate(updates_[opDelete], OnDeleteError);
    DeleteActiveRecord();
    SetState(dsBrowse);
    Resync();
    RunEvent(AfterDelete);
    RunEvent(AfterScroll);
}

void TIBDataSet::RefreshRow() {
    CheckBrowseMode();
    if (!CanRefresh()) RaiseClientError(ClientError::CannotRefresh);
    RunEvent(BeforeRefresh);
    RefreshActiveRecord();
    Resync();
    RunEvent(AfterRefresh);
}

// When no row comes back the record stays as it was; the cursor is closed in every case.
void TIBDataSet::RefreshActiveRecord() {
    TIBSQL& statement = updates_[opRefresh];
    FillUpdateParams(statement.Params(), Columns(), Layout(), ActiveRecordData(), OldValuesData());
    statement.Execute();
    try {
        if (TIBXSQLDA* row = statement.Fetch()) ReplaceActiveValues(*row);
    } catch (...) {
        try {
            statement.CloseRows();
        } catch (...) {
        }
        throw;
    }
    statement.CloseRows();
}
