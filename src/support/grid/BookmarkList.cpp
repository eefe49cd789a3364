#include "support/grid/BookmarkList.h"

#include "db/IBCustomDataSet.h"
#include "platform/Exceptions.h"
#include "support/grid/RecordGrid.h"

void TBookmarkList::Clear() {
    if (items_.empty()) return;
    items_.clear();
    Changed();
    grid_.update();
}

TIBCustomDataSet& TBookmarkList::OpenDataSet() const {
    TIBCustomDataSet* dataSet = grid_.DataSet();
    if (!linkActive_ || !dataSet || !dataSet->Active())
        throw EDatabaseError("Cannot perform this operation on a closed dataset");
    return *dataSet;
}

bool TBookmarkList::CurrentRowSelected() const {
    const std::string bookmark = OpenDataSet().Bookmark();
    int index = 0;
    return !bookmark.empty() && Find(bookmark, index);
}

void TBookmarkList::SetCurrentRowSelected(bool selected) {
    const std::string bookmark = OpenDataSet().Bookmark();
    if (bookmark.empty()) return;
    int index = 0;
    if (Find(bookmark, index) == selected) return;
    if (selected)
        items_.insert(items_.begin() + index, bookmark);
    else
        items_.erase(items_.begin() + index);
    Changed();
    grid_.InvalidateCurrentRow();
}

bool TBookmarkList::Find(const std::string& bookmark, int& index) const {
    if (cacheValid_ && bookmark == cacheBookmark_) {
        index = cacheIndex_;
        return cacheFound_;
    }
    int low = 0;
    int high = Count();
    while (low < high) {
        const int middle = (low + high) / 2;
        if (TIBCustomDataSet::BookmarkOrder(Item(middle), bookmark) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    index = low;
    cacheBookmark_ = bookmark;
    cacheIndex_ = low;
    cacheFound_ = low < Count() && TIBCustomDataSet::BookmarkOrder(Item(low), bookmark) == 0;
    cacheValid_ = true;
    return cacheFound_;
}

// The views are held so the rows do not repaint one by one.
void TBookmarkList::Delete() {
    TIBCustomDataSet& dataSet = OpenDataSet();
    dataSet.DisableControls();
    try {
        while (!items_.empty()) {
            dataSet.SetBookmark(items_.back());
            dataSet.Delete();
            items_.pop_back();
            Changed();
        }
    } catch (...) {
        dataSet.EnableControls();
        throw;
    }
    dataSet.EnableControls();
}

void TBookmarkList::SetLinkActive(bool active) {
    if (active == linkActive_) return;
    linkActive_ = active;
    Clear();
}

void TBookmarkList::Changed() {
    cacheValid_ = false;
}
