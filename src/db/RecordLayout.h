#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

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

// The part in front of every record, in both of its forms.
struct RecordHeader {
    UpdateStatus updateStatus;
    // Stored as the cache keeps rows; a full-width record otherwise.
    bool compact;
    std::uint8_t reserved[2];
    std::int32_t rowNumber; // -1 for a record not stored as a row
};

// Per column of a full-width record: what varies from row to row.
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

// Where everything sits in a record of one result set, and how rows get there. A full-width
// record, worked on while editing, is the header, a state per column, then every value at a
// fixed place with room for its column's full size. A compact record, as the cache keeps rows,
// is the header, the end of each column's value with a flag for NULL, then the values one after
// another, each at its actual length and NULLs taking none. Value reads both forms.
class RecordLayout {
public:
    // Columns in slot order; the database key column's value is the row's key.
    void Build(const TIBXSQLDA& columns, int dbKeyColumn);
    // Bytes of a full-width record, which bound those of a compact one.
    int RecordSize() const { return recordSize_; }
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    const ColumnLayout& Column(int index) const {
        return columns_[static_cast<std::size_t>(index)];
    }

    // A full-width record with every column NULL.
    void InitRecord(char* record, int rowNumber) const;
    // The fetched row stored compactly, converted to the native forms; the bytes it takes.
    int StoreRow(const TIBXSQLDA& columns, char* record, int rowNumber) const;
    // Whether a slot holds values of the column's type, so that StoreColumn can take it.
    bool Matches(const TIBXSQLVAR& slot, int column) const;
    // One column of a full-width record set from a slot of its type.
    void StoreColumn(const TIBXSQLVAR& slot, int column, char* full) const;
    // The bytes a record of either form takes stored compactly.
    int CompactSize(const char* record) const;
    // A record of either form into a full-width one, and a full-width one into a compact one;
    // the two never overlap.
    void Expand(const char* record, char* full) const;
    void Compact(const char* record, char* target) const;
    // A column's value in a record of either form; null when NULL. Every field read comes here.
    const char* Value(const char* record, int column, int* length) const {
        if (!Header(record).compact) return FullValue(record, column, length);
        const auto index = static_cast<unsigned>(column);
        const std::uint32_t end = End(record, index);
        if (end & nullFlag_) return nullptr;
        const std::uint32_t start = index == 0 ? 0 : End(record, index - 1) & ~nullFlag_;
        if (length) *length = static_cast<int>(end - start);
        return record + valuesStart_ + start;
    }
    // The row's 8-byte database key; zeros when the result has none.
    std::string DbKey(const char* record) const;

    static RecordHeader& Header(char* record) { return *reinterpret_cast<RecordHeader*>(record); }
    static const RecordHeader& Header(const char* record) {
        return *reinterpret_cast<const RecordHeader*>(record);
    }
    // Full-width records only.
    static ColumnState& State(char* record, int column) {
        return reinterpret_cast<ColumnState*>(record + sizeof(RecordHeader))[column];
    }
    static const ColumnState& State(const char* record, int column) {
        return reinterpret_cast<const ColumnState*>(record + sizeof(RecordHeader))[column];
    }

private:
    static void ResetHeader(char* record, int rowNumber, bool compact);
    // The value's native form at target; the bytes it takes.
    static int StoreValue(const ColumnLayout& layout, const char* source, char* target);
    static int StoreDateTime(NativeKind kind, const char* source, char* target);
    static const char* FullValue(const char* record, int column, int* length);
    // Compact records: where a column's value ends, from the values' start, with nullFlag_ set
    // for NULL.
    std::uint32_t End(const char* record, unsigned column) const {
        const char* at = record + sizeof(RecordHeader) + column * endBytes_;
        return endBytes_ == 2 ? Load<std::uint16_t>(at) : Load<std::uint32_t>(at);
    }
    void SetEnd(char* record, unsigned column, std::uint32_t end) const;
    template <class T> static T Load(const char* at) {
        T value;
        std::memcpy(&value, at, sizeof value);
        return value;
    }

    std::vector<ColumnLayout> columns_;
    int dbKeyColumn_ = -1;
    int recordSize_ = 0;
    // Compact records: 2 bytes per end, or 4 when the values may need more than 15 bits; where the
    // values start.
    unsigned endBytes_ = 2;
    std::uint32_t nullFlag_ = 0x8000;
    int valuesStart_ = 0;
};
