#include "plot/property_page.h"

#include "foundation/event_bus.h"
#include "foundation/platform.h"
#include "plot/layer.h"

namespace Winplus {

int TextMap::Parse(const std::string& text) const {
    for (const auto& [shown, value] : entries)
        if (shown == text) return value;
    return fallback;
}

void TextMap::Show(Property& row, int value) const {
    for (const auto& [shown, listed] : entries)
        if (listed == value) return row.SetText(shown);
}

std::vector<std::string> TextMap::Texts() const {
    std::vector<std::string> texts;
    for (const auto& entry : entries) texts.push_back(entry.first);
    return texts;
}

const TextMap& ViewModeTexts() {
    static const TextMap map{{{"Hidden", kHidden},
                              {"X-Real", kXReal},
                              {"X-Imag", kXImag},
                              {"X-Complex", kXComplex},
                              {"Real-Imag", kRealImag},
                              {"Imag-Real", kImagReal}},
                             kHidden};
    return map;
}

const TextMap& StyleTexts() {
    static const TextMap map{{{"Circle", CurveDesigner::kCircle},
                              {"Square", CurveDesigner::kSquare},
                              {"Diamond", CurveDesigner::kDiamond}},
                             CurveDesigner::kCircle};
    return map;
}

const TextMap& SizeTexts() {
    static const TextMap map{
        {{"1", 1}, {"2", 2}, {"3", 3}, {"4", 4}, {"5", 5}, {"6", 6}, {"7", 7}, {"8", 8}}, 1};
    return map;
}

const TextMap& EvenSizeTexts() {
    static const TextMap map{{{"1", 1}, {"2", 2}, {"4", 4}, {"6", 6}, {"8", 8}}, 1};
    return map;
}

PropertyRows BuildRows(const std::vector<RowTemplate>& templates) {
    Property::ResetColors();
    PropertyRows rows;
    for (const RowTemplate& entry : templates) {
        Safe::XPtr<Property> row = Property::Create(entry.kind, entry.caption);
        if (!entry.text.empty()) row->SetText(entry.text);
        row->choices = entry.choices;
        row->SetEnabled(!entry.disabled);
        rows.push_back(row);
    }
    return rows;
}

namespace {

RowTemplate LookRow(Look look, const TextMap& sizes) {
    switch (look) {
        case Look::kHasLine: return {kBooleanRow, L"HasLine"};
        case Look::kThickness: return {kListRow, L"  Thickness", "1", sizes.Texts()};
        case Look::kLineColor: return {kColorRow, L"  Color"};
        case Look::kHasShape: return {kBooleanRow, L"HasShape"};
        case Look::kStyle: return {kListRow, L"  Style", "Circle", StyleTexts().Texts()};
        case Look::kSize: return {kListRow, L"  Size", "4", sizes.Texts()};
        case Look::kMarkerColor: return {kColorRow, L"  Color"};
        case Look::kIsFilled: return {kBooleanRow, L"  IsFilled"};
    }
    return {kHeaderRow, L""};
}

void FillLook(Property& row, Look look, const CurveDesigner& designer, const TextMap& sizes) {
    switch (look) {
        case Look::kHasLine: return row.SetBoolean(designer.hasLine);
        case Look::kThickness: return sizes.Show(row, designer.thickness);
        case Look::kLineColor: return row.SetColor(static_cast<int>(designer.lineColor));
        case Look::kHasShape: return row.SetBoolean(designer.hasShape);
        case Look::kStyle: return StyleTexts().Show(row, designer.style);
        case Look::kSize: return sizes.Show(row, designer.markerWidth);
        case Look::kMarkerColor: return row.SetColor(static_cast<int>(designer.markerColor));
        case Look::kIsFilled: return row.SetBoolean(designer.isFilled);
    }
}

template <class T>
bool Store(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    return true;
}

bool ApplyLook(const Property& row, Look look, CurveDesigner& designer, const TextMap& sizes) {
    switch (look) {
        case Look::kHasLine: return Store(designer.hasLine, row.booleanValue);
        case Look::kThickness: return Store(designer.thickness, sizes.Parse(row.GetText()));
        case Look::kLineColor: return Store(designer.lineColor, row.color);
        case Look::kHasShape: return Store(designer.hasShape, row.booleanValue);
        case Look::kStyle: return Store(designer.style, StyleTexts().Parse(row.GetText()));
        case Look::kSize: {
            // The row shows the width; a committed size makes the marker square.
            const int size = sizes.Parse(row.GetText());
            if (designer.markerWidth == size) return false;
            designer.markerWidth = designer.markerHeight = size;
            return true;
        }
        case Look::kMarkerColor: return Store(designer.markerColor, row.color);
        case Look::kIsFilled: return Store(designer.isFilled, row.booleanValue);
    }
    return false;
}

}  // namespace

std::vector<RowTemplate> AppearanceRows::Templates() const {
    std::vector<RowTemplate> templates;
    for (const wchar_t* header : {L"Real Curve Appearance", L"Imag Curve Appearance"}) {
        templates.push_back({kHeaderRow, header});
        for (Look look : looks_) templates.push_back(LookRow(look, sizes_));
    }
    return templates;
}

bool AppearanceRows::Find(int index, Look& look, bool& imaginary) const {
    const int count = static_cast<int>(looks_.size());
    const int offset = index - first_;
    // Each group: its looks, then the next group's header.
    imaginary = offset > count;
    const int within = imaginary ? offset - count - 1 : offset;
    if (offset < 0 || within < 0 || within >= count) return false;
    look = looks_[static_cast<std::size_t>(within)];
    return true;
}

bool AppearanceRows::Holds(int index) const {
    Look look;
    bool imaginary;
    return Find(index, look, imaginary);
}

void AppearanceRows::Fill(const PropertyPage& page, const CurvePair& designers) const {
    const int count = static_cast<int>(looks_.size());
    for (int i = 0; i < count; ++i) {
        const Look look = looks_[static_cast<std::size_t>(i)];
        FillLook(page.Row(first_ + i), look, *designers.real, sizes_);
        FillLook(page.Row(first_ + count + 1 + i), look, *designers.imag, sizes_);
    }
}

bool AppearanceRows::Apply(const PropertyPage& page, int index, const CurvePair& designers) const {
    Look look;
    bool imaginary;
    if (!Find(index, look, imaginary)) return false;
    return ApplyLook(page.Row(index), look, imaginary ? *designers.imag : *designers.real, sizes_);
}

void Refuse(const std::string& text) {
    Platform::ShowMessageBox({text, "Message", Platform::BoxIcon::Stop, Platform::BoxButtons::Ok});
}

bool AskYes(const std::string& text) {
    return Platform::ShowMessageBox({text, "Message", Platform::BoxIcon::Information,
                                     Platform::BoxButtons::YesNo}) != Platform::BoxAnswer::No;
}

void AnnounceOnLayers(LayerEvent code) {
    Layer::NotifyObservers(code);
}

void AnnounceOnView(ViewEvent code) {
    BusOf<ViewEvent>().Notify(code);
}

}  // namespace Winplus
