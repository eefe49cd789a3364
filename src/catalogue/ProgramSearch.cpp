#include "catalogue/ProgramSearch.h"

#include "db/Fields.h"
#include "platform/Cp1251.h"

namespace {
// The separator keeps a text from matching across two fields.
std::string RowText(const ProgramSearch::Columns& columns) {
    return AnsiUpperCase(columns.Id->AsString() + '\0' + columns.Series->AsString() + '\0' +
                         columns.Name->AsString());
}
} // namespace

void ProgramSearch::SetText(std::optional<std::string> text) {
    if (text) *text = AnsiUpperCase(*text);
    text_ = std::move(text);
}

bool ProgramSearch::RowMatches(int row, const Columns& columns) {
    const auto index = static_cast<std::size_t>(row);
    if (index >= rows_.size()) rows_.resize(index + 1);
    std::string& text = rows_[index];
    if (text.empty()) text = RowText(columns);
    return Contains(text);
}

bool ProgramSearch::Matches(const Columns& columns) const {
    return Contains(RowText(columns));
}

bool ProgramSearch::Contains(const std::string& rowText) const {
    return text_ && rowText.find(*text_) != std::string::npos;
}
