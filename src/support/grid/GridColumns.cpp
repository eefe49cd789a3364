#include "support/grid/GridColumns.h"

#include "db/IBCustomDataSet.h"
#include "platform/FormatSettings.h"
#include "support/grid/RecordGrid.h"

#include <algorithm>
#include <cctype>

namespace {
constexpr int kUnboundColumnWidth = 64;

// The field of that name while the grid's result set is open.
TField* OpenField(const TRecordGrid* grid, const std::string& name) {
    const TIBCustomDataSet* dataSet = grid ? grid->DataSet() : nullptr;
    return dataSet && dataSet->Active() ? dataSet->FindField(name) : nullptr;
}

bool IsInteger(TFieldType type) {
    return type == ftSmallint || type == ftInteger || type == ftLargeint;
}
} // namespace

std::string FieldDisplayText(const TField& field) {
    if (field.DataType() == ftMemo) return field.IsNull() ? "(memo)" : "(MEMO)";
    if (field.DataType() == ftBlob) return field.IsNull() ? "(blob)" : "(BLOB)";
    return field.AsString();
}

TAlignment FieldAlignment(const TField& field) {
    const TFieldType type = field.DataType();
    return IsInteger(type) || type == ftFloat || type == ftBCD ? taRightJustify : taLeftJustify;
}

int FieldDisplayWidth(const TField& field) {
    switch (field.DataType()) {
    case ftString:
        return std::max(1, field.Size());
    case ftSmallint:
        return 6;
    case ftInteger:
        return 11;
    case ftLargeint:
        return 15;
    default:
        return 10;
    }
}

bool FieldIsBinary(const TField& field) {
    return field.DataType() == ftMemo || field.DataType() == ftBlob;
}

bool FieldAcceptsChar(const TField& field, char c) {
    const TFieldType type = field.DataType();
    const bool sign = c == '+' || c == '-';
    const bool digit = std::isdigit(static_cast<unsigned char>(c)) != 0;
    if (IsInteger(type)) return digit || sign;
    if (type == ftBCD) return digit || sign || c == DefaultFormatSettings().DecimalSeparator;
    if (type == ftFloat)
        return digit || sign || c == 'e' || c == 'E' ||
               c == DefaultFormatSettings().DecimalSeparator;
    return true;
}

std::string TColumnTitle::Caption() const {
    return caption_ ? *caption_ : column_.FieldName();
}

void TColumnTitle::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    column_.Changed();
}

void TColumn::SetFieldName(std::string name) {
    fieldName_ = std::move(name);
    field_ = OpenField(grid_, fieldName_);
    Changed();
}

int TColumn::Width() const {
    if (width_) return *width_;
    return grid_ ? grid_->DefaultColumnWidth(*this) : kUnboundColumnWidth;
}

void TColumn::SetWidth(int width) {
    width_ = width;
    Changed();
}

void TColumn::SetVisible(bool visible) {
    visible_ = visible;
    Changed();
}

TColor TColumn::EffectiveColor() const {
    return Color ? *Color : grid_ ? grid_->Color() : clWindow;
}

TFont TColumn::EffectiveFont() const {
    return Font ? *Font : grid_ ? grid_->Font() : TFont{};
}

TAlignment TColumn::EffectiveAlignment() const {
    if (Alignment) return *Alignment;
    return field_ ? FieldAlignment(*field_) : taLeftJustify;
}

void TColumn::Changed() const {
    if (grid_) grid_->ColumnsChanged();
}

TColumn& TDBGridColumns::Add() {
    items_.push_back(std::make_unique<TColumn>(grid_));
    Changed();
    return *items_.back();
}

TColumn& TDBGridColumns::Add(const std::string& fieldName, const std::string& caption, int width) {
    TColumn& column = Add();
    column.fieldName_ = fieldName;
    column.title_.caption_ = caption;
    if (width > 0) column.width_ = width;
    column.field_ = OpenField(grid_, fieldName);
    Changed();
    return column;
}

int TDBGridColumns::IndexOf(const TColumn& column) const {
    for (int i = 0; i < Count(); ++i)
        if (&Items(i) == &column) return i;
    return -1;
}

void TDBGridColumns::Move(int from, int to) {
    if (from == to || from < 0 || to < 0 || from >= Count() || to >= Count()) return;
    auto column = std::move(items_[static_cast<std::size_t>(from)]);
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, std::move(column));
    Changed();
}

void TDBGridColumns::Clear() {
    items_.clear();
    Changed();
}

void TDBGridColumns::BindFields(const TIBCustomDataSet* dataSet) {
    const bool open = dataSet && dataSet->Active();
    for (auto& column : items_)
        column->field_ = open ? dataSet->FindField(column->fieldName_) : nullptr;
}

void TDBGridColumns::Changed() const {
    if (grid_) grid_->ColumnsChanged();
}
