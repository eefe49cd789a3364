#include "support/xml/XmlScan.h"

#include <utility>

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

} // namespace

template <class Node> void TSimpleXmlElemsProlog::AddParsed(XmlInput& input) {
    Node& node = *arena_->New<Node>(*arena_);
    node.ParseStream(input);
    entries_.Push(*arena_, &node);
}

void TSimpleXmlElemsProlog::ParseStream(XmlInput& input) {
    for (;;) {
        SkipXmlBlanks(input);
        if (input.AtEnd()) return;
        if (*input.pos != '<') ThrowInvalid("Invalid Document: Unexpected text in file prolog.");
        switch (ClassifyPrologTag(input)) {
        case PrologKind::Root:
            return;
        case PrologKind::Unfinished:
            input.pos = input.end;
            return;
        case PrologKind::Comment:
            AddParsed<TSimpleXmlElemComment>(input);
            break;
        case PrologKind::Sheet:
            AddParsed<TSimpleXmlElemSheet>(input);
            break;
        case PrologKind::Header:
            AddParsed<TSimpleXmlElemHeader>(input);
            break;
        case PrologKind::DocType:
            AddParsed<TSimpleXmlElemDocType>(input);
            break;
        }
    }
}

TSimpleXml::TSimpleXml() = default;

void TSimpleXml::SetFileName(std::string fileName) {
    fileName_ = std::move(fileName);
    LoadFile(fileName_);
}

void TSimpleXml::LoadFile(const std::string& fileName) {
    nextFile_.Read(fileName);
    std::swap(file_, nextFile_);
    XmlInput input(file_.Bytes());
    input.stable = true;
    ParseStream(input);
}

void TSimpleXml::ParseStream(XmlInput& input) {
    // Root's texts may live in the arena about to be reset.
    std::string name(root_.Name()), nameSpace(root_.NameSpace());
    rootName_ = std::move(name);
    rootNameSpace_ = std::move(nameSpace);
    prolog_.Clear();
    arena_.Reset();
    root_.Restart(rootName_, rootNameSpace_);
    prolog_.ParseStream(input);
    if (!input.AtEnd()) root_.ParseStream(input);
}
