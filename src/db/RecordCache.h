#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

struct ClientLibrary;
class TIBXSQLDA;

// How a column's value is held in a cached record.
enum class NativeKind : std::uint8_t {
    Text,      // the bytes; the data length is the actual length
    Int32,     // 16- and 32-bit integers of scale 0
    Int64,     // 64-bit integers of scale 0
    Scaled,    // integers of scale -1 to -4, as the value x 10000
    Double,    // floating point, and integers of a scale below -4
    TimeStamp, // milliseconds since 0001-01-01 00:00
    Date,      // days since 0001-01-01, that day counting 1
    Time,      // milliseconds since midnight
    Quad,      // blob and array ids
};

// Days from 0001-01-01 (day 1) to 1899-12-30, where date-time values count from.
constexpr int kDateDelta = 693594;

enum class UpdateStatus : std::uint8_t { Unmodified, Modified, Inserted, Deleted };
enum class BookmarkFlag : std::uint8_t { Current, BeforeFirst, AfterLast, Inserted };

// The fixed part in front of every record.
struct RecordHeader {
    BookmarkFlag bookmarkFlag;
    UpdateStatus cachedUpdateStatus;
    UpdateStatus updateStatus;
    std::uint8_t reserved;
    std::int32_t columnCount;
    std::int32_t rowNumber; // -1 for a record not stored as a row
    std::int32_t savedPosition;
    std::uint8_t dbKey[8];
};

// Per column and record: what varies from row to row.
struct ColumnState {
    std::int32_t length;
    std::uint8_t isNull;
    std::uint8_t reserved[3];
};

// Per column, the same for every record.
struct ColumnLayout {
    NativeKind kind;
    short sqlType;
    short scale;
    bool nullable;
    int size;
    int offset;
};

// Where everything sits in a record of one result set, and how rows get there.
class RecordLayout {
public:
    // Columns in slot order; the database key column's value goes into the header.
    void Build(const TIBXSQLDA& columns, int dbKeyColumn);
    int RecordSize() const { return recordSize_; }
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    const ColumnLayout& Column(int index) const {
        return columns_[static_cast<std::size_t>(index)];
    }

    // The header of an unmodified stored row.
    RecordHeader& ResetHeader(char* record, int rowNumber) const;
    // A record with every column NULL.
    void InitRecord(char* record, int rowNumber) const;
    // The fetched row in the columns area, converted to the native forms.
    void StoreRow(const TIBXSQLDA& columns, char* record, int rowNumber) const;

    static RecordHeader& Header(char* record) { return *reinterpret_cast<RecordHeader*>(record); }
    static const RecordHeader& Header(const char* record) {
        return *reinterpret_cast<const RecordHeader*>(record);
    }
    static ColumnState& State(char* record, int column) {
        return reinterpret_cast<ColumnState*>(record + sizeof(RecordHeader))[column];
    }
    static const ColumnState& State(const char* record, int column) {
        return reinterpret_cast<const ColumnState*>(record + sizeof(RecordHeader))[column];
    }

private:
    static void StoreValue(const ClientLibrary& api, const ColumnLayout& layout, const char* source,
                           char* target, ColumnState& state);

    std::vector<ColumnLayout> columns_;
    int dbKeyColumn_ = -1;
    int recordSize_ = 0;
};

// The rows fetched so far, in fetch order, in chunks of a fixed number of records. Growing adds a
// chunk and never moves the records already stored.
class RecordCache {
public:
    // With wrap the cache keeps one chunk and row n reuses record n mod chunkRecords.
    void Reset(int recordSize, int chunkRecords, bool wrap);
    void Clear();
    int Count() const { return count_; }
    int Capacity() const { return static_cast<int>(chunks_.size()) * chunkRecords_; }
    std::size_t AllocatedBytes() const { return chunks_.size() * ChunkBytes(); }
    char* Record(int row) { return Locate(row); }
    const char* Record(int row) const { return Locate(row); }
    // Room for one more record at the end, grown when full; counted by Commit.
    char* Append();
    void CommitAppend() { ++count_; }

private:
    std::size_t ChunkBytes() const { return recordSize_ * static_cast<std::size_t>(chunkRecords_); }
    char* Locate(int row) const {
        const int slot = wrap_ ? row % chunkRecords_ : row;
        return chunks_[static_cast<std::size_t>(slot / chunkRecords_)].get() +
               static_cast<std::size_t>(slot % chunkRecords_) * recordSize_;
    }
    void AddChunk();

    struct AlignedDelete {
        std::align_val_t alignment;
        void operator()(char* data) const { ::operator delete(data, alignment); }
    };

    std::vector<std::unique_ptr<char, AlignedDelete>> chunks_;
    std::size_t recordSize_ = 0;
    int chunkRecords_ = 1;
    bool wrap_ = false;
    int count_ = 0;
};
