#include "support/xml/XmlScan.h"

namespace {

constexpr const char* kCommentEnd = "Invalid Comment: Unexpected end of data";

bool IsPropNameByte(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}

[[noreturn]] void ThrowPropsChar(char c) {
    ThrowInvalid(
        std::string("Invalid XML Element: Unexpected character in properties declaration (") + c +
        " found).");
}

std::string_view TrimXmlBlanks(std::string_view text) {
    while (!text.empty() && IsXmlBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsXmlBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Reads a comment body after "<!--": "--" closes it only when '>' follows directly, and a '-'
// or "--" followed by another byte is content together with that byte.
std::string ReadCommentBody(XmlInput& input) {
    std::string body;
    int dashes = 0;
    while (!input.AtEnd()) {
        const char c = *input.pos++;
        if (dashes == 2 && c == '>') return body;
        if (c == '-' && dashes < 2) {
            ++dashes;
            continue;
        }
        body.append(static_cast<std::size_t>(dashes), '-');
        body += c;
        dashes = 0;
    }
    ThrowInvalid(kCommentEnd);
}

} // namespace

void TSimpleXmlElemText::ParseStream(XmlInput& input) {
    const char* open = FindByte(input.pos, input.end, '<');
    const char* stop = open ? open : input.end;
    const std::string_view text(input.pos, static_cast<std::size_t>(stop - input.pos));
    PlaceValue(XmlDecodeKept(Arena(), KeepText(Arena(), input, text), true));
    input.pos = stop;
}

void TSimpleXmlElemCData::ParseStream(XmlInput& input) {
    const std::string_view rest(input.pos + 9, static_cast<std::size_t>(input.end - input.pos - 9));
    const std::size_t close = rest.find("]]>");
    if (close == std::string_view::npos) ThrowInvalid("Invalid CDATA: Unexpected end of data");
    PlaceValue(KeepText(Arena(), input, rest.substr(0, close)));
    input.pos = rest.data() + close + 3;
}

void TSimpleXmlElemComment::ParseStream(XmlInput& input) {
    input.pos += 4;
    PlaceValue(Arena().Copy(ReadCommentBody(input)));
}

void TSimpleXmlElemHeader::ParseStream(XmlInput& input) {
    input.pos += 5;
    TSimpleXmlProps& props = Props();
    props.ParseStream(input);
    ExpectByte(input, '?', "Invalid Header: ", kCommentEnd);
    ExpectByte(input, '>', "Invalid Header: ", kCommentEnd);
    const auto valueOf = [&props](const char* name) {
        const TSimpleXmlProp* prop = props.ItemNamed(name);
        return prop ? prop->Value() : std::string_view();
    };
    version_ = valueOf("version");
    encoding_ = valueOf("encoding");
    standalone_ = valueOf("standalone") == "yes";
    props.Clear();
}

void TSimpleXmlElemDocType::ParseStream(XmlInput& input) {
    input.pos += 9;
    const char* start = input.pos;
    bool bracket = false;
    for (; !input.AtEnd(); ++input.pos) {
        const char c = *input.pos;
        if (c == '>' && !bracket) {
            const std::string_view body(start, static_cast<std::size_t>(input.pos - start));
            PlaceValue(KeepText(Arena(), input, TrimXmlBlanks(body)));
            ++input.pos;
            return;
        }
        if (c == '[') bracket = true;
        if (c == ']') bracket = false;
    }
    ThrowInvalid(kCommentEnd);
}

void TSimpleXmlElemSheet::ParseStream(XmlInput& input) {
    constexpr const char* kEnd = "Invalid Stylesheet: Unexpected end of data";
    input.pos += 16;
    Props().ParseStream(input);
    ExpectByte(input, '?', "Invalid Stylesheet: ", kEnd);
    ExpectByte(input, '>', "Invalid Stylesheet: ", kEnd);
}

void TSimpleXmlProps::ParseStream(XmlInput& input) {
    for (;;) {
        SkipXmlBlanks(input);
        if (input.AtEnd()) return;
        const char c = *input.pos;
        if (c == '/' || c == '>' || c == '?') return;
        if (!IsPropNameByte(c)) ThrowPropsChar(c);
        if (!ParseOne(input)) return;
    }
}

// One attribute from its first name byte to its closing quote; false at the end of the input.
bool TSimpleXmlProps::ParseOne(XmlInput& input) {
    const char* start = input.pos;
    std::string_view prefix;
    for (;;) {
        if (input.AtEnd()) return false;
        const char c = *input.pos++;
        if (c == '=') break;
        if (c == ':') {
            prefix = std::string_view(start, static_cast<std::size_t>(input.pos - 1 - start));
            start = input.pos;
        } else if (!IsPropNameByte(c)) {
            ThrowPropsChar(c);
        }
    }
    const std::string_view name(start, static_cast<std::size_t>(input.pos - 1 - start));
    if (input.AtEnd()) return false;
    const char quote = *input.pos++;
    if (quote != '"' && quote != '\'')
        ThrowInvalid(
            std::string("Invalid XML Element: Unexpected character in property declaration. "
                        "Expecting \" or ' but ") +
            quote + " found.");
    const char* close = FindByte(input.pos, input.end, quote);
    if (!close) {
        input.pos = input.end;
        return false;
    }
    XmlArena& arena = Arena();
    const std::string_view value(input.pos, static_cast<std::size_t>(close - input.pos));
    Place(KeepText(arena, input, name), XmlDecodeKept(arena, KeepText(arena, input, value), false),
          KeepText(arena, input, prefix));
    input.pos = close + 1;
    return true;
}
