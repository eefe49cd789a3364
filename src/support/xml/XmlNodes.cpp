#include "support/xml/SimpleXml.h"

TSimpleXmlElem::TSimpleXmlElem() = default;
TSimpleXmlElem::~TSimpleXmlElem() = default;

void TSimpleXmlElem::Clear() {
    if (items_) items_->Clear();
    if (props_) props_->Clear();
}

void TSimpleXmlElem::SetName(std::string name) {
    if (name.empty()) return;
    const bool renamesEntry = !name_.empty() && parent_;
    name_ = std::move(name);
    if (renamesEntry) parent_->Items().NameChanged();
}

TSimpleXmlElems& TSimpleXmlElem::Items() {
    if (!items_) items_ = std::make_unique<TSimpleXmlElems>(this);
    return *items_;
}

TSimpleXmlProps& TSimpleXmlElem::Props() {
    if (!props_) props_ = std::make_unique<TSimpleXmlProps>(this);
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
        if (!prop.NameSpace().empty()) out += prop.NameSpace() + ':';
        out += prop.Name();
        out += "=\"";
        out += XmlEncodeText(prop.Value());
        out += '"';
    }
}

void TSimpleXmlElemClassic::EmitStream(std::string& out, const std::string& level) const {
    out += level;
    out += '<';
    out += Name();
    EmitProps(out);
    if (!HasItems()) {
        if (Value().empty()) {
            out += "/>\r\n";
            return;
        }
        out += '>' + XmlEncodeText(Value()) + "</" + Name() + ">\r\n";
        return;
    }
    out += ">\r\n";
    const std::string inner = level + ' ';
    const TSimpleXmlElems& items = *ExistingItems();
    for (int i = 0; i < items.Count(); ++i)
        items.Item(i)->EmitStream(out, inner);
    out += level + "</" + Name() + ">\r\n";
}

void TSimpleXmlElemText::EmitStream(std::string& out, const std::string& level) const {
    if (Value().empty()) return;
    out += level + XmlEncodeText(Value()) + "\r\n";
}

void TSimpleXmlElemCData::EmitStream(std::string& out, const std::string& level) const {
    out += level + "<![CDATA[" + Value() + "]]>\r\n";
}

void TSimpleXmlElemComment::EmitStream(std::string& out, const std::string& level) const {
    out += level + "<!--" + Value() + "-->\r\n";
}

void TSimpleXmlElemHeader::EmitStream(std::string& out, const std::string& level) const {
    out += level + "<?xml version=\"" + XmlEncodeText(version_) + "\" encoding=\"" +
           XmlEncodeText(encoding_) + '"';
    if (standalone_) out += " standalone=\"yes\"";
    out += "?>\r\n";
}

void TSimpleXmlElemDocType::EmitStream(std::string& out, const std::string& level) const {
    out += level + "<!DOCTYPE " + Value() + ">\r\n";
}

void TSimpleXmlElemSheet::EmitStream(std::string& out, const std::string& level) const {
    out += level + "<?xml-stylesheet";
    EmitProps(out);
    out += "?>\r\n";
}
