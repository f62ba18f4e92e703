#include "winplus/gdip_draw.h"

#include <cmath>

namespace Winplus {

Gdiplus::GpFontFamily* SansSerifFamily() {
    static Gdiplus::GpFontFamily* family = [] {
        Gdiplus::GpFontFamily* made = nullptr;
        Gdip::GdipGetGenericFontFamilySansSerif(&made);
        return made;
    }();
    return family;
}

GdipFont MakeFont(int style, const wchar_t* family) {
    GdipFont font;
    if (family) {
        GdipFontFamily named;
        if (Gdip::GdipCreateFontFamilyFromName(family, nullptr, named.Put()) == Gdiplus::Ok) {
            Gdip::GdipCreateFont(named.Get(), 8.0f, style, Gdiplus::UnitPoint, font.Put());
            return font;
        }
    }
    if (SansSerifFamily())
        Gdip::GdipCreateFont(SansSerifFamily(), 8.0f, style, Gdiplus::UnitPoint, font.Put());
    return font;
}

namespace {

GdipBrush SolidBrush(Argb color) {
    GdipBrush brush;
    Gdip::GdipCreateSolidFill(color, reinterpret_cast<Gdiplus::GpSolidFill**>(brush.Put()));
    return brush;
}

GdipPen SolidPen(Argb color) {
    GdipPen pen;
    Gdip::GdipCreatePen1(color, 1.0f, Gdiplus::UnitPixel, pen.Put());
    return pen;
}

using GdipFormat = GdipObject<Gdiplus::GpStringFormat, Gdip::GdipDeleteStringFormat>;

// One line, cut with an ellipsis where it does not fit.
GdipFormat NoWrap() {
    GdipFormat format;
    Gdip::GdipCreateStringFormat(Gdiplus::StringFormatFlagsNoWrap, LANG_NEUTRAL, format.Put());
    if (format.Get())
        Gdip::GdipSetStringFormatTrimming(format.Get(), Gdiplus::StringTrimmingEllipsisCharacter);
    return format;
}

Gdiplus::RectF ToRectF(const Box& box) {
    return Gdiplus::RectF(static_cast<float>(box.x), static_cast<float>(box.y),
                          static_cast<float>(box.width), static_cast<float>(box.height));
}

}  // namespace

void FillBox(Gdiplus::GpGraphics* g, Argb color, const Box& box) {
    if (box.width <= 0 || box.height <= 0) return;
    const GdipBrush brush = SolidBrush(color);
    if (brush.Get()) Gdip::GdipFillRectangleI(g, brush.Get(), box.x, box.y, box.width, box.height);
}

void OutlineBox(Gdiplus::GpGraphics* g, Argb color, const Box& box) {
    if (box.width < 0 || box.height < 0) return;
    const GdipPen pen = SolidPen(color);
    if (pen.Get()) Gdip::GdipDrawRectangleI(g, pen.Get(), box.x, box.y, box.width, box.height);
}

void DrawLine(Gdiplus::GpGraphics* g, Argb color, int x1, int y1, int x2, int y2) {
    const GdipPen pen = SolidPen(color);
    if (pen.Get()) Gdip::GdipDrawLineI(g, pen.Get(), x1, y1, x2, y2);
}

void FillPolygon(Gdiplus::GpGraphics* g, Argb color, const Gdiplus::Point* points, int count) {
    const GdipBrush brush = SolidBrush(color);
    if (brush.Get()) Gdip::GdipFillPolygon2I(g, brush.Get(), points, count);
}

void FillEllipse(Gdiplus::GpGraphics* g, Argb color, const Box& box) {
    const GdipBrush brush = SolidBrush(color);
    if (brush.Get()) Gdip::GdipFillEllipseI(g, brush.Get(), box.x, box.y, box.width, box.height);
}

void DrawText(Gdiplus::GpGraphics* g, Gdiplus::GpFont* font, Argb color, const std::wstring& text,
              const Box& layout, const Box* clip) {
    if (!font || text.empty()) return;
    if (clip && (clip->width <= 0 || clip->height <= 0)) return;
    const GdipBrush brush = SolidBrush(color);
    const GdipFormat format = NoWrap();
    if (!brush.Get()) return;
    if (clip) {
        Gdip::GdipSetClipRectI(g, clip->x, clip->y, clip->width, clip->height,
                               Gdiplus::CombineModeReplace);
    }
    const Gdiplus::RectF area = ToRectF(layout);
    Gdip::GdipDrawString(g, text.c_str(), -1, font, &area, format.Get(), brush.Get());
    if (clip) Gdip::GdipResetClip(g);
}

void DrawTextCentred(Gdiplus::GpGraphics* g, Gdiplus::GpFont* font, Argb color,
                     const std::wstring& text, const Box& box, bool horizontally) {
    if (!font || text.empty() || box.width <= 0) return;
    const GdipBrush brush = SolidBrush(color);
    const GdipFormat format = NoWrap();
    if (!brush.Get() || !format.Get()) return;
    if (horizontally) Gdip::GdipSetStringFormatAlign(format.Get(), Gdiplus::StringAlignmentCenter);
    Gdip::GdipSetStringFormatLineAlign(format.Get(), Gdiplus::StringAlignmentCenter);
    const Gdiplus::RectF area = ToRectF(box);
    Gdip::GdipDrawString(g, text.c_str(), -1, font, &area, format.Get(), brush.Get());
}

Box MeasureText(Gdiplus::GpGraphics* g, Gdiplus::GpFont* font, const std::wstring& text) {
    if (!font || text.empty()) return {};
    const Gdiplus::RectF layout(0.0f, 0.0f, 10000.0f, 1000.0f);
    Gdiplus::RectF bounds;
    Gdip::GdipMeasureString(g, text.c_str(), -1, font, &layout, nullptr, &bounds, nullptr, nullptr);
    return {0, 0, static_cast<int>(std::ceil(bounds.Width)),
            static_cast<int>(std::ceil(bounds.Height))};
}

Argb ButtonFace() {
    return FromColorRef(GetSysColor(COLOR_BTNFACE));
}

}  // namespace Winplus
