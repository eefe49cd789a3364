#include "platform/Cp1251.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

// Bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order.
constexpr char16_t kUpperHalf[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};
constexpr char32_t kCyrillicA = 0x0410;
constexpr char32_t kCyrillicLastYa = 0x044F;
constexpr unsigned kCyrillicAByte = 0xC0;

constexpr std::array<char16_t, 256> MakeToUnicode() {
    std::array<char16_t, 256> table{};
    for (unsigned i = 0; i < 0x80; ++i)
        table[i] = static_cast<char16_t>(i);
    for (unsigned i = 0; i < 64; ++i)
        table[0x80 + i] = kUpperHalf[i];
    for (unsigned i = kCyrillicAByte; i < 256; ++i)
        table[i] = static_cast<char16_t>(kCyrillicA + (i - kCyrillicAByte));
    return table;
}
constexpr std::array<char16_t, 256> kToUnicode = MakeToUnicode();

using Reverse = std::pair<char16_t, unsigned char>;

// The bytes 0x80..0xBF by their Unicode character, for binary search.
constexpr std::array<Reverse, 64> MakeFromUnicode() {
    std::array<Reverse, 64> table{};
    for (unsigned i = 0; i < 64; ++i)
        table[i] = {kUpperHalf[i], static_cast<unsigned char>(0x80 + i)};
    std::sort(table.begin(), table.end());
    return table;
}
constexpr std::array<Reverse, 64> kFromUnicode = MakeFromUnicode();

constexpr char32_t UnicodeToLower(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 0x20;
    if (c >= 0x0400 && c <= 0x040F) return c + 0x50;
    if (c >= 0x0410 && c <= 0x042F) return c + 0x20;
    if (c == 0x0490) return 0x0491;
    return c;
}

constexpr char32_t UnicodeToUpper(char32_t c) {
    if (c >= 'a' && c <= 'z') return c - 0x20;
    if (c >= 0x0450 && c <= 0x045F) return c - 0x50;
    if (c >= 0x0430 && c <= 0x044F) return c - 0x20;
    if (c == 0x0491) return 0x0490;
    return c;
}

constexpr char32_t kInvalid = 0xFFFFFFFF;

// The code point starting at text[i]; a malformed sequence yields kInvalid and one byte.
char32_t NextCodePoint(const std::string& text, size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80) return lead;
    const int length = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : 0;
    if (lead > 0xF4 || length == 0 || i + length > text.size()) return kInvalid;
    char32_t code = lead & (0x3F >> length);
    for (int k = 0; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) return kInvalid;
        code = (code << 6) | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return kInvalid;
    i += length;
    return code;
}

// The UTF-8 form of every byte, so conversion is one lookup and a copy per character.
struct Utf8Form {
    char bytes[3];
    unsigned char length;
};

constexpr std::array<Utf8Form, 256> MakeToUtf8() {
    std::array<Utf8Form, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        const char16_t c = kToUnicode[i];
        if (c < 0x80)
            table[i] = {{static_cast<char>(c)}, 1};
        else if (c < 0x800)
            table[i] = {{static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))},
                        2};
        else
            table[i] = {{static_cast<char>(0xE0 | (c >> 12)),
                         static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                         static_cast<char>(0x80 | (c & 0x3F))},
                        3};
    }
    return table;
}
constexpr std::array<Utf8Form, 256> kToUtf8 = MakeToUtf8();

std::array<char, 256> MakeLowerTable() {
    std::array<char, 256> table{};
    for (unsigned i = 0; i < 256; ++i)
        table[i] = UnicodeToCp1251(UnicodeToLower(kToUnicode[i]));
    return table;
}

std::array<char, 256> MakeUpperTable() {
    std::array<char, 256> table{};
    for (unsigned i = 0; i < 256; ++i)
        table[i] = UnicodeToCp1251(UnicodeToUpper(kToUnicode[i]));
    return table;
}

} // namespace

char16_t Cp1251ToUnicode(unsigned char byte) {
    return kToUnicode[byte];
}

char UnicodeToCp1251(char32_t character) {
    if (character < 0x80) return static_cast<char>(character);
    if (character >= kCyrillicA && character <= kCyrillicLastYa)
        return static_cast<char>(character - kCyrillicA + kCyrillicAByte);
    const auto found = std::lower_bound(kFromUnicode.begin(), kFromUnicode.end(),
                                        Reverse{static_cast<char16_t>(character), 0});
    if (character > 0xFFFF || found == kFromUnicode.end() || found->first != character) return '?';
    return static_cast<char>(found->second);
}

std::string Cp1251ToUtf8(const std::string& text) {
    std::string result(text.size() * 3, '\0');
    char* out = result.data();
    for (const char c : text) {
        const Utf8Form& form = kToUtf8[static_cast<unsigned char>(c)];
        for (unsigned k = 0; k < form.length; ++k)
            *out++ = form.bytes[k];
    }
    result.resize(static_cast<size_t>(out - result.data()));
    return result;
}

std::string Utf8ToCp1251(const std::string& text) {
    std::string result(text.size(), '\0');
    size_t length = 0;
    for (size_t i = 0; i < text.size();) {
        const char32_t code = NextCodePoint(text, i);
        result[length++] = code == kInvalid ? '?' : UnicodeToCp1251(code);
    }
    result.resize(length);
    return result;
}

bool AnsiSameText(std::string_view a, std::string_view b) {
    static const std::array<char, 256> lower = MakeLowerTable();
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return lower[static_cast<unsigned char>(x)] == lower[static_cast<unsigned char>(y)];
    });
}

char AnsiUpperChar(char c) {
    static const std::array<char, 256> upper = MakeUpperTable();
    return upper[static_cast<unsigned char>(c)];
}

std::string AnsiUpperCase(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = AnsiUpperChar(c);
    return result;
}
