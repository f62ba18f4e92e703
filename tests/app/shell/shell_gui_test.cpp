// The shell's bars and panels as real windows: the view bar and the panels each mode shows, the
// global tool bar's radio group, toggle and 620 observer, the cursor read-out on 500, the
// start-up's failure path, and every resource the shell's windows load.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>
#include <string>

#include "app/shell/global_bar.h"
#include "app/shell/mode_switch_panel.h"
#include "app/shell/startup.h"
#include "app/shell/top_controller.h"
#include "app/shell/view_bar.h"
#include "functions/families.h"
#include "io/data_set.h"
#include "io/library_list.h"
#include "modes/adjust_core.h"
#include "modes/anchor_core.h"
#include "modes/builder_core.h"
#include "modes/fit_core.h"
#include "modes/view_modes.h"
#include "plot/axis_tools.h"
#include "tests/modes/fit_driver_support.h"
#include "tests/winplus/gui_test_support.h"
#include "winplus/button_machine.h"
#include "winplus/resource_ids.h"

namespace {

using Core::PanelId;
using Core::GlobalBar::ButtonId;

// A press and release at a point of a window, as the mouse gives them.
void Click(HWND hwnd, int x, int y) {
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

TEST(ViewBarAndPanel, EachStickerSetsItsModeAndThePanelShowsThatModesLeaves) {
    GuiTest::Host host(900, 600);
    auto bar = Safe::MakeX<Core::ViewBar>(host.Window());
    bar->Move(0, 0, 900, 20, true);
    auto panel = Safe::MakeX<Core::ViewPanel>(host.Window());
    panel->Move(0, 20, 900, 580, true);
    auto* controller = dynamic_cast<Core::ViewBarController*>(bar->Controller().Get());
    ASSERT_NE(controller, nullptr);
    const auto& stickers = controller->Bar()->Stickers();
    ASSERT_EQ(stickers.size(), 5u);
    const wchar_t* names[] = {L"View", L"Builder", L"Anchors", L"Adjustment", L"Auto-Fit"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(stickers[i]->GetName(), names[i]);

    const auto visible = [&](PanelId leaf) {
        return IsWindowVisible(panel->Leaf(leaf)->Controller()->Handle()) != FALSE;
    };
    // Start-up: the View plot alone fills the panel.
    EXPECT_FALSE(IsWindowVisible(panel->LeftColumn()->Controller()->Handle()));
    EXPECT_TRUE(visible(PanelId::Plot));
    EXPECT_FALSE(visible(PanelId::Modify));
    RECT view{};
    GetWindowRect(panel->Leaf(PanelId::Plot)->Controller()->Handle(), &view);
    EXPECT_EQ(view.bottom - view.top, 580);

    int views = 0;
    auto counter = Core::ViewModeState::AddObserver(MakeObserver<ViewEvent>(
        [&views](ViewEvent code) { views += code == ViewEvent::kViewModeChanged; }));
    for (int mode : {4, 1, 2, 3, 3, 0}) {
        const Winplus::Sticker& sticker = *stickers[mode];
        Click(bar->Controller()->Handle(), sticker.x + sticker.width / 2, sticker.y + 8);
        EXPECT_EQ(Core::ViewModeState::GetMode(), mode);
        const Core::ModeLeaves expected = Core::LeavesOfMode(mode);
        EXPECT_EQ(IsWindowVisible(panel->LeftColumn()->Controller()->Handle()) != FALSE,
                  expected.leftColumn);
        for (const Core::ViewPanelLeaf& leaf : Core::ViewPanelLeaves())
            EXPECT_EQ(visible(leaf.panel), expected.Shows(leaf.panel)) << mode << " " << leaf.name;
    }
    // The sticker of the current mode (Adjust, chosen twice) announced nothing the second time.
    EXPECT_EQ(views, 5);
}

class GlobalBarTest : public testing::Test {
protected:
    void SetUp() override {
        Core::AdjustCore::Initialize(&Core::ViewModeState::GetMode);
        Core::AnchorCore::Initialize(&Core::ViewModeState::GetMode);
        Core::BuilderCore::Initialize(&Core::ViewModeState::GetMode);
        Core::GlobalBar::Create(host.Window());
        bar = Core::GlobalBar::Get()->Controller();
        bar->Move(0, 0, 600, 22, true);
    }
    int State(int id) const { return bar->GetButtonState(id); }
    void ClickButton(int id) {
        const auto button = bar->Bar()->FindById(id);
        ASSERT_TRUE(button);
        Click(bar->Handle(), button->x + button->width / 2, button->y + button->height / 2);
    }

    GuiTest::Host host{600, 100};
    Safe::XPtr<Winplus::BarController> bar;
};

TEST_F(GlobalBarTest, TheAxisToolsAreOneRadioGroupThatAToolTakingTheMouseResets) {
    const auto& buttons = *bar->Bar()->Buttons();
    ASSERT_EQ(buttons.Count(), 10);
    // Nine buttons of 22 pixels but the 6-pixel separator, then the read-out's 170 pixels.
    EXPECT_EQ(buttons.At(3)->width, 6);
    EXPECT_EQ(buttons.At(9)->x, 8 * 22 + 6);
    EXPECT_EQ(buttons.At(9)->width, 170);
    EXPECT_EQ(State(ButtonId::kAxisToolsOff), Winplus::kChecked);
    EXPECT_EQ(Winplus::AxisBar::GetMode(), -1);

    ClickButton(ButtonId::kZoom);
    EXPECT_EQ(Winplus::AxisBar::GetMode(), 0);
    EXPECT_EQ(State(ButtonId::kAxisToolsOff), Winplus::kNormal);
    EXPECT_NE(State(ButtonId::kZoom) & Winplus::kChecked, 0);
    ClickButton(ButtonId::kShift);
    ClickButton(ButtonId::kShift);  // the checked one again: checked still, mode 2 again
    EXPECT_EQ(Winplus::AxisBar::GetMode(), 2);
    EXPECT_NE(State(ButtonId::kShift) & Winplus::kChecked, 0);
    EXPECT_EQ(State(ButtonId::kZoom), Winplus::kNormal);

    // Each tool core that takes the mouse gives the axis tools their "off" button back.
    for (Core::ToolCore* core :
         {&Core::AdjustCore::Tool(), &Core::AnchorCore::Tool(), &Core::BuilderCore::Tool()}) {
        ClickButton(ButtonId::kShrink);
        EXPECT_EQ(Winplus::AxisBar::GetMode(), 1);
        core->Notify(Core::kToolTookMouse);
        EXPECT_EQ(Winplus::AxisBar::GetMode(), -1);
        EXPECT_EQ(State(ButtonId::kAxisToolsOff), Winplus::kChecked);
        EXPECT_EQ(State(ButtonId::kShrink), Winplus::kNormal);
    }
    // A second bar is not made.
    const Winplus::ToolBar* first = Core::GlobalBar::Get().Get();
    Core::GlobalBar::Create(host.Window());
    EXPECT_EQ(Core::GlobalBar::Get().Get(), first);
}

TEST_F(GlobalBarTest, TheReadOutFollowsTheCursorWhileItsToggleIsOn) {
    const auto& readout = Core::GlobalBar::Readout();
    HWND window = readout->Handle();
    RECT cell{};
    GetClientRect(window, &cell);
    EXPECT_EQ(cell.right, 170);
    EXPECT_EQ(cell.bottom, 22);
    const auto move = [](double x, double y) {
        const double position[2] = {x, y};
        Winplus::AxisBar::SetCursorPosition(position);  // announces 500
    };
    move(1.0, 2.0);
    EXPECT_TRUE(readout->Readout().XText().empty());  // off: nothing follows

    ClickButton(ButtonId::kXYPosition);
    EXPECT_TRUE(readout->Readout().Enabled());
    EXPECT_EQ(Winplus::AxisBar::GetMode(), -1);  // the toggle is not an axis tool
    move(1234.5678, -0.000123456789);
    EXPECT_EQ(readout->Readout().XText(), L"1234.57");
    EXPECT_EQ(readout->Readout().YText(), L"-0.000123457");
    move(2.5e7, 1e-5);
    EXPECT_EQ(readout->Readout().XText(), L"2.5e+07");
    EXPECT_EQ(readout->Readout().YText(), L"1e-05");
    // Drawn at once: the grey X cell with white text, the white Y cell with black text.
    GuiTest::Canvas canvas(170, 22);
    canvas.CopyWindow(window);
    EXPECT_EQ(canvas.Pixel(3, 4), 0x808080u);
    EXPECT_EQ(canvas.Pixel(165, 4), 0xFFFFFFu);
    int white = 0, black = 0;
    for (int x = 1; x < 84; ++x)
        for (int y = 3; y < 19; ++y) white += canvas.Pixel(x, y) == 0xFFFFFFu;
    for (int x = 86; x < 168; ++x)
        for (int y = 3; y < 19; ++y) black += canvas.Pixel(x, y) == 0x000000u;
    EXPECT_GT(white, 10);
    EXPECT_GT(black, 10);
    // Leaving the plot blanks it: white with a grey left half, no text.
    Winplus::AxisBar::SetCursorInside(false);
    canvas.CopyWindow(window);
    white = 0;
    for (int x = 1; x < 84; ++x)
        for (int y = 3; y < 19; ++y) white += canvas.Pixel(x, y) == 0xFFFFFFu;
    EXPECT_EQ(white, 0);

    ClickButton(ButtonId::kXYPosition);
    EXPECT_FALSE(readout->Readout().Enabled());
    move(7.0, 8.0);
    EXPECT_EQ(readout->Readout().XText(), L"2.5e+07");
}

// A main window whose creation fails.
class FailingTop : public Winplus::Controller {
public:
    bool OnCreate() override { throw std::runtime_error("Button bitmap load failed"); }
};

TEST(StartUp, AMainWindowThatCannotBeMadeIsSaidAndEndsTheProgramWithMinusOne) {
    GuiTest::Boxes().clear();
    const int code =
        Core::RunMainWindow(GetModuleHandleA(nullptr), SW_HIDE,
                            [](const Core::WorkArea&) -> Safe::XPtr<Winplus::Controller> {
                                return Safe::MakeX<FailingTop>();
                            });
    EXPECT_EQ(code, -1);
    ASSERT_EQ(GuiTest::Boxes().size(), 1u);
    EXPECT_EQ(GuiTest::Boxes()[0].text, "Button bitmap load failed");
    EXPECT_EQ(FindWindowA("Sorix", nullptr), nullptr);
    MSG left{};
    EXPECT_FALSE(PeekMessageA(&left, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(StartUp, ClosingDuringAFitStopsTheFitBeforeTheWindowsGo) {
    auto top = Safe::MakeX<Core::TopController>(Core::WorkArea{0, 0, 1000, 700});
    Winplus::WindowMaker maker(GuiTest::TestClass(), GetModuleHandleA(nullptr));
    maker.width = 800;
    maker.height = 600;
    HWND main = maker.Create(top);
    Core::DataSet::Reload(std::string(SORIX_SOURCE_DIR) + "/tests/e2e/data/phonons.dat");
    Core::DataSet::SelectIndex(-1);
    // Two phonons fitted to it, every parameter adjusted. The worker tells its steps to the main
    // window, which does not pass them on: the fit stays running with its first step under way
    // or done.
    const test::PhononModel user{{{{{1.9, 297.0, 17.0}}, {{0.55, 485.0, 22.0}}}}};
    Core::FitCore::SetMathPath();
    Core::FitCore::SetExperimentalData(Core::DataSet::GetCurrent());
    test::MarkPhononParameters();
    Core::FitCore::CreateOptimizer(Safe::MakeX<Optimize::WindowStepSink>(main));
    Core::FitCore::StartFit();
    ASSERT_TRUE(Core::FitCore::IsRunning());
    SendMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(main));
    EXPECT_FALSE(Core::FitCore::IsRunning());
    MSG quit{};
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// Every resource the shell's windows load, at the size they are drawn.
TEST(ShellResources, EveryIconMenuDialogAndBitmapLoadsAtItsSize) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    for (int id : {IDI_SORIX, 141, 142, 143, 144}) {
        HANDLE icon = LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0);
        EXPECT_NE(icon, nullptr) << id;
        if (icon) DestroyIcon(static_cast<HICON>(icon));
    }
    HMENU menu = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_MAIN_MENU));
    EXPECT_NE(menu, nullptr);
    DestroyMenu(menu);
    EXPECT_NE(FindResourceA(instance, MAKEINTRESOURCEA(IDD_ABOUT), RT_DIALOG), nullptr);

    const auto expectBitmap = [instance](int id, int width, int height) {
        HBITMAP bitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(id));
        ASSERT_NE(bitmap, nullptr) << id;
        BITMAP info{};
        GetObjectA(bitmap, sizeof(info), &info);
        EXPECT_EQ(info.bmWidth, width) << id;
        EXPECT_EQ(info.bmHeight, height) << id;
        DeleteObject(bitmap);
    };
    for (int id = 103; id <= 128; ++id) expectBitmap(id, 16, 16);
    for (int id : {136, 137, 138, 139, 140, 163, 170, 171, 172, 231, 232}) expectBitmap(id, 16, 16);
    // Push and check buttons: 4 frames of 22 pixels; toggles 7 frames.
    for (int id : {129, 130, 131, 133, 134, 135, 145, 148, 149, 150, 151, 152, 153,
                   154, 155, 156, 157, 159, 162, 166, 167, 168, 169, 173, 174, 175})
        expectBitmap(id, 4 * 22, 22);
    expectBitmap(IDB_FORMULA_TOGGLE, 7 * 22, 22);
    expectBitmap(IDB_COLLAPSE, 7 * 15, 15);
    expectBitmap(IDB_SEPARATOR, 6, 22);
    expectBitmap(IDB_SEPARATOR_VERTICAL, 22, 6);
}

TEST(ShellResources, TheProgramFolderShipsTheBannerAndTheExampleLibraries) {
    const std::string folder = SORIX_PROGRAM_FOLDER;
    HBITMAP banner = static_cast<HBITMAP>(LoadImageA(
        nullptr, (folder + "\\Sorix-Banner 2.bmp").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(banner, nullptr);
    BITMAP info{};
    GetObjectA(banner, sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 389);
    EXPECT_EQ(info.bmHeight, 315);
    DeleteObject(banner);
    EXPECT_TRUE(std::ifstream(folder + "\\Help Files\\sorix.html").good());

    Capsule::RegisterFamilies();
    const Core::LibraryListResult read =
        Core::ReadLibraryList(folder + "\\Library\\default.flb", {});
    ASSERT_TRUE(read.opened);
    EXPECT_TRUE(read.failures.empty()) << read.Report();
    ASSERT_EQ(read.categories->Count(), 2);
    EXPECT_EQ(read.categories->At(0)->GetFunctions().size(), 3u);
    EXPECT_FALSE(read.categories->At(1)->GetFunctions().empty());
}

}  // namespace
