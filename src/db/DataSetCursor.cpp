// Cursor movement, record numbers, bookmarks and the window of records of a result set.
#include "db/DataSource.h"
#include "db/IBCustomDataSet.h"

#include <algorithm>
#include <cstdint>
#include <exception>

namespace {
constexpr std::size_t kBookmarkSize = 4;

int BookmarkRow(const std::string& bookmark) {
    std::uint32_t row = 0;
    for (std::size_t i = kBookmarkSize; i-- > 0;)
        row = (row << 8) | static_cast<unsigned char>(bookmark[i]);
    return static_cast<int>(row);
}
} // namespace

bool TIBCustomDataSet::FetchRow() {
    if (!select_.Open()) return false;
    for (;;) {
        TIBXSQLDA* row = nullptr;
        try {
            row = select_.Fetch();
        } catch (...) {
            if (Active()) fetchFailure_ = std::current_exception();
            throw;
        }
        if (!row) return false;
        char* record = cache_.Append();
        const int bytes = layout_.StoreRow(*row, record, cache_.Count());
        // A posted row met again keeps the number it got when posted.
        if (posted_.Contains(layout_, record)) continue;
        cache_.CommitAppend(bytes);
        return true;
    }
}

// The rows a failed cursor did not deliver never count as the end of the result.
void TIBCustomDataSet::CheckCursorComplete() const {
    if (fetchFailure_) std::rethrow_exception(fetchFailure_);
}

void TIBCustomDataSet::FetchAll() {
    while (FetchRow()) {
    }
}

bool TIBCustomDataSet::RowAvailable(int row) {
    while (row >= cache_.Count() && FetchRow()) {
    }
    return row < cache_.Count();
}

bool TIBCustomDataSet::IsDeleted(int row) const {
    return RecordLayout::Header(cache_.Record(row)).updateStatus == UpdateStatus::Deleted;
}

// The next stored row in the direction that is not deleted; -1 when there is none.
int TIBCustomDataSet::Step(int row, Direction direction) {
    const int delta = direction == Direction::Next ? 1 : -1;
    if (direction == Direction::Prior && uniDirectional_) return -1;
    for (int r = Adjacent(row, delta); r >= 0 && RowAvailable(r); r = Adjacent(r, delta))
        if (!IsDeleted(r)) return r;
    return -1;
}

int TIBCustomDataSet::Adjacent(int row, int delta) const {
    const int next = row + delta;
    if (!filtered_ || next >= filteredRows_) return next;
    if (delta > 0) {
        const auto found = std::lower_bound(shown_.begin(), shown_.end(), next);
        return found == shown_.end() ? filteredRows_ : *found;
    }
    const auto found = std::upper_bound(shown_.begin(), shown_.end(), next);
    return found == shown_.begin() ? -1 : *(found - 1);
}

bool TIBCustomDataSet::Shown(int row) const {
    return !filtered_ || row >= filteredRows_ ||
           std::binary_search(shown_.begin(), shown_.end(), row);
}

int TIBCustomDataSet::NumberOf(int row) const {
    if (!filtered_ || row < 0) return row + 1;
    if (row >= filteredRows_) return static_cast<int>(shown_.size()) + row - filteredRows_ + 1;
    return static_cast<int>(std::lower_bound(shown_.begin(), shown_.end(), row) - shown_.begin()) +
           1;
}

int TIBCustomDataSet::RowOf(int number) const {
    const int index = number - 1;
    if (!filtered_) return index;
    const int shown = static_cast<int>(shown_.size());
    return index < shown ? shown_[static_cast<std::size_t>(index)] : filteredRows_ + index - shown;
}

