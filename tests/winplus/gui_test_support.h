#pragma once
// Helpers of the Windows GUI tests: recorded message boxes, a top-level window to put children
// in, pumping messages and reading pixels.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "foundation/platform.h"
#include "winplus/window.h"

struct ID2D1RenderTarget;

namespace GuiTest {

// Every message box from now on is recorded and answered Ok.
void RecordMessageBoxes();
std::vector<Platform::MessageBoxRequest>& Boxes();

// Registers (once) a plain class of the framework for test windows.
const char* TestClass();

// A shown top-level window of the test class with a do-nothing controller, destroyed with the
// holder.
class Host {
public:
    explicit Host(int width = 600, int height = 400);
    HWND Handle() const { return controller_->Handle(); }
    Winplus::Wnd Window() const { return Winplus::Wnd(Handle()); }

private:
    Safe::XPtr<Winplus::Controller> controller_;
};

// Dispatches the queued messages of this thread.
void Pump();

// A click at the screen point handled late: the point becomes the position of the message this
// thread handles (GetMessagePos), and the pointer then moves on to the screen's corner.
void ClickedAt(POINT screen);

// The first visible dialog box (a common dialog, a message box) of this thread, or null.
HWND VisibleDialog();

// Renders what a painting function draws into a 32-bit top-down DIB section of the given size,
// filled white first.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC DC() const { return dc_; }
    // 0x00RRGGBB.
    std::uint32_t Pixel(int x, int y) const;
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Draws through a Direct2D render target bound to the canvas, cleared white first.
    void DrawDirect2D(const std::function<void(ID2D1RenderTarget*)>& draw);
    // Copies what a shown window's client area shows into the canvas.
    void CopyWindow(HWND hwnd);

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    std::uint32_t* bits_ = nullptr;
};

}  // namespace GuiTest
