#include "winplus/property.h"

#include "foundation/event_bus.h"
#include "foundation/text.h"
#include "winplus/text_checks.h"

namespace Winplus {

namespace {
std::wstring Wide(const std::string& text) {
    std::wstring wide;
    ToWide(text, wide);
    return wide;
}
}  // namespace

Property::Property(int kind, const std::wstring& name) : Label(name), kind_(kind) {
    colors = CurrentColors();
    if (kind == kBooleanRow) text_ = L"True";
    if (kind == kIntegerRow || kind == kDoubleRow) text_ = L"0";
}

Safe::XPtr<Property> Property::Create(int kind, const std::wstring& name) {
    if (kind < kBooleanRow || kind > kHeaderRow) return nullptr;
    return Safe::XPtr<Property>(new Property(kind, name));
}

RowColors& Property::CurrentColors() {
    static RowColors current;
    return current;
}

void Property::ResetColors() {
    CurrentColors() = RowColors();
}

namespace {
const bool kColorsReset = RegisterProcessReset(Property::ResetColors);
}  // namespace

void Property::SetInteger(const int& value) {
    integerValue = value;
    text_ = Wide(ToString(value));
}

void Property::SetDouble(const double& value) {
    doubleValue = value;
    text_ = Wide(DoubleToString(value, 16));
}

void Property::SetText(const std::string& text) {
    if (kind_ == kIntegerRow) {
        if (!IsInteger(text)) return;
        integerValue = std::stoi(Trim(text));
    } else if (kind_ == kDoubleRow) {
        if (!IsNumber(text)) return;
        ToDouble(text, &doubleValue);
    }
    std::wstring wide;
    if (ToWide(text, wide) || text.empty()) text_ = wide;
}

void Property::SetBoolean(const bool& value) {
    booleanValue = value;
    text_ = value ? L"True" : L"False";
}

std::string Property::GetText() const {
    std::string narrow;
    ToNarrow(text_, narrow);
    return narrow;
}

}  // namespace Winplus
