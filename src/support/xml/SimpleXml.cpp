#include "support/xml/XmlScan.h"

namespace {

enum class PrologKind { Root, Comment, Sheet, Header, DocType, Unfinished };

// What the tag at the current '<' before the root element starts. A tag opening with "<!" or
// "<?" that is none of the known entries grows to the end of the input.
PrologKind ClassifyPrologTag(const XmlInput& input) {
    if (input.end - input.pos < 2) return PrologKind::Unfinished;
    if (input.pos[1] != '!' && input.pos[1] != '?') return PrologKind::Root;
    if (StartsWith(input, "<!--")) return PrologKind::Comment;
    if (StartsWith(input, "<?xml ")) return PrologKind::Header;
    if (StartsWith(input, "<![CDATA[")) return PrologKind::Root;
    if (StartsWith(input, "<!DOCTYPE")) return PrologKind::DocType;
    if (StartsWith(input, "<?xml-stylesheet")) return PrologKind::Sheet;
    return PrologKind::Unfinished;
}

std::unique_ptr<TSimpleXmlElem> MakePrologEntry(PrologKind kind) {
    switch (kind) {
    case PrologKind::Comment:
        return std::make_unique<TSimpleXmlElemComment>();
    case PrologKind::Sheet:
        return std::make_unique<TSimpleXmlElemSheet>();
    case PrologKind::Header:
        return std::make_unique<TSimpleXmlElemHeader>();
    default:
        return std::make_unique<TSimpleXmlElemDocType>();
    }
}

} // namespace

void TSimpleXmlElemsProlog::ParseStream(XmlInput& input) {
    for (;;) {
        SkipXmlBlanks(input);
        if (input.AtEnd()) return;
        if (*input.pos != '<') ThrowInvalid("Invalid Document: Unexpected text in file prolog.");
        const PrologKind kind = ClassifyPrologTag(input);
        if (kind == PrologKind::Root) return;
        if (kind == PrologKind::Unfinished) {
            input.pos = input.end;
            return;
        }
        std::unique_ptr<TSimpleXmlElem> entry = MakePrologEntry(kind);
        entry->ParseStream(input);
        Add(std::move(entry));
    }
}

TSimpleXml::TSimpleXml() = default;

void TSimpleXml::SetFileName(std::string fileName) {
    fileName_ = std::move(fileName);
    LoadFile(fileName_);
}

void TSimpleXml::LoadFile(const std::string& fileName) {
    file_.Read(fileName);
    XmlInput input(file_.Bytes());
    ParseStream(input);
}

void TSimpleXml::ParseStream(XmlInput& input) {
    root_.Clear();
    root_.SetValue({});
    prolog_.Clear();
    prolog_.ParseStream(input);
    if (!input.AtEnd()) root_.ParseStream(input);
}
