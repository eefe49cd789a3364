#include "db/IBCustomDataSet.h"

#include "db/DataSource.h"
#include "db/IBDatabase.h"
#include "db/IBErrors.h"
#include "db/IBTransaction.h"
#include "db/Schema.h"
#include "platform/Cp1251.h"
#include "platform/Exceptions.h"

#include <algorithm>
#include <cstring>
#include <exception>

namespace {
constexpr const char* kDbKeyColumn = "IB_INTERNAL_DBKEY";
constexpr int kFloatPrecision = 15;

// Whole numbers by width at scale 0, four decimals down to scale -4, a float's data type below.
void DescribeInteger(TFieldDef& def, short type, short scale) {
    static constexpr int kPrecisions[] = {4, 9, 18};
    const int width = type == sqltShort ? 0 : type == sqltLong ? 1 : 2;
    def.scale = scale;
    if (scale == 0) {
        static constexpr TFieldType kTypes[] = {ftSmallint, ftInteger, ftLargeint};
        def.dataType = kTypes[width];
    } else if (scale >= -4) {
        def.dataType = ftBCD;
        def.precision = kPrecisions[width];
        def.size = -scale;
    } else {
        def.dataType = ftFloat;
        def.precision = kFloatPrecision;
    }
}

// ftUnknown for columns that get no field.
TFieldType PlainType(short type) {
    switch (type) {
    case sqltDouble:
    case sqltFloat:
    case sqltDFloat:
        return ftFloat;
    case sqltDate:
        return ftDate;
    case sqltTime:
        return ftTime;
    case sqltTimestamp:
        return ftDateTime;
    default:
        return ftUnknown;
    }
}
} // namespace

TIBCustomDataSet::TIBCustomDataSet() {
    select_.SetGoToFirstRecordOnExecute(false);
    select_.OnSQLChanging = [this] {
        Close();
        Unprepare();
    };
    base_.BeforeTransactionEnd = [this] { CloseForEnd(); };
    base_.BeforeDatabaseDisconnect = [this] { CloseForEnd(); };
    base_.OnConnectChange = [this](bool connected) {
        if (!connected) CloseForEnd();
    };
    base_.IsOpenResultSet = [this] { return Active(); };
}

TIBCustomDataSet::~TIBCustomDataSet() {
    try {
        CloseDataSet();
    } catch (...) {
    }
    for (TDataSource* source : std::vector<TDataSource*>(sources_))
        source->SetDataSet(nullptr);
}

void TIBCustomDataSet::SetDatabase(TIBDatabase* database) {
    if (database == Database()) return;
    CheckNotOpen();
    Unprepare();
    base_.SetDatabase(database);
    select_.SetDatabase(database);
    select_.SetTransaction(base_.Transaction());
    for (TIBSQL* statement : statements_) {
        statement->SetDatabase(database);
        statement->SetTransaction(base_.Transaction());
    }
}

void TIBCustomDataSet::SetTransaction(TIBTransaction* transaction) {
    if (transaction == Transaction()) return;
    CheckNotOpen();
    Unprepare();
    base_.SetTransaction(transaction);
    select_.SetTransaction(transaction);
    for (TIBSQL* statement : statements_)
        statement->SetTransaction(transaction);
}

void TIBCustomDataSet::AddStatement(TIBSQL& statement) {
    statement.SetGoToFirstRecordOnExecute(false);
    statement.SetDatabase(Database());
    statement.SetTransaction(Transaction());
    statements_.push_back(&statement);
}

void TIBCustomDataSet::SetUniDirectional(bool value) {
    CheckNotOpen();
    uniDirectional_ = value;
}

void TIBCustomDataSet::CheckNotOpen() const {
    if (Active()) DatabaseError("Cannot perform this operation on an open dataset");
}

void TIBCustomDataSet::CheckActive() const {
    if (!Active()) DatabaseError("Cannot perform this operation on a closed dataset");
}

void TIBCustomDataSet::DatabaseError(const std::string& message) const {
    throw EDatabaseError(name_.empty() ? message : name_ + ": " + message);
}

// ---- Preparation ----

bool TIBCustomDataSet::PrepareConnection() {
    base_.CheckDatabase();
    base_.CheckTransaction();
    if (!Database()->Connected()) Database()->SetConnected(true);
    if (Transaction()->Active()) return false;
    Transaction()->Start();
    return true;
}

void TIBCustomDataSet::InternalPrepare() {
    if (prepared_) return;
    select_.Prepare();
    BuildFieldDefs();
    prepared_ = true;
}

