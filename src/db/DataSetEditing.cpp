// The records of a result set being edited, inserted and deleted.
#include "db/DataSource.h"
#include "db/IBCustomDataSet.h"
#include "db/IBErrors.h"

#include <algorithm>
#include <utility>

const char* TIBCustomDataSet::OldValuesData() const {
    const int row = ActiveRow();
    if (row == kNewRecordRow && newRecord_) return working_.data();
    if (row < 0) return nullptr;
    if (row == oldValuesRow_) return oldValues_.data();
    return cache_.Record(row);
}

void TIBCustomDataSet::TakeOldValues() {
    const char* record = ActiveRecord();
    if (!record) RaiseClientError(ClientError::BufferNotSet);
    oldValues_.resize(static_cast<std::size_t>(layout_.RecordSize()));
    layout_.Expand(record, oldValues_.data());
    oldValuesRow_ = ActiveRow();
}

// The snapshot serves one edit only: a later delete or edit of the row reads the row as posted.
void TIBCustomDataSet::DropOldValues() {
    oldValues_.clear();
    oldValuesRow_ = -1;
}

void TIBCustomDataSet::RestoreOldValues() {
    if (oldValuesRow_ < 0) return;
    StoreWorkingRecord();
    working_ = oldValues_;
    workingRow_ = oldValuesRow_;
    StoreWorkingRecord();
    DropOldValues();
}

// An append follows the last row, so it fetches every row first; so does an insert when no key
// tells a posted row from those the open cursor has yet to return.
void TIBCustomDataSet::OpenNewRecord(bool append) {
    StoreWorkingRecord();
    if (append || !RowsKeyed()) FetchAll();
    if (append) {
        currentRow_ = Step(cache_.Count(), Direction::Prior);
        activeIndex_ = BufferCount() - 1;
        atStart_ = false;
        atEnd_ = true;
    }
    insertedAtNumber_ = NumberOf(currentRow_);
    working_.assign(static_cast<std::size_t>(layout_.RecordSize()), '\0');
    layout_.InitRecord(working_.data(), -1);
    newRecord_ = true;
    appending_ = append;
    RebuildWindow();
}

// The new record takes the cursor's place, or follows the last row; the window keeps its size.
void TIBCustomDataSet::InsertNewRecordSlot() {
    const int size = BufferCount();
    const int index = appending_ || window_.empty()
                          ? static_cast<int>(window_.size())
                          : std::clamp(activeIndex_, 0, static_cast<int>(window_.size()));
    window_.insert(window_.begin() + index, kNewRecordRow);
    activeIndex_ = index;
    if (static_cast<int>(window_.size()) <= size) return;
    if (activeIndex_ == static_cast<int>(window_.size()) - 1) {
        window_.erase(window_.begin());
        --activeIndex_;
    } else {
        window_.pop_back();
    }
}

void TIBCustomDataSet::RebuildWindow() {
    if (currentRow_ >= 0) {
        PlaceWindow(currentRow_, activeIndex_);
    } else {
        window_.clear();
        activeIndex_ = 0;
    }
    if (newRecord_) InsertNewRecordSlot();
    if (window_.empty()) atStart_ = atEnd_ = true;
}

bool TIBCustomDataSet::NewRecordWritten() const {
    return newRecord_ &&
           RecordLayout::Header(working_.data()).updateStatus == UpdateStatus::Inserted;
}

void TIBCustomDataSet::DropNewRecord(bool followWrites) {
    if (!newRecord_) return;
    const bool written = followWrites && NewRecordWritten();
    newRecord_ = false;
    if (!written) return;
    const int next = cache_.Count();
    currentRow_ = RowAvailable(next) ? next : Step(cache_.Count(), Direction::Prior);
}

void TIBCustomDataSet::StoreNewRecord() {
    const int row = cache_.Count();
    RecordHeader& header = RecordLayout::Header(working_.data());
    header.rowNumber = row;
    header.updateStatus = UpdateStatus::Unmodified;
    layout_.Compact(working_.data(), cache_.Append());
    cache_.CommitAppend(layout_.CompactSize(working_.data()));
    newRecord_ = false;
    std::replace(window_.begin(), window_.end(), kNewRecordRow, row);
    // The first row of an empty result: the cursor stands on it, not beyond either end.
    if (currentRow_ < 0) atStart_ = atEnd_ = false;
    currentRow_ = row;
}

void TIBCustomDataSet::StoreActiveRecord() {
    char* record = WorkingRecord();
    if (!record) RaiseClientError(ClientError::BufferNotSet);
    RecordLayout::Header(record).updateStatus = UpdateStatus::Unmodified;
    StoreWorkingRecord();
    DropOldValues();
}

void TIBCustomDataSet::DeleteActiveRecord() {
    char* record = WorkingRecord();
    if (!record) RaiseClientError(ClientError::BufferNotSet);
    RecordLayout::Header(record).updateStatus = UpdateStatus::Deleted;
    StoreWorkingRecord();
    DropOldValues();
    ++deletedCount_;
    const int row = currentRow_;
    currentRow_ = Step(row, Direction::Next);
    if (currentRow_ < 0) currentRow_ = Step(row, Direction::Prior);
}

void TIBCustomDataSet::ReplaceActiveValues(TIBXSQLDA& columns) {
    std::vector<std::pair<int, int>> matched;
    for (int i = 0; i < columns.Count(); ++i) {
        const int column = select_.Current().IndexOf(columns.Var(i).Name());
        if (column < 0) continue;
        if (!layout_.Matches(columns.Var(i), column))
            RaiseClientError(ClientError::InvalidDataConversion);
        matched.emplace_back(i, column);
    }
    char* record = WorkingRecord();
    if (!record) RaiseClientError(ClientError::BufferNotSet);
    for (const auto& [slot, column] : matched)
        layout_.StoreColumn(columns.Var(slot), column, record);
    RecordLayout::Header(record).updateStatus = UpdateStatus::Unmodified;
    StoreWorkingRecord();
}

bool TIBCustomDataSet::ActiveRowIdentified() const {
    const char* record = ActiveRecord();
    return RowsKeyed() && record && posted_.Identifies(layout_, record);
}

void TIBCustomDataSet::RememberPostedRow() {
    if (const char* record = ActiveRecord(); RowsKeyed() && record) posted_.Add(layout_, record);
}

void TIBCustomDataSet::Resync() {
    RebuildWindow();
    NotifySources(&TDataSource::NotifyDataChanged);
}
