#include "db/RecordCache.h"

#include "db/ClientApi.h"
#include "db/IBXSQLDA.h"
#include "platform/DateTime.h"
#include "platform/Exceptions.h"
#include "platform/Format.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ctime>
#include <new>

namespace {
constexpr std::int64_t kScaledOne = 10000;
constexpr double kMsPerDay = 86400000.0;

NativeKind KindOf(short type, short scale) {
    switch (type) {
    case sqltVarying:
    case sqltText:
        return NativeKind::Text;
    case sqltShort:
    case sqltLong:
    case sqltInt64:
        if (scale == 0) return type == sqltInt64 ? NativeKind::Int64 : NativeKind::Int32;
        return scale >= -4 ? NativeKind::Scaled : NativeKind::Double;
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

double FloatOf(short type, short scale, const char* data) {
    switch (type) {
    case sqltFloat:
        return *reinterpret_cast<const float*>(data);
    case sqltDouble:
    case sqltDFloat:
        return *reinterpret_cast<const double*>(data);
    default:
        return static_cast<double>(IntegerOf(type, data)) * std::pow(10.0, scale);
    }
}

// Raises for a value too large to be held with four decimals.
std::int64_t ScaledOf(short type, short scale, const char* data) {
    const std::int64_t stored = IntegerOf(type, data);
    std::int64_t value = stored;
    for (int digits = 4 + scale; digits > 0; --digits)
        if (__builtin_mul_overflow(value, 10, &value))
            throw EConvertError(
                Format("'%lldE%d' is out of range", static_cast<long long>(stored), scale));
    return value;
}

int DaysOf(const std::tm& tm) {
    return static_cast<int>(EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday)) + kDateDelta;
}

int MillisecondsOf(const std::tm& tm) {
    return ((tm.tm_hour * 60 + tm.tm_min) * 60 + tm.tm_sec) * 1000;
}

template <class T> void Put(char* target, T value) {
    std::memcpy(target, &value, sizeof value);
}
} // namespace

void RecordLayout::Build(const TIBXSQLDA& columns, int dbKeyColumn) {
    columns_.clear();
    dbKeyColumn_ = dbKeyColumn;
    int offset = static_cast<int>(sizeof(RecordHeader) + sizeof(ColumnState) * columns.Count());
    for (int i = 0; i < columns.Count(); ++i) {
        const TIBXSQLVAR& slot = columns.Var(i);
        ColumnLayout layout{KindOf(slot.SqlType(), slot.SqlScale()),
                            slot.SqlType(),
                            slot.SqlScale(),
                            slot.Nullable(),
                            0,
                            0};
        layout.size = NativeSize(layout.kind, slot.SqlLen());
        offset = (offset + 7) & ~7;
        layout.offset = offset;
        offset += layout.size;
        columns_.push_back(layout);
    }
    recordSize_ = (offset + 7) & ~7;
}

RecordHeader& RecordLayout::ResetHeader(char* record, int rowNumber) const {
    return Header(record) = RecordHeader{BookmarkFlag::Current,
                                         UpdateStatus::Unmodified,
                                         UpdateStatus::Unmodified,
                                         0,
                                         ColumnCount(),
                                         rowNumber,
                                         -1,
                                         {}};
}

void RecordLayout::InitRecord(char* record, int rowNumber) const {
    ResetHeader(record, rowNumber);
    for (int i = 0; i < ColumnCount(); ++i)
        State(record, i) = ColumnState{0, 1, {}};
}

void RecordLayout::StoreRow(const TIBXSQLDA& columns, char* record, int rowNumber) const {
    const ClientLibrary& api = LoadClientLibrary();
    RecordHeader& header = ResetHeader(record, rowNumber);
    for (int i = 0; i < ColumnCount(); ++i) {
        const TIBXSQLVAR& slot = columns.Var(i);
        ColumnState& state = State(record, i);
        state.isNull = slot.IsNull();
        state.length = 0;
        if (i == dbKeyColumn_ && !state.isNull)
            std::memcpy(header.dbKey, slot.Data(), sizeof header.dbKey);
        const ColumnLayout& layout = columns_[static_cast<std::size_t>(i)];
        if (!state.isNull) StoreValue(api, layout, slot.Data(), record + layout.offset, state);
    }
}

void RecordLayout::StoreValue(const ClientLibrary& api, const ColumnLayout& layout,
                              const char* source, char* target, ColumnState& state) {
    std::tm tm;
    state.length = layout.size;
    switch (layout.kind) {
    case NativeKind::Text:
        if (layout.sqlType == sqltVarying) {
            state.length = *reinterpret_cast<const unsigned short*>(source);
            source += 2;
        }
        std::memcpy(target, source, static_cast<std::size_t>(state.length));
        return;
    case NativeKind::Int32:
        return Put(target, static_cast<std::int32_t>(IntegerOf(layout.sqlType, source)));
    case NativeKind::Int64:
        return Put(target, IntegerOf(layout.sqlType, source));
    case NativeKind::Scaled:
        return Put(target, ScaledOf(layout.sqlType, layout.scale, source));
    case NativeKind::Double:
        return Put(target, FloatOf(layout.sqlType, layout.scale, source));
    case NativeKind::TimeStamp:
        api.isc_decode_timestamp(reinterpret_cast<const ISC_TIMESTAMP*>(source), &tm);
        return Put(target, DaysOf(tm) * kMsPerDay + MillisecondsOf(tm));
    case NativeKind::Date:
        api.isc_decode_sql_date(reinterpret_cast<const ISC_DATE*>(source), &tm);
        return Put(target, static_cast<std::int32_t>(DaysOf(tm)));
    case NativeKind::Time:
        api.isc_decode_sql_time(reinterpret_cast<const ISC_TIME*>(source), &tm);
        return Put(target, static_cast<std::int32_t>(MillisecondsOf(tm)));
    case NativeKind::Quad:
        std::memcpy(target, source, 8);
        return;
    }
}

void RecordCache::Reset(int recordSize, int chunkRecords, bool wrap) {
    recordSize_ = static_cast<std::size_t>(recordSize);
    chunkRecords_ = std::max(chunkRecords, 1);
    wrap_ = wrap;
    count_ = 0;
    chunks_.clear();
    AddChunk();
}

void RecordCache::Clear() {
    chunks_.clear();
    count_ = 0;
}

// Large chunks start on a huge-page boundary so the system can back them with huge pages:
// far fewer page faults while a big result is fetched.
void RecordCache::AddChunk() {
    constexpr std::size_t kHugePage = 2 * 1024 * 1024;
    const std::size_t bytes = ChunkBytes();
    const std::size_t alignment = bytes >= kHugePage ? kHugePage : alignof(std::max_align_t);
    const std::align_val_t aligned{alignment};
    chunks_.emplace_back(static_cast<char*>(::operator new(bytes, aligned)),
                         AlignedDelete{aligned});
}

char* RecordCache::Append() {
    if (!wrap_ && count_ == Capacity()) AddChunk();
    return Record(count_);
}
