#pragma once

#include "support/dbcontrols/FieldDataLink.h"

#include <QLineEdit>
#include <string>

class TDataSource;
class TField;

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// A one-line edit bound to a field: shows the field's text, and typing puts the result set
// into edit; the pending text reaches the field when the result set posts or moves and when
// the edit is left. Read-only while the field cannot be written.
class TDBEdit : public QLineEdit {
public:
    explicit TDBEdit(QWidget* parent = nullptr);
    ~TDBEdit() override;

    TDataSource* DataSource() const { return link_.DataSource(); }
    void SetDataSource(TDataSource* source) { link_.SetSource(source); }
    const std::string& DataField() const { return link_.FieldName(); }
    void SetDataField(std::string name) { link_.SetFieldName(std::move(name)); }
    TField* Field() const { return link_.Field(); }
    bool ReadOnly() const { return link_.ReadOnly(); }
    void SetReadOnly(bool readOnly) { link_.SetReadOnly(readOnly); }
    // Letters are shown and entered in this case.
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase charCase);
    // 0: a text field's size.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);
    // The text shown, Windows-1251.
    std::string Text() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void DataChange();
    void EditingChange();
    void UpdateData();
    void ApplyMaxLength();

    TFieldDataLink link_;
    TEditCharCase charCase_ = ecNormal;
    int maxLength_ = 0;
};
