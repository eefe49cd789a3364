#include "db/RecordLayout.h"

#include "db/ClientApi.h"
#include "db/IBXSQLDA.h"
#include "platform/DateTime.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ctime>

namespace {
constexpr double kMsPerDay = 86400000.0;
constexpr std::size_t kDbKeyBytes = 8;

NativeKind KindOf(short type, short scale) {
    switch (type) {
    case sqltVarying:
    case sqltText:
        return NativeKind::Text;
    case sqltShort:
    case sqltLong:
    case sqltInt64:
        if (scale < 0) return NativeKind::Scaled;
        return type == sqltInt64 ? NativeKind::Int64 : NativeKind::Int32;
    case sqltTimestamp:
        return NativeKind::TimeStamp;
    case sqltDate:
        return NativeKind::Date;
    case sqltTime:
        return NativeKind::Time;
    case sqltBlob:
    case sqltArray:
    case sqltQuad:
        return NativeKind::Quad;
    default:
        return NativeKind::Double;
    }
}

int NativeSize(NativeKind kind, short length) {
    switch (kind) {
    case NativeKind::Text:
        return length;
    case NativeKind::Int32:
    case NativeKind::Date:
    case NativeKind::Time:
        return 4;
    default:
        return 8;
    }
}

std::int64_t IntegerOf(short type, const char* data) {
    switch (type) {
    case sqltShort:
        return *reinterpret_cast<const short*>(data);
    case sqltLong:
        return *reinterpret_cast<const std::int32_t*>(data);
    default:
        return *reinterpret_cast<const std::int64_t*>(data);
    }
}

double FloatOf(short type, const char* data) {
    if (type == sqltFloat) return *reinterpret_cast<const float*>(data);
    return *reinterpret_cast<const double*>(data);
}

int DaysOf(const std::tm& tm) {
    return static_cast<int>(EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday)) + kDateDelta;
}

int MillisecondsOf(const std::tm& tm) {
    return ((tm.tm_hour * 60 + tm.tm_min) * 60 + tm.tm_sec) * 1000;
}

// The bytes written.
template <class T> int Put(char* target, T value) {
    std::memcpy(target, &value, sizeof value);
    return static_cast<int>(sizeof value);
}

// Full-width records keep their values aligned; compact ones only their headers.
int AlignRecord(int bytes) {
    return (bytes + 7) & ~7;
}

int AlignCompact(int bytes) {
    constexpr int kAlign = alignof(RecordHeader);
    return (bytes + kAlign - 1) & -kAlign;
}
} // namespace

double DateOfDays(std::int32_t days) {
    return static_cast<double>(days - kDateDelta);
}

double TimeOfMilliseconds(double milliseconds) {
    return milliseconds / kMsPerDay;
}

// Before 1899-12-30 the time of day counts away from the date, as date-time values do.
double DateTimeOfStamp(double milliseconds) {
    const double days = std::floor(milliseconds / kMsPerDay);
    const double date = days - kDateDelta;
    const double time = (milliseconds - days * kMsPerDay) / kMsPerDay;
    return date >= 0 ? date + time : date - time;
}

// Values of fixed size first, at aligned places, then the texts.
void RecordLayout::Build(const TIBXSQLDA& columns, int dbKeyColumn) {
    columns_.clear();
    dbKeyColumn_ = dbKeyColumn;
    std::size_t valueBytes = 0;
    for (int i = 0; i < columns.Count(); ++i) {
        const TIBXSQLVAR& slot = columns.Var(i);
        ColumnLayout layout{KindOf(slot.SqlType(), slot.SqlScale()),
                            slot.SqlType(),
                            slot.SqlScale(),
                            slot.Nullable(),
                            0,
                            0};
        layout.size = NativeSize(layout.kind, slot.SqlLen());
        valueBytes += static_cast<std::size_t>(layout.size);
        columns_.push_back(layout);
    }
    int offset = static_cast<int>(sizeof(RecordHeader) + sizeof(ColumnState) * columns_.size());
    for (ColumnLayout& layout : columns_)
        if (layout.kind != NativeKind::Text) {
            layout.offset = offset = AlignRecord(offset);
            offset += layout.size;
        }
    for (ColumnLayout& layout : columns_)
        if (layout.kind == NativeKind::Text) {
            layout.offset = offset;
            offset += layout.size;
        }
    recordSize_ = AlignRecord(offset);
    const bool wide = valueBytes > INT16_MAX;
    endBytes_ = wide ? 4 : 2;
    nullFlag_ = wide ? 0x80000000u : 0x8000u;
    valuesStart_ = static_cast<int>(sizeof(RecordHeader) + endBytes_ * columns_.size());
}

void RecordLayout::ResetHeader(char* record, int rowNumber, bool compact) {
    Header(record) = RecordHeader{UpdateStatus::Unmodified, compact, {}, rowNumber};
}

void RecordLayout::InitRecord(char* record, int rowNumber) const {
    ResetHeader(record, rowNumber, false);
    for (int i = 0; i < ColumnCount(); ++i)
        State(record, i) = ColumnState{0, Column(i).offset, 1, {}};
}

// The members are read into locals once: the stores through record could alias them.
int RecordLayout::StoreRow(const TIBXSQLDA& columns, char* record, int rowNumber) const {
    ResetHeader(record, rowNumber, true);
    const ColumnLayout* layouts = columns_.data();
    const auto count = static_cast<unsigned>(columns_.size());
    char* values = record + valuesStart_;
    std::uint32_t end = 0;
    for (unsigned i = 0; i < count; ++i) {
        const TIBXSQLVAR& slot = columns.Var(static_cast<int>(i));
        if (slot.IsNull()) {
            SetEnd(record, i, end | nullFlag_);
            continue;
        }
        end += static_cast<std::uint32_t>(StoreValue(layouts[i], slot.Data(), values + end));
        SetEnd(record, i, end);
    }
    return AlignCompact(static_cast<int>(values + end - record));
}

