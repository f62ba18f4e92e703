#include "tests/winplus/gui_test_support.h"

#include <d2d1.h>
#include <gtest/gtest.h>

#include "plot/rendering_factories.h"
#include "winplus/handles.h"

namespace GuiTest {

std::vector<Platform::MessageBoxRequest>& Boxes() {
    static std::vector<Platform::MessageBoxRequest> boxes;
    return boxes;
}

void RecordMessageBoxes() {
    Platform::SetMessageBoxHandler([](const Platform::MessageBoxRequest& request) {
        Boxes().push_back(request);
        return Platform::BoxAnswer::Ok;
    });
}

const char* TestClass() {
    static const char* name = [] {
        Winplus::WndClass windowClass("GuiTestClass", GetModuleHandleA(nullptr));
        windowClass.SetCursor(IDC_ARROW);
        windowClass.RegisterOnce();
        return "GuiTestClass";
    }();
    return name;
}

Host::Host(int width, int height) : controller_(Safe::MakeX<Winplus::Controller>()) {
    Winplus::WindowMaker maker(TestClass(), GetModuleHandleA(nullptr));
    maker.width = width;
    maker.height = height;
    maker.Create(controller_, "host");
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
}

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

namespace {

void MoveCursor(POINT to) {
    SetCursorPos(to.x, to.y);
    // The cursor reaches its place a moment later on a busy display.
    POINT now{};
    for (int wait = 0; wait < 200 && GetCursorPos(&now) && (now.x != to.x || now.y != to.y);
         ++wait)
        Sleep(10);
}

}  // namespace

void ClickedAt(POINT screen) {
    MoveCursor(screen);
    // A posted message carries the cursor's position; taking it makes that the message position.
    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
    MSG message;
    while (PeekMessageA(&message, reinterpret_cast<HWND>(-1), WM_NULL, WM_NULL, PM_REMOVE)) {
    }
    MoveCursor({0, 0});
    const DWORD position = GetMessagePos();
    EXPECT_EQ(static_cast<short>(LOWORD(position)), screen.x);
    EXPECT_EQ(static_cast<short>(HIWORD(position)), screen.y);
}

HWND VisibleDialog() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM result) -> BOOL {
            char name[16] = {};
            GetClassNameA(hwnd, name, sizeof(name));
            if (std::string(name) != "#32770" || !IsWindowVisible(hwnd)) return TRUE;
            *reinterpret_cast<HWND*>(result) = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

Canvas::Canvas(int width, int height) : width_(width), height_(height) {
    void* bits = nullptr;
    bitmap_ = Winplus::CreatePixelBitmap(width, height, &bits);
    bits_ = static_cast<std::uint32_t*>(bits);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_);
    for (int i = 0; i < width * height; ++i) bits_[i] = 0x00FFFFFF;
}

Canvas::~Canvas() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
}

std::uint32_t Canvas::Pixel(int x, int y) const {
    GdiFlush();
    return bits_[y * width_ + x] & 0x00FFFFFF;
}

void Canvas::DrawDirect2D(const std::function<void(ID2D1RenderTarget*)>& draw) {
    const auto properties = D2D1::RenderTargetProperties(
        D2D1_RENDER_TARGET_TYPE_DEFAULT,
        D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_IGNORE));
    Winplus::ComPtr<ID2D1DCRenderTarget> target;
    ASSERT_TRUE(
        SUCCEEDED(Winplus::GetD2DFactory()->CreateDCRenderTarget(&properties, target.Put())));
    RECT all{0, 0, width_, height_};
    target->BindDC(dc_, &all);
    target->BeginDraw();
    // The render target does not start from the DC's pixels.
    target->Clear(D2D1::ColorF(D2D1::ColorF::White));
    draw(target.Get());
    ASSERT_TRUE(SUCCEEDED(target->EndDraw()));
}

void Canvas::CopyWindow(HWND hwnd) {
    // What the window shows once it has painted itself.
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const Winplus::WindowDC window(hwnd);
    BitBlt(dc_, 0, 0, width_, height_, window.Get(), 0, 0, SRCCOPY);
}

}  // namespace GuiTest
