#include "app/views/property_panels.h"

#include <algorithm>

#include "modes/view_modes.h"

namespace Core {

namespace {

// The rows of the page of that kind; none for kind none.
const Winplus::PropertyRows& RowsOf(PageKind kind, const Winplus::PropertyPage& layer,
                                    const Winplus::PropertyPage& curve,
                                    const Winplus::PropertyPage& file) {
    static const Winplus::PropertyRows none;
    switch (kind) {
        case PageKind::kLayer: return layer.GetRows();
        case PageKind::kCurve: return curve.GetRows();
        case PageKind::kFileCurve: return file.GetRows();
        default: return none;
    }
}

template <class Code>
bool OneOf(Code code, std::initializer_list<Code> codes) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

}  // namespace

PropertiesPages::PropertiesPages() {
    layer_.Fill(Winplus::Layer::CurrentLayer());
    curve_.Fill(Winplus::Layer::CurrentCurve());
    file_.Fill(Winplus::Layer::CurrentFileCurve());
}

void PropertiesPages::ShowCurrent() {
    if (const Winplus::Curve::Ptr& curve = Winplus::Layer::CurrentCurve()) {
        curve_.Fill(curve);
        kind_ = PageKind::kCurve;
    } else if (const Winplus::FileCurve::Ptr& file = Winplus::Layer::CurrentFileCurve()) {
        file_.Fill(file);
        kind_ = PageKind::kFileCurve;
    } else if (const Winplus::Layer::Ptr& layer = Winplus::Layer::CurrentLayer()) {
        layer_.Fill(layer);
        kind_ = PageKind::kLayer;
    } else {
        kind_ = PageKind::kNone;
    }
}

bool PropertiesPages::ApplyRow(int index) {
    switch (kind_) {
        case PageKind::kLayer: return layer_.Apply(Winplus::Layer::CurrentLayer(), index);
        case PageKind::kCurve:
            return curve_.Apply(Winplus::Layer::CurrentLayer(), Winplus::Layer::CurrentCurve(),
                                index);
        case PageKind::kFileCurve: return file_.Apply(Winplus::Layer::CurrentFileCurve(), index);
        default: return true;
    }
}

bool PropertiesPages::Follows(LayerEvent code) {
    using enum LayerEvent;
    return OneOf(code,
                 {kLayersReplaced, kLayerScaleChanged, kCurrentLayerChanged, kBuiltInCurveChanged,
                  kBuiltInFileCurveChanged, kLayerRenamed, kFileCurveRenamed});
}

const Winplus::PropertyRows& PropertiesPages::Rows() const {
    return RowsOf(kind_, layer_, curve_, file_);
}

VisualPages::VisualPages() {
    layer_.Fill(ViewModeState::GetUserCurves());
}

void VisualPages::ShowSelection(ViewEvent code) {
    using enum ViewEvent;
    if (const Winplus::Curve::Ptr curve = ViewModeState::GetCurrentCurve()) {
        if (OneOf(code, {kBuiltInCurveChanged, kUserCurveChanged}))
            curve_.Fill(curve, code == kUserCurveChanged);
        kind_ = PageKind::kCurve;
    } else if (const Winplus::FileCurve::Ptr file = ViewModeState::GetCurrentFileCurve()) {
        if (OneOf(code, {kBuiltInFileCurveChanged, kUserFileCurveChanged}))
            file_.Fill(file, code == kUserFileCurveChanged);
        kind_ = PageKind::kFileCurve;
    } else if (const Winplus::LayerCurve::Ptr layer = ViewModeState::GetUserCurves()) {
        layer_.Fill(layer);
        kind_ = PageKind::kLayer;
    } else {
        kind_ = PageKind::kNone;
    }
}

bool VisualPages::ApplyRow(int index) {
    switch (kind_) {
        case PageKind::kLayer:
            return layer_.Apply(ViewModeState::GetUserCurves(), ViewModeState::GetDynamicLayer(),
                                index);
        case PageKind::kCurve: return curve_.Apply(ViewModeState::GetCurrentCurve(), index);
        case PageKind::kFileCurve: return file_.Apply(ViewModeState::GetCurrentFileCurve(), index);
        default: return true;
    }
}

bool VisualPages::Follows(ViewEvent code) {
    using enum ViewEvent;
    return OneOf(code, {kViewDataSetChanged, kViewMathPathChanged, kCurrentLayerChanged,
                        kBuiltInCurveChanged, kBuiltInFileCurveChanged, kViewModeChanged,
                        kUserCurveChanged, kUserFileCurveChanged});
}

const Winplus::PropertyRows& VisualPages::Rows() const {
    return RowsOf(kind_, layer_, curve_, file_);
}

}  // namespace Core
