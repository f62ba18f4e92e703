// Sticker bars in an owner window: clicks, the context menu, scrolling; then popups and the
// splash banner, and the status bar.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "foundation/event_bus.h"
#include "tests/winplus/gui_test_support.h"
#include "winplus/popups.h"
#include "winplus/status_bar.h"
#include "winplus/sticker_bar.h"

namespace {

// Records the WM_COMMAND messages it receives: (wParam, lParam).
class Owner : public Winplus::Controller {
public:
    bool OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.emplace_back(static_cast<int>(wParam), static_cast<int>(lParam));
        return true;
    }
    std::vector<std::pair<int, int>> commands;
};

class StickerBarTest : public testing::Test {
protected:
    void SetUp() override {
        Winplus::WindowMaker maker(GuiTest::TestClass(), GetModuleHandleA(nullptr));
        maker.width = 400;
        maker.height = 100;
        maker.Create(owner, "owner");
        ShowWindow(owner->Handle(), SW_SHOWNOACTIVATE);
        bar = Safe::MakeX<Winplus::StickerBar>(owner->Handle(), L"bar");
        bar->SetCommandId(77);
        Winplus::StickerList list;
        for (const wchar_t* name : {L"First", L"Second", L"Third"})
            list.push_back(Winplus::Sticker::CreateIntercalary(name, true, 0xFFFFFFFF, 0xFF000000,
                                                               0xFF808080, false));
        list[2]->flag = true;
        bar->SetStickers(list);
        bar->SetRect(10, 10, 300, 20);
    }
    POINT Inside(int index) {
        const auto& s = *bar->Stickers()[index];
        return {s.x + s.width / 2, s.y + 5};
    }

    Safe::XPtr<Owner> owner = Safe::MakeX<Owner>();
    Safe::XPtr<Winplus::StickerBar> bar;
};

TEST_F(StickerBarTest, AClickOnAStickerSelectsItAndTellsTheOwner) {
    EXPECT_GT(bar->Stickers()[0]->width, 10);  // measured in the bar's font
    EXPECT_TRUE(bar->OnLeftClick(Inside(1)));
    EXPECT_EQ(bar->Selected(), 1);
    ASSERT_EQ(owner->commands.size(), 1u);
    EXPECT_EQ(owner->commands[0], std::make_pair(77, 1));
    // Where no sticker lies, outside the bar, on a disabled sticker: nothing.
    EXPECT_FALSE(bar->OnLeftClick({305, 15}));
    EXPECT_FALSE(bar->OnLeftClick({20, 50}));
    bar->Stickers()[2]->enabled = false;
    EXPECT_FALSE(bar->OnLeftClick(Inside(2)));
    EXPECT_EQ(bar->Selected(), 1);
    EXPECT_EQ(owner->commands.size(), 1u);
}

TEST_F(StickerBarTest, PaintsTabsAndTheBaseLine) {
    bar->Select(0);
    GuiTest::Canvas canvas(400, 40);
    {
        Winplus::Graphics graphics(canvas.DC());
        bar->PaintBackground(graphics.Get());
        bar->Draw(graphics.Get());
    }
    const auto& first = *bar->Stickers()[0];
    EXPECT_EQ(canvas.Pixel(first.x + 1, first.y), 0x000000u);  // the selected tab's top edge
    EXPECT_EQ(canvas.Pixel(300, 29), 0x000000u);               // the base line
    EXPECT_EQ(canvas.Pixel(300, 20), Winplus::ButtonFace() & 0xFFFFFF);
}

// Closes the context menu that the bar opens, after reading its entries' states.
std::vector<UINT> menuStates;
HMENU openMenu = nullptr;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    menuStates = {GetMenuState(openMenu, 0, MF_BYPOSITION),
                  GetMenuState(openMenu, 1, MF_BYPOSITION)};
    EndMenu();
}

