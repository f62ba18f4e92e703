// Shape markers painted through GDI+ and Direct2D into a bitmap.
#include <windows.h>

#include <d2d1.h>
#include <gtest/gtest.h>

#include "tests/winplus/gui_test_support.h"
#include "winplus/designer.h"

namespace {

bool IsWhite(std::uint32_t pixel) {
    return pixel == 0xFFFFFF;
}

void DrawWithDirect2D(Winplus::Designer& designer, GuiTest::Canvas& canvas) {
    canvas.DrawDirect2D([&](ID2D1RenderTarget* target) { designer.Draw(target); });
}

TEST(ShapeDesigner, CreatesTheThreeKindsOnly) {
    EXPECT_FALSE(Winplus::ShapeDesigner::Create(0));
    EXPECT_FALSE(Winplus::ShapeDesigner::Create(4));
    for (int kind = 1; kind <= 3; ++kind) EXPECT_TRUE(Winplus::ShapeDesigner::Create(kind)) << kind;
}

TEST(ShapeDesigner, GdiplusEllipseIsFourPixelsAcross) {
    auto ellipse = Winplus::ShapeDesigner::Create(1);
    Winplus::GdipPen pen;
    Winplus::Gdip::GdipCreatePen1(0xFF000000, 1.0f, Gdiplus::UnitPixel, pen.Put());
    ellipse->pen = pen.Get();
    ellipse->centerX = 10;
    ellipse->centerY = 10;
    GuiTest::Canvas canvas(20, 20);
    ellipse->PaintDC(canvas.DC());
    // Outline box from (8, 8) to (12, 12).
    EXPECT_FALSE(IsWhite(canvas.Pixel(8, 10)));
    EXPECT_FALSE(IsWhite(canvas.Pixel(12, 10)));
    EXPECT_FALSE(IsWhite(canvas.Pixel(10, 8)));
    EXPECT_TRUE(IsWhite(canvas.Pixel(10, 10)));  // no fill
    EXPECT_TRUE(IsWhite(canvas.Pixel(6, 10)));
    EXPECT_TRUE(IsWhite(canvas.Pixel(14, 10)));
}

TEST(ShapeDesigner, Direct2DEllipseHasRadiiOfTheFullSize) {
    auto ellipse = Winplus::ShapeDesigner::Create(1);
    ellipse->centerX = 20;
    ellipse->centerY = 20;
    ellipse->fillOn = true;
    ellipse->fillColor = 0xFF0000FF;
    GuiTest::Canvas canvas(40, 40);
    DrawWithDirect2D(*ellipse, canvas);
    EXPECT_EQ(canvas.Pixel(20, 20), 0x0000FFu);
    EXPECT_EQ(canvas.Pixel(22, 20), 0x0000FFu);  // inside radius 4, outside half size 2
    EXPECT_TRUE(IsWhite(canvas.Pixel(26, 20)));
}

TEST(ShapeDesigner, NothingIsDrawnWithOutlineAndFillOff) {
    for (int kind = 1; kind <= 3; ++kind) {
        auto shape = Winplus::ShapeDesigner::Create(kind);
        Winplus::GdipPen pen;
        Winplus::Gdip::GdipCreatePen1(0xFF000000, 1.0f, Gdiplus::UnitPixel, pen.Put());
        Winplus::GdipBrush brush;
        Winplus::Gdip::GdipCreateSolidFill(
            0xFF000000, reinterpret_cast<Gdiplus::GpSolidFill**>(brush.Put()));
        shape->pen = pen.Get();
        shape->brush = brush.Get();
        shape->outlineOn = false;
        shape->centerX = shape->centerY = 10;
        GuiTest::Canvas canvas(20, 20);
        shape->PaintDC(canvas.DC());
        DrawWithDirect2D(*shape, canvas);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) ASSERT_TRUE(IsWhite(canvas.Pixel(x, y))) << kind;
    }
}

TEST(ShapeDesigner, RectangleFillsItsBox) {
    auto rectangle = Winplus::ShapeDesigner::Create(2);
    Winplus::GdipBrush brush;
    Winplus::Gdip::GdipCreateSolidFill(0xFFFF0000,
                                       reinterpret_cast<Gdiplus::GpSolidFill**>(brush.Put()));
    rectangle->brush = brush.Get();
    rectangle->outlineOn = false;
    rectangle->fillOn = true;
    rectangle->centerX = rectangle->centerY = 10;
    GuiTest::Canvas canvas(20, 20);
    rectangle->PaintDC(canvas.DC());
    EXPECT_EQ(canvas.Pixel(8, 8), 0xFF0000u);
    EXPECT_EQ(canvas.Pixel(11, 11), 0xFF0000u);
    EXPECT_TRUE(IsWhite(canvas.Pixel(12, 12)));
    EXPECT_TRUE(IsWhite(canvas.Pixel(7, 7)));
}

}  // namespace
