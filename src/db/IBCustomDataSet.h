#pragma once

#include "db/Fields.h"
#include "db/IBBase.h"
#include "db/IBSQL.h"
#include "db/PostedRows.h"
#include "db/RecordCache.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TDataSource;

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

// The reading side of a result set: record cache, cursor, fields and the window of records
// attached views read through. Queries and editable datasets derive from it.
class TIBCustomDataSet {
public:
    using Event = std::function<void(TIBCustomDataSet&)>;

    TIBCustomDataSet();
    virtual ~TIBCustomDataSet();
    TIBCustomDataSet(const TIBCustomDataSet&) = delete;
    TIBCustomDataSet& operator=(const TIBCustomDataSet&) = delete;

    // The component name that prefixes dataset errors.
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    TIBDatabase* Database() const { return base_.Database(); }
    void SetDatabase(TIBDatabase* database);
    TIBTransaction* Transaction() const { return base_.Transaction(); }
    void SetTransaction(TIBTransaction* transaction);
    int BufferChunks() const { return bufferChunks_; }
    void SetBufferChunks(int records) { bufferChunks_ = records > 0 ? records : 1; }
    bool UniDirectional() const { return uniDirectional_; }
    void SetUniDirectional(bool value);

    void Open();
    void Close();
    bool Active() const { return state_ != dsInactive; }
    TDataSetState State() const { return state_; }
    bool Prepared() const { return prepared_; }
    // Closed: both true.
    bool AtStart() const { return atStart_; }
    bool AtEnd() const { return atEnd_; }
    bool IsEmpty() const { return window_.empty(); }

    void First();
    void Next();
    void Prior();
    void Last();
    // Moves up to distance rows (backwards when negative); the rows actually moved.
    int MoveBy(int distance);
    // 1-based; 0 when closed or empty. A record being inserted repeats the number of the row
    // current at the insert until a field of it is written, then has the number it will get.
    int RecordNumber() const;
    void SetRecordNumber(int number);
    int RecordCount() const;
    // The row number as four little-endian bytes; empty when there is no stored row.
    std::string Bookmark() const;
    void SetBookmark(const std::string& bookmark);
    static int BookmarkOrder(const std::string& a, const std::string& b);

    // Rows the filter rejects are passed over by navigation and left out of the record numbers
    // and the count. Every row is fetched first; the filter is asked about each stored row, by
    // its bookmark's row number, while the fields read that row. The cursor goes to the first
    // row shown. An empty filter shows every row again; closing drops the filter.
    using RowFilter = std::function<bool(int row)>;
    void SetRowFilter(const RowFilter& accept);
    bool Filtered() const { return filtered_; }

    // Ignoring case; "Field '%s' not found" otherwise.
    TField& Field(const std::string& name) const;
    TField* FindField(const std::string& name) const;
    int FieldCount() const { return static_cast<int>(fields_.size()); }
    TField& Fields(int index) const { return *fields_[static_cast<std::size_t>(index)]; }
    const std::vector<TFieldDef>& FieldDefs() const { return fieldDefs_; }
    // Some column lacks a default value or is computed: posted rows must be read back.
    bool NeedsRefresh() const { return needsRefresh_; }
    bool Modified() const { return modified_; }

    // In edit or insert: views write pending text, then the pending record is resolved.
    void CheckBrowseMode();

    // Editing. A result set that cannot modify refuses every change with "Cannot modify a
    // read-only dataset"; the editable dataset overrides these.
    virtual bool Modifiable() const { return false; }
    virtual void Edit();
    // A blank record at the cursor.
    virtual void Insert();
    // A blank record after the last row.
    virtual void Append();
    virtual void Post();
    virtual void Cancel() {}
    virtual void Delete();
    // Re-reads the current row from the database.
    virtual void RefreshRow();

