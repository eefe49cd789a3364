#pragma once

#include <string>
#include <vector>

// Statement text with named parameters replaced by "?" placeholders for the server.
struct PreprocessedSQL {
    std::string text;
    // Parameter names in placeholder order, without their colon and quotes.
    std::vector<std::string> names;
};

// Raises client error SqlParseError for an unterminated comment or string and for a placeholder
// without a name; quotes and comments hide colons from the scan.
PreprocessedSQL PreprocessSQL(const std::string& sql);

// The names a query offers as parameters, one per occurrence in text order. Never fails: the
// statement's preparation reports malformed text.
std::vector<std::string> ScanParamNames(const std::string& sql);

// A list of lines as one text, every line ended by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);
