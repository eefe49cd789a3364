#pragma once

#include <string>

// printf-style formatting into a std::string; the message tables use %s and %d.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
