// Result columns of any types, sizes, scales and nullability, with rows as the client library
// hands them over: fetched into the record cache, edited through full-width records, inserted,
// and every kept row read back after each step.
#include "db/IBDatabase.h"
#include "db/IBSQL.h"
#include "db/RecordCache.h"
#include "db/RecordLayout.h"
#include "platform/Exceptions.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>
#include <ibase.h>
#include <string>
#include <vector>

namespace {
constexpr int kMaxColumns = 24;
constexpr int kMaxTextLength = 300;
constexpr int kMaxSteps = 40;
// The client's dates from 0001-01-01 to 9999-12-31, and a little beyond, which must be refused.
constexpr std::int32_t kFirstDate = -678575;
constexpr std::int32_t kLastDate = 2973483;
constexpr std::int32_t kDateSlack = 400;
// The cache's day 1 is the client's date kFirstDate.
constexpr std::int32_t kDayOfFirstDate = 1;
constexpr std::uint32_t kTimeUnitsPerDay = 864000000;
constexpr std::uint32_t kTimeUnitsPerSecond = 10000;

struct ColumnType {
    short type;
    short length; // 0 for texts, whose length is drawn
};
constexpr ColumnType kTypes[] = {
    {sqltText, 0},      {sqltVarying, 0}, {sqltShort, 2},  {sqltLong, 4}, {sqltInt64, 8},
    {sqltFloat, 4},     {sqltDouble, 8},  {sqltDFloat, 8}, {sqltDate, 4}, {sqltTime, 4},
    {sqltTimestamp, 8}, {sqltBlob, 8},    {sqltArray, 8},  {sqltQuad, 8},
};

// A column's value as a record must hold it: NULL, or its native bytes.
struct Cell {
    bool null = true;
    std::string bytes;
    bool operator==(const Cell&) const = default;
};
using Row = std::vector<Cell>;

void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "record cache: %s\n", what);
    std::abort();
}

XSQLVAR& ClientVar(const TIBXSQLVAR& slot) {
    return *static_cast<XSQLVAR*>(slot.Var());
}

