#include "support/dbcontrols/FieldDataLink.h"

#include "db/IBCustomDataSet.h"

#include <utility>

void TFieldDataLink::SetSource(TDataSource* source) {
    SetDataSource(source);
    ActiveChanged();
}

void TFieldDataLink::SetFieldName(std::string name) {
    fieldName_ = std::move(name);
    ActiveChanged();
}

TField* TFieldDataLink::Field() const {
    return Active() && !fieldName_.empty() ? DataSet()->FindField(fieldName_) : nullptr;
}

void TFieldDataLink::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    if (OnEditingChange) OnEditingChange();
}

bool TFieldDataLink::Editing() const {
    return Active() && (DataSet()->State() == dsEdit || DataSet()->State() == dsInsert);
}

bool TFieldDataLink::CanModify() const {
    const TField* field = readOnly_ ? nullptr : Field();
    return field && !field->ReadOnly() && DataSet()->Modifiable();
}

bool TFieldDataLink::Edit() {
    if (CanModify() && DataSet()->State() == dsBrowse) DataSet()->Edit();
    return Editing();
}

void TFieldDataLink::UserChanged() {
    if (!Editing() && !EditKeepingText()) {
        ShowField();
        return;
    }
    modified_ = true;
}

// The edit notifications would show the field over the user's text.
bool TFieldDataLink::EditKeepingText() {
    holdDisplay_ = true;
    bool editing = false;
    try {
        editing = Edit();
    } catch (...) {
        holdDisplay_ = false;
        ShowField();
        throw;
    }
    holdDisplay_ = false;
    return editing;
}

void TFieldDataLink::Reset() {
    RecordChanged(nullptr);
}

void TFieldDataLink::ActiveChanged() {
    if (OnActiveChange) OnActiveChange();
    SetEditing(Editing());
    RecordChanged(nullptr);
}

void TFieldDataLink::RecordChanged(TField* field) {
    if (field && field != Field()) return;
    ShowField();
}

void TFieldDataLink::ShowField() {
    modified_ = false;
    if (!holdDisplay_ && OnDataChange) OnDataChange();
}

void TFieldDataLink::EditingChanged() {
    SetEditing(Editing());
}

void TFieldDataLink::SetEditing(bool editing) {
    if (editing == editing_) return;
    editing_ = editing;
    modified_ = false;
    if (OnEditingChange) OnEditingChange();
}

void TFieldDataLink::UpdateData() {
    if (!modified_ || !Field()) return;
    if (OnUpdateData) OnUpdateData();
    modified_ = false;
}
