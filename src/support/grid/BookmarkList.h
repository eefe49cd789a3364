#pragma once

#include <string>
#include <vector>

class TIBCustomDataSet;
class TRecordGrid;

// The rows selected in a multi-selection grid: bookmarks kept in the result set's bookmark
// order, so they run from the first selected row to the last whatever order they were chosen in.
class TBookmarkList {
public:
    explicit TBookmarkList(TRecordGrid& grid) : grid_(grid) {}

    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& Item(int index) const { return items_[static_cast<std::size_t>(index)]; }
    void Clear();
    // The current row's state; "Cannot perform this operation on a closed dataset" while closed.
    bool CurrentRowSelected() const;
    void SetCurrentRowSelected(bool selected);
    // Index of the first entry not before the bookmark; true when that entry is the bookmark.
    bool Find(const std::string& bookmark, int& index) const;
    // Deletes every selected row, last first; an entry leaves the list once its row is gone.
    void Delete();
    // The result set opened or closed: the list starts empty either way.
    void SetLinkActive(bool active);

private:
    TIBCustomDataSet& OpenDataSet() const;
    void Changed();

    TRecordGrid& grid_;
    std::vector<std::string> items_;
    bool linkActive_ = false;
    // The last search, kept until the list changes.
    mutable std::string cacheBookmark_;
    mutable int cacheIndex_ = 0;
    mutable bool cacheFound_ = false;
    mutable bool cacheValid_ = false;
};
