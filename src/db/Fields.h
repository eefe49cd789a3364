#pragma once

#include "db/Params.h"
#include "platform/DateTime.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

class TIBCustomDataSet;

// What a result column turns into: made at preparation, a field made from it at every open.
struct TFieldDef {
    std::string name;
    TFieldType dataType = ftUnknown;
    int size = 0;
    int precision = 0;
    bool required = false;
    bool readOnly = false;
    // A text column: values are padded with blanks to the size.
    bool fixed = false;
    // Of a column holding integers with decimals: below 0, minus the number of decimals.
    int scale = 0;
    // The column's position in the select.
    int column = -1;
};

// A column's bytes in the active record; no data for NULL.
struct TFieldValue {
    const char* data;
    int length;
    template <class T> T As() const {
        T value;
        std::memcpy(&value, data, sizeof value);
        return value;
    }
};

// One column of the active record, read and written with conversions.
class TField {
public:
    TField(TIBCustomDataSet& dataSet, const TFieldDef& def);
    virtual ~TField() = default;
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    const std::string& FieldName() const { return def_.name; }
    const std::string& DisplayName() const { return def_.name; }
    TFieldType DataType() const { return def_.dataType; }
    int Size() const { return def_.size; }
    bool Required() const { return def_.required; }
    bool ReadOnly() const { return def_.readOnly; }
    int FieldNo() const { return def_.column + 1; }
    TIBCustomDataSet& DataSet() const { return *dataSet_; }

    bool IsNull() const;
    // Stores NULL.
    void Clear();

    // NULL reads as 0, empty text or 1899-12-30 00:00.
    std::int32_t AsInteger() const { return Read(&TField::GetAsInteger, 0); }
    std::string AsString() const { return Read(&TField::GetAsString, std::string()); }
    TDateTime AsDateTime() const { return Read(&TField::GetAsDateTime, 0.0); }
    double AsFloat() const { return Read(&TField::GetAsFloat, 0.0); }

    // Writes need the edit or insert state (client error NotEditing).
    virtual void SetAsInteger(std::int32_t value);
    virtual void SetAsString(const std::string& value) = 0;
    virtual void SetAsDateTime(TDateTime value);
    virtual void SetAsFloat(double value);

protected:
    // The value is never NULL here.
    virtual std::int32_t GetAsInteger(const TFieldValue& value) const;
    virtual std::string GetAsString(const TFieldValue& value) const = 0;
    virtual TDateTime GetAsDateTime(const TFieldValue& value) const;
    virtual double GetAsFloat(const TFieldValue& value) const;

    int Scale() const { return def_.scale; }
    [[noreturn]] void AccessError(const char* typeName) const;
    // A text written to a numeric field that is no number of the kind.
    [[noreturn]] void InvalidValue(const std::string& value, const char* kind) const;
    // Empty stores NULL; otherwise the number goes through SetAsFloat.
    void SetFloatText(const std::string& value);
    void Write(const void* data, int length);
    template <class T> void SetNative(T value) { Write(&value, sizeof value); }

private:
    // The active record's bytes for the column; null when NULL or there is no record.
    const char* Data(int* length = nullptr) const;
    TFieldValue Value() const;
    // The active record's value is looked up once per read.
    template <class Result>
    Result Read(Result (TField::*get)(const TFieldValue&) const, Result null) const {
        const TFieldValue value = Value();
        return value.data ? (this->*get)(value) : null;
    }

    TIBCustomDataSet* dataSet_;
    TFieldDef def_;
};

class TIntegerField : public TField {
public:
    using TField::TField;
    void SetAsInteger(std::int32_t value) override { SetNative(value); }
    void SetAsString(const std::string& value) override;
    void SetAsFloat(double value) override;

protected:
    std::int32_t GetAsInteger(const TFieldValue& value) const override {
        return value.As<std::int32_t>();
    }
    std::string GetAsString(const TFieldValue& value) const override;
    double GetAsFloat(const TFieldValue& value) const override { return value.As<std::int32_t>(); }
};

class TSmallintField : public TIntegerField {
public:
    using TIntegerField::TIntegerField;
};

