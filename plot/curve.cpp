#include "plot/curve.h"

#include <algorithm>
#include <cmath>

#include "model/current.h"

namespace Winplus {

Curve::Curve() : unit_(Safe::MakeX<Core::MathUnit>()) {
    SetKind(0);
    SetName(std::wstring(L"curve"));
    unit_->BindCurrent();
    Resize(512);
    designers_ = {Safe::MakeX<CurveDesigner>(), Safe::MakeX<CurveDesigner>()};
    SetXRange(1.0, 1000.0);
}

Curve::Curve(FromRecord) : unit_(Safe::MakeX<Core::MathUnit>()) {
    SetKind(0);
    designers_ = {Safe::MakeX<CurveDesigner>(), Safe::MakeX<CurveDesigner>()};
}

void Curve::DeferGrid(int n, double first, double last) {
    if (!(std::fabs(last - first) >= 1e-17) || !std::isfinite(last - first))
        first = 1.0, last = 1000.0;
    deferred_ = Grid{n, first, last};
}

void Curve::LayOutGrid() {
    if (!deferred_) return;
    const Grid grid = *deferred_;
    deferred_.reset();
    Resize(grid.points);
    SetXRange(grid.first, grid.last);
}

double Curve::GridMin() const {
    return deferred_ ? std::min(deferred_->first, deferred_->last) : Min(Spectrum::kX);
}

double Curve::GridMax() const {
    return deferred_ ? std::max(deferred_->first, deferred_->last) : Max(Spectrum::kX);
}

std::complex<double> Curve::ValueAt(const double& x) {
    LayOutGrid();
    return Spectrum::ValueAt(x);
}

bool Curve::SetPointCount(const int& n) {
    if (n < 2) return false;
    if (deferred_) {
        deferred_->points = n;
        return true;
    }
    const int size = Size();
    const double first = size > 0 ? (*X())[0] : 0.0;
    const double last = size > 0 ? (*X())[static_cast<std::size_t>(size - 1)] : 0.0;
    Resize(n);
    SetXRange(first, last);
    return true;
}

void Curve::SetXRange(const double& a, const double& b) {
    if (deferred_) {
        if (std::fabs(b - a) >= 1e-17 && std::isfinite(b - a))
            deferred_->first = a, deferred_->last = b;
        return;
    }
    const int n = Size();
    if (!(std::fabs(b - a) >= 1e-17) || !std::isfinite(b - a) || n < 2) return;
    Data& x = *X();
    // Logarithms of both ends: a geometric grid needs them positive.
    const bool geometric = expStep && a > 0.0 && b > 0.0;
    const double la = geometric ? std::log(a) : 0.0, lb = geometric ? std::log(b) : 0.0;
    for (int i = 0; i < n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        x[k] = geometric ? std::exp(la + i * (lb - la) / (n - 1)) : a + i * (b - a) / (n - 1);
    }
    Refresh();
}

std::string Curve::GetMathPath() {
    FollowRenames();
    return unit_->GetLabel();
}

std::complex<double> Curve::Value(const double& x) {
    FollowRenames();
    return unit_->EvaluateAt(x);
}

bool Curve::Refresh() {
    LayOutGrid();
    FollowRenames();
    SaveValues();
    return unit_->EvaluateAll(X(), Re(), Im());
}

bool Curve::RefreshOutput() {
    LayOutGrid();
    FollowRenames();
    SaveValues();
    return unit_->EvaluateOutput(X(), Re(), Im());
}

void Curve::FollowRenames() {
    const Core::MathMap::Ptr model = unit_->GetModel();
    if (!model) return;
    bool held = false;
    for (const Core::MathMap::Ptr& item : Core::Models()) held = held || item == model;
    const Core::NodeMap::Ptr definition = unit_->GetDefinition();
    const Core::Node::Ptr output = unit_->GetOutput();
    const Core::NodeMap::Ptr variable = unit_->GetVariable();
    // A model reloaded under its name is a new object: the unit finds that one by name.
    if (!held || !definition || !output || !model->HasMap(definition)) return;
    if (!(definition->FindNode(output->Name()) == output)) return;
    if (variable && !model->HasMap(variable)) return;
    unit_->Bind(model, definition, output, variable);
}

Rect Curve::GetBounds() {
    LayOutGrid();
    return ViewModeBounds(viewMode_, *X(), *Re(), *Im());
}

void Curve::PaintColumns(Canvas& canvas, const Safe::XPtr<Frame>& frame, const Safe::XPtr<Data>& re,
                         const Safe::XPtr<Data>& im) {
    LayOutGrid();
    PaintViewMode(canvas, viewMode_, frame, designers_, X(), re, im, true);
}

void Curve::Paint(Canvas& canvas, const Safe::XPtr<Frame>& frame) {
    LayOutGrid();
    PaintViewMode(canvas, viewMode_, frame, designers_, X(), Re(), Im(), false);
}

void Curve::PaintPlain(Canvas& canvas, const Safe::XPtr<Frame>& frame) {
    PaintColumns(canvas, frame, Re(), Im());
}

void Curve::PaintSaved(Canvas& canvas, const Safe::XPtr<Frame>& frame) {
    PaintColumns(canvas, frame, SavedRe(), SavedIm());
}

}  // namespace Winplus
