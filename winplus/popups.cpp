#include "winplus/popups.h"

#include "foundation/label.h"
#include "foundation/text.h"

namespace Winplus {

namespace {

HWND CreatePopup(const char* className, HWND owner, const Safe::XPtr<Controller>& controller) {
    RegisterClassOnce(className, GetModuleHandleA(nullptr), {true, IDC_ARROW});
    WindowMaker maker(className, GetModuleHandleA(nullptr));
    // Hidden until its owner places it: a shown popup takes the activation.
    maker.style = WS_POPUP | WS_BORDER;
    maker.parent = owner;
    return maker.Create(controller);
}

}  // namespace

bool PopupController::OnActivate(WPARAM state) {
    switch (LOWORD(state)) {
        case WA_INACTIVE: ShowWindow(Handle(), SW_HIDE); break;
        case WA_ACTIVE: ShowWindow(Handle(), SW_SHOW); break;
        default: break;
    }
    UpdateWindow(Handle());
    return true;
}

std::optional<LRESULT> PopupController::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message != WM_COMMAND && message != WM_NOTIFY) || !owner_) return std::nullopt;
    return SendMessageA(owner_, message, wParam, lParam);
}

bool PopupController::Move(int x, int y, int width, int height, bool repaint) {
    const bool moved = Controller::Move(x, y, width, height, repaint);
    Layout(0, 0, width, height, repaint);
    return moved;
}

bool ListController::OnCreate() {
    list_->Create(Handle(), "LISTBOX", WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS, 1);
    list_->SetDefaultFont();
    return false;
}

void ListController::Layout(int x, int y, int width, int height, bool repaint) {
    list_->Move(x, y, width, height, repaint);
}

BannerController::BannerController(HWND owner, const std::string& imagePath)
    : PopupController(owner) {
    std::wstring path;
    if (ToWide(imagePath, path) &&
        Gdip::GdipLoadImageFromFile(path.c_str(), image_.Put()) != Gdiplus::Ok)
        image_.Reset();
}

void BannerController::DrawImage(HDC dc) {
    if (!image_.Get()) return;
    Graphics graphics(dc);
    UINT width = 0, height = 0;
    Gdip::GdipGetImageWidth(image_.Get(), &width);
    Gdip::GdipGetImageHeight(image_.Get(), &height);
    Gdip::GdipDrawImageRectI(graphics.Get(), image_.Get(), 0, 0, static_cast<INT>(width),
                             static_cast<INT>(height));
}

bool BannerController::OnPaint() {
    PaintScope paint(Handle());
    DrawImage(paint.DC());
    return true;
}

void BannerController::PaintBanner() {
    const WindowDC dc(Handle());
    if (dc.Get()) DrawImage(dc.Get());
}

PopupListBox::PopupListBox(Wnd owner) : controller_(Safe::MakeX<ListController>(owner.Handle())) {
    CreatePopup("PopupListClass", owner.Handle(), controller_);
}

std::string PopupBanner::ImagePath() {
    return GetProgramFolder() + "\\Sorix-Banner 2.bmp";
}

PopupBanner::PopupBanner(Wnd owner, const std::string& imagePath)
    : controller_(Safe::MakeX<BannerController>(owner.Handle(), imagePath)) {
    CreatePopup("PopupBannerClass", owner.Handle(), controller_);
}

}  // namespace Winplus
