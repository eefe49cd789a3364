#pragma once

#include "support/xml/SimpleXml.h"

#include <cstring>

// Byte tests and error helpers shared by the node parsers.

// Most bytes are past ' ', so one comparison settles them.
inline bool IsXmlBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ' &&
           (c == ' ' || c == '\t' || c == '\n' || c == '\r');
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

// The first `c` at or after `from`, or nullptr. The byte is usually a few places on, where a
// plain loop beats the library call.
inline const char* FindByte(const char* from, const char* end, char c) {
    const char* near = end - from > 32 ? from + 32 : end;
    for (; from != near; ++from)
        if (*from == c) return from;
    return static_cast<const char*>(std::memchr(from, c, static_cast<std::size_t>(end - from)));
}

// `text` from the input, where it lives as long as the tree being built: in place when the
// input's bytes outlive the tree, else copied into the arena.
inline std::string_view KeepText(XmlArena& arena, const XmlInput& input, std::string_view text) {
    return input.stable ? text : arena.Copy(text);
}

// XmlDecodeText of a text that lives as long as the arena's content, without a copy when
// nothing needs decoding.
std::string_view XmlDecodeKept(XmlArena& arena, std::string_view text, bool trimBlanks);

[[noreturn]] inline void ThrowInvalid(std::string message) {
    throw TSimpleXmlInvalid(std::move(message));
}

// Reads one byte that must be `expected`; the end of the input raises `endMessage`.
inline void ExpectByte(XmlInput& input, char expected, const char* what, const char* endMessage) {
    if (input.AtEnd()) ThrowInvalid(endMessage);
    const char c = *input.pos++;
    if (c != expected) ThrowInvalid(std::string(what) + "Expected " + expected + " Found " + c);
}
