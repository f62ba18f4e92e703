#pragma once
// What the Properties and Visual panels show: the View page of the layer set's current model
// curve, file curve or layer (the first that exists), and the Modify page of the current mode's
// curve, file curve or "User curves" layer; and where an edited row goes.
#include "foundation/event_codes.h"
#include "plot/curve_pages.h"
#include "plot/file_curve_pages.h"
#include "plot/layer_pages.h"

namespace Core {

enum class PageKind { kNone = 0, kLayer = 1, kCurve = 2, kFileCurve = 3 };

class PropertiesPages {
public:
    // Every page filled from the current objects; the layer page shown.
    PropertiesPages();
    // The page of the current model curve, else of the current file curve, else of the current
    // layer, else none.
    void ShowCurrent();
    // False when the grid must be painted again.
    bool ApplyRow(int index);
    static bool Follows(LayerEvent code);

    PageKind Kind() const { return kind_; }
    const Winplus::PropertyRows& Rows() const;

private:
    Winplus::LayerViewPage layer_;
    Winplus::CurveViewPage curve_;
    Winplus::FileCurveViewPage file_;
    PageKind kind_ = PageKind::kLayer;
};

class VisualPages {
public:
    VisualPages();
    // The page of the mode's current curve, else file curve, else "User curves" layer. A curve
    // (file curve) is filled again only when code announces it: ViewEvent::kUserCurveChanged
    // (ViewEvent::kUserFileCurveChanged) one of the user's own, which may be rebound (whose whole
    // range may be set), ViewEvent::kBuiltInCurveChanged (ViewEvent::kBuiltInFileCurveChanged) one
    // of the tool's.
    void ShowSelection(ViewEvent code);
    bool ApplyRow(int index);
    static bool Follows(ViewEvent code);

    PageKind Kind() const { return kind_; }
    const Winplus::PropertyRows& Rows() const;

private:
    Winplus::LayerModifyPage layer_;
    Winplus::CurveModifyPage curve_;
    Winplus::FileCurveModifyPage file_;
    PageKind kind_ = PageKind::kNone;
};

}  // namespace Core
