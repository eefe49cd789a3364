#include "db/RecordLayout.h"

#include "db/ClientApi.h"
#include "db/IBXSQLDA.h"
#include "platform/DateTime.h"

#include <cmath>
#include <cstring>
#include <ctime>

namespace {
constexpr double kMsPerDay = 86400000.0;

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

template <class T> void Put(char* target, T value) {
    std::memcpy(target, &value, sizeof value);
}

int AlignRecord(int bytes) {
    return (bytes + 7) & ~7;
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

// Values of fixed size first, so that they sit at the same place in both forms of a record.
void RecordLayout::Build(const TIBXSQLDA& columns, int dbKeyColumn) {
    columns_.clear();
    dbKeyColumn_ = dbKeyColumn;
    for (int i = 0; i < columns.Count(); ++i) {
        const TIBXSQLVAR& slot = columns.Var(i);
        ColumnLayout layout{KindOf(slot.SqlType(), slot.SqlScale()),
                            slot.SqlType(),
                            slot.SqlScale(),
                            slot.Nullable(),
                            0,
                            0};
        layout.size = NativeSize(layout.kind, slot.SqlLen());
        columns_.push_back(layout);
    }
    int offset = static_cast<int>(sizeof(RecordHeader) + sizeof(ColumnState) * columns_.size());
    for (ColumnLayout& layout : columns_)
        if (layout.kind != NativeKind::Text) {
            layout.offset = offset = AlignRecord(offset);
            offset += layout.size;
        }
    fixedSize_ = offset;
    for (ColumnLayout& layout : columns_)
        if (layout.kind == NativeKind::Text) {
            layout.offset = offset;
            offset += layout.size;
        }
    recordSize_ = AlignRecord(offset);
}

RecordHeader& RecordLayout::ResetHeader(char* record, int rowNumber) const {
    return Header(record) = RecordHeader{BookmarkFlag::Current,
                                         UpdateStatus::Unmodified,
                                         UpdateStatus::Unmodified,
                                         0,
                                         ColumnCount(),
                                         rowNumber,
                                         -1,
                                         {},
                                         0};
}

void RecordLayout::InitRecord(char* record, int rowNumber) const {
    ResetHeader(record, rowNumber);
    for (int i = 0; i < ColumnCount(); ++i)
        State(record, i) = ColumnState{0, Column(i).offset, 1, {}};
}

int RecordLayout::StoreRow(const TIBXSQLDA& columns, char* record, int rowNumber) const {
    const ClientLibrary& api = LoadClientLibrary();
    RecordHeader& header = ResetHeader(record, rowNumber);
    int textEnd = fixedSize_;
    for (int i = 0; i < ColumnCount(); ++i) {
        const TIBXSQLVAR& slot = columns.Var(i);
        const ColumnLayout& layout = columns_[static_cast<std::size_t>(i)];
        ColumnState& state = State(record, i);
        state = ColumnState{0,
                            layout.kind == NativeKind::Text ? textEnd : layout.offset,
                            static_cast<std::uint8_t>(slot.IsNull()),
                            {}};
        if (i == dbKeyColumn_ && !state.isNull)
            std::memcpy(header.dbKey, slot.Data(), sizeof header.dbKey);
        if (state.isNull) continue;
        StoreValue(api, layout, slot.Data(), record + state.offset, state);
        if (layout.kind == NativeKind::Text) textEnd += state.length;
    }
    return AlignRecord(textEnd);
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
    if (!state.isNull)
        StoreValue(LoadClientLibrary(), layout, slot.Data(), full + state.offset, state);
    if (column == dbKeyColumn_ && !state.isNull)
        std::memcpy(Header(full).dbKey, slot.Data(), sizeof Header(full).dbKey);
    State(full, column) = state;
}

int RecordLayout::CompactSize(const char* record) const {
    int bytes = fixedSize_;
    for (int i = 0; i < ColumnCount(); ++i)
        if (columns_[static_cast<std::size_t>(i)].kind == NativeKind::Text)
            bytes += State(record, i).length;
    return AlignRecord(bytes);
}

void RecordLayout::Expand(const char* record, char* full) const {
    std::memcpy(full, record, static_cast<std::size_t>(fixedSize_));
    MoveTexts(record, full, false);
}

void RecordLayout::Compact(const char* record, char* target) const {
    std::memcpy(target, record, static_cast<std::size_t>(fixedSize_));
    MoveTexts(record, target, true);
}

void RecordLayout::MoveTexts(const char* record, char* target, bool packed) const {
    int textEnd = fixedSize_;
    for (int i = 0; i < ColumnCount(); ++i) {
        const ColumnLayout& layout = columns_[static_cast<std::size_t>(i)];
        if (layout.kind != NativeKind::Text) continue;
        const ColumnState& source = State(record, i);
        ColumnState& state = State(target, i);
        state.offset = packed ? textEnd : layout.offset;
        std::memcpy(target + state.offset, record + source.offset,
                    static_cast<std::size_t>(source.length));
        textEnd += source.length;
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
    case NativeKind::Scaled:
        return Put(target, IntegerOf(layout.sqlType, source));
    case NativeKind::Double:
        return Put(target, FloatOf(layout.sqlType, source));
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
