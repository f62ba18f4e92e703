#include "plot/layer.h"

namespace Winplus {

namespace {

struct State {
    Layer::Ptr layer;
    Curve::Ptr curve;
    FileCurve::Ptr fileCurve;
};

State& Global() {
    static State* state = new State;  // lives for the process, like the set
    return *state;
}

void ResetLayerState() {
    Layer::Set().Clear();
    Global() = State();
}
[[maybe_unused]] const bool kResets = RegisterProcessReset(&ResetLayerState);

}  // namespace

LayerSet& Layer::Set() {
    static LayerSet* set = new LayerSet;
    return *set;
}

const Layer::Ptr& Layer::CurrentLayer() {
    return Global().layer;
}

const Curve::Ptr& Layer::CurrentCurve() {
    return Global().curve;
}

const FileCurve::Ptr& Layer::CurrentFileCurve() {
    return Global().fileCurve;
}

void Layer::SetCurrentLayer(const Ptr& layer) {
    StoreAndAnnounce(Global().layer, layer, BusOf<LayerEvent>(), LayerEvent::kCurrentLayerChanged);
}

void Layer::SetCurrentCurve(const Curve::Ptr& curve) {
    StoreAndAnnounce(Global().curve, curve, BusOf<LayerEvent>(), LayerEvent::kBuiltInCurveChanged);
}

void Layer::SetCurrentFileCurve(const FileCurve::Ptr& curve) {
    StoreAndAnnounce(Global().fileCurve, curve, BusOf<LayerEvent>(),
                     LayerEvent::kBuiltInFileCurveChanged);
}

void Layer::NewLayer() {
    Layer::Ptr layer = LayerCurve::Create();
    Global().layer = layer;
    Set().Add(layer);
}

void Layer::ResetLayers() {
    Set().Clear();
    NewLayer();
    Global().curve = nullptr;
    Global().fileCurve = nullptr;
    NotifyObservers(LayerEvent::kLayersReplaced);
}

void Layer::ReplaceLayers(const LayerSet& layers) {
    Global() = State();
    // The given set may be the layer set itself: take the items first.
    std::vector<Ptr> items(layers.begin(), layers.end());
    Set().Clear();
    for (const Ptr& layer : items) Set().Add(layer);
    NotifyObservers(LayerEvent::kLayersReplaced);
}

EventBus::Registration Layer::AddObserver(
    const Safe::XPtr<Winplus::EventObserver<LayerEvent>>& observer) {
    return BusOf<LayerEvent>().Add(observer);
}

void Layer::NotifyObservers(LayerEvent code) {
    BusOf<LayerEvent>().Notify(code);
}

LayerCurve::LayerCurve(const std::wstring& name, bool withCurve)
    : Layer(name, kCurves),
      curves_(Safe::MakeX<CurveSet>()),
      fileCurves_(Safe::MakeX<FileCurveSet>()),
      frame_(Safe::MakeX<Frame>()) {
    limits_ = {0.0, 0.0, 1000.0, 1.0};
    frame_->SetLimits(limits_);
    // The new curve keeps its grid of 1 to 1000.
    if (withCurve) curves_->Add(Safe::MakeX<Curve>());
}

LayerCurve::Ptr LayerCurve::Create(const std::wstring& name) {
    return Ptr(new LayerCurve(name, true));
}

void LayerCurve::LayOutGrids() const {
    for (const Curve::Ptr& curve : *curves_) curve->LayOutGrid();
}

LayerCurve::Ptr LayerCurve::CreateEmpty(const std::wstring& name) {
    return Ptr(new LayerCurve(name, false));
}

void LayerCurve::SetLimits(const Rect& limits) {
    frame_->SetLimits(limits);
    // What the frame refused on a Log10 axis stays as it was here too.
    limits_ = frame_->GetLimits();
    for (const Curve::Ptr& curve : *curves_)
        if (curve->autoScale) curve->SetXRange(limits_.x, limits_.x + limits_.width);
}

bool LayerCurve::HasCurves() const {
    return curves_->Count() > 0 || fileCurves_->Count() > 0;
}

void LayerCurve::RefreshAll() {
    for (const Curve::Ptr& curve : *curves_) curve->Refresh();
}

void LayerCurve::Clear() {
    curves_->Clear();
    fileCurves_->Clear();
}

void LayerCurve::PushPlotClip(Canvas& canvas, int inset, int shrink) const {
    const PixelRect& p = frame_->PlotArea();
    canvas.PushClip({p.x + inset, p.y + inset, p.width - shrink, p.height - shrink});
}

void LayerCurve::Paint(Canvas& canvas, const PixelRect& rect, bool drawAxes, bool fillBackground) {
    frame_->Paint(canvas, rect, limits_, drawAxes, fillBackground);
    PaintCurves(canvas);
}

void LayerCurve::PaintCurves(Canvas& canvas) {
    PushPlotClip(canvas, 1, 1);
    for (const FileCurve::Ptr& curve : *fileCurves_) curve->Paint(canvas, frame_);
    for (const Curve::Ptr& curve : *curves_) curve->Paint(canvas, frame_);
    canvas.PopClip();
}

void LayerCurve::PaintPlain(Canvas& canvas) {
    PushPlotClip(canvas, 3, 4);
    for (const Curve::Ptr& curve : *curves_) curve->PaintPlain(canvas, frame_);
    canvas.PopClip();
}

bool LayerCurve::AddCurve(const Curve::Ptr& curve) {
    if (!curves_->Add(curve)) return false;
    curve->SetXRange(limits_.x, limits_.x + limits_.width);
    return true;
}

bool LayerCurve::AddFileCurve(const FileCurve::Ptr& curve) {
    return fileCurves_->Add(curve);
}

bool LayerCurve::RenameCurve(const std::wstring& oldName, const std::wstring& newName) {
    return curves_->RenameItem(oldName, newName);
}

bool LayerCurve::RenameFileCurve(const std::wstring& oldName, const std::wstring& newName) {
    return fileCurves_->RenameItem(oldName, newName);
}

bool LayerCurve::RemoveCurve(const std::wstring& name) {
    return curves_->Remove(name);
}

bool LayerCurve::RemoveFileCurve(const std::wstring& name) {
    return fileCurves_->Remove(name);
}

Rect LayerCurve::GetCurvesBounds() const {
    bool any = false;
    Rect bounds{0.0, 0.0, 1.0, 1.0};
    auto add = [&](const Rect& one) {
        bounds = any ? bounds.Union(one) : one;
        any = true;
    };
    for (const Curve::Ptr& curve : *curves_)
        if (curve->GetViewMode() != kHidden) add(curve->GetBounds());
    for (const FileCurve::Ptr& curve : *fileCurves_)
        if (curve->viewMode != kHidden) add(curve->GetBounds());
    return bounds;
}

}  // namespace Winplus
