#include "foundation/label.h"

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

bool Label::SetName(const std::string& name) {
    std::wstring wide;
    if (!ToWide(name, wide)) return false;
    name_ = std::move(wide);
    return true;
}

std::string Label::GetNameA() const {
    std::string narrow;
    ToNarrow(name_, narrow);
    return narrow;
}

bool Label::Rename(const std::wstring& oldName, const std::wstring& newName) {
    if (name_ != oldName) return false;
    name_ = newName;
    return true;
}
