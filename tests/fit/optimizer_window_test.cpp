// The step hand-shake with a real owner window and message loop (Windows only): the worker
// sends WM_NOTIFY 1111, the window replies at once and wakes the worker for the next step.
#include <windows.h>

#include <gtest/gtest.h>

#include "fit/optimizer.h"

namespace {

constexpr int kSteps = 5;

class StepJob : public Optimize::OptimizationMethod {
public:
    void Initialize() override {}
    void Iterate() override { ++steps; }
    void Finish() override {}
    int steps = 0;
};

struct OwnerState {
    Optimize::Optimizer* worker = nullptr;
    StepJob* job = nullptr;
    int notices = 0;
    int otherNotices = 0;
    bool allFromWorker = true;
    std::vector<int> stepsSeen;
    bool timedOut = false;
};
OwnerState* owner = nullptr;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        // Reply first so that the worker goes back to its wait before the step is handled.
        if (InSendMessage())
            ReplyMessage(1);
        else
            owner->allFromWorker = false;
        if (wParam != static_cast<WPARAM>(Optimize::Optimizer::kNotifyCode) || lParam != 0) {
            ++owner->otherNotices;
            return 1;
        }
        ++owner->notices;
        owner->stepsSeen.push_back(owner->job->steps);
        if (owner->notices < kSteps)
            owner->worker->Wake();
        else
            PostQuitMessage(0);
        return 1;
    }
    if (message == WM_TIMER) {
        owner->timedOut = true;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateOwner() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = OwnerProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "FitOwnerTestClass";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, "FitOwnerTestClass", "fit owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

TEST(OptimizerWindowTest, StepsHandShakeThroughTheOwnerWindow) {
    OwnerState state;
    owner = &state;
    HWND window = CreateOwner();
    ASSERT_NE(window, nullptr);
    auto job = Safe::MakeX<StepJob>();
    auto worker = Safe::MakeX<Optimize::Optimizer>(Safe::MakeX<Optimize::WindowStepSink>(window));
    worker->SetJob(job);
    state.worker = worker.Get();
    state.job = job.Get();

    // A notice with another code is only replied to.
    SendMessageA(window, WM_NOTIFY, 7, 0);
    state.allFromWorker = true;
    SetTimer(window, 1, 20000, nullptr);  // a hang fails instead of stalling
    worker->Wake();
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    KillTimer(window, 1);
    EXPECT_FALSE(state.timedOut);
    EXPECT_EQ(state.notices, kSteps);
    EXPECT_EQ(state.otherNotices, 1);
    EXPECT_TRUE(state.allFromWorker);
    EXPECT_EQ(state.stepsSeen, (std::vector<int>{1, 2, 3, 4, 5}));

    // Without its owner window the worker still steps and waits again.
    DestroyWindow(window);
    worker->Wake();
    for (int i = 0; i < 200 && job->steps < kSteps + 1; ++i) Sleep(10);
    EXPECT_TRUE(worker->Kill());
    EXPECT_EQ(job->steps, kSteps + 1);
    owner = nullptr;
}

}  // namespace
