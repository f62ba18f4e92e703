// The fit driver with a real owner window and message loop (Windows only): the worker's
// WM_NOTIFY 1111 is replied to at once and handed to the driver, which wakes the next step.
#include <windows.h>

#include <gtest/gtest.h>

#include "fit_driver_support.h"
#include "foundation/text.h"

namespace {

namespace FitCore = Core::FitCore;

int stepsTaken = 0;
int foreignTaken = 0;
bool timedOut = false;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        const bool otherThread = InSendMessage();
        if (otherThread) ReplyMessage(1);
        if (FitCore::OnNotice(static_cast<int>(wParam), lParam)) {
            if (!otherThread) ++foreignTaken;
            ++stepsTaken;
        }
        return 1;
    }
    if (message == WM_TIMER) {
        timedOut = true;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

struct EndObserver : Winplus::EventObserver<FitEvent> {
    bool Notify(const FitEvent& code) override {
        if (code == FitEvent::kFitEnded) PostQuitMessage(0);
        return true;
    }
};

TEST(FitCoreWindowTest, AFitRunsThroughTheOwnerWindowsMessageLoop) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = OwnerProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "FitCoreOwnerTestClass";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "FitCoreOwnerTestClass", "fit owner", WS_OVERLAPPEDWINDOW, 0,
                                  0, 100, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);

    const test::Oscillators truth{{{{2.0, 300.0, 15.0}}, {{0.5, 480.0, 25.0}}}};
    const test::Oscillators start{{{{1.9, 297.0, 17.0}}, {{0.55, 485.0, 22.0}}}};
    test::PhononModel user{start};
    FitCore::Initialize();
    FitCore::CreateOptimizer(Safe::MakeX<Optimize::WindowStepSink>(window));
    FitCore::SetMathPath();
    FitCore::SetExperimentalData(truth.Sample(200.0, 600.0, 201));
    test::MarkPhononParameters();
    FitCore::SetMaxSteps(6);
    EventBus::Registration ended = FitCore::AddObserver(Safe::MakeX<EndObserver>());

    // Notices while no step runs, or with an lParam (a control's), are not steps.
    SendMessageA(window, WM_NOTIFY, Optimize::Optimizer::kNotifyCode, 0);
    FitCore::StartFit();
    SendMessageA(window, WM_NOTIFY, Optimize::Optimizer::kNotifyCode, 8);
    SetTimer(window, 1, 20000, nullptr);  // a hang fails instead of stalling
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    KillTimer(window, 1);
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(stepsTaken, 5);
    EXPECT_EQ(foreignTaken, 0);  // every step came from the worker's thread
    EXPECT_FALSE(FitCore::IsRunning());
    const double best = FitCore::GetMethod()->GetBestChi2();
    EXPECT_EQ(FitCore::GetStatusText(), "Best Chi2 = " + ToString(best));
    EXPECT_LT(best, 1e-3 * start.Chi2(*FitCore::GetTargetSpectrum()));
    DestroyWindow(window);
}

}  // namespace
