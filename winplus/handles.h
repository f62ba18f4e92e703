#pragma once
// Small move-only owners of system handles, so that early returns and exceptions leak nothing.
#include <windows.h>
// GDI+ needs the COM types that WIN32_LEAN_AND_MEAN leaves out.
#include <objidl.h>
#include <gdiplus.h>

#include <utility>

namespace Winplus {

namespace Gdip = Gdiplus::DllExports;

// A counted COM interface.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }

    void Reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }
    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For creation functions that fill a pointer: releases what was held first.
    T** Put() {
        Reset();
        return &p_;
    }

private:
    T* p_ = nullptr;
};

// A GDI object (pen, brush, font, bitmap) deleted with its owner.
template <class H>
class GdiObject {
public:
    explicit GdiObject(H handle = nullptr) : h_(handle) {}
    ~GdiObject() {
        if (h_) DeleteObject(h_);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            if (h_) DeleteObject(h_);
            h_ = std::exchange(other.h_, nullptr);
        }
        return *this;
    }
    H Get() const { return h_; }

private:
    H h_;
};

// Selects an object into a device context and puts the old one back.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, old_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A 32-bit top-down DIB section of the given size; bits receives its pixels (0x00RRGGBB).
inline HBITMAP CreatePixelBitmap(int width, int height, void** bits) {
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof(header.bmiHeader);
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = -height;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, bits, nullptr, 0);
}

// A memory device context.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatible = nullptr) : dc_(CreateCompatibleDC(compatible)) {}
    ~MemoryDC() {
        if (dc_) DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// GetDC and ReleaseDC: a window's device context outside WM_PAINT.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// BeginDraw and EndDraw of a Direct2D render target, so that a drawing that throws does not
// leave the target in the middle of a drawing. End gives EndDraw's result.
template <class Target>
class DrawScope {
public:
    explicit DrawScope(Target* target) : target_(target) { target_->BeginDraw(); }
    ~DrawScope() {
        if (target_) target_->EndDraw();
    }
    DrawScope(const DrawScope&) = delete;
    DrawScope& operator=(const DrawScope&) = delete;
    HRESULT End() { return std::exchange(target_, nullptr)->EndDraw(); }

private:
    Target* target_;
};

// BeginPaint and EndPaint.
class PaintScope {
public:
    explicit PaintScope(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }
    ~PaintScope() { EndPaint(hwnd_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC DC() const { return dc_; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// A GDI+ graphics object on a device context or a window.
class Graphics {
public:
    explicit Graphics(HDC dc) { Gdip::GdipCreateFromHDC(dc, &g_); }
    explicit Graphics(HWND hwnd) { Gdip::GdipCreateFromHWND(hwnd, &g_); }
    ~Graphics() {
        if (g_) Gdip::GdipDeleteGraphics(g_);
    }
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;
    Gdiplus::GpGraphics* Get() const { return g_; }

private:
    Gdiplus::GpGraphics* g_ = nullptr;
};

// GDI+ pens, brushes, fonts, bitmaps: deleted with their owner.
template <class T, Gdiplus::GpStatus (*Delete)(T*)>
class GdipObject {
public:
    GdipObject() = default;
    ~GdipObject() { Reset(); }
    GdipObject(const GdipObject&) = delete;
    GdipObject& operator=(const GdipObject&) = delete;
    GdipObject(GdipObject&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    GdipObject& operator=(GdipObject&& other) noexcept {
        if (this != &other) {
            Reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }
    void Reset() {
        if (p_) Delete(std::exchange(p_, nullptr));
    }
    T* Get() const { return p_; }
    T** Put() {
        Reset();
        return &p_;
    }

private:
    T* p_ = nullptr;
};

using GdipPen = GdipObject<Gdiplus::GpPen, Gdip::GdipDeletePen>;
using GdipBrush = GdipObject<Gdiplus::GpBrush, Gdip::GdipDeleteBrush>;
using GdipFontFamily = GdipObject<Gdiplus::GpFontFamily, Gdip::GdipDeleteFontFamily>;
using GdipFont = GdipObject<Gdiplus::GpFont, Gdip::GdipDeleteFont>;
using GdipImage = GdipObject<Gdiplus::GpImage, Gdip::GdipDisposeImage>;
using GdipStringFormat = GdipObject<Gdiplus::GpStringFormat, Gdip::GdipDeleteStringFormat>;

}  // namespace Winplus