    // The window of records for attached views.
    int WindowRecordCount() const { return static_cast<int>(window_.size()); }
    int ActiveRecordIndex() const { return activeIndex_; }
    // Makes another record of the window the one fields read (views painting rows); returns
    // the previous index.
    int SetActiveRecordIndex(int index);
    // Holds the views (no repaint per change) until the matching EnableControls, which tells
    // them the data changed as a whole.
    void DisableControls() { ++disableCount_; }
    void EnableControls();
    bool ControlsDisabled() const { return disableCount_ > 0; }
    void AddDataSource(TDataSource& source);
    void RemoveDataSource(TDataSource& source);
    // A link's window size changed.
    void UpdateBufferCount();

    // Bytes of the record cache; the bytes of a full-width record.
    std::size_t CacheBytes() const { return cache_.AllocatedBytes(); }
    int RecordSize() const { return layout_.RecordSize(); }

    // For fields.
    const char* ActiveFieldData(int column, int* length) const;
    void WriteField(TField& field, const void* data, int length);
    const TIBBase& Link() const { return base_; }
    [[noreturn]] void DatabaseError(const std::string& message) const;

    Event BeforeOpen;
    Event AfterOpen;
    Event BeforeClose;
    Event AfterClose;
    Event BeforeScroll;
    Event AfterScroll;

protected:
    // The row number a record being inserted has in the window.
    static constexpr int kNewRecordRow = -1;

    TIBSQL& SelectStatement() { return select_; }
    // A further statement of the result set: linked to its connection and transaction, and
    // released whenever the result set unprepares.
    void AddStatement(TIBSQL& statement);
    // Connection checked and connected, transaction started; true when this call started it.
    bool PrepareConnection();
    // Prepares the select and builds the field definitions.
    virtual void InternalPrepare();
    // Fills the select's parameters before it runs.
    virtual void BindParams() {}
    // Releases every statement; a transaction end or disconnect does it too.
    virtual void Unprepare();
    void CheckNotOpen() const;
    void CheckActive() const;
    void SetState(TDataSetState state);
    void ClearModified() { modified_ = false; }
    // The edit and insert states belong to editable datasets, which post or cancel the pending
    // record here; a result set that cannot edit simply returns to browsing.
    virtual void ResolvePendingRecord() { SetState(dsBrowse); }
    // Writes go to a full-width copy of the active record, made on the first write; storing it
    // puts it back into the cache compactly.
    char* WorkingRecord();
    void StoreWorkingRecord();
    void RunEvent(const Event& event) {
        if (event) event(*this);
    }
    void NotifySources(void (TDataSource::*notify)());

    // Editing support (DataSetEditing.cpp).
    const RecordLayout& Layout() const { return layout_; }
    const TIBXSQLDA& Columns() { return select_.Current(); }
    // The record fields read; null when there is none.
    const char* ActiveRecordData() const { return ActiveRecord(); }
    // The active record as it was before editing: the old-values snapshot when it belongs to the
    // current row, else the row as cached; a record being inserted is its own.
    const char* OldValuesData() const;
    void TakeOldValues();
    // Every write since TakeOldValues undone, in the record and the cache.
    void RestoreOldValues();
    // A blank record (every column NULL) at the cursor, or after the last row.
    void OpenNewRecord(bool append);
    // The rest of the select's rows into the cache.
    void FetchAll();
    // A field of the record being inserted was written.
    bool NewRecordWritten() const;
    // The new record dropped; the cursor on the row current before, or, when followWrites is set
    // and the record was written, on the row numbered like the next new row.
    void DropNewRecord(bool followWrites);
    // The new record stored as the next row after every fetched one, and made current.
    void StoreNewRecord();
    // The active record marked unmodified and stored in the cache.
    void StoreActiveRecord();
    // The active row marked deleted; the cursor moves to a neighbour.
    void DeleteActiveRecord();
    // Columns of a row read again replace the active record's values by name; client error
    // InvalidDataConversion when one does not match its column's type.
    void ReplaceActiveValues(TIBXSQLDA& columns);
    // The window read again around the current row; views told.
    void Resync();
    // The select's columns that tell one row from another; none when no columns do.
    void SetRowKey(std::vector<int> columns) { posted_.SetKey(std::move(columns)); }
    // The active record can be told apart from the rows the cursor has yet to return.
    bool ActiveRowIdentified() const;
    // The active row was just posted: should the cursor return it again, it is passed over.
    void RememberPostedRow();

private:
    enum class Direction { Next, Prior };

