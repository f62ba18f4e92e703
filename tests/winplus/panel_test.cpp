// Panels laid out, dragged and collapsed through their windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>

#include "foundation/text.h"
#include "tests/winplus/gui_test_support.h"
#include "winplus/panel.h"

namespace {

class TestLeaf : public Winplus::VLeaf {
public:
    TestLeaf(Winplus::Wnd parent, const wchar_t* caption) {
        SetController(Safe::MakeX<Winplus::LeafController>(caption));
        Winplus::CreatePanelWindow("TestLeafClass", parent, controller_);
        controller_->SetOrientation(0);  // stacked: resized in height
    }
};

RECT InParent(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int Height(const Safe::XPtr<Winplus::Panel>& panel) {
    const RECT r = InParent(panel->Controller()->Handle());
    return r.bottom - r.top;
}

// A column of three leaves, 300 pixels high, in a host window at a known screen place.
class ColumnTest : public testing::Test {
protected:
    void SetUp() override {
        SetWindowPos(host.Handle(), nullptr, 50, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        column = Safe::MakeX<Winplus::VPanel>(host.Window());
        const Winplus::Wnd parent(column->Controller()->Handle());
        for (const wchar_t* caption : {L"One", L"Two", L"Three"}) {
            leaves.push_back(Safe::MakeX<TestLeaf>(parent, caption));
            column->Add(leaves.back());
        }
        leaves[2]->Controller()->SetSplitterSize(false, 0);
        leaves[1]->Controller()->weight = 2.0;
        column->Move(0, 0, 200, 300, true);
    }
    // Drags the bottom splitter of a leaf by dy pixels. The messages carry their positions while
    // the pointer rests in the screen's corner, as when they queued up behind a long repaint.
    void Drag(int index, int dy) {
        HWND hwnd = leaves[index]->Controller()->Handle();
        RECT client{};
        GetClientRect(hwnd, &client);
        SetCursorPos(0, 0);
        SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, client.bottom - 2));
        SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, client.bottom - 2 + dy));
        SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(50, client.bottom - 2 + dy));
    }
    GuiTest::Host host{400, 400};
    Safe::XPtr<Winplus::PanelContainer> column;
    std::vector<Safe::XPtr<Winplus::Panel>> leaves;
};

TEST_F(ColumnTest, SharesTheHeightByWeight) {
    // Minimum extents 24, 24, 20 leave 232 free: 1 : 2 : 1 gives 58, 116, 58.
    EXPECT_EQ(Height(leaves[0]), 24 + 58);
    EXPECT_EQ(Height(leaves[1]), 24 + 116);
    EXPECT_EQ(Height(leaves[2]), 20 + 58);
    EXPECT_EQ(InParent(leaves[2]->Controller()->Handle()).top, 82 + 140);
}

TEST_F(ColumnTest, SplitterDragMovesTheSharedEdgeAndTheWeights) {
    Drag(0, 30);
    EXPECT_EQ(Height(leaves[0]), 112);
    EXPECT_EQ(Height(leaves[1]), 110);
    EXPECT_EQ(InParent(leaves[1]->Controller()->Handle()).top, 112);
    EXPECT_NEAR(leaves[0]->Controller()->weight, 112.0 / 82.0, 1e-12);
    EXPECT_NEAR(leaves[1]->Controller()->weight, 2.0 * 110.0 / 140.0, 1e-12);
    // The next layout keeps the change (weights scale whole sizes, the layout shares the free
    // length, so the proportions are kept only roughly).
    column->Move(0, 0, 200, 300, true);
    EXPECT_EQ(Height(leaves[0]), 24 + RoundToInt(232 * (112.0 / 82.0) /
                                                  (112.0 / 82.0 + 2.0 * 110.0 / 140.0 + 1.0)));
    EXPECT_LT(Height(leaves[1]), 140);
}

