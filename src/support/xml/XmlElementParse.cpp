#include "support/xml/XmlScan.h"

namespace {

bool IsNameByte(char c) {
    return !IsXmlBlank(c) && c != '/' && c != ':' && c != '>';
}

// Bytes after an element's name that make the child list start an element there.
bool EndsTagName(char c) {
    return c == ' ' || c == '/' || c == ':' || c == '>';
}

enum class TagKind { EndTag, Element, CData, Comment, Unfinished };

// What the tag at the current '<' starts, looking no further than its opening bytes.
TagKind ClassifyTag(const XmlInput& input) {
    const char* p = input.pos + 1;
    if (p == input.end) return TagKind::Unfinished;
    if (*p == '/') return TagKind::EndTag;
    if (StartsWith(input, "<!--")) return TagKind::Comment;
    if (StartsWith(input, "<![CDATA[")) return TagKind::CData;
    for (; p != input.end; ++p)
        if (EndsTagName(*p)) return TagKind::Element;
    return TagKind::Unfinished;
}

// Reads "</...>" and returns its text; the end of the input first gives an empty text.
std::string ReadEndTag(XmlInput& input) {
    const char* close = FindByte(input.pos + 2, input.end, '>');
    if (!close) {
        input.pos = input.end;
        return {};
    }
    std::string text(input.pos + 2, close);
    input.pos = close + 1;
    return text;
}

[[noreturn]] void ThrowEndTag(const std::string& written, const std::string& found) {
    ThrowInvalid("Invalid XML Element: Erroneous end of tag, expecting </" + written + "> but </" +
                 found + "> found.");
}

// Content that is at most one text run followed by the matching end tag is read without building
// a text node; the result equals that of the child list parse. False leaves the input unread.
bool ReadTextContent(XmlInput& input, const std::string& written, std::string& valueText) {
    XmlInput probe = input;
    SkipXmlBlanks(probe);
    const char* open = FindByte(probe.pos, probe.end, '<');
    if (!open || open + 1 == probe.end || open[1] != '/') return false;
    const char* close = FindByte(open + 2, probe.end, '>');
    if (!close || std::string_view(open + 2, close - open - 2) != written) return false;
    if (open != probe.pos)
        valueText = XmlDecodeText(std::string_view(probe.pos, open - probe.pos), true);
    input.pos = close + 1;
    return true;
}

// Reads the '>' after an empty-element tag's '/'; false at the end of the input.
bool ReadEmptyTagEnd(XmlInput& input) {
    if (input.AtEnd()) return false;
    const char c = *input.pos++;
    if (c != '>')
        ThrowInvalid(std::string("Invalid XML Element: Expected end of tag but ") + c + " found.");
    return true;
}

} // namespace

template <class Node> void TSimpleXmlElems::AddParsed(XmlInput& input) {
    auto node = std::make_unique<Node>();
    node->ParseStream(input);
    Add(std::move(node));
}

std::string TSimpleXmlElems::ParseStream(XmlInput& input) {
    for (;;) {
        SkipXmlBlanks(input);
        if (input.AtEnd()) return {};
        if (*input.pos != '<') {
            AddParsed<TSimpleXmlElemText>(input);
            continue;
        }
        switch (ClassifyTag(input)) {
        case TagKind::EndTag:
            return ReadEndTag(input);
        case TagKind::Element:
            AddParsed<TSimpleXmlElemClassic>(input);
            break;
        case TagKind::CData:
            AddParsed<TSimpleXmlElemCData>(input);
            break;
        case TagKind::Comment:
            AddParsed<TSimpleXmlElemComment>(input);
            break;
        case TagKind::Unfinished:
            input.pos = input.end;
            return {};
        }
    }
}

std::string TSimpleXmlElemClassic::TakeLoneText() {
    if (!HasItems() || Items().Count() != 1 || !Items().Item(0)->IsText()) return {};
    std::string text = Items().Item(0)->Value();
    Items().Clear();
    return text;
}

void TSimpleXmlElemClassic::ParseContent(XmlInput& input, const std::string& written,
                                         std::string& valueText) {
    if (ReadTextContent(input, written, valueText)) return;
    if (++input.depth > kXmlMaxDepth)
        ThrowInvalid("Invalid XML Element: Elements nested deeper than " +
                     std::to_string(kXmlMaxDepth) + " levels");
    const std::string endTag = Items().ParseStream(input);
    --input.depth;
    if (endTag != written) ThrowEndTag(written, endTag);
    valueText = TakeLoneText();
}

void TSimpleXmlElemClassic::ParseStream(XmlInput& input) {
    SetValue({});
    ++input.pos;
    std::string name, prefix;
    bool named = false, prefixed = false;
    while (!input.AtEnd()) {
        const char* run = input.pos;
        while (input.pos != input.end && IsNameByte(*input.pos))
            ++input.pos;
        name.append(run, input.pos);
        named = named || input.pos != run;
        if (input.AtEnd()) return;
        const char c = *input.pos++;
        if (IsXmlBlank(c)) {
            if (!named) ThrowInvalid("Invalid XML Element: Malformed tag found (no valid name)");
            Props().ParseStream(input);
            continue;
        }
        if (c == ':') {
            prefix = std::move(name);
            name.clear();
            prefixed = true;
            continue;
        }
        std::string valueText;
        if (c == '>')
            ParseContent(input, prefixed ? prefix + ':' + name : name, valueText);
        else if (!ReadEmptyTagEnd(input))
            return;
        SetName(std::move(name));
        SetNameSpace(std::move(prefix));
        SetValue(XmlDecodeText(valueText, true));
        return;
    }
}
