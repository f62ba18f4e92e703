// The Modify panel in a window under Wine: its mouse, its bars per mode, its drawing, and a
// whole fit with the panel as the worker's owner.
#include <gtest/gtest.h>

#include <array>

#include "app/views/mode_tools.h"
#include "app/views/modify_panel.h"
#include "foundation/text.h"
#include "model/current.h"
#include "modes/adjust_core.h"
#include "modes/view_modes.h"
#include "tests/modes/fit_driver_support.h"
#include "tests/modes/mode_bar_support.h"
#include "tests/modes/mode_support.h"
#include "tests/plot/plot_support.h"
#include "tests/winplus/gui_test_support.h"

namespace {

using Core::ModeBar;
using Core::ViewModeState;

// The panel in a 500 x 350 area, stacked in a column as the view panel has it.
struct ModifyWindow {
    ModifyWindow() {
        leaf->Controller()->SetOrientation(0);
        leaf->Move(0, 0, 500, 350, true);
        GuiTest::Pump();
    }
    Core::ModifyController& Panel() const {
        return static_cast<Core::ModifyController&>(*leaf->Controller());
    }
    // The cursor goes there first: the leaf reads it for its splitter.
    void Send(UINT message, int x, int y, WPARAM keys = 0) const {
        POINT screen{x, y};
        ClientToScreen(Panel().Handle(), &screen);
        SetCursorPos(screen.x, screen.y);
        SendMessageA(Panel().Handle(), message, keys, MAKELPARAM(x, y));
    }
    // A press at from, a move to to, a release there (the cursor over from first).
    void Drag(POINT from, POINT to) const {
        Send(WM_MOUSEMOVE, from.x, from.y);
        Send(WM_LBUTTONDOWN, from.x, from.y, MK_LBUTTON);
        Send(WM_MOUSEMOVE, to.x, to.y, MK_LBUTTON);
        Send(WM_LBUTTONUP, to.x, to.y);
    }
    std::vector<ModeBar> Shown() const {
        std::vector<ModeBar> shown;
        for (ModeBar bar : {ModeBar::kBuilder, ModeBar::kAnchor, ModeBar::kAdjust, ModeBar::kFit})
            if (IsWindowVisible(Panel().BarOf(bar)->Handle())) shown.push_back(bar);
        return shown;
    }

