#pragma once

#include "db/DataSource.h"

#include <functional>
#include <string>

// Ties a data-aware control to one field of its data source's result set: tells the control
// when to show the field again and when to write its pending text, and starts editing for it.
class TFieldDataLink : public TDataLink {
public:
    // Binds to the data source and shows its field.
    void SetSource(TDataSource* source);
    const std::string& FieldName() const { return fieldName_; }
    void SetFieldName(std::string name);
    // Looked up on every call, so a closed and reopened result set never leaves it dangling.
    TField* Field() const;
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    // The result set is in the edit or insert state.
    bool Editing() const;
    // The control may write the field: it is not read-only, the field exists and can be
    // assigned, and the result set can modify.
    bool CanModify() const;
    // Puts a browsing result set into edit when the field can be written; whether it is
    // editing afterwards.
    bool Edit();
    // The user changed the control's text. Starts editing without showing the field again and
    // marks the text pending; when the result set cannot edit, the field is shown again.
    void UserChanged();
    bool IsModified() const { return modified_; }
    // Drops the pending text: the field is shown again.
    void Reset();
    // Writes pending text into the field.
    void UpdateRecord() { UpdateData(); }

    std::function<void()> OnDataChange;
    std::function<void()> OnEditingChange;
    std::function<void()> OnActiveChange;
    std::function<void()> OnUpdateData;

protected:
    void ActiveChanged() override;
    void DataSetChanged() override { RecordChanged(nullptr); }
    void DataSetScrolled(int) override { RecordChanged(nullptr); }
    void RecordChanged(TField* field) override;
    void EditingChanged() override;
    void UpdateData() override;

private:
    bool EditKeepingText();
    void SetEditing(bool editing);
    void ShowField();

    std::string fieldName_;
    bool readOnly_ = false;
    bool editing_ = false;
    bool modified_ = false;
    bool holdDisplay_ = false;
};
