#pragma once

#include "platform/Exceptions.h"
#include "support/xml/XmlBlocks.h"
#include "support/xml/XmlFileBuffer.h"
#include "support/xml/XmlNameIndex.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A small forgiving reader of 8-bit XML: bytes reach names and values unchanged, only a few
// character references are decoded, and malformed input raises TSimpleXmlInvalid.

SKEDORA_EXCEPTION(TSimpleXmlInvalid, Exception);

// Bytes held in memory and the parse position in them. A node's parser starts on the node's
// first byte and leaves `pos` just after the node.
struct XmlInput {
    explicit XmlInput(std::string_view bytes)
        : pos(bytes.data()), end(bytes.data() + bytes.size()) {}
    bool AtEnd() const { return pos == end; }

    const char* pos;
    const char* end;
    int depth = 0; // elements open around the current position
};

// Elements nest at most this deep; deeper input raises rather than exhausting the stack.
constexpr int kXmlMaxDepth = 1000;

// Decodes the character references of `text` in one pass; with `trimBlanks` every run of CR, LF
// and space keeps only its first byte.
std::string XmlDecodeText(std::string_view text, bool trimBlanks);
// Writes the bytes " & ' < > as decimal character references.
std::string XmlEncodeText(std::string_view text);

class TSimpleXmlElem;
class TSimpleXmlProps;

class TSimpleXmlProp {
public:
    SKEDORA_XML_BLOCKS
    TSimpleXmlProp(TSimpleXmlProps* parent, std::string name, std::string value,
                   std::string nameSpace);

    const std::string& Name() const { return name_; }
    void SetName(std::string name);
    const std::string& Value() const { return value_; }
    void SetValue(std::string value) { value_ = std::move(value); }
    const std::string& NameSpace() const { return nameSpace_; }
    void SetNameSpace(std::string nameSpace) { nameSpace_ = std::move(nameSpace); }
    TSimpleXmlProps* Parent() const { return parent_; }

private:
    TSimpleXmlProps* parent_;
    std::string name_;
    std::string value_;
    std::string nameSpace_;
};

// The attributes of one element, in document order.
class TSimpleXmlProps {
public:
    SKEDORA_XML_BLOCKS
    explicit TSimpleXmlProps(TSimpleXmlElem* parent) : parent_(parent) {}

    TSimpleXmlElem* Parent() const { return parent_; }
    int Count() const { return static_cast<int>(props_.size()); }
    // None while the list never held an attribute; otherwise an index outside the list raises
    // EListError.
    TSimpleXmlProp* Item(int index) const;
    // The last attribute of that name, without regard to case; none when absent.
    TSimpleXmlProp* ItemNamed(std::string_view name);
    TSimpleXmlProp& Add(std::string name, std::string value, std::string nameSpace = {});
    void Clear();
    void NameChanged() { index_.Invalidate(); }
    // Reads attributes up to a '/', '>' or '?' (left unread) or the end of the input.
    void ParseStream(XmlInput& input);

private:
    bool ParseOne(XmlInput& input);

    TSimpleXmlElem* parent_;
    std::vector<std::unique_ptr<TSimpleXmlProp>> props_;
    XmlNameIndex index_;
    bool everFilled_ = false;
};

// The child nodes of one element, in document order; owns them.
class TSimpleXmlElems {
public:
    SKEDORA_XML_BLOCKS
    explicit TSimpleXmlElems(TSimpleXmlElem* parent) : parent_(parent) {}
    ~TSimpleXmlElems();

    TSimpleXmlElem* Parent() const { return parent_; }
    int Count() const { return static_cast<int>(entries_.size()); }
    // None at or past Count; a negative index raises EListError.
    TSimpleXmlElem* Item(int index) const;
    // The last child of that name, without regard to case; none when absent.
    TSimpleXmlElem* ItemNamed(std::string_view name);
    TSimpleXmlElem& Add(std::unique_ptr<TSimpleXmlElem> node);
    void Clear();
    void NameChanged() { index_.Invalidate(); }
    // Parses child nodes up to the end tag that closes them and returns that tag's text, or
    // an empty text when the input ends first.
    std::string ParseStream(XmlInput& input);

private:
    // A child that had no name when added keeps an empty entry name.
    struct Entry {
        std::unique_ptr<TSimpleXmlElem> node;
        bool named;
    };
    std::string_view NameAt(std::size_t index) const;
    template <class Node> void AddParsed(XmlInput& input);

    TSimpleXmlElem* parent_;
    std::vector<Entry, XmlBlockAllocator<Entry>> entries_;
    XmlNameIndex index_;
};

// Base of every node.
class TSimpleXmlElem {
public:
    SKEDORA_XML_BLOCKS
    TSimpleXmlElem();
    TSimpleXmlElem(const TSimpleXmlElem&) = delete;
    TSimpleXmlElem& operator=(const TSimpleXmlElem&) = delete;
    virtual ~TSimpleXmlElem();

