#include "catalogue/TypedRow.h"

#include "db/Fields.h"
#include "db/IBCustomDataSet.h"

namespace {
// Dates and times keep their fractions only as numbers; their text follows the locale format.
bool IsDateTime(const TField& field) {
    return dynamic_cast<const TDateTimeField*>(&field) != nullptr;
}
} // namespace

TTypedRow TakeTypedRow(const TIBCustomDataSet& dataSet, bool inserting, int key) {
    TTypedRow row;
    row.inserting = inserting;
    row.key = key;
    for (int i = 0; i < dataSet.FieldCount(); ++i) {
        const TField& field = dataSet.Fields(i);
        TTypedRow::Value value;
        value.field = field.FieldName();
        value.null = field.IsNull();
        if (IsDateTime(field))
            value.time = field.AsDateTime();
        else
            value.text = field.AsString();
        row.values.push_back(std::move(value));
    }
    return row;
}

void PutTypedRow(TIBCustomDataSet& dataSet, const TTypedRow& row) {
    for (const TTypedRow::Value& value : row.values) {
        TField* field = dataSet.FindField(value.field);
        if (!field || field->ReadOnly()) continue;
        if (value.null)
            field->Clear();
        else if (IsDateTime(*field))
            field->SetAsDateTime(value.time);
        else
            field->SetAsString(value.text);
    }
}
