#pragma once

#include "platform/Exceptions.h"
#include "support/xml/XmlArena.h"
#include "support/xml/XmlFileBuffer.h"
#include "support/xml/XmlNameIndex.h"

#include <string>
#include <string_view>

// A small forgiving reader of 8-bit XML: bytes reach names and values unchanged, only a few
// character references are decoded, and malformed input raises TSimpleXmlInvalid.
//
// A document's nodes, lists and texts live in its arena and are released together when the
// next document is parsed; names and values are views of that memory, or of the loaded file's
// bytes when nothing had to be decoded.

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
    // True when the bytes outlive the tree parsed from them, so its texts may point into them
    // instead of being copied.
    bool stable = false;
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
    // The texts must live as long as the list's arena.
    TSimpleXmlProp(TSimpleXmlProps* parent, std::string_view name, std::string_view value,
                   std::string_view nameSpace)
        : parent_(parent), name_(name), value_(value), nameSpace_(nameSpace) {}

    std::string_view Name() const { return name_; }
    void SetName(std::string_view name);
    std::string_view Value() const { return value_; }
    void SetValue(std::string_view value);
    std::string_view NameSpace() const { return nameSpace_; }
    void SetNameSpace(std::string_view nameSpace);
    TSimpleXmlProps* Parent() const { return parent_; }

private:
    TSimpleXmlProps* parent_;
    std::string_view name_;
    std::string_view value_;
    std::string_view nameSpace_;
};

// The attributes of one element, in document order.
class TSimpleXmlProps {
public:
    explicit TSimpleXmlProps(TSimpleXmlElem* parent) : parent_(parent) {}

    TSimpleXmlElem* Parent() const { return parent_; }
    int Count() const { return static_cast<int>(props_.Size()); }
    // None while the list never held an attribute; otherwise an index outside the list raises
    // EListError.
    TSimpleXmlProp* Item(int index) const;
    // The last attribute of that name, without regard to case; none when absent.
    TSimpleXmlProp* ItemNamed(std::string_view name);
    TSimpleXmlProp& Add(std::string_view name, std::string_view value,
                        std::string_view nameSpace = {});
    void Clear();
    void NameChanged() { index_.Invalidate(); }
    // Reads attributes up to a '/', '>' or '?' (left unread) or the end of the input.
    void ParseStream(XmlInput& input);
    // Where the attributes and their texts live: the element's arena.
    XmlArena& Arena() const;

private:
    TSimpleXmlProp& Place(std::string_view name, std::string_view value,
                          std::string_view nameSpace);
    bool ParseOne(XmlInput& input);

    TSimpleXmlElem* parent_;
    XmlArenaList<TSimpleXmlProp> props_;
    XmlNameIndex index_;
    bool everFilled_ = false;
};

// The child nodes of one element, in document order.
class TSimpleXmlElems {
public:
    explicit TSimpleXmlElems(TSimpleXmlElem* parent) : parent_(parent) {}

    TSimpleXmlElem* Parent() const { return parent_; }
    int Count() const { return static_cast<int>(nodes_.Size()); }
    // None at or past Count; a negative index raises EListError.
    TSimpleXmlElem* Item(int index) const;
    // The last child of that name, without regard to case; none when absent.
    TSimpleXmlElem* ItemNamed(std::string_view name);
    // Appends a new node of that kind under `name`; a node added without a name keeps an
    // unnamed entry.
    template <class Node> Node& Add(std::string_view name = {});
    void Clear();
    void NameChanged() { index_.Invalidate(); }
    // Parses child nodes up to the end tag that closes them and returns that tag's text, or
    // an empty text when the input ends first. The text is a view of the input.
    std::string_view ParseStream(XmlInput& input);

private:
    XmlArena& Arena() const;
    void Append(TSimpleXmlElem& node);
    std::string_view NameAt(std::size_t index) const;
    template <class Node> void AddParsed(XmlInput& input);

    TSimpleXmlElem* parent_;
    XmlArenaList<TSimpleXmlElem> nodes_;
    XmlNameIndex index_;
};

// Base of every node. Nodes are made by their document or by Add, in the arena they live in,
// and are released with it.
class TSimpleXmlElem {
public:
    explicit TSimpleXmlElem(XmlArena& arena) : arena_(&arena) {}
    TSimpleXmlElem(const TSimpleXmlElem&) = delete;
    TSimpleXmlElem& operator=(const TSimpleXmlElem&) = delete;

    // Releases children and attributes; name, value and prefix stay.
    virtual void Clear();
    virtual void ParseStream(XmlInput& input) = 0;
    // Appends the node as XML text, each line starting with `level`.
    virtual void EmitStream(std::string& out, const std::string& level) const = 0;
    virtual bool IsText() const { return false; }
    std::string SaveToString() const;

    std::string_view Name() const { return name_; }
    // An empty name changes nothing; renaming a named child renames its entry in the parent.
    void SetName(std::string_view name) { PlaceName(arena_->Copy(name)); }
    std::string_view Value() const { return value_; }
    void SetValue(std::string_view value) { value_ = arena_->Copy(value); }
    std::string_view NameSpace() const { return nameSpace_; }
    void SetNameSpace(std::string_view nameSpace) { nameSpace_ = arena_->Copy(nameSpace); }
    TSimpleXmlElem* Parent() const { return parent_; }
    // Both lists are created empty on first access.
    TSimpleXmlElems& Items();
    TSimpleXmlProps& Props();
    bool HasItems() const { return items_ && items_->Count() > 0; }
    bool HasProps() const { return props_ && props_->Count() > 0; }
    // Where the node, its lists and its texts live.
    XmlArena& Arena() const { return *arena_; }

protected:
    // Released with the arena, never one by one.
    ~TSimpleXmlElem() = default;

