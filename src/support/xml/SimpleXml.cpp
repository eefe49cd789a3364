#include "support/xml/XmlScan.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

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

[[noreturn]] void ThrowCannotOpen(const std::string& fileName) {
    throw EFOpenError("Cannot open file " + fileName);
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The whole content of the file; opening or reading failures raise EFOpenError.
std::string ReadWholeFile(const std::string& fileName) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "rb"));
    if (!file) ThrowCannotOpen(fileName);
    std::error_code error;
    const auto size = std::filesystem::file_size(fileName, error);
    // One byte more than the size, so one read meets the end of the file.
    std::size_t capacity = error ? std::size_t{1} << 16 : static_cast<std::size_t>(size) + 1;
    std::string content;
    for (;;) {
        const std::size_t used = content.size();
        content.resize(std::max(capacity, used * 2));
        const std::size_t read =
            std::fread(content.data() + used, 1, content.size() - used, file.get());
        content.resize(used + read);
        if (read == 0 || std::feof(file.get())) break;
    }
    if (std::ferror(file.get())) ThrowCannotOpen(fileName);
    return content;
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
    const std::string content = ReadWholeFile(fileName);
    XmlInput input(content);
    ParseStream(input);
}

void TSimpleXml::ParseStream(XmlInput& input) {
    root_.Clear();
    root_.SetValue({});
    prolog_.Clear();
    prolog_.ParseStream(input);
    if (!input.AtEnd()) root_.ParseStream(input);
}
