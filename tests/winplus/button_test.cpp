// Tool bars driven through their window's messages.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "tests/winplus/gui_test_support.h"
#include "winplus/button_bar.h"
#include "winplus/resource_ids.h"

namespace {

struct Recorder : Winplus::Command {
    std::vector<int>* codes;
    explicit Recorder(std::vector<int>* out) : codes(out) {}
    bool Execute(const int& code) override {
        codes->push_back(code);
        return true;
    }
};

// A bar of the program's 22-pixel buttons: push 10, radio 11 and 12, radio 13 disabled, check 14,
// push 0.
class BarTest : public testing::Test {
protected:
    void SetUp() override {
        toolBar = Safe::MakeX<Winplus::ToolBar>(host.Window());
        Winplus::ButtonBar::SetButtonSize({22, 22});
        Winplus::ButtonBar::SetParent(host.Window());
        auto list = Safe::MakeX<Winplus::ButtonList>();
        list->Add(Winplus::ButtonBar::AddPush(IDB_NEW_PROJECT, 10, "Push", -1));
        list->Add(Winplus::ButtonBar::AddCheck(IDB_ZOOM, 11, "Radio one", 0));
        list->Add(Winplus::ButtonBar::AddCheck(IDB_ZOOM, 12, "", 0));
        auto disabled = Winplus::ButtonBar::AddCheck(IDB_ZOOM, 13, "", 0);
        disabled->machine.state = Winplus::kDisabled;
        list->Add(disabled);
        list->Add(Winplus::ButtonBar::AddCheck(IDB_ZOOM, 14, "Check", -1));
        auto zero = Winplus::ButtonBar::AddPush(IDB_NEW_PROJECT, 0, "", -1);
        zero->target = Safe::MakeX<Recorder>(&targetCodes);
        list->Add(zero);
        bar = Safe::MakeX<Winplus::ButtonBar>();
        bar->SetButtons(list);
        controller()->SetButtonBar(bar);
        controller()->SetCommand(Safe::MakeX<Recorder>(&barCodes));
        toolBar->Move(0, 0, bar->width, bar->height, true);
    }
    Winplus::BarController* controller() { return toolBar->Controller().Get(); }
    HWND window() { return controller()->Handle(); }
    void Click(int index) {
        const LPARAM at = MAKELPARAM(index * 22 + 11, 11);
        SendMessageA(window(), WM_MOUSEMOVE, 0, at);
        SendMessageA(window(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(window(), WM_LBUTTONUP, 0, at);
    }

    GuiTest::Host host;
    Safe::XPtr<Winplus::ToolBar> toolBar;
    Safe::XPtr<Winplus::ButtonBar> bar;
    std::vector<int> barCodes, targetCodes;
};

TEST_F(BarTest, LaysButtonsOutInARow) {
    EXPECT_EQ(bar->width, 6 * 22);
    EXPECT_EQ(bar->height, 22);
    EXPECT_EQ(bar->FindById(12)->x, 44);
    EXPECT_FALSE(bar->FindById(99));
}

TEST_F(BarTest, ClicksReachTheBarCommandWithTheirIds) {
    Click(0);
    Click(4);
    EXPECT_EQ(barCodes, (std::vector<int>{10, 14}));
    EXPECT_EQ(controller()->GetButtonState(14), Winplus::kCheckedHot);
    EXPECT_EQ(controller()->GetButtonState(99), -1);
}

TEST_F(BarTest, PressedAndReleasedOutsideFiresNothing) {
    SendMessageA(window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(11, 11));
    SendMessageA(window(), WM_LBUTTONUP, 0, MAKELPARAM(300, 11));
    EXPECT_TRUE(barCodes.empty());
}

TEST_F(BarTest, CommandIdZeroRunsItsTargetButNeverTheBarCommand) {
    Click(5);
    EXPECT_EQ(targetCodes, (std::vector<int>{0}));
    EXPECT_TRUE(barCodes.empty());
}

TEST_F(BarTest, RadioGroupKeepsOneCheckedAndDisabledStaysDisabled) {
    Click(1);
    EXPECT_EQ(controller()->GetButtonState(11), Winplus::kCheckedHot);
    Click(2);
    EXPECT_EQ(controller()->GetButtonState(12), Winplus::kCheckedHot);
    EXPECT_EQ(controller()->GetButtonState(11), Winplus::kNormal);
    // Pressing the checked radio button keeps it checked and fires it again.
    Click(2);
    EXPECT_EQ(controller()->GetButtonState(12), Winplus::kCheckedHot);
    EXPECT_EQ(barCodes, (std::vector<int>{11, 12, 12}));

    controller()->CheckButton(11, true);
    EXPECT_EQ(controller()->GetButtonState(11), Winplus::kChecked);
    EXPECT_EQ(controller()->GetButtonState(12), Winplus::kNormal);
    EXPECT_EQ(controller()->GetButtonState(13), Winplus::kDisabled);
    // Enabling a checked button shows it unchecked.
    controller()->EnableButton(11, true);
    EXPECT_EQ(controller()->GetButtonState(11), Winplus::kNormal);
    controller()->EnableButton(13, true);
    EXPECT_EQ(controller()->GetButtonState(13), Winplus::kNormal);
}

TEST_F(BarTest, HotButtonCoolsWhenTheCursorLeavesOrTheCaptureGoes) {
    SendMessageA(window(), WM_MOUSEMOVE, 0, MAKELPARAM(11, 11));
    EXPECT_EQ(controller()->GetButtonState(10), Winplus::kHot);
    EXPECT_EQ(GetCapture(), window());
    SendMessageA(window(), WM_MOUSEMOVE, 0, MAKELPARAM(11, 300));
    EXPECT_EQ(controller()->GetButtonState(10), Winplus::kNormal);
    EXPECT_NE(GetCapture(), window());
    SendMessageA(window(), WM_MOUSEMOVE, 0, MAKELPARAM(11, 11));
    SendMessageA(window(), WM_CAPTURECHANGED, 0, 0);
    EXPECT_EQ(controller()->GetButtonState(10), Winplus::kNormal);
}

TEST_F(BarTest, TooltipsOnlyForButtonsWithText) {
    ASSERT_TRUE(controller()->Tips());
    EXPECT_EQ(SendMessageA(controller()->Tips()->Handle(), TTM_GETTOOLCOUNT, 0, 0), 3);
}

TEST_F(BarTest, PaintsFramesWithRedTurnedIntoTheButtonFace) {
    GuiTest::Canvas canvas(bar->width, bar->height);
    canvas.CopyWindow(window());
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const std::uint32_t facePixel =
        (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    EXPECT_EQ(canvas.Pixel(1, 1), facePixel);
    // The page outline of the new-project picture, frame 0.
    EXPECT_EQ(canvas.Pixel(5, 3), 0x000000u);
    EXPECT_EQ(canvas.Pixel(7, 6), 0xFFFFFFu);
    for (int x = 0; x < canvas.Width(); ++x)
        for (int y = 0; y < canvas.Height(); ++y) ASSERT_NE(canvas.Pixel(x, y), 0xFF0000u);
}

TEST_F(BarTest, DrawsTheSameFramesThroughDirect2D) {
    GuiTest::Canvas canvas(bar->width, bar->height);
    canvas.DrawDirect2D([&](ID2D1RenderTarget* target) { bar->DrawAll(target); });
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(canvas.Pixel(1, 1),
              (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face));
    EXPECT_EQ(canvas.Pixel(5, 3), 0x000000u);
}

struct EnablingObserver : Winplus::BarObserver {
    bool Notify(const int& code) override {
        owner_->EnableButton(10, code != 0);
        return true;
    }
};

TEST_F(BarTest, ObserverReachesTheBarThroughItsOwner) {
    auto observer = Safe::MakeX<EnablingObserver>();
    toolBar->SetObserver(observer);
    observer->Notify(0);
    EXPECT_EQ(controller()->GetButtonState(10), Winplus::kDisabled);
    Click(0);
    EXPECT_TRUE(barCodes.empty());
    observer->Notify(1);
    EXPECT_EQ(controller()->GetButtonState(10), Winplus::kNormal);
}

TEST(ButtonWnd, MovesItsWindowIntoTheCell) {
    GuiTest::Host host;
    auto inner = Safe::MakeX<Winplus::Controller>();
    Winplus::WindowMaker maker(GuiTest::TestClass(), host.Window(), 5);
    maker.Create(inner);
    auto cell = Winplus::ButtonBar::AddWindow(inner, {100, 20});
    cell->SetPosition({30, 2});
    RECT r{};
    GetWindowRect(inner->Handle(), &r);
    MapWindowPoints(nullptr, host.Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 2);
    EXPECT_EQ(r.right - r.left, 100);
    EXPECT_EQ(cell->State(), Winplus::kDisabled);
}

}  // namespace
