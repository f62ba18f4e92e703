#include "foundation/label.h"

#include <algorithm>

#include "foundation/platform.h"

bool ToWide(const std::string& text, std::wstring& out) {
    return Platform::AnsiToWide(text, out);
}

bool ToNarrow(const std::wstring& text, std::string& out) {
    return Platform::WideToAnsi(text, out);
}

Label::Label(const std::string& name) {
    ToWide(name, name_);
}

Label& Label::operator=(const Label& other) {
    ChangeName(other.name_);
    return *this;
}

bool Label::SetName(const std::string& name) {
    std::wstring wide;
    if (!ToWide(name, wide)) return false;
    ChangeName(wide);
    return true;
}

void Label::ChangeName(const std::wstring& name) {
    if (name == name_) return;
    std::wstring oldName = std::move(name_);
    name_ = name;
    for (LabelIndex* index : indexes_) index->LabelRenamed(*this, oldName);
}

void Label::RemoveIndex(LabelIndex* index) {
    auto it = std::find(indexes_.begin(), indexes_.end(), index);
    if (it != indexes_.end()) indexes_.erase(it);
}

std::string Label::GetNameA() const {
    std::string narrow;
    ToNarrow(name_, narrow);
    return narrow;
}

bool Label::Rename(const std::wstring& oldName, const std::wstring& newName) {
    if (name_ != oldName) return false;
    ChangeName(newName);
    return true;
}