// Every statement is released even when one fails to; the first failure is raised.
void TIBCustomDataSet::Unprepare() {
    prepared_ = false;
    std::exception_ptr failure;
    for (TIBSQL* statement : statements_) {
        try {
            statement->Release();
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
    }
    select_.Release();
    if (failure) std::rethrow_exception(failure);
}

void TIBCustomDataSet::BuildFieldDefs() {
    fieldDefs_.clear();
    needsRefresh_ = false;
    TIBXSQLDA& columns = select_.Current();
    for (int i = 0; i < columns.Count(); ++i) {
        TIBXSQLVAR& column = columns.Var(i);
        if (column.Name() == kDbKeyColumn) continue;
        TFieldDef def = DefOf(column);
        if (def.dataType == ftUnknown) continue;
        ApplySchema(def, column);
        fieldDefs_.push_back(std::move(def));
    }
}

TFieldDef TIBCustomDataSet::DefOf(TIBXSQLVAR& column) {
    TFieldDef def;
    def.name = column.Name();
    def.column = column.Index();
    def.required = !column.Nullable();
    const short type = column.SqlType();
    switch (type) {
    case sqltVarying:
    case sqltText:
        def.dataType = ftString;
        def.size = column.SqlLen();
        def.fixed = type == sqltText;
        break;
    case sqltShort:
    case sqltLong:
    case sqltInt64:
        DescribeInteger(def, type, column.SqlScale());
        break;
    case sqltBlob:
        def.dataType = column.SqlSubtype() == 1 ? ftMemo : ftBlob;
        break;
    default:
        def.dataType = PlainType(type);
        def.precision = def.dataType == ftFloat ? kFloatPrecision : 0;
        break;
    }
    return def;
}

void TIBCustomDataSet::ApplySchema(TFieldDef& def, TIBXSQLVAR& column) {
    const std::string relation = column.RelName();
    const std::string name = column.SqlName();
    TSchema* schema = Database() ? Database()->Schema() : nullptr;
    if (relation.empty() || name.empty() || !schema) return;
    if (schema->Has_COMPUTED_BLR(relation, name)) {
        def.readOnly = true;
        needsRefresh_ = true;
    } else if (!schema->Has_DEFAULT_VALUE(relation, name)) {
        needsRefresh_ = true;
    } else if (!column.Nullable()) {
        def.required = true;
    }
}

// ---- Open and close ----

void TIBCustomDataSet::Open() {
    if (Active()) return;
    RunEvent(BeforeOpen);
    try {
        InternalOpen();
    } catch (...) {
        InternalClose();
        throw;
    }
    SetState(dsBrowse);
    NotifySources(&TDataSource::NotifyActiveChanged);
    RunEvent(AfterOpen);
    if (!IsEmpty()) RunEvent(AfterScroll);
}

void TIBCustomDataSet::InternalOpen() {
    PrepareConnection();
    InternalPrepare();
    BindParams();
    select_.Execute();
    OpenCursor();
}

void TIBCustomDataSet::OpenCursor() {
    if (fields_.empty())
        for (const TFieldDef& def : fieldDefs_)
            fields_.push_back(CreateField(*this, def));
    TIBXSQLDA& columns = select_.Current();
    layout_.Build(columns, columns.IndexOf(kDbKeyColumn));
    cache_.Reset(layout_.RecordSize(), uniDirectional_ ? 2 : bufferChunks_, uniDirectional_);
    currentRow_ = -1;
    deletedCount_ = 0;
    posted_.Clear();
    fetchFailure_ = nullptr;
    const int first = Step(-1, Direction::Next);
    if (first >= 0) PlaceWindow(first, 0);
    atStart_ = true;
    atEnd_ = first < 0;
}

void TIBCustomDataSet::Close() {
    CloseDataSet();
    if (Transaction()) Transaction()->CheckAutoStop();
}

// A cursor that fails to close on the server still leaves the result set closed here.
void TIBCustomDataSet::CloseDataSet() {
    if (!Active()) return;
    RunEvent(BeforeClose);
    std::exception_ptr failure;
    try {
        InternalClose();
    } catch (...) {
        failure = std::current_exception();
    }
    SetState(dsInactive);
    NotifySources(&TDataSource::NotifyActiveChanged);
    if (failure) std::rethrow_exception(failure);
    RunEvent(AfterClose);
}

void TIBCustomDataSet::InternalClose() {
    fields_.clear();
    workingRow_ = -1;
    newRecord_ = false;
    DropOldValues();
    cache_.Clear();
    window_.clear();
    activeIndex_ = 0;
    currentRow_ = -1;
    atStart_ = atEnd_ = true;
    modified_ = false;
    fetchFailure_ = nullptr;
    FilterRows({});
    select_.CloseRows();
}

// A transaction end or disconnect closes without auto-stop: the transaction is ending anyway.
void TIBCustomDataSet::CloseForEnd() {
    try {
        CloseDataSet();
    } catch (...) {
        Unprepare();
        throw;
    }
    Unprepare();
}

// Leaving edit or insert keeps what was written.
void TIBCustomDataSet::SetState(TDataSetState state) {
    if (state == state_) return;
    if (state_ == dsEdit || state_ == dsInsert) StoreWorkingRecord();
    state_ = state;
    if (state == dsBrowse) modified_ = false;
    NotifySources(&TDataSource::NotifyStateChanged);
}

void TIBCustomDataSet::CheckBrowseMode() {
    CheckActive();
    if (state_ != dsEdit && state_ != dsInsert) return;
    NotifySources(&TDataSource::NotifyUpdateData);
    ResolvePendingRecord();
}

void TIBCustomDataSet::Edit() {
    CheckActive();
    DatabaseError("Cannot modify a read-only dataset");
}

void TIBCustomDataSet::Insert() {
    Edit();
}

void TIBCustomDataSet::Append() {
    Edit();
}

void TIBCustomDataSet::Post() {
    DatabaseError("Dataset not in edit or insert mode");
}

void TIBCustomDataSet::Delete() {
    Edit();
}

void TIBCustomDataSet::RefreshRow() {
    Edit();
}

// ---- Fields ----

TField* TIBCustomDataSet::FindField(const std::string& name) const {
    for (const auto& field : fields_)
        if (AnsiSameText(field->FieldName(), name)) return field.get();
    return nullptr;
}

TField& TIBCustomDataSet::Field(const std::string& name) const {
    TField* field = FindField(name);
    if (!field) DatabaseError("Field '" + name + "' not found");
    return *field;
}

int TIBCustomDataSet::ActiveRow() const {
    if (testedRow_ >= 0) return testedRow_;
    if (activeIndex_ < 0 || activeIndex_ >= static_cast<int>(window_.size())) return -1;
    return window_[static_cast<std::size_t>(activeIndex_)];
}

char* TIBCustomDataSet::ActiveRecord() const {
    const int row = ActiveRow();
    if (row == kNewRecordRow && newRecord_) return const_cast<char*>(working_.data());
    if (row < 0) return nullptr;
    if (row == workingRow_) return const_cast<char*>(working_.data());
    return const_cast<RecordCache&>(cache_).Record(row);
}

char* TIBCustomDataSet::WorkingRecord() {
    const int row = ActiveRow();
    if (row == kNewRecordRow && newRecord_) return working_.data();
    // While a record is inserted no other is written: the working copy is the new record.
    if (row < 0 || newRecord_) return nullptr;
    if (row != workingRow_) {
        StoreWorkingRecord();
        working_.resize(static_cast<std::size_t>(layout_.RecordSize()));
        layout_.Expand(cache_.Record(row), working_.data());
        workingRow_ = row;
    }
    return working_.data();
}

void TIBCustomDataSet::StoreWorkingRecord() {
    if (workingRow_ < 0) return;
    cache_.StoreBack(workingRow_, layout_, working_.data());
    workingRow_ = -1;
}

const char* TIBCustomDataSet::ActiveFieldData(int column, int* length) const {
    const char* record = ActiveRecord();
    return record ? layout_.Value(record, column, length) : nullptr;
}

void TIBCustomDataSet::WriteField(TField& field, const void* data, int length) {
    if (state_ != dsEdit && state_ != dsInsert) RaiseClientError(ClientError::NotEditing);
    if (field.ReadOnly())
        throw EDatabaseError("Field '" + field.DisplayName() + "' cannot be modified");
    char* record = WorkingRecord();
    if (!record) RaiseClientError(ClientError::BufferNotSet);
    const int column = field.FieldNo() - 1;
    const ColumnLayout& layout = layout_.Column(column);
    ColumnState& state = RecordLayout::State(record, column);
    state.offset = layout.offset;
    state.isNull = data == nullptr;
    state.length = data ? std::min(length, layout.size) : 0;
    if (data) std::memcpy(record + layout.offset, data, static_cast<std::size_t>(state.length));
    RecordHeader& header = RecordLayout::Header(record);
    header.updateStatus = header.rowNumber < 0 ? UpdateStatus::Inserted : UpdateStatus::Modified;
    modified_ = true;
    if (disableCount_ > 0) return;
    for (TDataSource* source : sources_)
        source->NotifyRecordChanged(&field);
}

// ---- Data sources ----

void TIBCustomDataSet::AddDataSource(TDataSource& source) {
    sources_.push_back(&source);
    UpdateBufferCount();
}

void TIBCustomDataSet::RemoveDataSource(TDataSource& source) {
    sources_.erase(std::remove(sources_.begin(), sources_.end(), &source), sources_.end());
    UpdateBufferCount();
}

void TIBCustomDataSet::EnableControls() {
    if (disableCount_ > 0 && --disableCount_ == 0) NotifySources(&TDataSource::NotifyDataChanged);
}

void TIBCustomDataSet::NotifySources(void (TDataSource::*notify)()) {
    if (disableCount_ > 0) return;
    for (TDataSource* source : std::vector<TDataSource*>(sources_))
        (source->*notify)();
}

int TIBCustomDataSet::BufferCount() const {
    int count = 1;
    for (const TDataSource* source : sources_)
        count = std::max(count, source->LargestBufferCount());
    return count;
}

void TIBCustomDataSet::UpdateBufferCount() {
    if (!Active() || window_.empty()) return;
    if (static_cast<int>(window_.size()) == BufferCount()) return;
    RebuildWindow();
    NotifySources(&TDataSource::NotifyDataChanged);
}
