#pragma once

#include "platform/Alignment.h"
#include "platform/Colors.h"
#include "platform/Font.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class TField;
class TIBCustomDataSet;
class TRecordGrid;

// How grids show and accept the values of a field.
std::string FieldDisplayText(const TField& field);
TAlignment FieldAlignment(const TField& field);
// The width in characters a column of the field starts with.
int FieldDisplayWidth(const TField& field);
// Blob, memo and picture fields hold no text a cell can edit.
bool FieldIsBinary(const TField& field);
// Numeric fields take only the characters of a number.
bool FieldAcceptsChar(const TField& field, char c);

class TColumn;

// The title cell of a column; unset looks follow the grid.
class TColumnTitle {
public:
    explicit TColumnTitle(TColumn& column) : column_(column) {}

    // The field name until set.
    std::string Caption() const;
    void SetCaption(std::string caption);
    std::optional<TColor> Color;
    std::optional<TFont> Font;
    std::optional<TAlignment> Alignment;

private:
    friend class TDBGridColumns;

    TColumn& column_;
    std::optional<std::string> caption_;
};

// One shown column: the field it shows, found by name, and its looks.
class TColumn {
public:
    explicit TColumn(TRecordGrid* grid) : grid_(grid) {}

    const std::string& FieldName() const { return fieldName_; }
    void SetFieldName(std::string name);
    // The field of the open result set; null while closed or without such a field.
    TField* Field() const { return field_; }
    TColumnTitle& Title() { return title_; }
    const TColumnTitle& Title() const { return title_; }
    // The default width until set: from the field's display width and the title caption.
    int Width() const;
    void SetWidth(int width);
    bool WidthAssigned() const { return width_.has_value(); }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    // Unset: the grid's colour and font, the field's alignment.
    std::optional<TColor> Color;
    std::optional<TFont> Font;
    std::optional<TAlignment> Alignment;

    TColor EffectiveColor() const;
    TFont EffectiveFont() const;
    TAlignment EffectiveAlignment() const;
    TRecordGrid* Grid() const { return grid_; }

private:
    friend class TColumnTitle;
    friend class TDBGridColumns;
    void Changed() const;

    TRecordGrid* grid_;
    std::string fieldName_;
    TField* field_ = nullptr;
    TColumnTitle title_{*this};
    std::optional<int> width_;
    bool visible_ = true;
    bool readOnly_ = false;
};

// The grid's columns in order.
class TDBGridColumns {
public:
    explicit TDBGridColumns(TRecordGrid* grid) : grid_(grid) {}

    TColumn& Add();
    // Adds a column for the field with a title and, when above 0, a width.
    TColumn& Add(const std::string& fieldName, const std::string& caption, int width = 0);
    int Count() const { return static_cast<int>(items_.size()); }
    TColumn& Items(int index) const { return *items_[static_cast<std::size_t>(index)]; }
    TColumn& operator[](int index) const { return Items(index); }
    int IndexOf(const TColumn& column) const;
    // Moves the column at from to the position to.
    void Move(int from, int to);
    void Clear();
    // Finds each column's field in the result set's fields, or forgets them (null).
    void BindFields(const TIBCustomDataSet* dataSet);

private:
    void Changed() const;

    TRecordGrid* grid_;
    std::vector<std::unique_ptr<TColumn>> items_;
};
