#include "support/xml/XmlNameIndex.h"

#include "platform/Cp1251.h"

std::uint32_t XmlNameIndex::UpperHash(std::string_view name) {
    std::uint32_t hash = 2166136261u;
    for (const char c : name)
        hash = (hash ^ static_cast<unsigned char>(AnsiUpperChar(c))) * 16777619u;
    return hash;
}

bool XmlNameIndex::SameUpper(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return AnsiUpperChar(x) == AnsiUpperChar(y); });
}
