#include "db/RecordCache.h"

#include <algorithm>
#include <new>
#include <sys/mman.h>
#include <utility>

namespace {
constexpr std::size_t kFirstArenaBytes = 16 * 1024;
constexpr std::size_t kHugePage = 2 * 1024 * 1024;
constexpr std::size_t kPage = 4096;

std::size_t RoundUp(std::size_t bytes, std::size_t unit) {
    return (bytes + unit - 1) / unit * unit;
}

// Arenas of a huge page or more start on a huge-page boundary and are marked for huge pages:
// this system gives them only to memory so marked, and a big fetch then takes far fewer faults.
char* MapArena(std::size_t bytes) {
    const bool huge = bytes >= kHugePage;
    const std::size_t span = huge ? bytes + kHugePage : bytes;
    void* mapped = mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    char* start = static_cast<char*>(mapped);
    if (!huge) return start;
    char* aligned =
        reinterpret_cast<char*>(RoundUp(reinterpret_cast<std::size_t>(start), kHugePage));
    if (aligned > start) munmap(start, static_cast<std::size_t>(aligned - start));
    const std::size_t after = static_cast<std::size_t>(start + span - (aligned + bytes));
    if (after > 0) munmap(aligned + bytes, after);
    madvise(aligned, bytes, MADV_HUGEPAGE);
    return aligned;
}
} // namespace

class RecordCache::Arena {
public:
    explicit Arena(std::size_t bytes) : data_(MapArena(bytes)), bytes_(bytes) {}
    Arena(Arena&& other) noexcept
        : data_(std::exchange(other.data_, nullptr)), bytes_(std::exchange(other.bytes_, 0)) {}
    Arena& operator=(Arena&&) = delete;
    ~Arena() {
        if (data_) munmap(data_, bytes_);
    }
    char* Data() const { return data_; }
    std::size_t Bytes() const { return bytes_; }

private:
    char* data_;
    std::size_t bytes_;
};

RecordCache::RecordCache() = default;
RecordCache::~RecordCache() = default;

void RecordCache::Reset(int maxRecordSize, int rowStep, bool wrap) {
    Clear();
    maxRecordSize_ = static_cast<std::size_t>(maxRecordSize);
    rowStep_ = static_cast<std::size_t>(std::max(rowStep, 1));
    wrap_ = wrap;
    if (wrap_) ring_.assign(rowStep_ * maxRecordSize_, '\0');
}

void RecordCache::Clear() {
    arenas_.clear();
    rows_ = {};
    ring_ = {};
    nextArenaBytes_ = kFirstArenaBytes;
    tail_ = nullptr;
    left_ = 0;
    count_ = 0;
}

int RecordCache::FirstKept() const {
    return wrap_ ? std::max(count_ - static_cast<int>(rowStep_), 0) : 0;
}

std::size_t RecordCache::AllocatedBytes() const {
    std::size_t bytes = ring_.size() + rows_.capacity() * sizeof(char*);
    for (const Arena& arena : arenas_)
        bytes += arena.Bytes();
    return bytes;
}

// Arenas double in size up to a huge page; a record never spans two of them.
void RecordCache::AddArena() {
    const std::size_t bytes = std::max(nextArenaBytes_, RoundUp(maxRecordSize_, kPage));
    arenas_.emplace_back(bytes);
    nextArenaBytes_ = std::min(nextArenaBytes_ * 2, kHugePage);
    tail_ = arenas_.back().Data();
    left_ = bytes;
}

char* RecordCache::Append() {
    if (wrap_) return Locate(count_);
    if (left_ < maxRecordSize_) AddArena();
    return tail_;
}

void RecordCache::CommitAppend(int bytes) {
    char* record = Append();
    ++count_;
    if (wrap_) return;
    if (rows_.size() == rows_.capacity())
        rows_.reserve(rows_.size() + std::max(rowStep_, rows_.size()));
    rows_.push_back(record);
    Advance(bytes);
}

void RecordCache::Advance(int bytes) {
    tail_ += bytes;
    left_ -= static_cast<std::size_t>(bytes);
}

// A ring slot holds a record of any size.
void RecordCache::StoreBack(int row, const RecordLayout& layout, const char* full) {
    char* stored = Locate(row);
    const int bytes = layout.CompactSize(full);
    if (!wrap_ && bytes > layout.CompactSize(stored)) {
        stored = Append();
        rows_[static_cast<std::size_t>(row)] = stored;
        Advance(bytes);
    }
    layout.Compact(full, stored);
}
