#include "plot/layer_pages.h"

#include "foundation/event_codes.h"

namespace Winplus {

namespace {

std::vector<RowTemplate> Templates(std::vector<RowTemplate> head) {
    const std::vector<std::string> scales = {"Linear", "Log10"};
    for (const wchar_t* axis : {L"X", L"Y"}) {
        const std::wstring name(axis);
        head.push_back({kListRow, name + L"-Axis", "Linear", scales});
        head.push_back({kDoubleRow, name + L"-Minimum"});
        head.push_back({kDoubleRow, name + L"-Maximum"});
    }
    return head;
}

// The low end and the extent of an axis's limits.
double Low(const Rect& limits, int axis) {
    return axis == 0 ? limits.x : limits.y;
}
double Extent(const Rect& limits, int axis) {
    return axis == 0 ? limits.width : limits.height;
}

Rect WithRange(Rect limits, int axis, double low, double high) {
    (axis == 0 ? limits.x : limits.y) = low;
    (axis == 0 ? limits.width : limits.height) = high - low;
    return limits;
}

// The refusal of a limit a Log10 axis cannot show. The x maximum's text has a small "a".
std::string NotPositive(int axis, bool maximum) {
    if (axis == 1) return "All ordinates must be positive";
    return maximum ? "All abscissa must be positive" : "All Abscissa must be positive";
}

std::string NotOrdered(int axis, bool maximum) {
    const std::string what = axis == 0 ? "abscissa" : "ordinate";
    return maximum ? "Maximum " + what + " must be greather than the minimum value"
                   : "Minimum " + what + " must be lower than the maximum value";
}

}  // namespace

LayerPage::LayerPage(std::vector<RowTemplate> headRows)
    : PropertyPage(Templates(headRows)), first_(static_cast<int>(headRows.size())) {}

void LayerPage::FillLimits(const LayerCurve& layer) {
    const Rect& limits = layer.GetLimits();
    for (int axis = 0; axis < 2; ++axis) {
        const int row = first_ + 3 * axis;
        Row(row).SetText(layer.GetFrame()->GetScale(axis) == Frame::kLinear ? "Linear" : "Log10");
        Row(row + 1).SetDouble(Low(limits, axis));
        Row(row + 2).SetDouble(Low(limits, axis) + Extent(limits, axis));
    }
}

bool LayerPage::ApplyScale(const std::vector<LayerCurve::Ptr>& layers, int axis, Change& change) {
    Property& row = Row(first_ + 3 * axis);
    const bool log = layers.front()->GetFrame()->GetScale(axis) == Frame::kLog10;
    if (row.GetText() == (log ? "Log10" : "Linear")) return true;
    const Rect& limits = layers.front()->GetLimits();
    const double low = Low(limits, axis);
    if (!log && !(low > 0.0 && low + Extent(limits, axis) > 0.0)) {
        Refuse(NotPositive(axis, false));
        row.SetText("Linear");
        return false;
    }
    for (const LayerCurve::Ptr& layer : layers)
        layer->GetFrame()->SetScale(axis, log ? Frame::kLinear : Frame::kLog10);
    change = axis == 0 ? Change::kXScale : Change::kLimits;
    return true;
}

bool LayerPage::ApplyLimit(const std::vector<LayerCurve::Ptr>& layers, int axis, bool maximum,
                           Change& change) {
    Property& row = Row(first_ + 3 * axis + (maximum ? 2 : 1));
    const Rect limits = layers.front()->GetLimits();
    const double low = Low(limits, axis), high = low + Extent(limits, axis);
    const double v = row.doubleValue;
    if (v == (maximum ? high : low)) return true;
    std::string refusal;
    if (layers.front()->GetFrame()->GetScale(axis) == Frame::kLog10 && v <= 0.0)
        refusal = NotPositive(axis, maximum);
    else if (maximum ? v > low : v < high) {
        const Rect changed = WithRange(limits, axis, maximum ? low : v, maximum ? v : high);
        for (const LayerCurve::Ptr& layer : layers) layer->SetLimits(changed);
        change = Change::kLimits;
        return true;
    } else {
        refusal = NotOrdered(axis, maximum);
    }
    Refuse(refusal);
    row.SetDouble(maximum ? high : low);
    return false;
}

bool LayerPage::ApplyAxisRow(const std::vector<LayerCurve::Ptr>& layers, int index,
                             Change& change) {
    change = Change::kNone;
    const int offset = index - first_;
    if (offset < 0 || offset >= 6) return true;
    const int axis = offset / 3, item = offset % 3;
    return item == 0 ? ApplyScale(layers, axis, change)
                     : ApplyLimit(layers, axis, item == 2, change);
}

LayerViewPage::LayerViewPage()
    : LayerPage({{kHeaderRow, L"View Layer Properties"}, {kStringRow, L"Name", "", {}, true}}) {}

void LayerViewPage::Fill(const Layer::Ptr& layer) {
    const LayerCurve::Ptr curves = Safe::DynamicCast<LayerCurve>(layer);
    if (!curves) return;
    Row(kName).SetText(curves->GetNameA());
    FillLimits(*curves);
}

bool LayerViewPage::Apply(const Layer::Ptr& layer, int index) {
    const LayerCurve::Ptr curves = Safe::DynamicCast<LayerCurve>(layer);
    if (!curves || !HasRow(index)) return false;
    Change change;
    const bool result = ApplyAxisRow({curves}, index, change);
    if (change == Change::kXScale) AnnounceOnLayers(LayerEvent::kLayerScaleChanged);
    if (change == Change::kLimits) AnnounceOnLayers(LayerEvent::kLayerLimitsChanged);
    return result;
}

LayerModifyPage::LayerModifyPage() : LayerPage({{kHeaderRow, L"Modify Layer Properties"}}) {}

void LayerModifyPage::Fill(const LayerCurve::Ptr& layer) {
    if (layer) FillLimits(*layer);
}

bool LayerModifyPage::Apply(const LayerCurve::Ptr& userCurves, const LayerCurve::Ptr& toolLayer,
                            int index) {
    if (!userCurves || !toolLayer || !HasRow(index)) return false;
    Change change;
    const bool result = ApplyAxisRow({userCurves, toolLayer}, index, change);
    if (change == Change::kXScale) AnnounceOnView(ViewEvent::kViewMathPathChanged);
    if (change == Change::kLimits) AnnounceOnView(ViewEvent::kViewLimitsChanged);
    return result;
}

}  // namespace Winplus
