#pragma once
// The property pages of a model curve: "View Curve Properties", shown for the current curve of
// the layer set and reporting on the layer bus, and "Modify Curve Properties", shown for the
// curve of a modelling mode and reporting on the view bus.
#include "plot/layer.h"
#include "plot/property_page.h"

namespace Winplus {

class CurveViewPage : public PropertyPage {
public:
    enum Index {
        kName = 1,
        kMathPath,
        kAutoScale,
        kVariable,
        kPoints,
        kExpStep,
        kXMinimum,
        kXMaximum,
        kViewMode,
        kFirstLook = 11
    };
    static constexpr int kMaxPoints = 8096;

    CurveViewPage();
    // Null changes nothing: the rows keep what they showed.
    void Fill(const Curve::Ptr& curve);
    // Takes the row at index into the curve; layer is the current layer, whose limits AutoScale
    // and Exp Step regrid to. True when no other row needs showing again; false after a refusal,
    // a change of other rows, or with nothing to act on. An unchanged row does nothing.
    bool Apply(const Layer::Ptr& layer, const Curve::Ptr& curve, int index);

private:
    bool ApplyAutoScale(const Layer::Ptr& layer, Curve& curve);
    bool ApplyExpStep(const Layer::Ptr& layer, Curve& curve);
    bool ApplyXLimit(Curve& curve, int index);
    void ShowXLimits(const Curve& curve, bool enabled);

    AppearanceRows looks_;
};

class CurveModifyPage : public PropertyPage {
public:
    enum Index { kName = 1, kMathPath, kVariable, kPoints, kViewMode, kRealColor, kImagColor };
    static constexpr int kMaxPoints = 2048;

    CurveModifyPage();
    // The flag is kept also for a null curve: only the user's own curves may be rebound.
    void Fill(const Curve::Ptr& curve, bool pathEditable);
    // As the View page's Apply; every change is followed by the curve's evaluation.
    bool Apply(const Curve::Ptr& curve, int index);

private:
    bool pathEditable_ = false;
};

}  // namespace Winplus
