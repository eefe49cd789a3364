#pragma once

#include <optional>
#include <string>
#include <vector>

class TField;

// The picker's filter text and the searched text of each programme row: identifier, series and
// name in capitals, read from the rows once, so that later keystrokes only search.
class ProgramSearch {
public:
    // The fields of the row being read.
    struct Columns {
        const TField* Id;
        const TField* Series;
        const TField* Name;
    };

    // What the rows must contain, in Windows-1251; nullopt for a text no row can contain.
    void SetText(std::optional<std::string> text);
    // Nothing typed: every row is shown.
    bool Empty() const { return text_ && text_->empty(); }
    // The rows were read anew: their texts are read again when asked.
    void Forget() { rows_.clear(); }
    // The stored row, read through the columns the first time it is asked about.
    bool RowMatches(int row, const Columns& columns);
    // The row the columns read now.
    bool Matches(const Columns& columns) const;

private:
    bool Contains(const std::string& rowText) const;

    std::optional<std::string> text_{std::string()};
    // Indexed by stored row; a row's text holds two separators, so empty means not read yet.
    std::vector<std::string> rows_;
};