// The window holds the row at the preferred position when there are rows enough around it.
void TIBCustomDataSet::PlaceWindow(int row, int preferredIndex) {
    const int size = BufferCount();
    // No view shows more than the row: a reading loop's every step.
    if (size == 1) {
        window_.assign(1, row);
        activeIndex_ = 0;
        currentRow_ = row;
        return;
    }
    const int preferred = std::clamp(preferredIndex, 0, size - 1);
    std::vector<int> before;
    for (int r = row; static_cast<int>(before.size()) < preferred;) {
        if ((r = Step(r, Direction::Prior)) < 0) break;
        before.push_back(r);
    }
    std::vector<int> after;
    for (int r = row; static_cast<int>(before.size() + after.size()) + 1 < size;) {
        if ((r = Step(r, Direction::Next)) < 0) break;
        after.push_back(r);
    }
    for (int r = before.empty() ? row : before.back();
         static_cast<int>(before.size() + after.size()) + 1 < size;) {
        if ((r = Step(r, Direction::Prior)) < 0) break;
        before.push_back(r);
    }
    window_.assign(before.rbegin(), before.rend());
    activeIndex_ = static_cast<int>(window_.size());
    window_.push_back(row);
    window_.insert(window_.end(), after.begin(), after.end());
    currentRow_ = row;
}

bool TIBCustomDataSet::Move(Direction direction) {
    const int row = Step(currentRow_, direction);
    if (row < 0) return false;
    PlaceWindow(row, activeIndex_ + (direction == Direction::Next ? 1 : -1));
    return true;
}

void TIBCustomDataSet::Scrolled(int previousRow) {
    const int distance = currentRow_ - previousRow;
    if (disableCount_ == 0)
        for (TDataSource* source : std::vector<TDataSource*>(sources_))
            source->NotifyScrolled(distance);
    RunEvent(AfterScroll);
}

void TIBCustomDataSet::Next() {
    CheckBrowseMode();
    RunEvent(BeforeScroll);
    if (atEnd_) return;
    atStart_ = atEnd_ = false;
    const int previous = currentRow_;
    if (!Move(Direction::Next)) {
        CheckCursorComplete();
        atEnd_ = true;
    }
    Scrolled(previous);
}

void TIBCustomDataSet::Prior() {
    CheckBrowseMode();
    if (uniDirectional_) DatabaseError("Operation not allowed on a unidirectional dataset");
    RunEvent(BeforeScroll);
    if (atStart_) return;
    atStart_ = atEnd_ = false;
    const int previous = currentRow_;
    if (!Move(Direction::Prior)) atStart_ = true;
    Scrolled(previous);
}

void TIBCustomDataSet::CheckRowKept(int row) const {
    if (row < cache_.FirstKept())
        DatabaseError("Operation not allowed on a unidirectional dataset");
}

void TIBCustomDataSet::First() {
    CheckBrowseMode();
    CheckRowKept(0);
    RunEvent(BeforeScroll);
    const int previous = currentRow_;
    const int row = Step(-1, Direction::Next);
    if (row >= 0) PlaceWindow(row, 0);
    atStart_ = true;
    atEnd_ = row < 0;
    Scrolled(previous);
}

void TIBCustomDataSet::Last() {
    CheckBrowseMode();
    if (uniDirectional_) DatabaseError("Operation not allowed on a unidirectional dataset");
    RunEvent(BeforeScroll);
    FetchAll();
    CheckCursorComplete();
    const int previous = currentRow_;
    const int row = Step(cache_.Count(), Direction::Prior);
    if (row >= 0) PlaceWindow(row, BufferCount() - 1);
    atStart_ = row < 0;
    atEnd_ = true;
    Scrolled(previous);
}

int TIBCustomDataSet::MoveBy(int distance) {
    int moved = 0;
    for (; distance > 0 && !atEnd_; --distance) {
        Next();
        if (!atEnd_) ++moved;
    }
    for (; distance < 0 && !atStart_; ++distance) {
        Prior();
        if (!atStart_) --moved;
    }
    return moved;
}

int TIBCustomDataSet::RecordNumber() const {
    if (!Active() || window_.empty()) return 0;
    const int row = window_[static_cast<std::size_t>(activeIndex_)];
    if (row != kNewRecordRow) return NumberOf(row);
    return NewRecordWritten() ? NumberOf(cache_.Count()) : insertedAtNumber_;
}

