#include "db/IBXSQLDA.h"

#include "db/ClientApi.h"
#include "db/IBBlob.h"
#include "db/IBErrors.h"
#include "db/IBSQL.h"
#include "db/ScaledNumber.h"
#include "platform/Conversions.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {
constexpr int kMaxNameLength = 31;
constexpr short kCurrencyScale = -4;

std::string UpperCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string Unquoted(const std::string& name) {
    std::string inner = name.size() >= 2 ? name.substr(1, name.size() - 2) : std::string();
    for (std::size_t at = inner.find("\"\""); at != std::string::npos;
         at = inner.find("\"\"", at + 1))
        inner.erase(at, 1);
    return inner;
}

std::tm ToTm(TDateTime value) {
    std::tm tm = {};
    int year, month, day, hour, minute, second, millisecond;
    DecodeDate(value, year, month, day);
    DecodeTime(value, hour, minute, second, millisecond);
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    return tm;
}

// Bytes the client library needs for a described slot; client error UnknownSqlDataType for unknown
// types.
int BufferSize(short type, short length) {
    switch (type) {
    case sqltVarying:
        return length + 2;
    case sqltText:
    case sqltDouble:
    case sqltFloat:
    case sqltLong:
    case sqltShort:
    case sqltTimestamp:
    case sqltBlob:
    case sqltDFloat:
    case sqltArray:
    case sqltQuad:
    case sqltTime:
    case sqltDate:
    case sqltInt64:
        return std::max<int>(length, 1);
    default:
        RaiseClientError(ClientError::UnknownSqlDataType, static_cast<int>(type));
    }
}
} // namespace

std::string NormalizeSQLName(const std::string& name, int dialect) {
    const std::string trimmed = Trimmed(name);
    if (dialect != 1 && !trimmed.empty() && trimmed.front() == '"') return Unquoted(trimmed);
    return UpperCase(trimmed);
}

// ---- TIBXSQLVAR: description ----

static XSQLVAR& V(const TIBXSQLVAR& slot) {
    return *static_cast<XSQLVAR*>(slot.Var());
}

void* TIBXSQLVAR::Var() const {
    return &static_cast<XSQLDA*>(parent_->area_.get())->sqlvar[index_];
}

short TIBXSQLVAR::SqlType() const {
    return static_cast<short>(V(*this).sqltype & ~1);
}
short TIBXSQLVAR::SqlScale() const {
    return V(*this).sqlscale;
}
short TIBXSQLVAR::SqlSubtype() const {
    return V(*this).sqlsubtype;
}
short TIBXSQLVAR::SqlLen() const {
    return V(*this).sqllen;
}
bool TIBXSQLVAR::Nullable() const {
    return (V(*this).sqltype & 1) != 0;
}
std::string TIBXSQLVAR::SqlName() const {
    return std::string(V(*this).sqlname, static_cast<std::size_t>(V(*this).sqlname_length));
}
std::string TIBXSQLVAR::RelName() const {
    return std::string(V(*this).relname, static_cast<std::size_t>(V(*this).relname_length));
}
std::string TIBXSQLVAR::AliasName() const {
    return std::string(V(*this).aliasname, static_cast<std::size_t>(V(*this).aliasname_length));
}

void TIBXSQLVAR::Describe(std::string name) {
    name_ = std::move(name);
    const short type = SqlType();
    maxLen_ = type == sqltText || type == sqltVarying ? SqlLen() : 0;
    modified_ = false;
    Allocate();
}

void TIBXSQLVAR::Allocate() {
    XSQLVAR& var = V(*this);
    data_.assign(static_cast<std::size_t>(BufferSize(SqlType(), var.sqllen)), '\0');
    var.sqldata = data_.data();
    nullIndicator_ = 0;
    var.sqlind = Nullable() ? &nullIndicator_ : nullptr;
}

// ---- TIBXSQLVAR: NULL ----

void TIBXSQLVAR::SetNullOnly(bool isNull) {
    XSQLVAR& var = V(*this);
    if (isNull && !Nullable()) {
        var.sqltype = static_cast<short>(var.sqltype | 1);
        var.sqlind = &nullIndicator_;
    }
    if (Nullable()) nullIndicator_ = isNull ? kNullIndicator : 0;
}

void TIBXSQLVAR::SetIsNull(bool isNull) {
    for (auto& slot : parent_->vars_)
        if (slot->index_ < parent_->count_ && slot->name_ == name_) slot->SetNullOnly(isNull);
}

// ---- TIBXSQLVAR: setters ----

template <class Write> void TIBXSQLVAR::Assign(short type, int length, Write write) {
    SetIsNull(false);
    for (auto& slot : parent_->vars_) {
        if (slot->index_ >= parent_->count_ || slot->name_ != name_) continue;
        XSQLVAR& var = V(*slot);
        var.sqltype = static_cast<short>(type | (var.sqltype & 1));
        var.sqlscale = 0;
        var.sqllen = static_cast<short>(length);
        slot->data_.resize(static_cast<std::size_t>(std::max(length, 1)));
        var.sqldata = slot->data_.data();
        write(var);
        slot->modified_ = true;
    }
}

