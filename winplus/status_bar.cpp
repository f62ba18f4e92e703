#include "winplus/status_bar.h"

#include "foundation/event_bus.h"
#include "foundation/label.h"
#include "model/selection.h"
#include "winplus/status_layout.h"

namespace Winplus {

namespace {

StatusSources& Sources() {
    static StatusSources sources;
    return sources;
}

void ResetSources() {
    Sources() = StatusSources();
}
const bool kSourcesReset = RegisterProcessReset(ResetSources);

constexpr Argb kLineColor = 0xFF404040;
constexpr Argb kLabelColor = 0xFF4060FF;
constexpr Argb kTextColor = 0xFF000000;

}  // namespace

void SetStatusSources(StatusSources sources) {
    Sources() = std::move(sources);
}

StatusController::StatusController()
    : labelFont_(MakeFont(Gdiplus::FontStyleBold, L"Arial")), textFont_(MakeFont()) {}

bool StatusController::OnCreate() {
    const auto observer = Safe::MakeX<StatusObserver>(this);
    Observe(Bus(Subject::Selection), observer);
    Observe(Bus(Subject::Fit), observer);
    ReadPickedNode();
    return true;
}

bool StatusController::StatusObserver::Notify(const int& code) {
    if (code == EventCode::kSelectedNodeChanged || code == EventCode::kSelectedFormulaChanged) {
        bar_->ReadPickedNode();
        bar_->Repaint();
    } else if (code == EventCode::kFitStatusChanged) {
        bar_->ReadFitStatus();
        bar_->Repaint();
    }
    return true;
}

void StatusController::ReadPickedNode() {
    label_.clear();
    description_.clear();
    const Core::Node::Ptr node = Core::Selection::GetNode();
    if (Sources().nodeHelp) {
        Sources().nodeHelp(node, label_, description_);
    } else if (node) {
        ToWide(node->GetName(), label_);
    }
}

void StatusController::ReadFitStatus() {
    fitText_.clear();
    if (Sources().fitStatus) ToWide(Sources().fitStatus(), fitText_);
}

void StatusController::Repaint() {
    if (!Handle()) return;
    InvalidateRect(Handle(), nullptr, FALSE);
    UpdateWindow(Handle());
}

void StatusController::Paint(Gdiplus::GpGraphics* g, int width) const {
    const StatusLayout layout = LayOutStatusBar(width);
    const Argb face = ButtonFace();
    for (const Box& cell : {layout.labelCell, layout.descriptionCell, layout.fitCell})
        FillBox(g, face, cell);
    for (const Line& line : layout.lines)
        DrawLine(g, kLineColor, line.x1, line.y1, line.x2, line.y2);
    DrawTextCentred(g, labelFont_.Get(), kLabelColor, label_, layout.labelText, true);
    const Box& clip = layout.descriptionClip;
    DrawText(g, textFont_.Get(), kTextColor, description_, clip, &clip);
    DrawTextCentred(g, textFont_.Get(), kTextColor, fitText_, layout.fitText, false);
}

bool StatusController::OnPaint() {
    RECT client{};
    GetClientRect(Handle(), &client);
    PaintScope paint(Handle());
    Graphics graphics(paint.DC());
    Paint(graphics.Get(), client.right);
    return true;
}

StatusBar::StatusBar(Wnd parent) : controller_(Safe::MakeX<StatusController>()) {
    if (!WndClass::IsRegistered("StatusBarClass")) {
        WndClass windowClass("StatusBarClass", InstanceOf(parent.Handle()));
        windowClass.RegisterOnce();
    }
    WindowMaker maker("StatusBarClass", parent, 0);
    maker.Create(controller_);
}

}  // namespace Winplus
