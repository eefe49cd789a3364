#pragma once

#include "db/RecordLayout.h"

#include <cstddef>
#include <memory>
#include <vector>

// The rows fetched so far, in fetch order. Each row is stored compactly, one after another, in
// arenas that start small and grow; a table maps the row number to its record. Growing never
// moves a stored record. A unidirectional result set keeps a ring of slots of the full width
// instead.
class RecordCache {
public:
    RecordCache();
    ~RecordCache();
    RecordCache(const RecordCache&) = delete;
    RecordCache& operator=(const RecordCache&) = delete;

    // maxRecordSize bounds every record; the row table grows by at least rowStep entries. With
    // wrap, row n reuses ring slot n mod rowStep.
    void Reset(int maxRecordSize, int rowStep, bool wrap);
    void Clear();
    int Count() const { return count_; }
    // The first row still kept: above 0 only when wrapping.
    int FirstKept() const;
    std::size_t AllocatedBytes() const;
    char* Record(int row) { return Locate(row); }
    const char* Record(int row) const { return Locate(row); }
    // Room for one record of the maximum size at the end; CommitAppend keeps the bytes it used.
    char* Append();
    void CommitAppend(int bytes);
    // Stores a full-width record back as the row: in place when its compact form is no larger
    // than the one stored, otherwise appended, the row then pointing at its new place.
    void StoreBack(int row, const RecordLayout& layout, const char* full);

private:
    class Arena;

    char* Locate(int row) const {
        if (wrap_)
            return const_cast<char*>(ring_.data()) +
                   static_cast<std::size_t>(row) % rowStep_ * maxRecordSize_;
        return rows_[static_cast<std::size_t>(row)];
    }
    void AddArena();
    void Advance(int bytes);

    std::vector<Arena> arenas_;
    std::vector<char*> rows_;
    std::vector<char> ring_;
    std::size_t maxRecordSize_ = 0;
    std::size_t rowStep_ = 1;
    std::size_t nextArenaBytes_ = 0;
    char* tail_ = nullptr;
    std::size_t left_ = 0;
    bool wrap_ = false;
    int count_ = 0;
};