void TIBXSQLVAR::SetAsShort(short value) {
    Assign(sqltShort, sizeof value,
           [&](XSQLVAR& var) { std::memcpy(var.sqldata, &value, sizeof value); });
}

void TIBXSQLVAR::SetAsLong(std::int32_t value) {
    Assign(sqltLong, sizeof value,
           [&](XSQLVAR& var) { std::memcpy(var.sqldata, &value, sizeof value); });
}

void TIBXSQLVAR::SetAsInt64(std::int64_t value) {
    Assign(sqltInt64, sizeof value,
           [&](XSQLVAR& var) { std::memcpy(var.sqldata, &value, sizeof value); });
}

void TIBXSQLVAR::SetAsDouble(double value) {
    Assign(sqltDouble, sizeof value,
           [&](XSQLVAR& var) { std::memcpy(var.sqldata, &value, sizeof value); });
}

void TIBXSQLVAR::SetAsScaled(std::int64_t number, short scale) {
    if (parent_->Owner().Base().SQLDialect() < 3) return SetAsDouble(ScaledToDouble(number, scale));
    Assign(sqltInt64, sizeof number, [&](XSQLVAR& var) {
        std::memcpy(var.sqldata, &number, sizeof number);
        var.sqlscale = scale;
    });
}

void TIBXSQLVAR::SetAsCurrency(double value) {
    if (parent_->Owner().Base().SQLDialect() < 3) return SetAsDouble(value);
    SetAsScaled(DoubleToScaled(value, kCurrencyScale), kCurrencyScale);
}

void TIBXSQLVAR::SetAsDate(TDateTime value) {
    if (parent_->Owner().Base().SQLDialect() < 3) return SetAsDateTime(value);
    std::tm tm = ToTm(value);
    Assign(sqltDate, sizeof(ISC_DATE), [&](XSQLVAR& var) {
        LoadClientLibrary().isc_encode_sql_date(&tm, reinterpret_cast<ISC_DATE*>(var.sqldata));
    });
}

void TIBXSQLVAR::SetAsTime(TDateTime value) {
    if (parent_->Owner().Base().SQLDialect() < 3) return SetAsDateTime(value);
    SetAsTimeValue(value);
}

void TIBXSQLVAR::SetAsTimeValue(TDateTime value) {
    std::tm tm = ToTm(value);
    Assign(sqltTime, sizeof(ISC_TIME), [&](XSQLVAR& var) {
        LoadClientLibrary().isc_encode_sql_time(&tm, reinterpret_cast<ISC_TIME*>(var.sqldata));
    });
}

void TIBXSQLVAR::SetAsDateTime(TDateTime value) {
    std::tm tm = ToTm(value);
    Assign(sqltTimestamp, sizeof(ISC_QUAD), [&](XSQLVAR& var) {
        LoadClientLibrary().isc_encode_date(&tm, reinterpret_cast<ISC_QUAD*>(var.sqldata));
    });
}

void TIBXSQLVAR::SetAsQuad(BlobId id) {
    const short type = SqlType();
    if (type != sqltBlob && type != sqltArray) RaiseClientError(ClientError::InvalidDataConversion);
    const ISC_QUAD quad = {id.high, id.low};
    Assign(type, sizeof quad, [&](XSQLVAR& var) { std::memcpy(var.sqldata, &quad, sizeof quad); });
}

void TIBXSQLVAR::SetAsBytes(const std::string& bytes) {
    const int length = SqlLen();
    Assign(sqltText, length, [&](XSQLVAR& var) {
        std::memset(var.sqldata, 0, static_cast<std::size_t>(length));
        std::memcpy(var.sqldata, bytes.data(),
                    std::min(bytes.size(), static_cast<std::size_t>(length)));
    });
}

void TIBXSQLVAR::SetAsString(const std::string& text) {
    switch (SqlType()) {
    case sqltText:
    case sqltVarying:
        return SqlName() == "DB_KEY" || SqlName() == "RDB$DB_KEY" ? SetAsDbKey(text)
                                                                  : SetAsText(text);
    case sqltBlob:
        return SetAsQuad(WriteBlob(parent_->Owner().Base(), text));
    default:
        break;
    }
    if (text.empty()) return SetIsNull(true);
    switch (SqlType()) {
    case sqltDate:
    case sqltTime:
    case sqltTimestamp:
        return SetAsDateTime(StrToDateTime(text));
    default:
        return SetAsText(text);
    }
}

void TIBXSQLVAR::SetAsText(const std::string& text) {
    const int length = static_cast<int>(text.size());
    if (maxLen_ > 0 && length > maxLen_)
        RaiseClientError(ClientError::StringTooLong, length, maxLen_);
    Assign(sqltText, length,
           [&](XSQLVAR& var) { std::memcpy(var.sqldata, text.data(), text.size()); });
}

