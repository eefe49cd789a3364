#include "platform/Format.h"
#include "support/xml/SimpleXml.h"

namespace {

[[noreturn]] void ThrowListIndex(int index) {
    throw EListError(Format("List index out of bounds (%d)", index));
}

} // namespace

void TSimpleXmlProp::SetName(std::string_view name) {
    if (name.empty()) return;
    name_ = parent_->Arena().Copy(name);
    parent_->NameChanged();
}

void TSimpleXmlProp::SetValue(std::string_view value) {
    value_ = parent_->Arena().Copy(value);
}

void TSimpleXmlProp::SetNameSpace(std::string_view nameSpace) {
    nameSpace_ = parent_->Arena().Copy(nameSpace);
}

TSimpleXmlProp* TSimpleXmlProps::Item(int index) const {
    if (!everFilled_) return nullptr;
    if (index < 0 || index >= Count()) ThrowListIndex(index);
    return props_[static_cast<std::size_t>(index)];
}

TSimpleXmlProp* TSimpleXmlProps::ItemNamed(std::string_view name) {
    const auto found = index_.Find(Arena(), name, props_.Size(),
                                   [this](std::size_t i) { return props_[i]->Name(); });
    return found < 0 ? nullptr : props_[static_cast<std::size_t>(found)];
}

TSimpleXmlProp& TSimpleXmlProps::Add(std::string_view name, std::string_view value,
                                     std::string_view nameSpace) {
    XmlArena& arena = Arena();
    return Place(arena.Copy(name), arena.Copy(value), arena.Copy(nameSpace));
}

TSimpleXmlProp& TSimpleXmlProps::Place(std::string_view name, std::string_view value,
                                       std::string_view nameSpace) {
    TSimpleXmlProp* prop = Arena().New<TSimpleXmlProp>(this, name, value, nameSpace);
    props_.Push(Arena(), prop);
    everFilled_ = true;
    index_.Invalidate();
    return *prop;
}

void TSimpleXmlProps::Clear() {
    props_.Clear();
    index_.Invalidate();
}

TSimpleXmlElem* TSimpleXmlElems::Item(int index) const {
    if (index < 0) ThrowListIndex(index);
    return index < Count() ? nodes_[static_cast<std::size_t>(index)] : nullptr;
}

std::string_view TSimpleXmlElems::NameAt(std::size_t index) const {
    const TSimpleXmlElem& node = *nodes_[index];
    return node.entryNamed_ ? node.Name() : std::string_view();
}

TSimpleXmlElem* TSimpleXmlElems::ItemNamed(std::string_view name) {
    const auto found =
        index_.Find(Arena(), name, nodes_.Size(), [this](std::size_t i) { return NameAt(i); });
    return found < 0 ? nullptr : nodes_[static_cast<std::size_t>(found)];
}

void TSimpleXmlElems::Append(TSimpleXmlElem& node) {
    node.parent_ = parent_;
    node.entryNamed_ = !node.Name().empty();
    nodes_.Push(Arena(), &node);
    index_.Invalidate();
}

// The nodes stay in the arena, unreachable, until the document is released.
void TSimpleXmlElems::Clear() {
    nodes_.Clear();
    index_.Invalidate();
}

TSimpleXmlElem* TSimpleXmlElemsProlog::Item(int index) const {
    if (index < 0) ThrowListIndex(index);
    return index < Count() ? entries_[static_cast<std::size_t>(index)] : nullptr;
}
