#include "winplus/status_bar.h"

#include "foundation/label.h"
#include "winplus/status_layout.h"

namespace Winplus {

namespace {

constexpr Argb kLineColor = 0xFF404040;
constexpr Argb kLabelColor = 0xFF4060FF;
constexpr Argb kTextColor = 0xFF000000;

}  // namespace

StatusController::StatusController(StatusSources sources)
    : labelFont_(MakeFont(Gdiplus::FontStyleBold, L"Arial")),
      textFont_(MakeFont()),
      sources_(std::move(sources)) {}

bool StatusController::OnCreate() {
    ShowPicked();
    return true;
}

void StatusController::ShowPicked() {
    label_.clear();
    description_.clear();
    if (sources_.picked) sources_.picked(label_, description_);
    Repaint();
}

void StatusController::ShowFitStatus() {
    fitText_.clear();
    if (sources_.fitStatus) ToWide(sources_.fitStatus(), fitText_);
    Repaint();
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

StatusBar::StatusBar(Wnd parent, StatusSources sources)
    : controller_(Safe::MakeX<StatusController>(std::move(sources))) {
    RegisterClassOnce("StatusBarClass", InstanceOf(parent.Handle()));
    WindowMaker maker("StatusBarClass", parent, 0);
    maker.Create(controller_);
}

}  // namespace Winplus