    // Releases children and attributes; name, value and prefix stay.
    virtual void Clear();
    virtual void ParseStream(XmlInput& input) = 0;
    // Appends the node as XML text, each line starting with `level`.
    virtual void EmitStream(std::string& out, const std::string& level) const = 0;
    virtual bool IsText() const { return false; }
    std::string SaveToString() const;

    const std::string& Name() const { return name_; }
    // An empty name changes nothing; renaming a named child renames its entry in the parent.
    void SetName(std::string name);
    const std::string& Value() const { return value_; }
    void SetValue(std::string value) { value_ = std::move(value); }
    const std::string& NameSpace() const { return nameSpace_; }
    void SetNameSpace(std::string nameSpace) { nameSpace_ = std::move(nameSpace); }
    TSimpleXmlElem* Parent() const { return parent_; }
    // Both lists are created empty on first access.
    TSimpleXmlElems& Items();
    TSimpleXmlProps& Props();
    bool HasItems() const { return items_ && items_->Count() > 0; }
    bool HasProps() const { return props_ && props_->Count() > 0; }

protected:
    const TSimpleXmlElems* ExistingItems() const { return items_.get(); }
    void EmitProps(std::string& out) const;

private:
    friend class TSimpleXmlElems;

    TSimpleXmlElem* parent_ = nullptr;
    std::unique_ptr<TSimpleXmlElems> items_;
    std::unique_ptr<TSimpleXmlProps> props_;
    std::string name_;
    std::string value_;
    std::string nameSpace_;
};

// A start tag up to its end tag, or an empty-element tag.
class TSimpleXmlElemClassic : public TSimpleXmlElem {
public:
    void ParseStream(XmlInput& input) override;
    void EmitStream(std::string& out, const std::string& level) const override;

private:
    void ParseContent(XmlInput& input, const std::string& written, std::string& valueText);
    std::string TakeLoneText();
};

class TSimpleXmlElemText : public TSimpleXmlElem {
public:
    void ParseStream(XmlInput& input) override;
    void EmitStream(std::string& out, const std::string& level) const override;
    bool IsText() const override { return true; }
};

class TSimpleXmlElemCData : public TSimpleXmlElem {
public:
    void ParseStream(XmlInput& input) override;
    void EmitStream(std::string& out, const std::string& level) const override;
};

class TSimpleXmlElemComment : public TSimpleXmlElem {
public:
    void ParseStream(XmlInput& input) override;
    void EmitStream(std::string& out, const std::string& level) const override;
};

// The XML declaration.
class TSimpleXmlElemHeader : public TSimpleXmlElem {
public:
    void ParseStream(XmlInput& input) override;
    void EmitStream(std::string& out, const std::string& level) const override;

    const std::string& Version() const { return version_; }
    void SetVersion(std::string version) { version_ = std::move(version); }
    const std::string& Encoding() const { return encoding_; }
    void SetEncoding(std::string encoding) { encoding_ = std::move(encoding); }
    bool Standalone() const { return standalone_; }
    void SetStandalone(bool standalone) { standalone_ = standalone; }

private:
    std::string version_ = "1.0";
    std::string encoding_ = "iso-8859-1";
    bool standalone_ = false;
};

class TSimpleXmlElemDocType : public TSimpleXmlElem {
public:
    void ParseStream(XmlInput& input) override;
    void EmitStream(std::string& out, const std::string& level) const override;
};

// A stylesheet processing instruction; its pseudo-attributes are in Props.
class TSimpleXmlElemSheet : public TSimpleXmlElem {
public:
    void ParseStream(XmlInput& input) override;
    void EmitStream(std::string& out, const std::string& level) const override;
};

// The entries before the root element.
class TSimpleXmlElemsProlog {
public:
    int Count() const { return static_cast<int>(entries_.size()); }
    // None at or past Count; a negative index raises EListError.
    TSimpleXmlElem* Item(int index) const;
    TSimpleXmlElem& Add(std::unique_ptr<TSimpleXmlElem> node);
    void Clear() { entries_.clear(); }
    // Reads entries up to the root element's '<' (left unread) or the end of the input.
    void ParseStream(XmlInput& input);

private:
    std::vector<std::unique_ptr<TSimpleXmlElem>> entries_;
};

class TSimpleXml {
public:
    TSimpleXml();

    const std::string& FileName() const { return fileName_; }
    // Stores the name and loads that file.
    void SetFileName(std::string fileName);
    TSimpleXmlElemClassic& Root() { return root_; }
    TSimpleXmlElemsProlog& Prolog() { return prolog_; }

    // Reads the whole file, then parses it. A file that cannot be opened or read raises
    // EFOpenError "Cannot open file %s" and leaves the tree as it was.
    void LoadFile(const std::string& fileName);
    // Clears the tree, then reads the prolog and the root element.
    void ParseStream(XmlInput& input);

private:
    std::string fileName_;
    XmlFileBuffer file_;
    TSimpleXmlElemClassic root_;
    TSimpleXmlElemsProlog prolog_;
};
