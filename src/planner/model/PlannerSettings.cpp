#include "planner/model/PlannerSettings.h"

#include "platform/Exceptions.h"
#include "platform/Format.h"

void TPlannerDisplay::SetDisplayUnit(int value) {
    if (value != 0) Store(unit_, value);
}

void TPlannerDisplay::SetDisplayOffset(int value) {
    if (value <= unit_) Store(offset_, value);
}

const std::string& TPlannerCaptions::operator[](int index) const {
    CheckIndex(index);
    return strings_[index];
}

void TPlannerCaptions::Add(const std::string& text) {
    strings_.push_back(text);
    Changed();
}

void TPlannerCaptions::Set(int index, const std::string& text) {
    CheckIndex(index);
    strings_[index] = text;
    Changed();
}

void TPlannerCaptions::Assign(const std::vector<std::string>& strings) {
    strings_ = strings;
    Changed();
}

void TPlannerCaptions::Clear() {
    if (strings_.empty()) return;
    strings_.clear();
    Changed();
}

void TPlannerCaptions::CheckIndex(int index) const {
    if (index < 0 || index >= Count())
        throw EListError(Format("List index out of bounds (%d)", index));
}

void TPlannerCaptions::Changed() {
    if (OnChange) OnChange();
}
