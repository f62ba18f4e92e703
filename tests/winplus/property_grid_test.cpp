// Property grids driven through their windows: clicks on rows, the in-place edit, the drop-down
// list, the colour chooser, scrolling, painting.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/winplus/gui_test_support.h"
#include "winplus/property_grid.h"

namespace {

using Winplus::Property;

class Recorder : public Winplus::Command {
public:
    bool Execute(const int& code) override {
        codes.push_back(code);
        return true;
    }
    std::vector<int> codes;
};

// A grid 300 by 200 pixels with one row of each kind, in the order of the kinds.
class GridTest : public testing::Test {
protected:
    void SetUp() override {
        for (int kind = 0; kind <= 7; ++kind)
            rows.push_back(Property::Create(kind, L"Row " + std::to_wstring(kind)));
        grid = Safe::MakeX<Winplus::ControlProperty>(host.Window());
        grid->Move(0, 0, 300, 200, true);
        grid->SetRows(rows);
        grid->SetCommand(recorder);
    }
    void TearDown() override { Winplus::SetColorChooser(nullptr); }

    Winplus::PropertyController& C() { return *grid->Controller(); }
    void Click(int x, int row) {
        SendMessageA(C().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, row * 19 + 5));
    }
    void ClickDropZone(int row) { Click(300 - 30, row); }
    void Type(const char* text) { SetWindowTextA(C().Edit().Handle(), text); }
    void Key(WPARAM key) {
        SendMessageA(C().Edit().Handle(), WM_CHAR, key, 0);
        GuiTest::Pump();
    }
    // A double click on an entry of the open drop-down list.
    void Pick(int entry) {
        HWND list = C().Popup().ListHandle();
        SendMessageA(list, LB_SETCURSEL, entry, 0);
        SendMessageA(C().Popup().Handle(), WM_COMMAND, MAKEWPARAM(1, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(list));
    }
    bool EditShown() { return IsWindowVisible(C().Edit().Handle()) != 0; }
    bool PopupShown() { return IsWindowVisible(C().Popup().Handle()) != 0; }

    GuiTest::Host host{400, 300};
    std::vector<Safe::XPtr<Property>> rows;
    Safe::XPtr<Winplus::ControlProperty> grid;
    Safe::XPtr<Recorder> recorder = Safe::MakeX<Recorder>();
};

TEST_F(GridTest, AClickReportsThePreviousRowAndOpensNothingInTheNameColumn) {
    Click(10, 1);
    EXPECT_EQ(C().Selected(), 1);
    EXPECT_FALSE(EditShown());
    EXPECT_TRUE(recorder->codes.empty());
    Click(10, 2);
    EXPECT_EQ(recorder->codes, std::vector<int>{1});
    Click(10, 9);  // below the last row
    EXPECT_EQ(C().Selected(), -1);
    EXPECT_EQ(recorder->codes, (std::vector<int>{1, 2}));
}

TEST_F(GridTest, EnterCommitsAndEscapeCancels) {
    Click(100, 1);
    ASSERT_TRUE(EditShown());
    RECT r{};
    GetWindowRect(C().Edit().Handle(), &r);
    MapWindowPoints(nullptr, C().Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 66);
    EXPECT_EQ(r.top, 21);
    EXPECT_EQ(C().Edit().GetText(), "0");
    Type("-5");  // refused: the row keeps its value, the row is reported all the same
    Key(VK_RETURN);
    EXPECT_FALSE(EditShown());
    EXPECT_EQ(rows[1]->integerValue, 0);
    EXPECT_EQ(rows[1]->GetText(), "0");
    EXPECT_EQ(recorder->codes, std::vector<int>{1});

    Click(100, 1);
    Type("17");
    Key(VK_RETURN);
    EXPECT_EQ(rows[1]->integerValue, 17);
    EXPECT_EQ(rows[1]->GetText(), "17");

    recorder->codes.clear();
    Click(100, 2);
    Type("2.5e-3");
    Key(VK_ESCAPE);
    EXPECT_FALSE(EditShown());
    EXPECT_EQ(rows[2]->doubleValue, 0.0);
    EXPECT_TRUE(recorder->codes.empty());
    Click(100, 2);
    Type("2.5e-3");
    Click(10, 3);  // a click elsewhere commits too
    EXPECT_EQ(rows[2]->doubleValue, 0.0025);
    EXPECT_EQ(rows[2]->GetText(), "2.5e-3");
    // The second click on the row reported it as the previous selection, the commit again.
    EXPECT_EQ(recorder->codes, (std::vector<int>{2, 2}));
}

TEST_F(GridTest, LongTextsAreCutAt127Characters) {
    Click(100, 3);
    Type(std::string(300, 'x').c_str());
    Key(VK_RETURN);
    EXPECT_EQ(rows[3]->GetText(), std::string(127, 'x'));
}

TEST_F(GridTest, DropDownListsSetBooleanAndListRows) {
    ClickDropZone(0);
    ASSERT_TRUE(PopupShown());
    RECT r{};
    GetWindowRect(C().Popup().Handle(), &r);
    POINT corner{64, 19};
    ClientToScreen(C().Handle(), &corner);
    EXPECT_EQ(r.left, corner.x);
    EXPECT_EQ(r.top, corner.y);
    EXPECT_EQ(r.bottom - r.top, 30);
    Pick(0);
    EXPECT_FALSE(PopupShown());
    EXPECT_FALSE(rows[0]->booleanValue);
    EXPECT_EQ(rows[0]->GetText(), "False");
    EXPECT_EQ(recorder->codes, std::vector<int>{0});

    ClickDropZone(4);  // no choices: nothing opens
    EXPECT_FALSE(PopupShown());
    rows[4]->choices = {"Solid", "Dashed", "Dotted"};
    Click(10, 0);
    ClickDropZone(4);
    ASSERT_TRUE(PopupShown());
    GetWindowRect(C().Popup().Handle(), &r);
    EXPECT_EQ(r.bottom - r.top, 42);
    Pick(2);
    EXPECT_EQ(rows[4]->GetText(), "Dotted");
    EXPECT_EQ(recorder->codes.back(), 4);
}

TEST_F(GridTest, APopupThatLosesActivationHidesWithoutAPick) {
    ClickDropZone(0);
    ASSERT_TRUE(PopupShown());
    recorder->codes.clear();
    SendMessageA(C().Popup().Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_FALSE(PopupShown());
    EXPECT_TRUE(rows[0]->booleanValue);
    EXPECT_TRUE(recorder->codes.empty());
}

TEST_F(GridTest, ColourRowsAskTheColourChooser) {
    COLORREF offered = 0;
    bool confirm = false;
    Winplus::SetColorChooser([&](HWND owner, COLORREF& color) {
        EXPECT_EQ(owner, C().Handle());
        offered = color;
        color = RGB(10, 20, 30);
        return confirm;
    });
    rows[5]->SetColor(static_cast<int>(0xFF112233));
    ClickDropZone(5);  // cancelled
    EXPECT_EQ(offered, RGB(0x11, 0x22, 0x33));
    EXPECT_EQ(rows[5]->color, 0xFF112233u);
    EXPECT_TRUE(recorder->codes.empty());
    confirm = true;
    Click(10, 0);
    ClickDropZone(5);
    EXPECT_EQ(rows[5]->color, 0xFF0A141Eu);
    EXPECT_EQ(recorder->codes, (std::vector<int>{5, 0, 5}));
}

// Answers the system's colour chooser from a timer its message loop dispatches.
WPARAM colourAnswer = IDOK;
void CALLBACK AnswerChooser(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = GuiTest::VisibleDialog();
    if (!dialog) return;
    KillTimer(nullptr, timer);
    PostMessageA(dialog, WM_COMMAND, colourAnswer, 0);
}

TEST_F(GridTest, TheSystemColourChooserStartsAtTheRowsColour) {
    rows[5]->SetColor(static_cast<int>(0xFF112233));
    colourAnswer = IDCANCEL;
    SetTimer(nullptr, 0, 200, AnswerChooser);
    ClickDropZone(5);
    EXPECT_TRUE(recorder->codes.empty());
    colourAnswer = IDOK;
    SetTimer(nullptr, 0, 200, AnswerChooser);
    Click(10, 0);
    ClickDropZone(5);
    EXPECT_EQ(rows[5]->color, 0xFF112233u);  // confirmed as offered
    EXPECT_EQ(recorder->codes, (std::vector<int>{5, 0, 5}));
}

TEST_F(GridTest, MessageRowsActOnlyInTheDropZone) {
    Click(100, 6);
    EXPECT_TRUE(recorder->codes.empty());
    ClickDropZone(6);  // the previous selection, a message row, is not reported
    EXPECT_EQ(recorder->codes, std::vector<int>{6});
    Click(100, 7);  // headers do nothing
    EXPECT_EQ(recorder->codes, std::vector<int>{6});
}

TEST_F(GridTest, ANewRowSetClosesTheEditorAndDropsTheSelection) {
    Click(100, 3);
    Type("typed");
    ASSERT_TRUE(EditShown());
    grid->SetRows({Property::Create(Winplus::kStringRow, L"only")});
    EXPECT_FALSE(EditShown());
    EXPECT_EQ(C().Selected(), -1);
    Click(10, 0);
    EXPECT_TRUE(recorder->codes.empty());
    EXPECT_EQ(rows[3]->GetText(), "");
}

TEST_F(GridTest, ScrollsByBarAndWheel) {
    std::vector<Safe::XPtr<Property>> many;
    for (int i = 0; i < 25; ++i) many.push_back(Property::Create(Winplus::kDoubleRow, L"r"));
    grid->SetRows(many);
    EXPECT_EQ(C().ScrollBar().Maximum(), 15);
    EXPECT_TRUE(IsWindowEnabled(C().ScrollBar().Handle()));
    SendMessageA(C().Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(C().FirstVisible(), 15);
    SendMessageA(C().Handle(), WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(C().FirstVisible(), 13);
    SendMessageA(C().Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(C().FirstVisible(), 12);
    Click(100, 1);  // the second visible row is row 13
    Type("4");
    Key(VK_RETURN);
    EXPECT_EQ(many[13]->doubleValue, 4.0);
    grid->SetRows(rows);
    EXPECT_EQ(C().FirstVisible(), 0);
    EXPECT_FALSE(IsWindowEnabled(C().ScrollBar().Handle()));
}

TEST(PropertyPainting, RowsPaintTheirCells) {
    GuiTest::Canvas canvas(200, 19);
    Winplus::Graphics graphics(canvas.DC());
    const Winplus::GdipFont font = Winplus::MakeFont();
    auto row = Property::Create(Winplus::kColorRow, L"Colour");
    row->SetColor(static_cast<int>(0xFF00FF00));
    Winplus::PaintProperty(graphics.Get(), font.Get(), *row, {0, 0, 200, 18}, 64, 2);
    Gdiplus::DllExports::GdipFlush(graphics.Get(), Gdiplus::FlushIntentionSync);
    EXPECT_EQ(canvas.Pixel(40, 15), 0xBED2FFu);  // the name cell
    EXPECT_EQ(canvas.Pixel(0, 8), 0x141EC0u);    // the outline
    EXPECT_EQ(canvas.Pixel(70, 8), 0x00FF00u);   // the swatch
    EXPECT_EQ(canvas.Pixel(120, 8), 0xFFFFFFu);  // the value cell
    EXPECT_EQ(canvas.Pixel(188, 9), 0x141EC0u);  // a dot of the button
}

// Fonts and controls of grids are released with them: the edit's font is gone with its grid,
// and making and dropping grids leaves the process's GDI objects as they were (counted where
// the system counts them: Wine 8 answers 0).
TEST(PropertyGrid, LeavesNoGdiObjectsBehind) {
    GuiTest::Host host;
    auto make = [&] {
        Winplus::ControlProperty grid(host.Window());
        grid.Move(0, 0, 200, 100, true);
        grid.SetRows({Property::Create(1, L"a"), Property::Create(5, L"b")});
        UpdateWindow(host.Handle());
        return reinterpret_cast<HGDIOBJ>(
            SendMessageA(grid.Controller()->Edit().Handle(), WM_GETFONT, 0, 0));
    };
    HGDIOBJ font = make();
    ASSERT_TRUE(font);
    EXPECT_EQ(GetObjectType(font), 0u);
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 20; ++i) make();
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before);
}

}  // namespace