    void InternalOpen();
    void OpenCursor();
    void CloseDataSet();
    void InternalClose();
    void BuildFieldDefs();
    TFieldDef DefOf(TIBXSQLVAR& column);
    void ApplySchema(TFieldDef& def, TIBXSQLVAR& column);
    void CloseForEnd();
    bool FetchRow();
    void CheckCursorComplete() const;
    bool RowAvailable(int row);
    bool IsDeleted(int row) const;
    // A unidirectional result set keeps only its last rows.
    void CheckRowKept(int row) const;
    int Step(int row, Direction direction);
    // The next row in the direction the filter lets through, deleted or not; beyond the stored
    // rows when there is none.
    int Adjacent(int row, int delta) const;
    bool Shown(int row) const;
    // The record number of a stored row, and the row of a record number.
    int NumberOf(int row) const;
    int RowOf(int number) const;
    // Rows that have record numbers, deleted ones included.
    int NumberedRows() const { return NumberOf(cache_.Count()) - 1; }
    void FilterRows(const RowFilter& accept);
    bool Move(Direction direction);
    // Tells the views and runs AfterScroll.
    void Scrolled(int previousRow);
    void PlaceWindow(int row, int preferredIndex);
    int BufferCount() const;
    int ActiveRow() const;
    char* ActiveRecord() const;
    // Re-places the window around the current row, keeping a record being inserted in it.
    void RebuildWindow();
    void InsertNewRecordSlot();
    void DropOldValues();
    // Posted rows are told apart by key; a unidirectional cache has no room for a passed-over row.
    bool RowsKeyed() const { return posted_.HasKey() && !uniDirectional_; }

    TIBBase base_;
    TIBSQL select_;
    std::vector<TIBSQL*> statements_;
    std::string name_;
    int bufferChunks_ = 1000;
    bool uniDirectional_ = false;
    TDataSetState state_ = dsInactive;
    bool prepared_ = false;
    bool needsRefresh_ = false;
    bool modified_ = false;
    std::vector<TFieldDef> fieldDefs_;
    std::vector<std::unique_ptr<TField>> fields_;
    RecordLayout layout_;
    RecordCache cache_;
    // The full-width record being written: a stored row's (workingRow_), or the new record.
    std::vector<char> working_;
    int workingRow_ = -1;
    bool newRecord_ = false;
    bool appending_ = false;
    int insertedAtNumber_ = 0;
    std::vector<char> oldValues_;
    int oldValuesRow_ = -1;
    int currentRow_ = -1;
    int deletedCount_ = 0;
    // Rows posted since the open, which the cursor does not store again.
    PostedRows posted_;
    // The filter's verdicts cover the rows stored when it was set; later rows (posted
    // inserts) are shown. Rows deleted before it are not among the shown ones.
    bool filtered_ = false;
    std::vector<int> shown_;
    int filteredRows_ = 0;
    int deletedAtFilter_ = 0;
    // The row the filter is asked about, read by the fields meanwhile; -1 otherwise.
    int testedRow_ = -1;
    // The failure of the select's cursor, raised again by every later fetch.
    std::exception_ptr fetchFailure_;
    bool atStart_ = true;
    bool atEnd_ = true;
    std::vector<int> window_;
    int activeIndex_ = 0;
    std::vector<TDataSource*> sources_;
    int disableCount_ = 0;
};
