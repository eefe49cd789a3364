#include "db/PostedRows.h"

#include "db/RecordLayout.h"

#include <cstdint>
#include <utility>

void PostedRows::SetKey(std::vector<int> columns) {
    key_ = std::move(columns);
    keys_.clear();
}

bool PostedRows::Identifies(const RecordLayout& layout, const char* record) const {
    return HasKey() && KeyOf(layout, record).has_value();
}

void PostedRows::Add(const RecordLayout& layout, const char* record) {
    if (std::optional<std::string> key = KeyOf(layout, record)) keys_.insert(std::move(*key));
}

bool PostedRows::Contains(const RecordLayout& layout, const char* record) const {
    if (keys_.empty()) return false;
    const std::optional<std::string> key = KeyOf(layout, record);
    return key && keys_.contains(*key);
}

// Each value with its length in front; texts without trailing blanks, which the server's
// comparisons ignore and a fixed text's padding adds.
std::optional<std::string> PostedRows::KeyOf(const RecordLayout& layout, const char* record) const {
    std::string key;
    for (const int column : key_) {
        int size = 0;
        const char* value = layout.Value(record, column, &size);
        if (!value) return std::nullopt;
        std::size_t length = static_cast<std::size_t>(size);
        if (layout.Column(column).kind == NativeKind::Text)
            while (length > 0 && value[length - 1] == ' ')
                --length;
        const auto stored = static_cast<std::uint32_t>(length);
        key.append(reinterpret_cast<const char*>(&stored), sizeof stored).append(value, length);
    }
    return key;
}
