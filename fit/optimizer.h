#pragma once
// The fit worker: a thread that sleeps on a manual-reset event, runs one step of its job per
// wake and then tells its owner through a step sink, synchronously, before it sleeps again.
#include "fit/least_squares.h"
#include "foundation/platform_thread.h"

namespace Optimize {

// Called on the worker thread after each step; returns once the owner has taken the notice.
class StepSink : public Safe::Countable {
public:
    virtual void StepDone(int code) = 0;
};

// The notice as WM_NOTIFY (wParam the code, lParam 0) sent to the owner window.
class WindowStepSink : public StepSink {
public:
    explicit WindowStepSink(void* owner) : owner_(owner) {}
    // A window that no longer exists is not told.
    void StepDone(int code) override { Platform::SendWindowNotice(owner_, code); }

private:
    void* owner_;
};

class Optimizer : public Safe::Countable {
public:
    static constexpr int kNotifyCode = 1111;
    static constexpr int kKillTimeoutMs = 2000;

    // Throws Winplus::Exception when the thread or its event cannot be created.
    explicit Optimizer(const Safe::XPtr<StepSink>& sink);
    // Kills the thread; one still inside a step after the time-out keeps its state (leaked)
    // rather than have it freed under it.
    ~Optimizer() override;
    Optimizer(const Optimizer&) = delete;
    Optimizer& operator=(const Optimizer&) = delete;

    // Only while the worker waits: before the first wake or between a notice and the next wake.
    void SetJob(const Safe::XPtr<OptimizationMethod>& job);
    OptimizationMethod* GetJob() const;
    // The worker runs one step; a wake during a step lets the next step follow at once.
    void Wake();
    // A waiting worker ends at once, a stepping one after its step and notice. True when the
    // thread ended within the time-out.
    bool Kill();

private:
    struct Worker;
    Worker* worker_ = nullptr;  // owned, unless the thread outlived the time-out
    Platform::WorkerThread thread_;
};

}  // namespace Optimize
