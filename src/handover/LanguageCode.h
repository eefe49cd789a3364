#pragma once

#include <string>

// The ISO 639 code ("bg") of a language as Qt's locale data knows it: by its native or English
// name in any case ("Български", "english") or by its own two- or three-letter code ("BG").
// Empty for any other text. The name is Windows-1251; the code is ASCII.
std::string LanguageCode(const std::string& name);
