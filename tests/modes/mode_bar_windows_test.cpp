// The mode tool bars' windows under Wine, clicked as a person does, and the anchor markers
// painted on real devices.
#include <gtest/gtest.h>

#include "app/views/mode_tools.h"
#include "model/current.h"
#include "modes/anchor_core.h"
#include "modes/builder_core.h"
#include "modes/mode_bar_windows.h"
#include "plot/axis_tools.h"
#include "plot/d2d_canvas.h"
#include "plot/gdiplus_canvas.h"
#include "tests/modes/mode_bar_support.h"
#include "tests/modes/mode_support.h"
#include "tests/winplus/gui_test_support.h"

namespace {

using ModeTest::ClickButton;
constexpr int kNormal = Winplus::kNormal, kOff = Winplus::kDisabled, kOn = Winplus::kChecked;

// The states of the bar's buttons of those ids, in order.
std::vector<int> States(const Core::ModeToolBar& bar, std::initializer_list<int> ids) {
    std::vector<int> states;
    for (int id : ids) states.push_back(bar.GetButtonState(id));
    return states;
}

bool AxisToolsHaveTheMouse() {
    return Winplus::AxisBar::GetMode() != Winplus::AxisBar::kNone;
}

TEST(ModeBarWindowsTest, AdjustAndBuilderBarsSwitchTheMouseBetweenAxisToolsAndTool) {
    ModeTest::PhononModel();
    Core::InstallModeTools();
    Winplus::AxisBar::SetMode(Winplus::AxisBar::kZoom);
    GuiTest::Host host;
    auto adjust = Safe::MakeX<Core::AdjustBar>(host.Window());
    auto builder = Safe::MakeX<Core::BuilderBar>(host.Window());
    EXPECT_EQ(adjust->Height(), 50);
    EXPECT_EQ(builder->Height(), 50);
    EXPECT_EQ(States(*adjust, {110, 160}), (std::vector{kOn, kNormal}));
    EXPECT_EQ(States(*builder, {110, 140}), (std::vector{kOn, kOff}));

    // "Enable anchors" and "Resizing mode" are one check group.
    ClickButton(adjust->Handle(), 1);
    EXPECT_EQ(States(*adjust, {110, 160}), (std::vector{kNormal, kOn}));
    EXPECT_FALSE(AxisToolsHaveTheMouse());
    ClickButton(adjust->Handle(), 0);
    EXPECT_EQ(States(*adjust, {110, 160}), (std::vector{kOn, kNormal}));
    EXPECT_TRUE(AxisToolsHaveTheMouse());

    // "Add function" only for a list node; a new node gives the mouse back.
    Core::BuilderCore::SetNode(Core::Node::Create(2102));
    EXPECT_EQ(States(*builder, {110, 140}), (std::vector{kOn, kNormal}));
    ClickButton(builder->Handle(), 1);
    EXPECT_EQ(States(*builder, {110, 140}), (std::vector{kNormal, kOn}));
    EXPECT_FALSE(AxisToolsHaveTheMouse());
    Core::BuilderCore::SetNode(ModeTest::Find("p2"));
    EXPECT_EQ(States(*builder, {110, 140}), (std::vector{kOn, kOff}));
    EXPECT_TRUE(AxisToolsHaveTheMouse());
}

TEST(ModeBarWindowsTest, AnchorBarFollowsTheAnchorsAndChoosesTheForce) {
    ModeTest::PhononModel();
    Core::InstallModeTools();
    GuiTest::Host host;
    auto bar = Safe::MakeX<Core::AnchorBar>(host.Window());
    EXPECT_EQ(bar->Height(), 144);
    const auto forces = [&] { return States(*bar, {151, 152, 153, 154}); };
    EXPECT_EQ(forces(), (std::vector{kOff, kOff, kOff, kOff}));

    Core::AnchorCore::SetNode(ModeTest::Find("p1"));  // the top anchor is current: no force
    EXPECT_EQ(States(*bar, {110, 150}), (std::vector{kOn, kNormal}));
    ClickButton(bar->Handle(), 1);
    EXPECT_EQ(States(*bar, {110, 150}), (std::vector{kNormal, kOn}));
    EXPECT_FALSE(AxisToolsHaveTheMouse());
    const double halfWidth[2] = {105.0, 0.0};
    Core::AnchorCore::PickAnchor(halfWidth);
    EXPECT_EQ(forces(), (std::vector{kOn, kNormal, kNormal, kNormal}));
    // "Maintain gap force" (the third force button) stores 2, "Constant ratio force" 1.
    ClickButton(bar->Handle(), 4);
    EXPECT_EQ(ModeTest::Find("p1")->GetAnchorMode(2), 2);
    EXPECT_EQ(forces(), (std::vector{kNormal, kNormal, kOn, kNormal}));
    ClickButton(bar->Handle(), 5);
    EXPECT_EQ(ModeTest::Find("p1")->GetAnchorMode(2), 1);
    EXPECT_EQ(forces(), (std::vector{kNormal, kNormal, kNormal, kOn}));

    // A node without anchors: "Enable anchors" and the forces disabled.
    Core::AnchorCore::SetNode(Core::Node::Create(300));
    EXPECT_EQ(bar->GetButtonState(150), kOff);
    EXPECT_EQ(forces(), (std::vector{kOff, kOff, kOff, kOff}));
}

// p1's anchors (w 100, g 10, ds 1): the top one at (100, 10), current, and the half-width one
// at (105, 5), on a frame of 1 pixel per x and 2.5 per y, both ends shown in green.
struct Markers {
    Markers() {
        ModeTest::PhononModel();
        auto anchors = ModeTest::Find("p1")->GetAnchors();
        curve->Designers().imag->lineColor = 0xFF00FF00;
        curve->SetViewMode(Winplus::kHidden);
        curve->SetAnchors(anchors->GetAnchors());
        curve->SetCurrentAnchor(anchors->GetAnchors().at(0));
        frame->SetLimits({0.0, -20.0, 200.0, 40.0});
        frame->SetPlotArea({0, 0, 200, 100});
        Core::SetAnchorEndMode(Core::AnchorEndMode::kNearer);
        frame->ToPixel(100.0, 10.0, top.x, top.y);
        frame->ToPixel(105.0, 5.0, width.x, width.y);
    }
    Winplus::AnchorCurve::Ptr curve = Safe::MakeX<Winplus::AnchorCurve>();
    Safe::XPtr<Winplus::Frame> frame = Safe::MakeX<Winplus::Frame>();
    struct {
        int x = 0, y = 0;
    } top, width;
};

bool IsGreen(std::uint32_t pixel) {
    const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    return g - r > 0x40 && g - b > 0x40;
}
constexpr std::uint32_t kWhite = 0xFFFFFF;

TEST(ModeBarWindowsTest, AnchorMarkersOnADibThroughGdiplusAndDirect2D) {
    Markers m;
    GuiTest::Canvas dib(200, 100);
    {
        Winplus::Graphics graphics(dib.DC());
        Winplus::GdiplusCanvas canvas(graphics.Get(), 8);
        m.curve->Paint(canvas, m.frame);
    }
    // A 4 x 4 box 2 pixels up and left of the point: white inside for the current anchor,
    // green for the other (a circle), outlined in green.
    EXPECT_EQ(dib.Pixel(m.top.x, m.top.y), kWhite);
    EXPECT_TRUE(IsGreen(dib.Pixel(m.top.x - 2, m.top.y - 2)));
    EXPECT_EQ(dib.Pixel(m.top.x - 3, m.top.y - 3), kWhite);
    EXPECT_TRUE(IsGreen(dib.Pixel(m.width.x, m.width.y)));
    EXPECT_EQ(dib.Pixel(m.width.x + 4, m.width.y), kWhite);

    GuiTest::Canvas target(200, 100);
    target.DrawDirect2D([&](ID2D1RenderTarget* render) {
        Winplus::D2DCanvas canvas(render);
        m.curve->Paint(canvas, m.frame);
    });
    // 8 x 8 centred on the point: the current anchor filled, the other outlined.
    for (int d : {-3, 0, 3}) EXPECT_TRUE(IsGreen(target.Pixel(m.top.x + d, m.top.y + d))) << d;
    EXPECT_EQ(target.Pixel(m.top.x + 6, m.top.y), kWhite);
    EXPECT_EQ(target.Pixel(m.width.x, m.width.y), kWhite);
    EXPECT_TRUE(IsGreen(target.Pixel(m.width.x + 4, m.width.y)) ||
                IsGreen(target.Pixel(m.width.x + 3, m.width.y)));
}

}  // namespace