void TIBXSQLVAR::SetAsDbKey(const std::string& text) {
    SetIsNull(false);
    const std::size_t length = std::min(text.size(), data_.size());
    std::memcpy(data_.data(), text.data(), length);
    modified_ = true;
}

// ---- TIBXSQLVAR: reading ----

std::string TIBXSQLVAR::AsString() const {
    if (IsNull()) return {};
    const char* data = data_.data();
    switch (SqlType()) {
    case sqltText:
        return std::string(data, static_cast<std::size_t>(SqlLen()));
    case sqltVarying: {
        const auto length = *reinterpret_cast<const unsigned short*>(data);
        return std::string(data + 2, length);
    }
    case sqltShort:
        if (SqlScale() == 0) return IntToStr(*reinterpret_cast<const short*>(data));
        break;
    case sqltLong:
        if (SqlScale() == 0) return IntToStr(*reinterpret_cast<const std::int32_t*>(data));
        break;
    case sqltInt64:
        if (SqlScale() == 0) return IntToStr(*reinterpret_cast<const std::int64_t*>(data));
        break;
    default:
        break;
    }
    RaiseClientError(ClientError::InvalidDataConversion);
}

// ---- TIBXSQLDA ----

void TIBXSQLDA::FreeArea::operator()(void* area) const {
    std::free(area);
}

TIBXSQLDA::TIBXSQLDA(TIBSQL& owner, bool isColumns) : owner_(&owner), isColumns_(isColumns) {}

TIBXSQLDA::~TIBXSQLDA() = default;

void TIBXSQLDA::SetCount(int count) {
    if (count > capacity_) {
        auto* grown = static_cast<XSQLDA*>(std::realloc(area_.get(), XSQLDA_LENGTH(count)));
        if (!grown) throw std::bad_alloc();
        (void)area_.release();
        area_.reset(grown);
        std::memset(&grown->sqlvar[capacity_], 0,
                    sizeof(XSQLVAR) * static_cast<std::size_t>(count - capacity_));
        for (int i = capacity_; i < count; ++i)
            vars_.push_back(std::make_unique<TIBXSQLVAR>(*this, i));
        capacity_ = count;
    }
    if (auto* area = static_cast<XSQLDA*>(area_.get())) {
        area->version = SQLDA_VERSION1;
        area->sqln = static_cast<ISC_SHORT>(capacity_);
        area->sqld = static_cast<ISC_SHORT>(count);
    }
    count_ = count;
}

void TIBXSQLDA::IndexOutOfRange() {
    RaiseClientError(ClientError::XsqldaIndexOutOfRange);
}

TIBXSQLVAR* TIBXSQLDA::ByName(const std::string& name) {
    const int index = IndexOf(NormalizeSQLName(name, owner_->Base().SQLDialect()));
    return index < 0 ? nullptr : vars_[static_cast<std::size_t>(index)].get();
}

int TIBXSQLDA::IndexOf(const std::string& name) const {
    for (int i = 0; i < count_; ++i)
        if (vars_[static_cast<std::size_t>(i)]->name_ == name) return i;
    return -1;
}

void TIBXSQLDA::Initialize(const std::vector<std::string>& paramNames) {
    const int dialect = owner_->Base().SQLDialect();
    uniqueRelationName_.clear();
    relationTracked_ = true;
    for (int i = 0; i < count_; ++i) {
        TIBXSQLVAR& slot = *vars_[static_cast<std::size_t>(i)];
        slot.name_.clear();
    }
    for (int i = 0; i < count_; ++i) {
        TIBXSQLVAR& slot = *vars_[static_cast<std::size_t>(i)];
        TrackRelation(slot.RelName());
        std::string name;
        if (isColumns_) {
            name = ColumnName(slot.AliasName());
            XSQLVAR& var = V(slot);
            std::memcpy(var.aliasname, name.data(), name.size());
            var.aliasname_length = static_cast<short>(name.size());
        } else if (static_cast<std::size_t>(i) < paramNames.size()) {
            name = paramNames[static_cast<std::size_t>(i)];
        }
        slot.Describe(NormalizeSQLName(name, dialect));
    }
}

std::string TIBXSQLDA::ColumnName(const std::string& alias) const {
    const std::string base = alias.empty() ? "F_" : alias;
    std::string candidate = alias.empty() ? "F_1" : alias;
    for (int number = alias.empty() ? 1 : 0; IndexOf(UpperCase(candidate)) >= 0;) {
        const std::string suffix = std::to_string(++number);
        candidate = base.substr(0, kMaxNameLength - suffix.size()) + suffix;
    }
    return candidate;
}

void TIBXSQLDA::TrackRelation(const std::string& relation) {
    if (!relationTracked_ || relation.empty()) return;
    if (uniqueRelationName_.empty()) {
        uniqueRelationName_ = relation;
    } else if (relation != uniqueRelationName_) {
        uniqueRelationName_.clear();
        relationTracked_ = false;
    }
}
