#include "support/markup/Markup.h"
#include "support/markup/MarkupLine.h"

std::string MarkupToPlainText(const std::string& text) {
    std::string result = ReplaceAllNoCase(text, "<BR>", "\r\n");
    result = ReplaceAllNoCase(result, "<HR>", "\r\n");
    for (size_t open = result.find('<'); open != std::string::npos; open = result.find('<', open)) {
        const size_t close = result.find('>', open);
        if (close == std::string::npos) break;
        result.erase(open, close - open + 1);
    }
    return result;
}