TEST_F(ColumnTest, NeighbourStopsAtItsMinimumExtent) {
    Drag(0, 500);
    EXPECT_EQ(Height(leaves[1]), 24);
    EXPECT_EQ(Height(leaves[0]), 82 + 116);
    EXPECT_GE(leaves[1]->Controller()->weight, 0.0);
}

TEST_F(ColumnTest, LastPanelGrowsAlone) {
    leaves[2]->Controller()->SetSplitterSize(true, 4);
    column->Move(0, 0, 200, 300, true);
    const int before = Height(leaves[1]);
    Drag(2, -20);
    EXPECT_EQ(Height(leaves[1]), before);
}

TEST_F(ColumnTest, CollapseKeepsTheCaptionOnly) {
    HWND hwnd = leaves[0]->Controller()->Handle();
    RECT client{};
    GetClientRect(hwnd, &client);
    // The collapse button: 15 x 15, 2 pixels from the right edge, 3 from the top.
    const LPARAM at = MAKELPARAM(client.right - 2 - 7, 3 + 7);
    SetCursorPos(0, 0);
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(hwnd, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(Height(leaves[0]), 20);
    EXPECT_FALSE(leaves[0]->Controller()->stretchable);
    // Expanding again gives the length back.
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(hwnd, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(Height(leaves[0]), 82);
}

TEST_F(ColumnTest, HiddenChildrenTakeNoRoom) {
    for (auto& leaf : leaves) leaf->Controller()->Show(false);
    column->Layout();
    leaves[1]->Controller()->Show(true);
    column->Layout();
    EXPECT_EQ(Height(leaves[1]), 300);
    EXPECT_EQ(InParent(leaves[1]->Controller()->Handle()).top, 0);
}

TEST_F(ColumnTest, NonStretchablePanelShowsTheArrowAndIsNotDragged) {
    auto& controller = *leaves[0]->Controller();
    controller.stretchable = false;
    column->Layout();
    RECT r{};
    GetWindowRect(controller.Handle(), &r);
    SetCursorPos(r.left + 50, r.bottom - 2);
    SendMessageA(controller.Handle(), WM_SETCURSOR, 0, 0);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
    controller.stretchable = true;
    SendMessageA(controller.Handle(), WM_SETCURSOR, 0, 0);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_SIZENS));
    controller.stretchable = false;
    const int before = Height(leaves[0]);
    Drag(0, 30);
    EXPECT_EQ(Height(leaves[0]), before);
}

TEST_F(ColumnTest, ZeroSizedContainerPlacesNothingNegative) {
    column->Move(0, 0, 0, 0, true);
    for (auto& leaf : leaves) {
        const RECT r = InParent(leaf->Controller()->Handle());
        EXPECT_GE(r.right - r.left, 0);
        EXPECT_GE(r.bottom - r.top, 0);
    }
}

TEST_F(ColumnTest, CaptionBandIsPainted) {
    HWND hwnd = leaves[0]->Controller()->Handle();
    GuiTest::Canvas canvas(200, 82);
    canvas.CopyWindow(hwnd);
    EXPECT_EQ(canvas.Pixel(0, 0), 0x404040u);    // top line starts dark grey
    EXPECT_EQ(canvas.Pixel(0, 40), 0x404040u);   // left line
    EXPECT_GT(canvas.Pixel(190, 0) & 0xFF, 0xE0u);  // and fades to white
    int dark = 0;  // the caption text "One"
    for (int y = 3; y < 17; ++y)
        for (int x = 2; x < 30; ++x) dark += (canvas.Pixel(x, y) & 0xFF) < 0x60;
    EXPECT_GT(dark, 10);
    int darkBelow = 0;  // nothing under the caption of an empty leaf
    for (int y = 24; y < 70; ++y)
        for (int x = 2; x < 190; ++x) darkBelow += (canvas.Pixel(x, y) & 0xFF) < 0x60;
    EXPECT_EQ(darkBelow, 0);
}

