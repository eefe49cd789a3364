#include "support/xml/SimpleXml.h"

void TSimpleXmlElem::Clear() {
    if (items_) items_->Clear();
    if (props_) props_->Clear();
}

void TSimpleXmlElem::PlaceName(std::string_view name) {
    if (name.empty()) return;
    const bool renamesEntry = !name_.empty() && parent_;
    name_ = name;
    if (renamesEntry) parent_->Items().NameChanged();
}

void TSimpleXmlElem::Restart(std::string_view name, std::string_view nameSpace) {
    items_ = nullptr;
    props_ = nullptr;
    name_ = name;
    value_ = {};
    nameSpace_ = nameSpace;
}

TSimpleXmlElems& TSimpleXmlElem::Items() {
    if (!items_) items_ = arena_->New<TSimpleXmlElems>(this);
    return *items_;
}

TSimpleXmlProps& TSimpleXmlElem::Props() {
    if (!props_) props_ = arena_->New<TSimpleXmlProps>(this);
    return *props_;
}

std::string TSimpleXmlElem::SaveToString() const {
    std::string out;
    EmitStream(out, std::string());
    return out;
}

void TSimpleXmlElem::EmitProps(std::string& out) const {
    if (!props_) return;
    for (int i = 0; i < props_->Count(); ++i) {
        const TSimpleXmlProp& prop = *props_->Item(i);
        out += ' ';
        if (!prop.NameSpace().empty()) (out += prop.NameSpace()) += ':';
        out += prop.Name();
        out += "=\"";
        out += XmlEncodeText(prop.Value());
        out += '"';
    }
}

namespace {

// The rest of a saved line: `lead`, the parts, then CR LF.
template <class... Parts>
void EmitLine(std::string& out, std::string_view lead, const Parts&... parts) {
    out += lead;
    (out.append(std::string_view(parts)), ...);
    out += "\r\n";
}

} // namespace

void TSimpleXmlElemClassic::EmitStream(std::string& out, const std::string& level) const {
    out += level;
    out += '<';
    out += Name();
    EmitProps(out);
    if (!HasItems()) {
        if (Value().empty())
            out += "/>\r\n";
        else
            EmitLine(out, ">", XmlEncodeText(Value()), "</", Name(), ">");
        return;
    }
    out += ">\r\n";
    const std::string inner = level + ' ';
    const TSimpleXmlElems& items = *ExistingItems();
    for (int i = 0; i < items.Count(); ++i)
        items.Item(i)->EmitStream(out, inner);
    EmitLine(out, level, "</", Name(), ">");
}

void TSimpleXmlElemText::EmitStream(std::string& out, const std::string& level) const {
    if (!Value().empty()) EmitLine(out, level, XmlEncodeText(Value()));
}

void TSimpleXmlElemCData::EmitStream(std::string& out, const std::string& level) const {
    EmitLine(out, level, "<![CDATA[", Value(), "]]>");
}

void TSimpleXmlElemComment::EmitStream(std::string& out, const std::string& level) const {
    EmitLine(out, level, "<!--", Value(), "-->");
}

void TSimpleXmlElemHeader::EmitStream(std::string& out, const std::string& level) const {
    EmitLine(out, level, "<?xml version=\"", XmlEncodeText(version_), "\" encoding=\"",
             XmlEncodeText(encoding_), standalone_ ? "\" standalone=\"yes\"?>" : "\"?>");
}

void TSimpleXmlElemDocType::EmitStream(std::string& out, const std::string& level) const {
    EmitLine(out, level, "<!DOCTYPE ", Value(), ">");
}

void TSimpleXmlElemSheet::EmitStream(std::string& out, const std::string& level) const {
    out += level + "<?xml-stylesheet";
    EmitProps(out);
    out += "?>\r\n";
}
