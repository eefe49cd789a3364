#include "support/xml/XmlScan.h"

namespace {

bool IsNameByte(char c) {
    return static_cast<unsigned char>(c) > '>' ||
           (!IsXmlBlank(c) && c != '/' && c != ':' && c != '>');
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
    if (*p == '!' && StartsWith(input, "<!--")) return TagKind::Comment;
    if (*p == '!' && StartsWith(input, "<![CDATA[")) return TagKind::CData;
    for (; p != input.end; ++p)
        if (EndsTagName(*p)) return TagKind::Element;
    return TagKind::Unfinished;
}

// Reads "</...>" and returns its text; the end of the input first gives an empty text.
std::string_view ReadEndTag(XmlInput& input) {
    const char* close = FindByte(input.pos + 2, input.end, '>');
    if (!close) {
        input.pos = input.end;
        return {};
    }
    const std::string_view text(input.pos + 2, static_cast<std::size_t>(close - input.pos - 2));
    input.pos = close + 1;
    return text;
}

// Reads the '>' after an empty-element tag's '/'; false at the end of the input.
bool ReadEmptyTagEnd(XmlInput& input) {
    if (input.AtEnd()) return false;
    const char c = *input.pos++;
    if (c != '>')
        ThrowInvalid(std::string("Invalid XML Element: Expected end of tag but ") + c + " found.");
    return true;
}

// An element's name as the start tag wrote it. The bytes are nearly always one run of the
// input; a name continued after the attributes is joined.
class NameText {
public:
    void Append(std::string_view run) {
        if (run.empty()) return;
        if (joined_.empty() && view_.empty()) {
            view_ = run;
            return;
        }
        if (joined_.empty()) joined_ = view_;
        joined_ += run;
    }
    std::string_view Kept(XmlArena& arena, const XmlInput& input) const {
        return joined_.empty() ? KeepText(arena, input, view_) : arena.Copy(joined_);
    }

private:
    std::string_view view_;
    std::string joined_;
};

} // namespace

// The name as written in the start tag, which the end tag must repeat.
struct TSimpleXmlElemClassic::Written {
    std::string_view prefix;
    std::string_view name;
    bool prefixed;

    bool Matches(std::string_view endTag) const {
        if (!prefixed) return endTag == name;
        return endTag.size() == prefix.size() + 1 + name.size() && endTag.starts_with(prefix) &&
               endTag[prefix.size()] == ':' && endTag.ends_with(name);
    }
    std::string Text() const {
        return prefixed ? std::string(prefix) + ':' + std::string(name) : std::string(name);
    }
};

namespace {

[[noreturn]] void ThrowEndTag(const std::string& written, std::string_view found) {
    ThrowInvalid("Invalid XML Element: Erroneous end of tag, expecting </" + written + "> but </" +
                 std::string(found) + "> found.");
}

} // namespace

template <class Node> void TSimpleXmlElems::AddParsed(XmlInput& input) {
    Node& node = *Arena().New<Node>(Arena());
    node.ParseStream(input);
    Append(node);
}

std::string_view TSimpleXmlElems::ParseStream(XmlInput& input) {
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

std::string_view TSimpleXmlElemClassic::TakeLoneText() {
    if (!HasItems() || Items().Count() != 1 || !Items().Item(0)->IsText()) return {};
    const std::string_view text = Items().Item(0)->Value();
    Items().Clear();
    return text;
}

// Content that is at most one text run followed by the matching end tag is read without building
// a text node; the result equals that of the child list parse. Returns the value text once
// decoded.
std::string_view TSimpleXmlElemClassic::ParseContent(XmlInput& input, const Written& written) {
    XmlInput probe = input;
    SkipXmlBlanks(probe);
    const char* open = FindByte(probe.pos, probe.end, '<');
    if (open && open + 1 != probe.end && open[1] == '/') {
        const char* close = FindByte(open + 2, probe.end, '>');
        if (close && written.Matches(std::string_view(open + 2, close - open - 2))) {
            input.pos = close + 1;
            const std::string_view text(probe.pos, static_cast<std::size_t>(open - probe.pos));
            return XmlDecodeKept(Arena(), KeepText(Arena(), input, text), true);
        }
    }
    if (++input.depth > kXmlMaxDepth)
        ThrowInvalid("Invalid XML Element: Elements nested deeper than " +
                     std::to_string(kXmlMaxDepth) + " levels");
    const std::string_view endTag = Items().ParseStream(input);
    --input.depth;
    if (!written.Matches(endTag)) ThrowEndTag(written.Text(), endTag);
    return TakeLoneText();
}

void TSimpleXmlElemClassic::ParseStream(XmlInput& input) {
    PlaceValue({});
    ++input.pos;
    NameText name;
    std::string_view prefix;
    bool named = false, prefixed = false;
    while (!input.AtEnd()) {
        const char* run = input.pos;
        while (input.pos != input.end && IsNameByte(*input.pos))
            ++input.pos;
        name.Append(std::string_view(run, static_cast<std::size_t>(input.pos - run)));
        named = named || input.pos != run;
        if (input.AtEnd()) return;
        const char c = *input.pos++;
        if (IsXmlBlank(c)) {
            if (!named) ThrowInvalid("Invalid XML Element: Malformed tag found (no valid name)");
            Props().ParseStream(input);
            continue;
        }
        if (c == ':') {
            prefix = name.Kept(Arena(), input);
            name = {};
            prefixed = true;
            continue;
        }
        const std::string_view keptName = name.Kept(Arena(), input);
        std::string_view valueText;
        if (c == '>')
            valueText = ParseContent(input, {prefix, keptName, prefixed});
        else if (!ReadEmptyTagEnd(input))
            return;
        PlaceName(keptName);
        PlaceNameSpace(prefix);
        PlaceValue(XmlDecodeKept(Arena(), valueText, true));
        return;
    }
}
