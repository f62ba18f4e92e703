#pragma once
// The property pages of a plot layer: "View Layer Properties", shown for the current layer of
// the layer set and reporting on the layer bus, and "Modify Layer Properties", shown for the
// "User curves" layer of a modelling mode and reporting on the view bus. Both edit each axis's
// scale and the visible limits, and refuse limits a Log10 axis cannot show. The layer's own
// limits are both shown and checked: its frame holds them only once it has been painted.
#include <vector>

#include "plot/layer.h"
#include "plot/property_page.h"

namespace Winplus {

// The rows both pages share, from "X-Axis" (index first) to "Y-Maximum".
class LayerPage : public PropertyPage {
public:
    enum class Change { kNone, kLimits, kXScale };

    int XAxisIndex() const { return first_; }

protected:
    LayerPage(std::vector<RowTemplate> headRows);

    void FillLimits(const LayerCurve& layer);
    // Checks against the first layer and applies to each; what changed is the announcement's
    // subject. False after a refusal (its text shown, the old value back in the row).
    bool ApplyAxisRow(const std::vector<LayerCurve::Ptr>& layers, int index, Change& change);

private:
    bool ApplyScale(const std::vector<LayerCurve::Ptr>& layers, int axis, Change& change);
    bool ApplyLimit(const std::vector<LayerCurve::Ptr>& layers, int axis, bool maximum,
                    Change& change);

    int first_;
};

class LayerViewPage : public LayerPage {
public:
    enum Index { kName = 1 };

    LayerViewPage();
    // Null, or a layer without curves, changes nothing.
    void Fill(const Layer::Ptr& layer);
    // False, and nothing changed, without a curve layer or for an index outside the page.
    bool Apply(const Layer::Ptr& layer, int index);
};

class LayerModifyPage : public LayerPage {
public:
    LayerModifyPage();
    void Fill(const LayerCurve::Ptr& layer);
    // Applies to the mode's "User curves" layer, then to its tool layer with the same values;
    // false, and nothing changed, when either is missing or for an index outside the page.
    bool Apply(const LayerCurve::Ptr& userCurves, const LayerCurve::Ptr& toolLayer, int index);
};

}  // namespace Winplus
