#pragma once
// The rows of a property grid: one setting each, of eight kinds, with the text its value cell
// shows. No windows here; the grid paints a row by its kind and colours.
#include <string>
#include <vector>

#include "foundation/label.h"
#include "winplus/colors.h"

namespace Winplus {

enum PropertyKind {
    kBooleanRow = 0,
    kIntegerRow = 1,
    kDoubleRow = 2,
    kStringRow = 3,
    kListRow = 4,
    kColorRow = 5,
    kMessageRow = 6,
    kHeaderRow = 7
};

struct RowColors {
    Argb line = 0xFF141EC0;
    Argb nameCell = 0xFFBED2FF;
    Argb nameText = 0xFFFFFFFF;
};

class Property : public Label {
public:
    // A new row of that kind with the name and the current row colours; null for a kind
    // outside 0 to 7.
    static Safe::XPtr<Property> Create(int kind, const std::wstring& name);
    // The colours new rows get; page builders change them between groups of rows.
    static RowColors& CurrentColors();
    static void ResetColors();

    void SetInteger(const int& value);
    // Up to 16 significant digits in the shortest general form, the same on every runtime.
    void SetDouble(const double& value);
    // Integer and Double rows take only a text that passes their check; other kinds any text.
    void SetText(const std::string& text);
    void SetBoolean(const bool& value);
    void SetColor(const int& argb) { color = static_cast<Argb>(argb); }
    void SetEnabled(const bool& on) { enabled = on; }
    std::string GetText() const;
    const std::wstring& Text() const { return text_; }
    int Kind() const { return kind_; }

    bool enabled = true;
    bool booleanValue = true;
    int integerValue = 0;
    double doubleValue = 0.0;
    std::vector<std::string> choices;
    // The Color row's colour, or the value text's colour of the other kinds.
    Argb color = 0xFF000000;
    RowColors colors;

private:
    Property(int kind, const std::wstring& name);

    int kind_;
    std::wstring text_;
};

}  // namespace Winplus