TEST_F(StickerBarTest, TheContextMenuFollowsTheStickers) {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "Move");
    AppendMenuA(menu, MF_STRING, 2, "Remove");
    openMenu = menu;
    bar->SetContextMenu(menu);
    SetTimer(nullptr, 0, 100, CloseMenu);
    bar->OnRightClick(Inside(2));  // three enabled stickers; the third's flag is set
    EXPECT_EQ(bar->Selected(), 2);
    ASSERT_EQ(menuStates.size(), 2u);
    EXPECT_FALSE(menuStates[0] & MF_GRAYED);
    EXPECT_FALSE(menuStates[1] & MF_GRAYED);

    bar->Stickers()[1]->enabled = false;
    bar->Stickers()[2]->enabled = false;
    menuStates.clear();
    SetTimer(nullptr, 0, 100, CloseMenu);
    bar->OnRightClick(Inside(0));  // one enabled sticker, without the flag
    ASSERT_EQ(menuStates.size(), 2u);
    EXPECT_TRUE(menuStates[0] & MF_GRAYED);
    EXPECT_TRUE(menuStates[1] & MF_GRAYED);
    DestroyMenu(menu);
}

TEST_F(StickerBarTest, ScrollControlsShiftTheFirstSticker) {
    Winplus::StickerScrollBar scroll(owner->Handle(), 5, bar.Get());
    Winplus::StickerUpDown upDown(owner->Handle(), 6, bar.Get());
    scroll.Update();
    EXPECT_FALSE(IsWindowEnabled(scroll.Handle()));  // all fit
    EXPECT_EQ(bar->FirstVisible(), 0);
    const int third = bar->Stickers()[2]->width + 1;
    bar->SetRect(10, 10, third + 2, 20);  // room for the last sticker only
    scroll.Update();
    upDown.Update();
    EXPECT_TRUE(IsWindowEnabled(scroll.Handle()));
    EXPECT_TRUE(IsWindowEnabled(upDown.Handle()));
    scroll.Scroll(SB_BOTTOM);
    EXPECT_EQ(bar->FirstVisible(), 2);
    EXPECT_EQ(bar->Stickers()[2]->x, 11);
    scroll.Scroll(SB_LINEUP);
    EXPECT_EQ(bar->FirstVisible(), 1);
    upDown.OnDelta(1);
    EXPECT_EQ(bar->FirstVisible(), 0);
    upDown.OnDelta(1);
    EXPECT_EQ(bar->FirstVisible(), 0);
    upDown.OnDelta(-1);
    EXPECT_EQ(bar->FirstVisible(), 1);
}

TEST(PopupBanner, ShowsTheBannerImage) {
    GuiTest::Host host;
    Winplus::PopupBanner banner(
        host.Window(), std::string(SORIX_SOURCE_DIR) + "/app/resources/Sorix-Banner 2.bmp");
    ASSERT_TRUE(banner.HasImage());
    banner.Move(100, 100, 389, 315);
    banner.Show(SW_SHOWNOACTIVATE);
    banner.Paint();
    GuiTest::Canvas canvas(389, 315);
    canvas.CopyWindow(banner.Handle());
    int white = 0;
    for (int y = 0; y < 315; y += 5)
        for (int x = 0; x < 389; x += 5) white += canvas.Pixel(x, y) == 0xFFFFFF ? 1 : 0;
    EXPECT_LT(white, 78 * 63 / 2);  // the picture, not an empty window

    Winplus::PopupBanner missing(host.Window(), "Z:\\no\\such\\banner.bmp");
    EXPECT_FALSE(missing.HasImage());
    missing.Paint();  // draws nothing, fails nothing
}

