#pragma once
// A mode's tool whose selections a test sets: its curve and file curve, and its two layers.
#include "modes/view_modes.h"

namespace AppTest {

struct StubModeTool : Core::ModeTool {
    Winplus::Curve::Ptr curve;
    Winplus::FileCurve::Ptr file;
    Winplus::LayerCurve::Ptr user = Winplus::LayerCurve::Create(L"User curves");
    Winplus::LayerCurve::Ptr dynamic = Winplus::LayerCurve::Create(L"Dynamic layer");
    Winplus::Curve::Ptr GetCurrentCurve() override { return curve; }
    Winplus::FileCurve::Ptr GetCurrentFileCurve() override { return file; }
    Winplus::LayerCurve::Ptr GetDynamicLayer() override { return dynamic; }
    Winplus::LayerCurve::Ptr GetUserCurves() override { return user; }
    void SelectCurve(const std::wstring&, const int&) override {}
    void SelectFileCurve(const std::wstring&, const int&) override {}
    void SetCurrentLayer(const Winplus::LayerCurve::Ptr&) override {}
    void Reset() override {}
};

}  // namespace AppTest