class TLargeintField : public TField {
public:
    using TField::TField;
    void SetAsInteger(std::int32_t value) override { SetNative(std::int64_t{value}); }
    void SetAsString(const std::string& value) override;
    void SetAsFloat(double value) override;

protected:
    std::int32_t GetAsInteger(const TFieldValue& value) const override {
        return static_cast<std::int32_t>(value.As<std::int64_t>());
    }
    std::string GetAsString(const TFieldValue& value) const override;
    double GetAsFloat(const TFieldValue& value) const override {
        return static_cast<double>(value.As<std::int64_t>());
    }
};

class TFloatField : public TField {
public:
    using TField::TField;
    void SetAsInteger(std::int32_t value) override { SetNative(static_cast<double>(value)); }
    void SetAsString(const std::string& value) override;
    void SetAsFloat(double value) override { SetNative(value); }

protected:
    std::int32_t GetAsInteger(const TFieldValue& value) const override;
    std::string GetAsString(const TFieldValue& value) const override;
    double GetAsFloat(const TFieldValue& value) const override { return value.As<double>(); }
};

// An integer column with decimals, held exactly. Its text is the decimal value; with more than
// four decimals (a float field's data type) a value of up to 15 digits reads as a float would.
class TIBBCDField : public TField {
public:
    using TField::TField;
    void SetAsInteger(std::int32_t value) override;
    void SetAsString(const std::string& value) override;
    void SetAsFloat(double value) override;

protected:
    std::int32_t GetAsInteger(const TFieldValue& value) const override;
    std::string GetAsString(const TFieldValue& value) const override;
    double GetAsFloat(const TFieldValue& value) const override;
};

// Date, time and timestamp fields share the conversions; the subclasses fix the native form.
class TDateTimeField : public TField {
public:
    using TField::TField;
    void SetAsString(const std::string& value) override;
    void SetAsDateTime(TDateTime value) override;
    void SetAsFloat(double value) override { SetAsDateTime(value); }

protected:
    std::string GetAsString(const TFieldValue& value) const override;
    TDateTime GetAsDateTime(const TFieldValue& value) const override;
    double GetAsFloat(const TFieldValue& value) const override { return GetAsDateTime(value); }
    virtual TDateTime ParseText(const std::string& text) const;
};

class TDateField : public TDateTimeField {
public:
    using TDateTimeField::TDateTimeField;
    void SetAsDateTime(TDateTime value) override;

protected:
    std::string GetAsString(const TFieldValue& value) const override;
    TDateTime GetAsDateTime(const TFieldValue& value) const override;
    TDateTime ParseText(const std::string& text) const override;
};

class TTimeField : public TDateTimeField {
public:
    using TDateTimeField::TDateTimeField;
    void SetAsDateTime(TDateTime value) override;

protected:
    std::string GetAsString(const TFieldValue& value) const override;
    TDateTime GetAsDateTime(const TFieldValue& value) const override;
    TDateTime ParseText(const std::string& text) const override;
};

class TIBStringField : public TField {
public:
    using TField::TField;
    void SetAsInteger(std::int32_t value) override;
    // Cut to the size; an empty text stores NULL.
    void SetAsString(const std::string& value) override;
    void SetAsDateTime(TDateTime value) override;
    void SetAsFloat(double value) override;

protected:
    std::int32_t GetAsInteger(const TFieldValue& value) const override;
    std::string GetAsString(const TFieldValue& value) const override;
    TDateTime GetAsDateTime(const TFieldValue& value) const override;
    double GetAsFloat(const TFieldValue& value) const override;
};

// The whole blob as text; writing creates a new blob in the result set's transaction.
class TBlobField : public TField {
public:
    using TField::TField;
    void SetAsString(const std::string& value) override;

protected:
    std::string GetAsString(const TFieldValue& value) const override;
};

class TMemoField : public TBlobField {
public:
    using TBlobField::TBlobField;
};

// The field class of a definition.
std::unique_ptr<TField> CreateField(TIBCustomDataSet& dataSet, const TFieldDef& def);
