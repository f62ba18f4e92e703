// The process-wide rendering factories: made once, released once.
#include <windows.h>

#include <d2d1.h>
#include <gtest/gtest.h>

#include "plot/rendering_factories.h"
#include "tests/winplus/gui_test_support.h"
#include "winplus/imaging.h"

namespace {

TEST(RenderingFactories, EnsureCreatesOnceAndReleaseTwiceIsHarmless) {
    ASSERT_TRUE(Winplus::EnsureD2DFactory());
    ASSERT_TRUE(Winplus::EnsureDWriteFactory());
    ASSERT_TRUE(Winplus::EnsureWicFactory());
    ID2D1Factory* d2d = Winplus::GetD2DFactory();
    IDWriteFactory* dwrite = Winplus::GetDWriteFactory();
    IWICImagingFactory* wic = Winplus::GetWicFactory();
    EXPECT_TRUE(Winplus::EnsureD2DFactory());
    EXPECT_TRUE(Winplus::EnsureDWriteFactory());
    EXPECT_TRUE(Winplus::EnsureWicFactory());
    EXPECT_EQ(Winplus::GetD2DFactory(), d2d);
    EXPECT_EQ(Winplus::GetDWriteFactory(), dwrite);
    EXPECT_EQ(Winplus::GetWicFactory(), wic);
    // The button painters see the imaging factory.
    EXPECT_EQ(Winplus::GetImagingFactory(), wic);

    Winplus::ReleaseWicFactory();
    Winplus::ReleaseWicFactory();
    EXPECT_EQ(Winplus::GetWicFactory(), nullptr);
    EXPECT_EQ(Winplus::GetImagingFactory(), nullptr);
    Winplus::ReleaseDWriteFactory();
    Winplus::ReleaseDWriteFactory();
    EXPECT_EQ(Winplus::GetDWriteFactory(), nullptr);
    Winplus::ReleaseD2DFactory();
    Winplus::ReleaseD2DFactory();
    EXPECT_EQ(Winplus::GetD2DFactory(), nullptr);
    EXPECT_EQ(Winplus::CreateHwndRenderTarget(nullptr), nullptr);

    // Back for the other tests.
    EXPECT_TRUE(Winplus::EnsureD2DFactory());
    EXPECT_TRUE(Winplus::EnsureDWriteFactory());
    EXPECT_TRUE(Winplus::EnsureWicFactory());
}

TEST(RenderingFactories, RenderTargetCoversTheClientArea) {
    GuiTest::Host host(300, 200);
    RECT client{};
    GetClientRect(host.Handle(), &client);
    ID2D1HwndRenderTarget* target = Winplus::CreateHwndRenderTarget(host.Handle());
    ASSERT_NE(target, nullptr);
    const D2D1_SIZE_U size = target->GetPixelSize();
    EXPECT_EQ(size.width, static_cast<UINT32>(client.right));
    EXPECT_EQ(size.height, static_cast<UINT32>(client.bottom));
    target->Release();
}

}  // namespace