TEST(PopupListBox, PassesItsNotificationsToItsOwner) {
    auto owner = Safe::MakeX<Owner>();
    Winplus::WindowMaker maker(GuiTest::TestClass(), GetModuleHandleA(nullptr));
    maker.Create(owner, "owner");
    Winplus::PopupListBox popup{Winplus::Wnd(owner->Handle())};
    popup.AddString("one");
    popup.AddString("two");
    popup.Move(10, 10, 100, 40, true);
    SendMessageA(popup.ListHandle(), LB_SETCURSEL, 1, 0);
    EXPECT_EQ(popup.GetCurSel(), 1);
    EXPECT_EQ(popup.GetSelectedText(), "two");
    SendMessageA(popup.Handle(), WM_COMMAND, MAKEWPARAM(1, LBN_DBLCLK), 0);
    ASSERT_EQ(owner->commands.size(), 1u);
    EXPECT_EQ(owner->commands[0].first, MAKEWPARAM(1, LBN_DBLCLK));
    popup.Reset();
    EXPECT_EQ(popup.GetCurSel(), LB_ERR);
}

class StatusBarTest : public testing::Test {
protected:
    void SetUp() override {
        bar = Safe::MakeX<Winplus::StatusBar>(
            host.Window(),
            Winplus::StatusSources{[this](std::wstring& label, std::wstring& text) {
                                       if (!picked) return;
                                       label = L"Gauss";
                                       text = L"A Gaussian peak";
                                   },
                                   [] { return std::string("Iteration 3: chi2 0.25"); }});
        bar->Move(0, 100, 600, 18);
    }

    GuiTest::Host host{600, 200};
    bool picked = true;
    Safe::XPtr<Winplus::StatusBar> bar;
};

TEST_F(StatusBarTest, ShowsThePickedNodeAndTheFitStatus) {
    const auto& c = *bar->Controller();
    EXPECT_EQ(c.Label(), L"Gauss");  // read at creation
    EXPECT_EQ(c.FitText(), L"");
    bar->Controller()->ShowFitStatus();
    EXPECT_EQ(c.FitText(), L"Iteration 3: chi2 0.25");
    picked = false;
    bar->Controller()->ShowPicked();
    EXPECT_EQ(c.Label(), L"");  // nothing picked
    EXPECT_EQ(c.Description(), L"");
}

// Pixels of a painted bar that are neither the cells' face nor white, in a column range.
int InkBetween(const GuiTest::Canvas& canvas, int from, int to) {
    const std::uint32_t face = Winplus::ButtonFace() & 0xFFFFFF;
    int ink = 0;
    for (int y = 3; y < 16; ++y)
        for (int x = from; x < to; ++x) {
            const std::uint32_t p = canvas.Pixel(x, y);
            ink += p != face && p != 0xFFFFFF && p != 0x404040 ? 1 : 0;
        }
    return ink;
}

TEST_F(StatusBarTest, PaintsItsCellsAtAnyWidth) {
    for (int width : {600, 150}) {
        bar->Move(0, 100, width, 18);
        GuiTest::Canvas canvas(width, 18);
        {
            Winplus::Graphics graphics(canvas.DC());
            bar->Controller()->Paint(graphics.Get(), width);
        }
        EXPECT_EQ(canvas.Pixel(100, 10), 0x404040u) << width;
        EXPECT_EQ(canvas.Pixel(50, 0), 0x404040u) << width;
        EXPECT_EQ(canvas.Pixel(2, 2), Winplus::ButtonFace() & 0xFFFFFF) << width;
        EXPECT_GT(InkBetween(canvas, 1, 100), 0) << width;  // the label
        // The description shows in a wide bar and is clipped away in one below 362 pixels.
        if (width == 600)
            EXPECT_GT(InkBetween(canvas, 106, 240), 0);
        else
            EXPECT_EQ(InkBetween(canvas, 106, 150), 0);
    }
}

TEST_F(StatusBarTest, HearsNoBusOfItsOwn) {
    // The framework's bar is told by its owner; it reads no store of the model.
    EXPECT_EQ(BusOf<FitEvent>().Count(), 0);
    EXPECT_EQ(BusOf<SelectionEvent>().Count(), 0);
}

}  // namespace
