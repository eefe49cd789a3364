#include "db/Fields.h"

#include "db/IBBlob.h"
#include "db/IBCustomDataSet.h"
#include "db/IBErrors.h"
#include "db/ScaledNumber.h"
#include "platform/Conversions.h"
#include "platform/Exceptions.h"

#include <climits>
#include <cmath>
#include <cstring>

namespace {
// 2^63: the first whole number past the 64-bit range, exact as a double.
constexpr double kInt64Limit = 9223372036854775808.0;
// 0001-01-01 and 9999-12-31, the first and last days a date column holds.
constexpr double kFirstDate = -693593.0;
constexpr double kLastDate = 2958465.0;
// Significant digits a float field shows: a scaled value of no more reads as a float's would.
constexpr int kFloatDigits = 15;

[[noreturn]] void NotAnInteger(const std::string& value) {
    throw EConvertError("'" + value + "' is not a valid integer value");
}

// Values that do not fit (and NaN) raise instead of wrapping.
std::int32_t RoundToInt(double value) {
    const double rounded = std::nearbyint(value);
    if (!(rounded >= INT32_MIN && rounded <= INT32_MAX)) NotAnInteger(FloatToStr(value));
    return static_cast<std::int32_t>(rounded);
}

std::int64_t RoundToInt64(double value) {
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -kInt64Limit && rounded < kInt64Limit)) NotAnInteger(FloatToStr(value));
    return static_cast<std::int64_t>(rounded);
}

std::int32_t DaysOfDate(TDateTime value) {
    const double days = std::trunc(value);
    if (!(days >= kFirstDate && days <= kLastDate))
        throw EConvertError("'" + FloatToStr(value) + "' is not a valid date");
    return static_cast<std::int32_t>(days) + kDateDelta;
}

std::int32_t MillisecondsOfTime(TDateTime value) {
    if (!std::isfinite(value))
        throw EConvertError("'" + FloatToStr(value) + "' is not a valid time");
    return static_cast<std::int32_t>(
        std::llround(std::fabs(value - std::trunc(value)) * kMSecsPerDay));
}

double StampOfDateTime(TDateTime value) {
    return static_cast<double>(DaysOfDate(value)) * kMSecsPerDay + MillisecondsOfTime(value);
}

int SignificantDigits(std::int64_t value) {
    std::string digits = std::to_string(value);
    digits.erase(digits.find_last_not_of('0') + 1);
    return static_cast<int>(digits.size()) - (value < 0 ? 1 : 0);
}
} // namespace

TField::TField(TIBCustomDataSet& dataSet, const TFieldDef& def) : dataSet_(&dataSet), def_(def) {}

bool TField::IsNull() const {
    return Data() == nullptr;
}

TFieldValue TField::Value() const {
    TFieldValue value{nullptr, 0};
    value.data = Data(&value.length);
    return value;
}

void TField::Clear() {
    dataSet_->WriteField(*this, nullptr, 0);
}

const char* TField::Data(int* length) const {
    return dataSet_->ActiveFieldData(def_.column, length);
}

void TField::Write(const void* data, int length) {
    dataSet_->WriteField(*this, data, length);
}

void TField::InvalidValue(const std::string& value, const char* kind) const {
    throw EDatabaseError("'" + value + "' is not a valid " + kind + " value for field '" +
                         DisplayName() + "'");
}

void TField::SetFloatText(const std::string& value) {
    if (value.empty()) return Clear();
    double number = 0;
    if (!TryStrToFloat(value, number)) InvalidValue(value, "floating point");
    SetAsFloat(number);
}

void TField::AccessError(const char* typeName) const {
    throw EDatabaseError("Cannot access field '" + DisplayName() + "' as type " + typeName);
}