    const TSimpleXmlElems* ExistingItems() const { return items_; }
    void EmitProps(std::string& out) const;
    // The parsers' setters: the texts already live as long as the node.
    void PlaceName(std::string_view name);
    void PlaceValue(std::string_view value) { value_ = value; }
    void PlaceNameSpace(std::string_view nameSpace) { nameSpace_ = nameSpace; }

private:
    friend class TSimpleXmlElems;
    friend class TSimpleXml;

    // Forgets lists and texts before the arena is reset, then takes the given texts.
    void Restart(std::string_view name, std::string_view nameSpace);

    XmlArena* arena_;
    TSimpleXmlElem* parent_ = nullptr;
    TSimpleXmlElems* items_ = nullptr;
    TSimpleXmlProps* props_ = nullptr;
    std::string_view name_;
    std::string_view value_;
    std::string_view nameSpace_;
    bool entryNamed_ = false; // had a name when it was added to its parent
};

inline XmlArena& TSimpleXmlElems::Arena() const {
    return parent_->Arena();
}

inline XmlArena& TSimpleXmlProps::Arena() const {
    return parent_->Arena();
}

template <class Node> Node& TSimpleXmlElems::Add(std::string_view name) {
    Node& node = *Arena().New<Node>(Arena());
    node.SetName(name);
    Append(node);
    return node;
}

// A start tag up to its end tag, or an empty-element tag.
class TSimpleXmlElemClassic : public TSimpleXmlElem {
public:
    using TSimpleXmlElem::TSimpleXmlElem;
    void ParseStream(XmlInput& input) override;
    void EmitStream(std::string& out, const std::string& level) const override;

private:
    struct Written;
    std::string_view ParseContent(XmlInput& input, const Written& written);
    std::string_view TakeLoneText();
};

class TSimpleXmlElemText : public TSimpleXmlElem {
public:
    using TSimpleXmlElem::TSimpleXmlElem;
    void ParseStream(XmlInput& input) override;
    void EmitStream(std::string& out, const std::string& level) const override;
    bool IsText() const override { return true; }
};

class TSimpleXmlElemCData : public TSimpleXmlElem {
public:
    using TSimpleXmlElem::TSimpleXmlElem;
    void ParseStream(XmlInput& input) override;
    void EmitStream(std::string& out, const std::string& level) const override;
};

class TSimpleXmlElemComment : public TSimpleXmlElem {
public:
    using TSimpleXmlElem::TSimpleXmlElem;
    void ParseStream(XmlInput& input) override;
    void EmitStream(std::string& out, const std::string& level) const override;
};

// The XML declaration.
class TSimpleXmlElemHeader : public TSimpleXmlElem {
public:
    using TSimpleXmlElem::TSimpleXmlElem;
    void ParseStream(XmlInput& input) override;
    void EmitStream(std::string& out, const std::string& level) const override;

    std::string_view Version() const { return version_; }
    void SetVersion(std::string_view version) { version_ = Arena().Copy(version); }
    std::string_view Encoding() const { return encoding_; }
    void SetEncoding(std::string_view encoding) { encoding_ = Arena().Copy(encoding); }
    bool Standalone() const { return standalone_; }
    void SetStandalone(bool standalone) { standalone_ = standalone; }

private:
    std::string_view version_ = "1.0";
    std::string_view encoding_ = "iso-8859-1";
    bool standalone_ = false;
};

class TSimpleXmlElemDocType : public TSimpleXmlElem {
public:
    using TSimpleXmlElem::TSimpleXmlElem;
    void ParseStream(XmlInput& input) override;
    void EmitStream(std::string& out, const std::string& level) const override;
};

// A stylesheet processing instruction; its pseudo-attributes are in Props.
class TSimpleXmlElemSheet : public TSimpleXmlElem {
public:
    using TSimpleXmlElem::TSimpleXmlElem;
    void ParseStream(XmlInput& input) override;
    void EmitStream(std::string& out, const std::string& level) const override;
};

// The entries before the root element.
class TSimpleXmlElemsProlog {
public:
    explicit TSimpleXmlElemsProlog(XmlArena& arena) : arena_(&arena) {}

    int Count() const { return static_cast<int>(entries_.Size()); }
    // None at or past Count; a negative index raises EListError.
    TSimpleXmlElem* Item(int index) const;
    void Clear() { entries_.Clear(); }
    // Reads entries up to the root element's '<' (left unread) or the end of the input.
    void ParseStream(XmlInput& input);

private:
    template <class Node> void AddParsed(XmlInput& input);

    XmlArena* arena_;
    XmlArenaList<TSimpleXmlElem> entries_;
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
    // Releases the tree, then reads the prolog and the root element. Root keeps its name until
    // the new one is read.
    void ParseStream(XmlInput& input);

private:
    std::string fileName_;
    // The loaded file's bytes, which the tree's texts may point into, and the buffer the next
    // file is read into, so a failed read leaves both the bytes and the tree as they were.
    XmlFileBuffer file_;
    XmlFileBuffer nextFile_;
    // Root's name and prefix carried over from the previous document.
    std::string rootName_;
    std::string rootNameSpace_;
    XmlArena arena_;
    TSimpleXmlElemClassic root_{arena_};
    TSimpleXmlElemsProlog prolog_{arena_};
};
