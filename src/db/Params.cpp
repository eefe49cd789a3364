#include "db/Params.h"

#include "platform/Conversions.h"
#include "platform/Cp1251.h"
#include "platform/Exceptions.h"

#include <cmath>

namespace {
template <class... F> struct Overloaded : F... { using F::operator()...; };
template <class... F> Overloaded(F...) -> Overloaded<F...>;
} // namespace

bool TParam::IsNull() const {
    return null_ || std::holds_alternative<std::monostate>(value_);
}

void TParam::Set(TFieldType type, ParamValue value) {
    dataType_ = type;
    value_ = std::move(value);
    null_ = false;
    bound_ = true;
}

void TParam::SetAsString(const std::string& value) {
    Set(dataType_ == ftFixedChar ? ftFixedChar : ftString, value);
}
void TParam::SetAsInteger(int value) {
    Set(ftInteger, std::int64_t{value});
}
void TParam::SetAsFloat(double value) {
    Set(ftFloat, value);
}
void TParam::SetAsDate(TDateTime value) {
    Set(ftDate, DateTimeValue{value});
}
void TParam::SetAsTime(TDateTime value) {
    Set(ftTime, DateTimeValue{value});
}
void TParam::SetAsDateTime(TDateTime value) {
    Set(ftDateTime, DateTimeValue{value});
}

void TParam::Clear() {
    null_ = true;
    value_ = std::monostate{};
}

std::string TParam::AsString() const {
    return std::visit(Overloaded{[](std::monostate) { return std::string(); },
                                 [](const std::string& text) { return text; },
                                 [](std::int64_t number) { return IntToStr(number); },
                                 [](double number) { return FloatToStr(number); },
                                 [](DateTimeValue date) { return DateTimeToStr(date.value); }},
                      value_);
}

std::int64_t TParam::AsInteger() const {
    return std::visit(
        Overloaded{[](std::monostate) { return std::int64_t{0}; },
                   [](const std::string& text) { return StrToInt64(text); },
                   [](std::int64_t number) { return number; },
                   [](double number) { return static_cast<std::int64_t>(std::nearbyint(number)); },
                   [](DateTimeValue date) {
                       return static_cast<std::int64_t>(std::nearbyint(date.value));
                   }},
        value_);
}

double TParam::AsFloat() const {
    return std::visit(Overloaded{[](std::monostate) { return 0.0; },
                                 [](const std::string& text) { return StrToFloat(text); },
                                 [](std::int64_t number) { return static_cast<double>(number); },
                                 [](double number) { return number; },
                                 [](DateTimeValue date) { return date.value; }},
                      value_);
}

void TParam::AssignValue(const TParam& other) {
    dataType_ = other.dataType_;
    value_ = other.value_;
    null_ = other.null_;
    bound_ = other.bound_;
}

void TParams::Build(const std::vector<std::string>& names) {
    items_.clear();
    items_.reserve(names.size());
    for (const std::string& name : names) {
        std::shared_ptr<TParam> first;
        for (const auto& item : items_)
            if (AnsiSameText(item->Name(), name)) {
                first = item;
                break;
            }
        items_.push_back(first ? first : std::make_shared<TParam>(name));
    }
}

TParam* TParams::FindParam(const std::string& name) const {
    for (const auto& item : items_)
        if (AnsiSameText(item->Name(), name)) return item.get();
    return nullptr;
}

void TParams::AssignValues(const TParams& old) {
    for (const auto& item : items_)
        if (const TParam* previous = old.FindParam(item->Name())) item->AssignValue(*previous);
}
