#pragma once

#include <cstddef>
#include <string>

// Reads one value of an INI file by the profile-string rules: section and key
// names ignore case and surrounding blanks, the value is trimmed and loses one pair of enclosing
// quotes, the first matching key wins, lines starting with ';' are comments. A missing file,
// section or key gives the default. The result keeps at most maxLength characters.
std::string ReadProfileString(const std::string& fileName, const std::string& section,
                              const std::string& key, const std::string& defaultValue,
                              std::size_t maxLength = 2047);