std::int32_t TField::GetAsInteger(const TFieldValue&) const {
    AccessError("Integer");
}
TDateTime TField::GetAsDateTime(const TFieldValue&) const {
    AccessError("DateTime");
}
double TField::GetAsFloat(const TFieldValue&) const {
    AccessError("Float");
}
void TField::SetAsInteger(std::int32_t) {
    AccessError("Integer");
}
void TField::SetAsDateTime(TDateTime) {
    AccessError("DateTime");
}
void TField::SetAsFloat(double) {
    AccessError("Float");
}

// ---- Numbers ----

std::string TIntegerField::GetAsString(const TFieldValue& value) const {
    return IntToStr(value.As<std::int32_t>());
}

void TIntegerField::SetAsString(const std::string& value) {
    if (value.empty()) return Clear();
    int number = 0;
    if (!TryStrToInt(value, number)) InvalidValue(value, "integer");
    SetAsInteger(number);
}

void TIntegerField::SetAsFloat(double value) {
    SetAsInteger(RoundToInt(value));
}

std::string TLargeintField::GetAsString(const TFieldValue& value) const {
    return IntToStr(value.As<std::int64_t>());
}

void TLargeintField::SetAsString(const std::string& value) {
    if (value.empty()) return Clear();
    std::int64_t number = 0;
    if (!TryStrToInt64(value, number)) InvalidValue(value, "integer");
    SetNative(number);
}

void TLargeintField::SetAsFloat(double value) {
    SetNative(RoundToInt64(value));
}

std::int32_t TFloatField::GetAsInteger(const TFieldValue& value) const {
    return RoundToInt(value.As<double>());
}

std::string TFloatField::GetAsString(const TFieldValue& value) const {
    return FloatToStr(value.As<double>());
}

void TFloatField::SetAsString(const std::string& value) {
    SetFloatText(value);
}

std::int32_t TIBBCDField::GetAsInteger(const TFieldValue& value) const {
    const std::int64_t whole = Rescale(value.As<std::int64_t>(), Scale(), 0);
    if (whole < INT32_MIN || whole > INT32_MAX) NotAnInteger(GetAsString(value));
    return static_cast<std::int32_t>(whole);
}

std::string TIBBCDField::GetAsString(const TFieldValue& value) const {
    const auto scaled = value.As<std::int64_t>();
    if (DataType() == ftFloat && SignificantDigits(scaled) <= kFloatDigits)
        return FloatToStr(GetAsFloat(value));
    return ScaledToText(scaled, Scale(), DefaultFormatSettings().DecimalSeparator);
}

double TIBBCDField::GetAsFloat(const TFieldValue& value) const {
    return ScaledToDouble(value.As<std::int64_t>(), Scale());
}

void TIBBCDField::SetAsInteger(std::int32_t value) {
    SetNative(Rescale(value, 0, Scale()));
}

// A decimal text is taken exactly; other forms of a number go through a float.
void TIBBCDField::SetAsString(const std::string& value) {
    std::int64_t scaled = 0;
    if (!TryTextToScaled(value, DefaultFormatSettings().DecimalSeparator, Scale(), scaled))
        return SetFloatText(value);
    SetNative(scaled);
}

void TIBBCDField::SetAsFloat(double value) {
    SetNative(DoubleToScaled(value, Scale()));
}

// ---- Dates and times ----

std::string TDateTimeField::GetAsString(const TFieldValue& value) const {
    return DateTimeToStr(GetAsDateTime(value));
}

TDateTime TDateTimeField::GetAsDateTime(const TFieldValue& value) const {
    return DateTimeOfStamp(value.As<double>());
}

void TDateTimeField::SetAsDateTime(TDateTime value) {
    SetNative(StampOfDateTime(value));
}

TDateTime TDateTimeField::ParseText(const std::string& text) const {
    return StrToDateTime(text);
}

void TDateTimeField::SetAsString(const std::string& value) {
    if (value.empty()) return Clear();
    SetAsDateTime(ParseText(value));
}

