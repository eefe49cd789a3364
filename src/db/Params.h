#pragma once

#include "platform/DateTime.h"

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

enum TFieldType {
    ftUnknown,
    ftString,
    ftSmallint,
    ftInteger,
    ftWord,
    ftBoolean,
    ftFloat,
    ftCurrency,
    ftBCD,
    ftDate,
    ftTime,
    ftDateTime,
    ftBytes,
    ftVarBytes,
    ftAutoInc,
    ftBlob,
    ftMemo,
    ftGraphic,
    ftFmtMemo,
    ftParadoxOle,
    ftDBaseOle,
    ftTypedBinary,
    ftCursor,
    ftFixedChar,
    ftWideString,
    ftLargeint,
};

// A date-time value as a parameter holds it, told apart from a plain number.
struct DateTimeValue {
    TDateTime value;
};

// A parameter's value: empty until assigned.
using ParamValue = std::variant<std::monostate, std::string, std::int64_t, double, DateTimeValue>;

// One named parameter of a query; its value outlives preparations and executions.
class TParam {
public:
    explicit TParam(std::string name) : name_(std::move(name)) {}

    const std::string& Name() const { return name_; }
    TFieldType DataType() const { return dataType_; }
    void SetDataType(TFieldType type) { dataType_ = type; }
    const ParamValue& Value() const { return value_; }
    // NULL when marked so or never given a value.
    bool IsNull() const;
    bool Bound() const { return bound_; }

    void SetAsString(const std::string& value);
    void SetAsInteger(int value);
    void SetAsFloat(double value);
    void SetAsDate(TDateTime value);
    void SetAsTime(TDateTime value);
    void SetAsDateTime(TDateTime value);
    // NULL, keeping the data type.
    void Clear();

    // The value converted for binding; EConvertError when it does not convert.
    std::string AsString() const;
    std::int64_t AsInteger() const;
    double AsFloat() const;

    // Data type, value, NULL flag and bound flag of another parameter.
    void AssignValue(const TParam& other);

private:
    void Set(TFieldType type, ParamValue value);

    std::string name_;
    TFieldType dataType_ = ftUnknown;
    ParamValue value_;
    bool null_ = true;
    bool bound_ = false;
};

// The parameters of a query: one entry per occurrence of a name in its text; occurrences of a
// name already used refer to the first parameter of that name (names compared ignoring case).
class TParams {
public:
    // Entries for the names in order.
    void Build(const std::vector<std::string>& names);
    int Count() const { return static_cast<int>(items_.size()); }
    TParam& Item(int index) const { return *items_[static_cast<std::size_t>(index)]; }
    // The first parameter of the name ignoring case; null when none.
    TParam* FindParam(const std::string& name) const;
    // Values move over to the parameters of the same names; others start NULL.
    void AssignValues(const TParams& old);

private:
    std::vector<std::shared_ptr<TParam>> items_;
};
