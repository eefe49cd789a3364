#pragma once

#include "support/dbcontrols/FieldDataLink.h"

#include <QPlainTextEdit>
#include <string>

class TDataSource;
class TField;

// A multi-line edit bound to a field, working as the data-aware edit does. Lines are kept
// apart by carriage return and line feed in the field.
class TDBMemo : public QPlainTextEdit {
public:
    explicit TDBMemo(QWidget* parent = nullptr);
    ~TDBMemo() override;

    TDataSource* DataSource() const { return link_.DataSource(); }
    void SetDataSource(TDataSource* source) { link_.SetSource(source); }
    const std::string& DataField() const { return link_.FieldName(); }
    void SetDataField(std::string name) { link_.SetFieldName(std::move(name)); }
    TField* Field() const { return link_.Field(); }
    bool ReadOnly() const { return link_.ReadOnly(); }
    void SetReadOnly(bool readOnly) { link_.SetReadOnly(readOnly); }
    // The text shown, Windows-1251 with \r\n between lines.
    std::string Text() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void DataChange();
    void EditingChange();
    void UpdateData();

    TFieldDataLink link_;
    bool showing_ = false;
};