void TIBCustomDataSet::SetRecordNumber(int number) {
    CheckBrowseMode();
    number = std::max(number, 1);
    if (number > NumberedRows()) {
        FetchAll();
        if (number > NumberedRows()) CheckCursorComplete();
        number = std::min(number, NumberedRows());
    }
    if (number == RecordNumber()) return;
    int row = RowOf(number);
    CheckRowKept(row);
    if (IsDeleted(row)) row = std::max(Step(row, Direction::Next), Step(row, Direction::Prior));
    if (row < 0) return; // every row is deleted
    RunEvent(BeforeScroll);
    const int previous = currentRow_;
    PlaceWindow(row, BufferCount() / 2);
    atStart_ = atEnd_ = false;
    Scrolled(previous);
}

int TIBCustomDataSet::RecordCount() const {
    return Active() ? NumberedRows() - (deletedCount_ - deletedAtFilter_) : 0;
}

std::string TIBCustomDataSet::Bookmark() const {
    if (!Active() || window_.empty()) return {};
    const int active = window_[static_cast<std::size_t>(activeIndex_)];
    if (active < 0) return {};
    std::string bookmark(kBookmarkSize, '\0');
    const auto row = static_cast<std::uint32_t>(active);
    for (std::size_t i = 0; i < kBookmarkSize; ++i)
        bookmark[i] = static_cast<char>((row >> (8 * i)) & 0xFF);
    return bookmark;
}

void TIBCustomDataSet::SetBookmark(const std::string& bookmark) {
    if (bookmark.empty()) return;
    CheckBrowseMode();
    RunEvent(BeforeScroll);
    const int row = bookmark.size() == kBookmarkSize ? BookmarkRow(bookmark) : -1;
    if (row < 0 || row >= cache_.Count()) DatabaseError("Record not found");
    CheckRowKept(row);
    if (IsDeleted(row) || !Shown(row)) DatabaseError("Record not found");
    const int previous = currentRow_;
    PlaceWindow(row, BufferCount() / 2);
    atStart_ = atEnd_ = false;
    Scrolled(previous);
}

int TIBCustomDataSet::BookmarkOrder(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return a.empty() == b.empty() ? 0 : (a.empty() ? 1 : -1);
    const int rowA = BookmarkRow(a);
    const int rowB = BookmarkRow(b);
    return rowA < rowB ? -1 : rowA > rowB ? 1 : 0;
}

int TIBCustomDataSet::SetActiveRecordIndex(int index) {
    const int previous = activeIndex_;
    if (index >= 0 && index < static_cast<int>(window_.size())) activeIndex_ = index;
    return previous;
}

void TIBCustomDataSet::SetRowFilter(const RowFilter& accept) {
    CheckBrowseMode();
    if (accept && uniDirectional_)
        DatabaseError("Operation not allowed on a unidirectional dataset");
    RunEvent(BeforeScroll);
    if (accept) {
        FetchAll();
        CheckCursorComplete();
    }
    FilterRows(accept);
    window_.clear();
    activeIndex_ = 0;
    currentRow_ = -1;
    const int first = Step(-1, Direction::Next);
    if (first >= 0) PlaceWindow(first, 0);
    atStart_ = true;
    atEnd_ = first < 0;
    NotifySources(&TDataSource::NotifyDataChanged);
    RunEvent(AfterScroll);
}

// A filter that fails leaves the rows shown as they were.
void TIBCustomDataSet::FilterRows(const RowFilter& accept) {
    std::vector<int> shown;
    if (accept) {
        struct Untested {
            int& row;
            ~Untested() { row = -1; }
        } untested{testedRow_};
        for (int row = 0; row < cache_.Count(); ++row) {
            if (IsDeleted(row)) continue;
            testedRow_ = row;
            if (accept(row)) shown.push_back(row);
        }
    }
    shown_ = std::move(shown);
    filtered_ = static_cast<bool>(accept);
    filteredRows_ = filtered_ ? cache_.Count() : 0;
    deletedAtFilter_ = filtered_ ? deletedCount_ : 0;
}
