#pragma once
// Small GDI+ drawing helpers of the framework's widgets, and its fonts: the generic sans-serif
// family is made once per process and every font is owned by its widget.
#include <string>

#include "winplus/colors.h"
#include "winplus/grid_layout.h"
#include "winplus/handles.h"

namespace Winplus {

// The process's generic sans-serif family; never released (it lives as long as GDI+).
Gdiplus::GpFontFamily* SansSerifFamily();
// An 8-point font of the family (the generic sans-serif one when null).
GdipFont MakeFont(int style = Gdiplus::FontStyleRegular, const wchar_t* family = nullptr);

void FillBox(Gdiplus::GpGraphics* g, Argb color, const Box& box);
void OutlineBox(Gdiplus::GpGraphics* g, Argb color, const Box& box);
void DrawLine(Gdiplus::GpGraphics* g, Argb color, int x1, int y1, int x2, int y2);
void FillPolygon(Gdiplus::GpGraphics* g, Argb color, const Gdiplus::Point* points, int count);
void FillEllipse(Gdiplus::GpGraphics* g, Argb color, const Box& box);
// Text from the top left of the layout box, clipped to clip when it has a size, never wrapped.
void DrawText(Gdiplus::GpGraphics* g, Gdiplus::GpFont* font, Argb color, const std::wstring& text,
              const Box& layout, const Box* clip = nullptr);
// Text centred in the box horizontally (when centred) and vertically.
void DrawTextCentred(Gdiplus::GpGraphics* g, Gdiplus::GpFont* font, Argb color,
                     const std::wstring& text, const Box& box, bool horizontally);
// Width and height of a text in a font, rounded up.
Box MeasureText(Gdiplus::GpGraphics* g, Gdiplus::GpFont* font, const std::wstring& text);
// The system's button-face colour, opaque.
Argb ButtonFace();

}  // namespace Winplus
