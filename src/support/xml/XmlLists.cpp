#include "platform/Format.h"
#include "support/xml/SimpleXml.h"

namespace {

[[noreturn]] void ThrowListIndex(int index) {
    throw EListError(Format("List index out of bounds (%d)", index));
}

} // namespace

TSimpleXmlProp::TSimpleXmlProp(TSimpleXmlProps* parent, std::string name, std::string value,
                               std::string nameSpace)
    : parent_(parent), name_(std::move(name)), value_(std::move(value)),
      nameSpace_(std::move(nameSpace)) {}

void TSimpleXmlProp::SetName(std::string name) {
    if (name.empty()) return;
    name_ = std::move(name);
    parent_->NameChanged();
}

TSimpleXmlProp* TSimpleXmlProps::Item(int index) const {
    if (!everFilled_) return nullptr;
    if (index < 0 || index >= Count()) ThrowListIndex(index);
    return props_[static_cast<std::size_t>(index)].get();
}

TSimpleXmlProp* TSimpleXmlProps::ItemNamed(std::string_view name) {
    const auto found = index_.Find(
        name, props_.size(), [this](std::size_t i) { return std::string_view(props_[i]->Name()); });
    return found < 0 ? nullptr : props_[static_cast<std::size_t>(found)].get();
}

TSimpleXmlProp& TSimpleXmlProps::Add(std::string name, std::string value, std::string nameSpace) {
    props_.push_back(std::make_unique<TSimpleXmlProp>(this, std::move(name), std::move(value),
                                                      std::move(nameSpace)));
    everFilled_ = true;
    index_.Invalidate();
    return *props_.back();
}

void TSimpleXmlProps::Clear() {
    props_.clear();
    index_.Invalidate();
}

TSimpleXmlElems::~TSimpleXmlElems() = default;

TSimpleXmlElem* TSimpleXmlElems::Item(int index) const {
    if (index < 0) ThrowListIndex(index);
    return index < Count() ? entries_[static_cast<std::size_t>(index)].node.get() : nullptr;
}

std::string_view TSimpleXmlElems::NameAt(std::size_t index) const {
    const Entry& entry = entries_[index];
    return entry.named ? std::string_view(entry.node->Name()) : std::string_view();
}

TSimpleXmlElem* TSimpleXmlElems::ItemNamed(std::string_view name) {
    const auto found =
        index_.Find(name, entries_.size(), [this](std::size_t i) { return NameAt(i); });
    return found < 0 ? nullptr : entries_[static_cast<std::size_t>(found)].node.get();
}

TSimpleXmlElem& TSimpleXmlElems::Add(std::unique_ptr<TSimpleXmlElem> node) {
    node->parent_ = parent_;
    if (entries_.empty()) entries_.reserve(4);
    const bool named = !node->Name().empty();
    entries_.push_back({std::move(node), named});
    index_.Invalidate();
    return *entries_.back().node;
}

// Releasing a node releases its whole subtree, so no child needs clearing first.
void TSimpleXmlElems::Clear() {
    entries_.clear();
    index_.Invalidate();
}

TSimpleXmlElem* TSimpleXmlElemsProlog::Item(int index) const {
    if (index < 0) ThrowListIndex(index);
    return index < Count() ? entries_[static_cast<std::size_t>(index)].get() : nullptr;
}

TSimpleXmlElem& TSimpleXmlElemsProlog::Add(std::unique_ptr<TSimpleXmlElem> node) {
    entries_.push_back(std::move(node));
    return *entries_.back();
}