bool RecordLayout::Matches(const TIBXSQLVAR& slot, int column) const {
    const ColumnLayout& layout = Column(column);
    return slot.SqlType() == layout.sqlType && slot.SqlScale() == layout.scale &&
           NativeSize(layout.kind, slot.SqlLen()) <= layout.size;
}

void RecordLayout::StoreColumn(const TIBXSQLVAR& slot, int column, char* full) const {
    const ColumnLayout& layout = Column(column);
    // The state is set last: a value that cannot be held leaves the column as it was.
    ColumnState state{0, layout.offset, static_cast<std::uint8_t>(slot.IsNull()), {}};
    if (!state.isNull) state.length = StoreValue(layout, slot.Data(), full + state.offset);
    State(full, column) = state;
}

int RecordLayout::CompactSize(const char* record) const {
    if (Header(record).compact) {
        const std::uint32_t values =
            columns_.empty() ? 0 : End(record, ColumnCount() - 1) & ~nullFlag_;
        return AlignCompact(valuesStart_ + static_cast<int>(values));
    }
    int bytes = valuesStart_;
    for (int i = 0; i < ColumnCount(); ++i)
        if (!State(record, i).isNull) bytes += State(record, i).length;
    return AlignCompact(bytes);
}

void RecordLayout::Expand(const char* record, char* full) const {
    if (!Header(record).compact) {
        std::memcpy(full, record, static_cast<std::size_t>(recordSize_));
        return;
    }
    Header(full) = Header(record);
    Header(full).compact = false;
    for (int i = 0; i < ColumnCount(); ++i) {
        ColumnState& state = State(full, i);
        state = ColumnState{0, Column(i).offset, 1, {}};
        const char* value = Value(record, i, &state.length);
        if (!value) continue;
        state.isNull = 0;
        std::memcpy(full + state.offset, value, static_cast<std::size_t>(state.length));
    }
}

void RecordLayout::Compact(const char* record, char* target) const {
    Header(target) = Header(record);
    Header(target).compact = true;
    char* values = target + valuesStart_;
    std::uint32_t end = 0;
    for (unsigned i = 0; i < columns_.size(); ++i) {
        const ColumnState& state = State(record, static_cast<int>(i));
        if (state.isNull) {
            SetEnd(target, i, end | nullFlag_);
            continue;
        }
        std::memcpy(values + end, record + state.offset, static_cast<std::size_t>(state.length));
        end += static_cast<std::uint32_t>(state.length);
        SetEnd(target, i, end);
    }
}

const char* RecordLayout::FullValue(const char* record, int column, int* length) {
    const ColumnState& state = State(record, column);
    if (state.isNull) return nullptr;
    if (length) *length = state.length;
    return record + state.offset;
}

std::string RecordLayout::DbKey(const char* record) const {
    std::string key(kDbKeyBytes, '\0');
    int length = 0;
    const char* value = dbKeyColumn_ >= 0 ? Value(record, dbKeyColumn_, &length) : nullptr;
    if (value) std::memcpy(key.data(), value, std::min<std::size_t>(kDbKeyBytes, length));
    return key;
}

void RecordLayout::SetEnd(char* record, unsigned column, std::uint32_t end) const {
    char* at = record + sizeof(RecordHeader) + column * endBytes_;
    if (endBytes_ == 2)
        Put(at, static_cast<std::uint16_t>(end));
    else
        Put(at, end);
}

// The client library decodes dates and times; everything else is copied or widened here.
int RecordLayout::StoreValue(const ColumnLayout& layout, const char* source, char* target) {
    switch (layout.kind) {
    case NativeKind::Text: {
        int length = layout.size;
        if (layout.sqlType == sqltVarying) {
            length = Load<unsigned short>(source);
            source += 2;
        }
        std::memcpy(target, source, static_cast<std::size_t>(length));
        return length;
    }
    case NativeKind::Int32:
        return Put(target, static_cast<std::int32_t>(IntegerOf(layout.sqlType, source)));
    case NativeKind::Int64:
    case NativeKind::Scaled:
        return Put(target, IntegerOf(layout.sqlType, source));
    case NativeKind::Double:
        return Put(target, FloatOf(layout.sqlType, source));
    case NativeKind::Quad:
        std::memcpy(target, source, 8);
        return 8;
    default:
        return StoreDateTime(layout.kind, source, target);
    }
}

int RecordLayout::StoreDateTime(NativeKind kind, const char* source, char* target) {
    const ClientLibrary& api = LoadClientLibrary();
    std::tm tm;
    switch (kind) {
    case NativeKind::TimeStamp:
        api.isc_decode_timestamp(reinterpret_cast<const ISC_TIMESTAMP*>(source), &tm);
        return Put(target, DaysOf(tm) * kMsPerDay + MillisecondsOf(tm));
    case NativeKind::Date:
        api.isc_decode_sql_date(reinterpret_cast<const ISC_DATE*>(source), &tm);
        return Put(target, static_cast<std::int32_t>(DaysOf(tm)));
    default:
        api.isc_decode_sql_time(reinterpret_cast<const ISC_TIME*>(source), &tm);
        return Put(target, static_cast<std::int32_t>(MillisecondsOf(tm)));
    }
}
