#pragma once

#include "platform/DateTime.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TIBSQL;
class TIBXSQLDA;

// Type codes of the client library's slots, nullable bit cleared.
enum SQLTypeCode : short {
    sqltVarying = 448,
    sqltText = 452,
    sqltDouble = 480,
    sqltFloat = 482,
    sqltLong = 496,
    sqltShort = 500,
    sqltTimestamp = 510,
    sqltBlob = 520,
    sqltDFloat = 530,
    sqltArray = 540,
    sqltQuad = 550,
    sqltTime = 560,
    sqltDate = 570,
    sqltInt64 = 580,
};

// A blob or array id as the server hands it out.
struct BlobId {
    std::int32_t high = 0;
    std::uint32_t low = 0;
};

// One slot of a descriptor area: a parameter to send or a column received.
class TIBXSQLVAR {
public:
    TIBXSQLVAR(TIBXSQLDA& parent, int index) : parent_(&parent), index_(index) {}

    const std::string& Name() const { return name_; }
    int Index() const { return index_; }
    // The described length of a text slot, else 0.
    int MaxLen() const { return maxLen_; }
    bool Modified() const { return modified_; }

    // Type code without the nullable bit.
    short SqlType() const;
    short SqlScale() const;
    short SqlSubtype() const;
    short SqlLen() const;
    bool Nullable() const;
    std::string SqlName() const;
    std::string RelName() const;
    std::string AliasName() const;
    const char* Data() const { return data_.data(); }

    bool IsNull() const { return nullIndicator_ == kNullIndicator && Nullable(); }
    // Every slot of the same name becomes NULL (or not NULL); see the setters.
    void SetIsNull(bool isNull);

    // Setters for parameters: each writes every slot of its area with the same name, changing
    // the sent type and keeping the nullable bit.
    void SetAsShort(short value);
    void SetAsLong(std::int32_t value);
    void SetAsInt64(std::int64_t value);
    void SetAsDouble(double value);
    // number x 10^scale, sent exactly in dialect 3 and as a double before.
    void SetAsScaled(std::int64_t number, short scale);
    // Sent with four decimals in dialect 3 (EConvertError beyond their range), as a double before.
    void SetAsCurrency(double value);
    void SetAsDate(TDateTime value);
    void SetAsTime(TDateTime value);
    void SetAsDateTime(TDateTime value);
    // Blob and array slots only (client error InvalidDataConversion otherwise).
    void SetAsQuad(BlobId id);
    // As text of the slot's described length.
    void SetAsBytes(const std::string& bytes);
    // Decided by the slot's current type; client error StringTooLong for a text too long for its
    // slot.
    void SetAsString(const std::string& text);

    // The value of a text or integer column as text; client error InvalidDataConversion for other
    // types.
    std::string AsString() const;

    // The client library's XSQLVAR, for the access layer's sources.
    void* Var() const;

private:
    friend class TIBXSQLDA;
    // What the indicator of a NULL value holds.
    static constexpr short kNullIndicator = -1;

    void Describe(std::string name);
    void Allocate();
    // Runs write on every slot sharing this one's name, first giving it the type and length.
    template <class Write> void Assign(short type, int length, Write write);
    void SetNullOnly(bool isNull);
    void SetAsText(const std::string& text);
    void SetAsDbKey(const std::string& text);
    void SetAsTimeValue(TDateTime value);

    TIBXSQLDA* parent_;
    int index_;
    std::string name_;
    int maxLen_ = 0;
    bool modified_ = false;
    std::vector<char> data_;
    short nullIndicator_ = 0;
};

// A descriptor area: the client library's XSQLDA with one TIBXSQLVAR per slot. The client
// structure grows to the largest count used and never shrinks.
class TIBXSQLDA {
public:
    TIBXSQLDA(TIBSQL& owner, bool isColumns);
    ~TIBXSQLDA();
    TIBXSQLDA(const TIBXSQLDA&) = delete;
    TIBXSQLDA& operator=(const TIBXSQLDA&) = delete;

    int Count() const { return count_; }
    void SetCount(int count);
    // Client error XsqldaIndexOutOfRange out of range.
    TIBXSQLVAR& Var(int index) {
        if (index < 0 || index >= count_) IndexOutOfRange();
        return *vars_[static_cast<std::size_t>(index)];
    }
    const TIBXSQLVAR& Var(int index) const { return const_cast<TIBXSQLDA*>(this)->Var(index); }
    // The first slot of the name after it is normalised like a parameter name; null when none.
    TIBXSQLVAR* ByName(const std::string& name);
    // -1 when no slot has the name.
    int IndexOf(const std::string& name) const;
    // The relation all columns come from; empty when they come from several.
    const std::string& UniqueRelationName() const { return uniqueRelationName_; }

    TIBSQL& Owner() const { return *owner_; }
    // The client library's XSQLDA.
    void* Area() { return area_.get(); }
    // Reads what describe put into the client structure; parameter names come from
    // preprocessing, column names from aliases.
    void Initialize(const std::vector<std::string>& paramNames = {});

private:
    friend class TIBXSQLVAR;
    struct FreeArea {
        void operator()(void* area) const;
    };

    [[noreturn]] static void IndexOutOfRange();
    std::string ColumnName(const std::string& alias) const;
    void TrackRelation(const std::string& relation);

    TIBSQL* owner_;
    bool isColumns_;
    int count_ = 0;
    int capacity_ = 0;
    std::unique_ptr<void, FreeArea> area_;
    std::vector<std::unique_ptr<TIBXSQLVAR>> vars_;
    std::string uniqueRelationName_;
    bool relationTracked_ = true;
};

// A parameter name as slots carry it: trimmed; upper-cased, except that in dialect 3 a name in
// double quotes loses them and keeps its case.
std::string NormalizeSQLName(const std::string& name, int dialect);