    // The tool cores the panel hands the mouse to, installed as the start-up does.
    bool tools = (Core::InstallModeTools(), true);
    GuiTest::Host host{600, 400};
    Safe::XPtr<Core::ModifyLeaf> leaf = Safe::MakeX<Core::ModifyLeaf>(host.Window());
};

// Where a window sits in its parent's client area.
RECT PlaceOf(HWND window) {
    RECT place{};
    GetWindowRect(window, &place);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

bool AxisToolsHaveTheMouse() {
    return Winplus::AxisBar::GetMode() != Winplus::AxisBar::kNone;
}

TEST(ModifyPanelTest, MouseGoesToTheAxisToolsOrTheToolOfTheMode) {
    ModeTest::PhononModel();  // p1 is the current node
    Core::FitCore::Initialize();
    ModifyWindow w;
    std::vector<std::array<int, 3>> actions;
    const auto heard = Winplus::AxisBar::AddObserver(MakeObserver<AxisEvent>([&](AxisEvent code) {
        if (code == AxisEvent::kAxisActionChanged)
            actions.push_back({Winplus::AxisBar::MouseAction(), Winplus::AxisBar::MouseDeltaX(),
                               Winplus::AxisBar::MouseDeltaY()});
    }));
    int parametersChanged = 0;
    const auto model = Core::MenuCore::AddObserver(MakeObserver<ModelEvent>(
        [&](ModelEvent code) { parametersChanged += code == ModelEvent::kParametersChanged; }));
    EXPECT_TRUE(w.Shown().empty());
    ViewModeState::SetMode(Core::kAdjustMode);
    EXPECT_EQ(w.Shown(), std::vector{ModeBar::kAdjust});
    const RECT axis = PlaceOf(w.Panel().AxisTools()->Handle());
    const RECT bar = PlaceOf(w.Panel().BarOf(ModeBar::kAdjust)->Handle());
    EXPECT_EQ((std::array{axis.left, axis.top, bar.left, bar.top, bar.bottom - bar.top}),
              (std::array<LONG, 5>{477, 24, 477, 91, 50}));

    // Actions with their pixel deltas, y counted upwards; none from the caption strip or the
    // bottom band.
    w.Send(WM_MOUSEMOVE, 200, 150);
    actions.clear();
    w.Send(WM_LBUTTONDOWN, 200, 10, MK_LBUTTON);
    w.Send(WM_RBUTTONDOWN, 200, 346);
    w.Drag({200, 150}, {210, 140});
    w.Send(WM_RBUTTONDOWN, 210, 140);
    EXPECT_EQ(actions, (std::vector<std::array<int, 3>>{
                           {3, 0, 0}, {0, 0, 0}, {3, 10, 10}, {1, 0, 0}, {2, 0, 0}}));

    // A zoom while the axis tools have the mouse.
    Winplus::AxisBar::SetMode(Winplus::AxisBar::kZoom);
    const Winplus::LayerCurve::Ptr user = ViewModeState::GetUserCurves();
    const Winplus::Rect all = user->GetLimits();
    w.Drag({150, 100}, {300, 200});
    EXPECT_NE(user->GetLimits(), all);
    w.Panel().ExecuteAxisCommand(Winplus::AxisBar::kPreviousLimits);
    EXPECT_EQ(user->GetLimits(), all);

    // "Enable anchors": the press moves p1's top to the cursor, the axes stay; the drag's end
    // tells that parameters changed, also without UpdateView.
    ModeTest::ClickButton(w.Panel().BarOf(ModeBar::kAdjust)->Handle(), 1);
    EXPECT_FALSE(AxisToolsHaveTheMouse());
    Core::AdjustCore::Tool().updateView = false;
    w.Drag({150, 100}, {300, 200});
    EXPECT_EQ(user->GetLimits(), all);
    EXPECT_NEAR(ModeTest::Value(ModeTest::Find("p1"), "w"), user->GetFrame()->PixelToX(150), 1e-9);
    EXPECT_EQ(parametersChanged, 1);
    // A drag whose button-up goes elsewhere ends when the panel loses the mouse.
    w.Send(WM_MOUSEMOVE, 150, 100);
    w.Send(WM_LBUTTONDOWN, 150, 100, MK_LBUTTON);
    w.Send(WM_MOUSEMOVE, 160, 100, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), w.Panel().Handle());
    SetCapture(w.host.Handle());
    ReleaseCapture();
    EXPECT_EQ(parametersChanged, 2);

    // The Fit mode always keeps the mouse from the axis tools; mode 0 gives it back.
    ViewModeState::SetMode(Core::kFitMode);
    EXPECT_EQ(w.Shown(), std::vector{ModeBar::kFit});
    EXPECT_FALSE(AxisToolsHaveTheMouse());
    const Winplus::Rect fitLimits = ViewModeState::GetUserCurves()->GetLimits();
    w.Drag({150, 100}, {300, 200});
    EXPECT_EQ(ViewModeState::GetUserCurves()->GetLimits(), fitLimits);
    ViewModeState::SetMode(Core::kViewMode);
    EXPECT_EQ(Winplus::AxisBar::GetMode(), Winplus::AxisBar::kZoom);
    EXPECT_TRUE(w.Shown().empty());
    // Back in Adjust with its tool on, the tool has the mouse again.
    ViewModeState::SetMode(Core::kAdjustMode);
    EXPECT_FALSE(AxisToolsHaveTheMouse());
}

TEST(ModifyPanelTest, DrawsTheUserCurvesWithTheToolLayerInTheirFrame) {
    ModifyWindow w;
    const Winplus::LayerCurve::Ptr user = Core::AdjustCore::Tool().GetUserCurves();
    const Winplus::LayerCurve::Ptr tool = Core::AdjustCore::Tool().GetDynamicLayer();
    user->AddFileCurve(PlotTest::RedDiagonal());
    user->SetLimits({0.0, 0.0, 1000.0, 2.0});
    // In the tool layer the diagonal turned upside down: (100, 0.9) to (900, 0.1).
    const Winplus::FileCurve::Ptr falling = PlotTest::RedDiagonal();
    for (int i = 0; i < 9; ++i) falling->GetData()->SetPoint(i, 100.0 * (i + 1), 0.9 - 0.1 * i, 0);
    tool->AddFileCurve(falling);
    ViewModeState::SetMode(Core::kAdjustMode);
    GuiTest::Pump();
    GuiTest::Canvas shown(500, 350);
    shown.CopyWindow(w.Panel().Handle());
    const Winplus::Frame& frame = *user->GetFrame();
    EXPECT_EQ(frame.PlotArea().y, 21 + 8);
    for (double v : {300.0, 600.0}) {
        const int x = frame.XToPixel(v);
        EXPECT_TRUE(PlotTest::IsRed(shown.Pixel(x, frame.YToPixel(v / 1000)))) << v;
        EXPECT_TRUE(PlotTest::IsRed(shown.Pixel(x, frame.YToPixel(1.0 - v / 1000)))) << v;
        EXPECT_FALSE(PlotTest::IsRed(shown.Pixel(x, frame.YToPixel(1.5)))) << v;
    }
}

// Messages until done, 30 s at most; the worker's notices arrive meanwhile.
template <class Done>
bool RunUntil(Done done) {
    const ULONGLONG end = GetTickCount64() + 30000;
    while (!done() && GetTickCount64() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        GuiTest::Pump();
    }
    return done();
}

TEST(ModifyPanelTest, RunsAFitFromItsBarAsTheWorkersOwner) {
    namespace FitCore = Core::FitCore;
    const test::Oscillators truth{{{{2.0, 300.0, 15.0}}, {{0.5, 480.0, 25.0}}}};
    test::PhononModel user{test::Oscillators{{{{1.9, 297.0, 17.0}}, {{0.55, 485.0, 22.0}}}}};
    FitCore::Initialize();
    ModifyWindow w;  // the worker tells this window its steps
    FitCore::SetMathPath();
    FitCore::SetExperimentalData(truth.Sample(200.0, 600.0, 201));
    test::MarkPhononParameters();
    FitCore::SetMaxSteps(24);
    ViewModeState::SetMode(Core::kFitMode);
    const Core::ModeToolBar& bar = *w.Panel().BarOf(ModeBar::kFit);
    const auto buttons = [&] {
        return std::array{bar.GetButtonState(170), bar.GetButtonState(171),
                          bar.GetButtonState(172)};
    };
    constexpr int kNormal = Winplus::kNormal, kOff = Winplus::kDisabled;
    EXPECT_EQ(buttons(), (std::array{kNormal, kOff, kOff}));

    // Stop is clicked while the third step's status shows. Waiting for that step and clicking
    // afterwards could come too late: the worker's notices of all the other steps may be
    // handled in one pass of the message loop, and the fit be over by then.
    struct StopAtThirdStep : Winplus::EventObserver<FitEvent> {
        explicit StopAtThirdStep(HWND fitBar) : bar(fitBar) {}
        bool Notify(const FitEvent& code) override {
            if (code == FitEvent::kFitStatusChanged && FitCore::IsRunning() &&
                FitCore::GetStep() == 3 && !clicked) {
                clicked = true;
                ModeTest::ClickButton(bar, 1);
            }
            return true;
        }
        HWND bar;
        bool clicked = false;
    };
    const auto stopper = Safe::MakeX<StopAtThirdStep>(bar.Handle());
    const EventBus::Registration stopping = FitCore::AddObserver(stopper);
    ModeTest::ClickButton(bar.Handle(), 0);
    EXPECT_EQ(FitCore::GetStatusText().rfind("Step = 1 Chi2 = ", 0), 0u);
    EXPECT_EQ(buttons(), (std::array{kOff, kNormal, kOff}));
    ASSERT_TRUE(RunUntil([] { return !FitCore::IsRunning(); }));
    EXPECT_TRUE(stopper->clicked);
    EXPECT_EQ(FitCore::GetStatusText().rfind("Optimization  interrupted ! - Best Chi2 = ", 0), 0u);
    EXPECT_EQ(buttons(), (std::array{kNormal, kOff, kNormal}));

    ModeTest::ClickButton(bar.Handle(), 0);
    ASSERT_TRUE(RunUntil([] { return !FitCore::IsRunning(); }));
    EXPECT_EQ(FitCore::GetStatusText(),
              "Best Chi2 = " + ToString(FitCore::GetMethod()->GetBestChi2()));
    ModeTest::ClickButton(bar.Handle(), 2);
    EXPECT_EQ(buttons(), (std::array{kNormal, kOff, kOff}));
    // The cursor over the bar gives it the mouse; hidden, the bar lets it go.
    SendMessageA(bar.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(11, 17));
    EXPECT_EQ(GetCapture(), bar.Handle());
    ViewModeState::SetMode(Core::kAdjustMode);
    EXPECT_EQ(GetCapture(), nullptr);
    for (int i = 0; i < 2; ++i) {
        const std::array<double, 3> fitted = test::PhononModel::Values(user.model, i);
        for (int p = 0; p < 3; ++p)
            EXPECT_NEAR(fitted[p], truth.terms[i][p], 1e-4 * truth.terms[i][p]) << i << p;
    }
}

}  // namespace
