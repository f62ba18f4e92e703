#pragma once
// What the property pages of curves, file curves and layers share: rows built from a table, the
// texts of List rows and the values they stand for, the appearance rows of a curve's two
// designers, the boxes of refusals and questions, and the two buses the pages report on.
#include <string>
#include <utility>
#include <vector>

#include "foundation/event_codes.h"
#include "plot/view_mode.h"
#include "winplus/property.h"

namespace Winplus {

using PropertyRows = std::vector<Safe::XPtr<Property>>;

// The texts a List row offers and the values they stand for.
struct TextMap {
    std::vector<std::pair<std::string, int>> entries;
    int fallback = 1;  // the value of any text not listed

    int Parse(const std::string& text) const;
    // Writes the text of value into the row; a value not listed leaves the row as it was.
    void Show(Property& row, int value) const;
    std::vector<std::string> Texts() const;
};

// "Hidden", "X-Real", ... for -1 ... 4; any other text is hidden.
const TextMap& ViewModeTexts();
// "Circle", "Square", "Diamond" for 1, 2, 3; any other text is a circle.
const TextMap& StyleTexts();
// "1" ... "8" (thickness and marker size of model curves); any other text is 1.
const TextMap& SizeTexts();
// "1", "2", "4", "6", "8" (thickness and marker size of file curves); any other text is 1.
const TextMap& EvenSizeTexts();

struct RowTemplate {
    int kind;
    std::wstring caption;
    std::string text{};  // the initial text; empty keeps the kind's own
    std::vector<std::string> choices{};
    bool disabled = false;
};

// The rows of a page in table order, each with the current row colours.
PropertyRows BuildRows(const std::vector<RowTemplate>& templates);

// A page: its rows, made once with the page and refilled for every object shown.
class PropertyPage {
public:
    const PropertyRows& GetRows() const { return rows_; }
    Property& Row(int index) const { return *rows_[static_cast<std::size_t>(index)]; }
    bool HasRow(int index) const { return index >= 0 && index < static_cast<int>(rows_.size()); }

protected:
    explicit PropertyPage(const std::vector<RowTemplate>& templates) : rows_(BuildRows(templates)) {}

    PropertyRows rows_;
};

// What applying a row did: nothing (the object held that value), nothing because the value was
// refused or there was nothing to act on, or a change to announce.
enum class Outcome { kUnchanged, kNotApplied, kChanged };

// One setting of a curve designer shown in a row.
enum class Look {
    kHasLine,
    kThickness,
    kLineColor,
    kHasShape,
    kStyle,
    kSize,
    kMarkerColor,
    kIsFilled
};

// The two groups "Real Curve Appearance" and "Imag Curve Appearance", each a header and one row
// per look, the real designer's from index first on.
class AppearanceRows {
public:
    AppearanceRows(int first, std::vector<Look> looks, const TextMap& sizes)
        : first_(first), looks_(std::move(looks)), sizes_(sizes) {}

    // Both groups with their headers, to follow the page's other rows.
    std::vector<RowTemplate> Templates() const;
    void Fill(const PropertyPage& page, const CurvePair& designers) const;
    // Whether index is one of the look rows.
    bool Holds(int index) const;
    // Takes the row into its designer; false when the designer held that value already.
    bool Apply(const PropertyPage& page, int index, const CurvePair& designers) const;

private:
    // The look of a row and whether it belongs to the imaginary designer; false for other rows.
    bool Find(int index, Look& look, bool& imaginary) const;

    int first_;
    std::vector<Look> looks_;
    const TextMap& sizes_;
};

// A refused value: the box with the error icon and caption "Message".
void Refuse(const std::string& text);
// A question with Yes and No; every answer but No counts as Yes.
bool AskYes(const std::string& text);

// The View pages report on the layer bus, the Modify pages on the view bus.
void AnnounceOnLayers(LayerEvent code);
void AnnounceOnView(ViewEvent code);

}  // namespace Winplus
