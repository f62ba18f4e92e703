#include "app/shell/view_bar.h"

#include "app/base/mode_table.h"
#include "winplus/gdip_draw.h"

namespace Core {

namespace {
constexpr Winplus::Argb kBlack = 0xFF000000;
constexpr Winplus::Argb kWhite = 0xFFFFFFFF;
}  // namespace

bool ViewBarController::OnCreate() {
    RECT client{};
    GetClientRect(Handle(), &client);
    Winplus::StickerList stickers;
    // The stickers in the order of the view modes they choose.
    for (const ViewModeRow& mode : ViewModeRows())
        stickers.push_back(
            Winplus::Sticker::CreateIntercalary(mode.caption, true, kWhite, kBlack, kBlack, true));
    bar_ = Safe::MakeX<Winplus::StickerBar>(Handle(), L"Intercalary");
    bar_->SetStickers(stickers);
    bar_->SetCommandId(0);
    bar_->SetRect(kBarLeft, 0, client.right - kBarLeft, kBarHeight);
    bar_->Select(ViewModeState::GetMode());
    selected_ = bar_->Selected();
    return false;
}

void ViewBarController::PaintBar(Gdiplus::GpGraphics* graphics, const RECT& client) const {
    Winplus::FillBox(graphics, Winplus::ButtonFace(), {0, 0, client.right, client.bottom});
    if (bar_) {
        bar_->PaintBackground(graphics);
        bar_->Draw(graphics);
    }
    Winplus::DrawLine(graphics, kBlack, 0, kBarHeight - 1, kBarLeft, kBarHeight - 1);
    Winplus::DrawLine(graphics, kBlack, 0, kBarHeight - 1, 0, client.bottom);
}

bool ViewBarController::OnPaint() {
    RECT client{};
    GetClientRect(Handle(), &client);
    Winplus::PaintScope paint(Handle());
    Winplus::Graphics graphics(paint.DC());
    PaintBar(graphics.Get(), client);
    return true;
}

bool ViewBarController::OnLButtonDown(int x, int y, unsigned) {
    if (bar_ && bar_->OnLeftClick({x, y})) InvalidateRect(Handle(), nullptr, FALSE);
    return true;
}

bool ViewBarController::OnCommand(WPARAM wParam, LPARAM) {
    if (wParam != 0 || !bar_) return false;
    selected_ = bar_->Selected();
    InvalidateRect(Handle(), nullptr, FALSE);
    ViewModeState::SetMode(selected_);
    return true;
}

void ViewBarController::Layout(int, int, int width, int, bool) {
    if (bar_) bar_->SetRect(kBarLeft, 0, width - kBarLeft, kBarHeight);
}

ViewBar::ViewBar(Winplus::Wnd parent) {
    SetController(Safe::MakeX<ViewBarController>());
    Winplus::CreatePanelWindow("ViewBarClass", parent, controller_);
}

}  // namespace Core
