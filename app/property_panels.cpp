#include "app/property_panels.h"

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
bool OneOf(Code code, std::initializer_list<int> codes) {
    for (int c : codes)
        if (CodeNumber(code) == c) return true;
    return false;
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
    return OneOf(code, {120, 125, 220, 221, 222, 310, 311});
}

const Winplus::PropertyRows& PropertiesPages::Rows() const {
    return RowsOf(kind_, layer_, curve_, file_);
}

VisualPages::VisualPages() {
    layer_.Fill(ViewModeState::GetUserCurves());
}

void VisualPages::ShowSelection(ViewEvent code) {
    const int n = CodeNumber(code);
    if (const Winplus::Curve::Ptr curve = ViewModeState::GetCurrentCurve()) {
        if (n == 221 || n == 601) curve_.Fill(curve, n == 601);
        kind_ = PageKind::kCurve;
    } else if (const Winplus::FileCurve::Ptr file = ViewModeState::GetCurrentFileCurve()) {
        if (n == 222 || n == 602) file_.Fill(file, n == 602);
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
    return OneOf(code, {121, 125, 220, 221, 222, 600, 601, 602});
}

const Winplus::PropertyRows& VisualPages::Rows() const {
    return RowsOf(kind_, layer_, curve_, file_);
}

}  // namespace Core
