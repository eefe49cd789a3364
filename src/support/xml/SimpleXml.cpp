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

// A file's bytes; not zero-filled first, since every byte kept is read from the file.
struct FileContent {
    std::unique_ptr<char[]> bytes;
    std::size_t size = 0;
};

// Reads until the end of the file into `content`, growing it as needed; false on a read error.
bool ReadAll(std::FILE* file, FileContent& content, std::size_t capacity) {
    for (;;) {
        if (content.size == capacity) {
            capacity *= 2;
            std::unique_ptr<char[]> grown(new char[capacity]);
            std::copy_n(content.bytes.get(), content.size, grown.get());
            content.bytes = std::move(grown);
        }
        content.size +=
            std::fread(content.bytes.get() + content.size, 1, capacity - content.size, file);
        if (std::ferror(file)) return false;
        if (std::feof(file)) return true;
    }
}

// The whole content of the file; opening or reading failures raise EFOpenError.
FileContent ReadWholeFile(const std::string& fileName) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "rb"));
    if (!file) ThrowCannotOpen(fileName);
    std::error_code error;
    const auto size = std::filesystem::file_size(fileName, error);
    // One byte more than the size, so one read meets the end of the file.
    const std::size_t capacity = error ? std::size_t{1} << 16 : static_cast<std::size_t>(size) + 1;
    FileContent content{std::unique_ptr<char[]>(new char[capacity]), 0};
    if (!ReadAll(file.get(), content, capacity)) ThrowCannotOpen(fileName);
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
    const FileContent content = ReadWholeFile(fileName);
    XmlInput input(std::string_view(content.bytes.get(), content.size));
    ParseStream(input);
}

void TSimpleXml::ParseStream(XmlInput& input) {
    root_.Clear();
    root_.SetValue({});
    prolog_.Clear();
    prolog_.ParseStream(input);
    if (!input.AtEnd()) root_.ParseStream(input);
}
