#pragma once

#include "support/xml/SimpleXml.h"

#include <cstring>

// Byte tests and error helpers shared by the node parsers.

inline bool IsXmlBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

inline void SkipXmlBlanks(XmlInput& input) {
    while (input.pos != input.end && IsXmlBlank(*input.pos))
        ++input.pos;
}

// True when the input at the current position begins with `marker`.
inline bool StartsWith(const XmlInput& input, std::string_view marker) {
    return static_cast<std::size_t>(input.end - input.pos) >= marker.size() &&
           std::memcmp(input.pos, marker.data(), marker.size()) == 0;
}

// The first `c` at or after `from`, or nullptr.
inline const char* FindByte(const char* from, const char* end, char c) {
    return static_cast<const char*>(std::memchr(from, c, static_cast<std::size_t>(end - from)));
}

[[noreturn]] inline void ThrowInvalid(std::string message) {
    throw TSimpleXmlInvalid(std::move(message));
}

// Reads one byte that must be `expected`; the end of the input raises `endMessage`.
inline void ExpectByte(XmlInput& input, char expected, const char* what, const char* endMessage) {
    if (input.AtEnd()) ThrowInvalid(endMessage);
    const char c = *input.pos++;
    if (c != expected) ThrowInvalid(std::string(what) + "Expected " + expected + " Found " + c);
}