// Two columns side by side, as in the main window: the first one's splitter is its right edge.
// Each drag's messages carry their positions while the pointer rests in the screen's corner; the
// edge moves by exactly the distance they give, towards the column and away from it, also when
// the last move went to another window and only the release tells where the drag ended.
TEST(PanelDrag, ColumnEdgeMovesByTheDistanceTheMessagesGive) {
    GuiTest::Host host{400, 400};
    auto row = Safe::MakeX<Winplus::HPanel>(host.Window());
    std::vector<Safe::XPtr<Winplus::PanelContainer>> columns;
    for (int i = 0; i < 2; ++i) {
        columns.push_back(Safe::MakeX<Winplus::VPanel>(Winplus::Wnd(row->Controller()->Handle())));
        columns.back()->Controller()->SetSplitterSize(true, 4);
        row->Add(columns.back());
    }
    row->Move(0, 0, 300, 200, true);
    HWND first = columns[0]->Controller()->Handle();
    const auto width = [&](HWND hwnd) {
        const RECT r = InParent(hwnd);
        return r.right - r.left;
    };
    ASSERT_EQ(width(first), 150);
    const struct {
        int dx;
        bool moves;  // false: only the press and the release
        int expected;
    } drags[] = {{40, true, 190}, {-70, true, 120}, {25, false, 145}, {-5, false, 140}};
    for (const auto& drag : drags) {
        const int edge = width(first) - 2;
        SetCursorPos(0, 0);
        SendMessageA(first, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(edge, 100));
        if (drag.moves)
            SendMessageA(first, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(edge + drag.dx, 100));
        SendMessageA(first, WM_LBUTTONUP, 0, MAKELPARAM(edge + drag.dx, 100));
        EXPECT_EQ(width(first), drag.expected) << "dx " << drag.dx;
        EXPECT_EQ(width(columns[1]->Controller()->Handle()), 300 - drag.expected)
            << "dx " << drag.dx;
    }
}

struct LayoutRecorder {
    RECT last{-1, -1, -1, -1};
};

template <class Base>
struct RecordingController : Base {
    LayoutRecorder* out;
    explicit RecordingController(LayoutRecorder* recorder) : out(recorder) {}
    void Layout(int x, int y, int width, int height, bool) override {
        out->last = {x, y, width, height};
    }
};

TEST(PanelControllers, ContentIsPlacedUnderTheCaptionAndBesideTheSplitter) {
    GuiTest::Host host;
    LayoutRecorder recorder;
    auto leaf = Safe::MakeX<RecordingController<Winplus::LeafController>>(&recorder);
    Winplus::CreatePanelWindow("TestLeafClass", host.Window(), leaf);
    leaf->Move(0, 0, 200, 100, true);  // resized in width: splitter on the right
    EXPECT_EQ(recorder.last.left, 0);
    EXPECT_EQ(recorder.last.top, 20);
    EXPECT_EQ(recorder.last.right, 196);
    EXPECT_EQ(recorder.last.bottom, 80);
    leaf->SetOrientation(0);  // resized in height: splitter at the bottom
    leaf->Move(0, 0, 200, 100, true);
    EXPECT_EQ(recorder.last.right, 200);
    EXPECT_EQ(recorder.last.bottom, 76);
    EXPECT_EQ(leaf->GetMinExtent(), 24);

    auto area = Safe::MakeX<RecordingController<Winplus::AreaController>>(&recorder);
    Winplus::CreatePanelWindow("TestAreaClass", host.Window(), area);
    area->Move(5, 5, 150, 40, true);
    EXPECT_EQ(recorder.last.left, 0);
    EXPECT_EQ(recorder.last.top, 0);
    EXPECT_EQ(recorder.last.right, 150);
    EXPECT_EQ(recorder.last.bottom, 40);
    EXPECT_FALSE(area->stretchable);
    EXPECT_EQ(area->GetMinExtent(), 20);
}

}  // namespace