template <class T> T Read(const char* data) {
    T value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

template <class T> std::string Bytes(T value) {
    return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

// Describes the columns as a prepared statement's describe would.
void DescribeColumns(FuzzedDataProvider& input, TIBXSQLDA& columns) {
    columns.SetCount(input.ConsumeIntegralInRange(1, kMaxColumns));
    for (int i = 0; i < columns.Count(); ++i) {
        XSQLVAR& var = ClientVar(columns.Var(i));
        const ColumnType& chosen = input.PickValueInArray(kTypes);
        const bool integer =
            chosen.type == sqltShort || chosen.type == sqltLong || chosen.type == sqltInt64;
        var.sqltype = static_cast<short>(chosen.type | (input.ConsumeBool() ? 1 : 0));
        var.sqllen = chosen.length ? chosen.length
                                   : static_cast<short>(input.ConsumeIntegralInRange(
                                         chosen.type == sqltText ? 1 : 0, kMaxTextLength));
        var.sqlscale = integer ? static_cast<short>(input.ConsumeIntegralInRange(-18, 0)) : 0;
        var.aliasname_length = 0;
        var.relname_length = 0;
    }
    columns.Initialize();
}

// The slot gets a value as a fetch would give it: CHAR padded to its length, VARCHAR no longer
// than its length, dates and times as the client encodes them.
void FillSlot(FuzzedDataProvider& input, const TIBXSQLVAR& slot) {
    XSQLVAR& var = ClientVar(slot);
    if (var.sqlind) *var.sqlind = input.ConsumeBool() ? -1 : 0;
    const auto date = [&] {
        return input.ConsumeIntegralInRange(kFirstDate - kDateSlack, kLastDate + kDateSlack);
    };
    const auto time = [&] { return input.ConsumeIntegralInRange(0u, kTimeUnitsPerDay - 1); };
    const auto length = static_cast<std::size_t>(var.sqllen);
    std::string bytes;
    switch (slot.SqlType()) {
    case sqltText:
        bytes = input.ConsumeBytesAsString(length);
        bytes.resize(length, ' ');
        break;
    case sqltVarying:
        bytes = input.ConsumeBytesAsString(input.ConsumeIntegralInRange<std::size_t>(0, length));
        bytes = Bytes(static_cast<unsigned short>(bytes.size())) + bytes;
        break;
    case sqltDate:
        bytes = Bytes(date());
        break;
    case sqltTime:
        bytes = Bytes(time());
        break;
    case sqltTimestamp:
        bytes = Bytes(date()) + Bytes(time());
        break;
    default:
        bytes = input.ConsumeBytesAsString(length);
        bytes.resize(length, '\0');
    }
    std::memcpy(var.sqldata, bytes.data(), bytes.size());
}

std::int64_t IntegerOf(const TIBXSQLVAR& slot) {
    switch (slot.SqlType()) {
    case sqltShort:
        return Read<short>(slot.Data());
    case sqltLong:
        return Read<std::int32_t>(slot.Data());
    default:
        return Read<std::int64_t>(slot.Data());
    }
}

bool DayOf(std::int32_t date, std::int32_t& day) {
    day = date - kFirstDate + kDayOfFirstDate;
    return date >= kFirstDate && date <= kLastDate;
}

// Whole seconds: the cache keeps no fractions of a second.
std::int32_t MillisecondsOf(std::uint32_t time) {
    return static_cast<std::int32_t>(time / kTimeUnitsPerSecond * 1000);
}

// A scaled value is held exactly: the integer as the client gives it, its scale the column's.
std::string NumberOf(const TIBXSQLVAR& slot) {
    if (slot.SqlScale() < 0 || slot.SqlType() == sqltInt64) return Bytes(IntegerOf(slot));
    return Bytes(static_cast<std::int32_t>(IntegerOf(slot)));
}

// The native form of the slot's value; false when the cache must refuse the value.
bool NativeOf(const TIBXSQLVAR& slot, Cell& cell) {
    cell = Cell{slot.IsNull(), {}};
    if (cell.null) return true;
    const char* data = slot.Data();
    std::int32_t day = 0;
    switch (slot.SqlType()) {
    case sqltText:
        cell.bytes.assign(data, static_cast<std::size_t>(slot.SqlLen()));
        return true;
    case sqltVarying:
        cell.bytes.assign(data + 2, Read<unsigned short>(data));
        return true;
    case sqltShort:
    case sqltLong:
    case sqltInt64:
        cell.bytes = NumberOf(slot);
        return true;
    case sqltFloat:
        cell.bytes = Bytes(static_cast<double>(Read<float>(data)));
        return true;
    case sqltDate:
        if (!DayOf(Read<std::int32_t>(data), day)) return false;
        cell.bytes = Bytes(day);
        return true;
    case sqltTime:
        cell.bytes = Bytes(MillisecondsOf(Read<std::uint32_t>(data)));
        return true;
    case sqltTimestamp:
        if (!DayOf(Read<std::int32_t>(data), day)) return false;
        cell.bytes = Bytes(day * 86400000.0 + MillisecondsOf(Read<std::uint32_t>(data + 4)));
        return true;
    default: // double and ids, as they came
        cell.bytes.assign(data, 8);
        return true;
    }
}

Cell CellOf(const RecordLayout& layout, const char* record, int column, int limit) {
    int length = -1;
    const char* value = layout.Value(record, column, &length);
    if (!value) return {};
    const auto offset = value - record;
    Require(length >= 0 && offset >= static_cast<int>(sizeof(RecordHeader)) &&
                offset + length <= limit,
            "a value lies outside its record");
    return Cell{false, std::string(value, static_cast<std::size_t>(length))};
}

void RequireRecord(const RecordLayout& layout, const char* record, const Row& row, int limit) {
    for (int i = 0; i < layout.ColumnCount(); ++i)
        Require(CellOf(layout, record, i, limit) == row[static_cast<std::size_t>(i)],
                "a value read back differs from the one stored");
}

// A scaled value read back means nothing without its column's own scale.
void RequireScales(const RecordLayout& layout, const TIBXSQLDA& columns) {
    for (int i = 0; i < layout.ColumnCount(); ++i) {
        const ColumnLayout& column = layout.Column(i);
        if (columns.Var(i).SqlScale() < 0)
            Require(column.kind == NativeKind::Scaled && column.scale == columns.Var(i).SqlScale(),
                    "a scaled column without its scale");
    }
}

// The database key is a CHAR(8) column; a set of columns may have none.
int DbKeyColumn(FuzzedDataProvider& input, const TIBXSQLDA& columns) {
    if (!input.ConsumeBool()) return -1;
    for (int i = 0; i < columns.Count(); ++i)
        if (columns.Var(i).SqlType() == sqltText && columns.Var(i).SqlLen() == 8) return i;
    return -1;
}

class Session {
public:
    Session(FuzzedDataProvider& input, TIBXSQLDA& columns)
        : input_(input), columns_(columns), dbKey_(DbKeyColumn(input, columns)) {
        layout_.Build(columns, dbKey_);
        RequireScales(layout_, columns);
        rowStep_ = input.ConsumeIntegralInRange(1, 8);
        wrap_ = input.ConsumeBool();
        cache_.Reset(layout_.RecordSize(), rowStep_, wrap_);
    }

    void Run() {
        for (int step = 0; step < kMaxSteps && input_.remaining_bytes() > 0; ++step) {
            switch (input_.ConsumeIntegralInRange(0, 2)) {
            case 0:
                Fetch();
                break;
            case 1:
                Edit();
                break;
            default:
                Insert();
            }
            RequireKeptRows();
        }
    }

private:
    // The values of every slot; false when one of them must be refused.
    bool FillRow(Row& row) {
        bool storable = true;
        row.assign(static_cast<std::size_t>(columns_.Count()), Cell{});
        for (int i = 0; i < columns_.Count(); ++i) {
            FillSlot(input_, columns_.Var(i));
            storable = NativeOf(columns_.Var(i), row[static_cast<std::size_t>(i)]) && storable;
        }
        return storable;
    }

    void Fetch() {
        Row row;
        const bool storable = FillRow(row);
        char* record = cache_.Append();
        try {
            const int bytes = layout_.StoreRow(columns_, record, cache_.Count());
            Require(storable, "a row with a value out of range was stored");
            Require(bytes <= layout_.RecordSize() && bytes == layout_.CompactSize(record),
                    "a stored row's size");
            cache_.CommitAppend(bytes);
            Require(RecordLayout::Header(record).rowNumber == cache_.Count() - 1, "row number");
            if (dbKey_ >= 0 && !row[static_cast<std::size_t>(dbKey_)].null)
                Require(layout_.DbKey(record) == row[static_cast<std::size_t>(dbKey_)].bytes,
                        "the database key");
            rows_.push_back(std::move(row));
        } catch (const EConvertError&) {
            Require(!storable, "a row in range was refused");
            // A ring stores the next row over its oldest, which a failed store leaves broken.
            if (wrap_) forfeited_ = cache_.Count() - rowStep_;
        }
    }

    // A new full-width record: every column NULL.
    std::vector<char> NewRecord(const Row& row) const {
        std::vector<char> full(static_cast<std::size_t>(layout_.RecordSize()));
        layout_.InitRecord(full.data(), -1);
        RequireRecord(layout_, full.data(), row, layout_.RecordSize());
        return full;
    }

    // Changes chosen columns of a full-width record from the slots; a refused value leaves its
    // column as it was.
    void ChangeColumns(char* full, Row& row) {
        for (int i = 0; i < columns_.Count(); ++i) {
            if (!input_.ConsumeBool()) continue;
            const TIBXSQLVAR& slot = columns_.Var(i);
            FillSlot(input_, slot);
            Require(layout_.Matches(slot, i), "a slot of the column's own type does not match");
            Cell cell;
            const bool storable = NativeOf(slot, cell);
            try {
                layout_.StoreColumn(slot, i, full);
                Require(storable, "a value out of range was stored");
                row[static_cast<std::size_t>(i)] = cell;
            } catch (const EConvertError&) {
                Require(!storable, "a value in range was refused");
            }
            RequireRecord(layout_, full, row, layout_.RecordSize());
        }
    }

    void Edit() {
        if (cache_.Count() == FirstWhole()) return;
        const int row = input_.ConsumeIntegralInRange(FirstWhole(), cache_.Count() - 1);
        Row& values = rows_[static_cast<std::size_t>(row)];
        std::vector<char> full(static_cast<std::size_t>(layout_.RecordSize()));
        layout_.Expand(cache_.Record(row), full.data());
        RequireRecord(layout_, full.data(), values, layout_.RecordSize());
        ChangeColumns(full.data(), values);
        cache_.StoreBack(row, layout_, full.data());
    }

    void Insert() {
        Row row(static_cast<std::size_t>(columns_.Count()));
        std::vector<char> full = NewRecord(row);
        ChangeColumns(full.data(), row);
        layout_.Compact(full.data(), cache_.Append());
        cache_.CommitAppend(layout_.CompactSize(full.data()));
        rows_.push_back(std::move(row));
    }

    int FirstWhole() const { return std::max(cache_.FirstKept(), forfeited_ + 1); }

    void RequireKeptRows() const {
        Require(cache_.Count() == static_cast<int>(rows_.size()), "row count");
        for (int row = FirstWhole(); row < cache_.Count(); ++row) {
            const char* record = cache_.Record(row);
            const int bytes = layout_.CompactSize(record);
            Require(RecordLayout::Header(record).compact && bytes <= layout_.RecordSize(),
                    "a stored record's size");
            RequireRecord(layout_, record, rows_[static_cast<std::size_t>(row)], bytes);
        }
    }

    FuzzedDataProvider& input_;
    TIBXSQLDA& columns_;
    int dbKey_;
    RecordLayout layout_;
    RecordCache cache_;
    std::vector<Row> rows_;
    int rowStep_ = 1;
    bool wrap_ = false;
    int forfeited_ = -1;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TIBDatabase database;
    static TIBSQL statement;
    statement.SetDatabase(&database);
    FuzzedDataProvider input(data, size);
    DescribeColumns(input, statement.Current());
    Session(input, statement.Current()).Run();
    return 0;
}
