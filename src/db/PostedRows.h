#pragma once

#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

class RecordLayout;

// The rows posted while a select's cursor is open, told apart by the columns that identify a
// row. The open cursor may return such a row again among those it has yet to deliver.
class PostedRows {
public:
    // Columns by their index in the select; none when rows cannot be told apart.
    void SetKey(std::vector<int> columns);
    bool HasKey() const { return !key_.empty(); }
    // A record whose key has no NULL in it can be told apart from other rows.
    bool Identifies(const RecordLayout& layout, const char* record) const;
    void Add(const RecordLayout& layout, const char* record);
    // Whether a fetched record is one of the posted rows.
    bool Contains(const RecordLayout& layout, const char* record) const;
    void Clear() { keys_.clear(); }

private:
    std::optional<std::string> KeyOf(const RecordLayout& layout, const char* record) const;

    std::vector<int> key_;
    std::unordered_set<std::string> keys_;
};
