#include "app/views/view_panel.h"

#include <d2d1.h>

#include "app/views/plot_gestures.h"
#include "app/views/plot_target.h"
#include "foundation/event_bus.h"
#include "plot/d2d_canvas.h"
#include "plot/gdiplus_canvas.h"
#include "plot/rendering_factories.h"
#include "winplus/gdip_draw.h"

namespace Core {

namespace {

Winplus::LayerCurve::Ptr CurrentCurveLayer() {
    return Safe::DynamicCast<Winplus::LayerCurve>(Winplus::Layer::CurrentLayer());
}

// Every plot panel repaints after an axis tool changed the limits.
class ResizeCmd : public Winplus::Command {
public:
    bool Execute(const int&) override {
        Winplus::Layer::NotifyObservers(LayerEvent::kLayerScaleChanged);
        return true;
    }
};

}  // namespace

void ViewController::OnModelEvent(ModelEvent code) {
    if (code == ModelEvent::kParametersChanged || code == ModelEvent::kDefinitionEdited)
        RedrawPlot();
}

void ViewController::OnLayerEvent(LayerEvent code) {
    switch (code) {
        case LayerEvent::kModelCurveUpdated: RedrawPlot(); break;
        case LayerEvent::kLayersReplaced:
        case LayerEvent::kCurrentLayerChanged:
            if (auto layer = CurrentCurveLayer()) layer->RefreshAll();
            resizing_->SetLayer(Winplus::Layer::CurrentLayer());
            ShowAxisBar();
            RepaintWithCaption();
            break;
        case LayerEvent::kLayerLimitsChanged:
            if (auto layer = CurrentCurveLayer()) layer->RefreshAll();
            Repaint();
            break;
        case LayerEvent::kCurveBindingChanged:
            if (const auto& curve = Winplus::Layer::CurrentCurve()) curve->Refresh();
            Repaint();
            break;
        case LayerEvent::kLayerRenamed: RepaintWithCaption(); break;
        case LayerEvent::kLayerScaleChanged:
        case LayerEvent::kCurveChanged: Repaint(); break;
        default: break;
    }
}

void ViewController::OnViewEvent(ViewEvent code) {
    // Each step of a fit: the model curves follow the parameters.
    if (code == ViewEvent::kViewModelCurveUpdated) RedrawPlot();
}

class ViewController::AxisCmd : public Winplus::Command {
public:
    explicit AxisCmd(ViewController* owner) : owner_(owner) {}
    bool Execute(const int& code) override { return owner_->ExecuteAxisCommand(code); }

private:
    ViewController* owner_;  // owns the bar that holds this command
};

ViewController::ViewController() : LeafController(L"View") {}

ViewController::~ViewController() = default;

bool ViewController::OnCreate() {
    LeafController::OnCreate();
    resizing_ = Safe::MakeX<Winplus::AxisResizing>(Safe::MakeX<WindowBand>(Handle()));
    resizing_->SetLayer(Winplus::Layer::CurrentLayer());
    resizing_->SetResizeCommand(Safe::MakeX<ResizeCmd>());
    axisBar_ = Safe::MakeX<Winplus::AxisToolBar>(Window());
    axisBar_->SetCommand(Safe::MakeX<AxisCmd>(this));
    ShowAxisBar();
    Observe(BusOf<ModelEvent>(),
            MakeObserver<ModelEvent>([this](ModelEvent c) { OnModelEvent(c); }));
    Observe(BusOf<LayerEvent>(),
            MakeObserver<LayerEvent>([this](LayerEvent c) { OnLayerEvent(c); }));
    Observe(BusOf<ViewEvent>(), MakeObserver<ViewEvent>([this](ViewEvent c) { OnViewEvent(c); }));
    return false;
}

ViewLayout ViewController::Areas(int width, int height) {
    return LayOutView(width, height, Winplus::AxisToolBar::kWidth, Winplus::AxisToolBar::kHeight);
}

Winplus::PixelRect ViewController::LayerRect(int width, int height) {
    return PlotGestures::LayerRect(width, height);
}

template <class Draw>
void ViewController::Render(const Draw& draw) {
    RECT client{};
    GetClientRect(Handle(), &client);
    const Winplus::Box picture = Areas(client.right, client.bottom).picture;
    // Below the caption, which stays GDI+'s.
    const RECT area{picture.x, picture.y, picture.x + picture.width, picture.y + picture.height};
    target_.Render(Handle(), area, [&](ID2D1RenderTarget& target) {
        draw(target, static_cast<int>(client.right), static_cast<int>(client.bottom));
    });
    // The picture covers the bar's place too: the bar paints itself again on top.
    if (axisBar_)
        RedrawWindow(axisBar_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void ViewController::Repaint() {
    Render([](ID2D1RenderTarget& target, int width, int height) {
        Winplus::D2DCanvas canvas(&target);
        canvas.Rectangle({0, 0, width, height}, Winplus::ButtonFace(), true);
        if (auto layer = CurrentCurveLayer())
            layer->Paint(canvas, LayerRect(width, height), true, true);
    });
}

void ViewController::RepaintWithCaption() {
    RECT client{};
    GetClientRect(Handle(), &client);
    // The strip is erased first: the caption paints its name over what is there.
    const RECT caption{0, 0, client.right, Areas(client.right, client.bottom).picture.y};
    RedrawWindow(Handle(), &caption, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void ViewController::RedrawPlot() {
    const Winplus::LayerCurve::Ptr layer = CurrentCurveLayer();
    if (!layer) return;
    // The render target keeps nothing between draws: the whole picture is drawn again.
    layer->RefreshAll();
    Repaint();
}

void ViewController::ShowAxisBar() {
    if (axisBar_) axisBar_->Show(static_cast<bool>(CurrentCurveLayer()));
}

void ViewController::Layout(int, int, int width, int height, bool) {
    const Winplus::Box bar = Areas(width, height).axisBar;
    if (axisBar_) axisBar_->Place(bar.x, bar.y);
}

bool ViewController::OnPaint() {
    LeafController::OnPaint();
    Repaint();
    return true;
}

void ViewController::PaintExtra(Gdiplus::GpGraphics* graphics, const RECT& client) {
    const Winplus::Layer::Ptr& layer = Winplus::Layer::CurrentLayer();
    if (!layer) return;
    Winplus::GdiplusCanvas canvas(graphics, 8);
    canvas.Text(layer->GetName(), {static_cast<int>(client.right) / 2 - 100, 3, 200, 17},
                Winplus::TextAlign::Center, 0xFF000000);
}

bool ViewController::OnLButtonDown(int x, int y, unsigned keys) {
    LeafController::OnLButtonDown(x, y, keys);
    RECT client{};
    GetClientRect(Handle(), &client);
    if (PlotGestures::StartsGesture(y, client.bottom)) {
        // The cursor is where the press is, whichever window the move that brought it took.
        resizing_->OnMouseMove(x, y, keys);
        cursorInside_ = true;
        resizing_->OnButtonDown(x, y, keys);
    }
    lastX_ = x;
    lastY_ = y;
    const int none[2] = {0, 0};
    Winplus::AxisBar::PublishMouseAction(Winplus::AxisBar::kButtonDown, none);
    return false;
}

bool ViewController::OnLButtonUp(int x, int y, unsigned keys) {
    LeafController::OnLButtonUp(x, y, keys);
    resizing_->OnButtonUp(x, y, keys);
    const int delta[2] = {x - lastX_, lastY_ - y};
    Winplus::AxisBar::PublishMouseAction(Winplus::AxisBar::kButtonUp, delta);
    return false;
}

bool ViewController::OnMouseMove(int x, int y, unsigned keys) {
    RECT client{};
    GetClientRect(Handle(), &client);
    const bool inside = PlotGestures::InPlotZone(x, y, client.right, client.bottom);
    if (inside) {
        cursorInside_ = true;
        resizing_->OnMouseMove(x, y, keys);
        const int delta[2] = {x - lastX_, lastY_ - y};
        lastX_ = x;
        lastY_ = y;
        Winplus::AxisBar::PublishMouseAction(Winplus::AxisBar::kMove, delta);
    } else if (cursorInside_) {
        cursorInside_ = false;
        Winplus::AxisBar::SetCursorInside(false);
    }
    LeafController::OnMouseMove(x, y, keys);
    return false;
}

bool ViewController::ExecuteAxisCommand(int code) {
    const Winplus::LayerCurve::Ptr layer = CurrentCurveLayer();
    if (!layer) return true;
    switch (code) {
        case Winplus::AxisBar::kPreviousLimits: resizing_->RestorePreviousLimits(); break;
        case Winplus::AxisBar::kFitAllCurves: resizing_->FitLimits(layer->GetCurvesBounds()); break;
        case Winplus::AxisBar::kFitCurrentCurve:
            if (const auto& curve = Winplus::Layer::CurrentCurve())
                resizing_->FitLimits(curve->GetBounds());
            else if (const auto& file = Winplus::Layer::CurrentFileCurve())
                resizing_->FitLimits(file->GetBounds());
            break;
        default: break;
    }
    return true;
}

ViewLeaf::ViewLeaf(Winplus::Wnd parent) {
    SetController(Safe::MakeX<ViewController>());
    Winplus::CreatePanelWindow("ViewClass", parent, controller_);
}

}  // namespace Core
