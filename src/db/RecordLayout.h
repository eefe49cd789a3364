#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct ClientLibrary;
class TIBXSQLDA;
class TIBXSQLVAR;

// How a column's value is held in a cached record.
enum class NativeKind : std::uint8_t {
    Text,      // the bytes; the data length is the actual length
    Int32,     // 16- and 32-bit integers of scale 0
    Int64,     // 64-bit integers of scale 0
    Scaled,    // integers with a scale: the 64-bit integer, its scale the column's
    Double,    // floating point
    TimeStamp, // milliseconds since 0001-01-01 00:00
    Date,      // days since 0001-01-01, that day counting 1
    Time,      // milliseconds since midnight
    Quad,      // blob and array ids
};

// Days from 0001-01-01 (day 1) to 1899-12-30, where date-time values count from.
constexpr int kDateDelta = 693594;

// Native date, time and timestamp values as date-time values (days since 1899-12-30).
double DateOfDays(std::int32_t days);
double TimeOfMilliseconds(double milliseconds);
double DateTimeOfStamp(double milliseconds);

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
    std::int32_t capacity; // bytes of the place a stored record has; 0 for a working record
};

// Per column and record: what varies from row to row.
struct ColumnState {
    std::int32_t length;
    std::int32_t offset; // of the value from the record's start
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
    int offset; // in a full-width record
};

// Where everything sits in a record of one result set, and how rows get there. A record is the
// header, the column states, the values of fixed size, then the texts. A stored record keeps
// each text at its actual length, one after another; a full-width record, worked on while
// editing, gives each text its column's full size at a fixed place. Both read the same way:
// a value is at its state's offset.
class RecordLayout {
public:
    // Columns in slot order; the database key column's value goes into the header.
    void Build(const TIBXSQLDA& columns, int dbKeyColumn);
    // Bytes of a full-width record.
    int RecordSize() const { return recordSize_; }
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    const ColumnLayout& Column(int index) const {
        return columns_[static_cast<std::size_t>(index)];
    }

    // The header of an unmodified stored row.
    RecordHeader& ResetHeader(char* record, int rowNumber) const;
    // A full-width record with every column NULL.
    void InitRecord(char* record, int rowNumber) const;
    // The fetched row stored compactly, converted to the native forms; the bytes it takes.
    int StoreRow(const TIBXSQLDA& columns, char* record, int rowNumber) const;
    // Whether a slot holds values of the column's type, so that StoreColumn can take it.
    bool Matches(const TIBXSQLVAR& slot, int column) const;
    // One column of a full-width record set from a slot of its type.
    void StoreColumn(const TIBXSQLVAR& slot, int column, char* full) const;
    // The bytes a record takes stored compactly.
    int CompactSize(const char* record) const;
    // A record into a full-width one, and back; the two never overlap.
    void Expand(const char* record, char* full) const;
    void Compact(const char* record, char* target) const;

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
    // Copies the texts of record to target, packed from the fixed part on or at their full-width
    // places.
    void MoveTexts(const char* record, char* target, bool packed) const;

    std::vector<ColumnLayout> columns_;
    int dbKeyColumn_ = -1;
    // Header, states and the values of fixed size.
    int fixedSize_ = 0;
    int recordSize_ = 0;
};
