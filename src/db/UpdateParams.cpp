#include "db/UpdateParams.h"

#include "db/IBErrors.h"
#include "db/IBXSQLDA.h"
#include "db/RecordLayout.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace {
constexpr const char* kDbKeyParam = "IB_INTERNAL_DBKEY";
constexpr const char* kOldPrefix = "OLD_";
constexpr const char* kNewPrefix = "NEW_";

template <class T> T Native(const char* data) {
    T value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

bool DropPrefix(std::string& name, const char* prefix) {
    const std::size_t length = std::strlen(prefix);
    if (name.compare(0, length, prefix) != 0) return false;
    name.erase(0, length);
    return true;
}

// The value in its native form sent with the setter of the column's kind.
void SetSlot(TIBXSQLVAR& slot, const ColumnLayout& layout, const char* data, int length) {
    switch (layout.kind) {
    case NativeKind::Text:
        return slot.SetAsString(std::string(data, static_cast<std::size_t>(length)));
    case NativeKind::Int32:
        return slot.SetAsLong(Native<std::int32_t>(data));
    case NativeKind::Int64:
        return slot.SetAsInt64(Native<std::int64_t>(data));
    case NativeKind::Scaled:
        return slot.SetAsScaled(Native<std::int64_t>(data), layout.scale);
    case NativeKind::Double:
        return slot.SetAsDouble(Native<double>(data));
    case NativeKind::TimeStamp:
        return slot.SetAsDateTime(DateTimeOfStamp(Native<double>(data)));
    case NativeKind::Date:
        return slot.SetAsDate(DateOfDays(Native<std::int32_t>(data)));
    case NativeKind::Time:
        return slot.SetAsTime(TimeOfMilliseconds(Native<std::int32_t>(data)));
    case NativeKind::Quad:
        return slot.SetAsQuad(Native<BlobId>(data));
    }
}

void FillParam(TIBXSQLVAR& slot, const TIBXSQLDA& columns, const RecordLayout& layout,
               const char* record, const char* oldRecord) {
    const std::string name = ParamColumnName(slot.Name());
    const char* source = slot.Name().starts_with(kOldPrefix) ? oldRecord : record;
    if (name == kDbKeyParam) return slot.SetAsBytes(layout.DbKey(source));
    const int column = columns.IndexOf(name);
    if (column < 0) return;
    int length = 0;
    const char* value = layout.Value(source, column, &length);
    if (!value) return slot.SetIsNull(true);
    SetSlot(slot, layout.Column(column), value, length);
}
} // namespace

std::string ParamColumnName(std::string name) {
    if (!DropPrefix(name, kOldPrefix)) DropPrefix(name, kNewPrefix);
    return name;
}

void FillUpdateParams(TIBXSQLDA& params, const TIBXSQLDA& columns, const RecordLayout& layout,
                      const char* record, const char* oldRecord) {
    if (!record || !oldRecord) RaiseClientError(ClientError::BufferNotSet);
    for (int i = 0; i < params.Count(); ++i)
        FillParam(params.Var(i), columns, layout, record, oldRecord);
}