std::string TDateField::GetAsString(const TFieldValue& value) const {
    return DateToStr(GetAsDateTime(value));
}

TDateTime TDateField::GetAsDateTime(const TFieldValue& value) const {
    return DateOfDays(value.As<std::int32_t>());
}

void TDateField::SetAsDateTime(TDateTime value) {
    SetNative(DaysOfDate(value));
}

TDateTime TDateField::ParseText(const std::string& text) const {
    return StrToDate(text);
}

std::string TTimeField::GetAsString(const TFieldValue& value) const {
    return TimeToStr(GetAsDateTime(value));
}

TDateTime TTimeField::GetAsDateTime(const TFieldValue& value) const {
    return TimeOfMilliseconds(value.As<std::int32_t>());
}

void TTimeField::SetAsDateTime(TDateTime value) {
    SetNative(MillisecondsOfTime(value));
}

TDateTime TTimeField::ParseText(const std::string& text) const {
    return StrToTime(text);
}

// ---- Text ----

std::string TIBStringField::GetAsString(const TFieldValue& value) const {
    int length = value.length;
    const auto end =
        static_cast<const char*>(std::memchr(value.data, '\0', static_cast<std::size_t>(length)));
    if (end) length = static_cast<int>(end - value.data);
    if (length > Size()) RaiseClientError(ClientError::SizeMismatch, DisplayName());
    return std::string(value.data, static_cast<std::size_t>(length));
}

std::int32_t TIBStringField::GetAsInteger(const TFieldValue& value) const {
    return StrToInt(GetAsString(value));
}

TDateTime TIBStringField::GetAsDateTime(const TFieldValue& value) const {
    return StrToDateTime(GetAsString(value));
}

double TIBStringField::GetAsFloat(const TFieldValue& value) const {
    return StrToFloat(GetAsString(value));
}

void TIBStringField::SetAsString(const std::string& value) {
    if (value.empty()) return Clear();
    Write(value.data(),
          static_cast<int>(std::min<std::size_t>(value.size(), static_cast<std::size_t>(Size()))));
}

void TIBStringField::SetAsInteger(std::int32_t value) {
    SetAsString(IntToStr(value));
}

void TIBStringField::SetAsDateTime(TDateTime value) {
    SetAsString(DateTimeToStr(value));
}

void TIBStringField::SetAsFloat(double value) {
    SetAsString(FloatToStr(value));
}

// ---- Blobs ----

std::string TBlobField::GetAsString(const TFieldValue& value) const {
    return ReadBlob(DataSet().Link(), value.As<BlobId>());
}

void TBlobField::SetAsString(const std::string& value) {
    if (value.empty()) return Clear();
    const BlobId id = WriteBlob(DataSet().Link(), value);
    Write(&id, sizeof id);
}

std::unique_ptr<TField> CreateField(TIBCustomDataSet& dataSet, const TFieldDef& def) {
    switch (def.dataType) {
    case ftSmallint:
        return std::make_unique<TSmallintField>(dataSet, def);
    case ftInteger:
        return std::make_unique<TIntegerField>(dataSet, def);
    case ftLargeint:
        return std::make_unique<TLargeintField>(dataSet, def);
    case ftBCD:
        return std::make_unique<TIBBCDField>(dataSet, def);
    case ftFloat:
        if (def.scale < 0) return std::make_unique<TIBBCDField>(dataSet, def);
        return std::make_unique<TFloatField>(dataSet, def);
    case ftDate:
        return std::make_unique<TDateField>(dataSet, def);
    case ftTime:
        return std::make_unique<TTimeField>(dataSet, def);
    case ftDateTime:
        return std::make_unique<TDateTimeField>(dataSet, def);
    case ftMemo:
        return std::make_unique<TMemoField>(dataSet, def);
    case ftBlob:
        return std::make_unique<TBlobField>(dataSet, def);
    default:
        return std::make_unique<TIBStringField>(dataSet, def);
    }
}
