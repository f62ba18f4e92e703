// The worker's step hand-shake, run natively (and under ThreadSanitizer): the sink stands for
// the owner window and plays the interface thread's part.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>

#include "fit/optimizer.h"
#include "fit_support.h"
#include "foundation/exception.h"

namespace {

using Clock = std::chrono::steady_clock;
using Optimize::Optimizer;

// Records each notice and lets the test wait for the next one.
class RecordingSink : public Optimize::StepSink {
public:
    void StepDone(int code) override {
        std::lock_guard<std::mutex> lock(mutex_);
        codes_.push_back(code);
        changed_.notify_all();
    }
    // Waits until count notices have come; false after the time-out.
    bool WaitFor(std::size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return codes_.size() >= count; });
    }
    std::vector<int> Codes() {
        std::lock_guard<std::mutex> lock(mutex_);
        return codes_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<int> codes_;
};

// A job that counts its steps; it may throw, or wait at a gate the test opens.
class CountingJob : public Optimize::OptimizationMethod {
public:
    void Initialize() override { failed = false; }
    void Iterate() override {
        {
            std::unique_lock<std::mutex> lock(mutex);
            entered = true;
            changed.notify_all();
            changed.wait(lock, [this] { return open; });
        }
        ++steps;
        if (throwing) throw std::runtime_error("step failed");
    }
    void Finish() override {}
    void Open() {
        std::lock_guard<std::mutex> lock(mutex);
        open = true;
        changed.notify_all();
    }
    bool WaitEntered() {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(20), [this] { return entered; });
    }

    int steps = 0;  // read by the test between a notice and the next wake only
    bool throwing = false;
    std::mutex mutex;
    std::condition_variable changed;
    bool entered = false;
    bool open = true;
};

// A worker whose first step is under way and held at the job's gate.
Safe::XPtr<Optimizer> StartHeldStep(const Safe::XPtr<RecordingSink>& sink,
                                    const Safe::XPtr<CountingJob>& job) {
    job->open = false;
    auto worker = Safe::MakeX<Optimizer>(sink);
    worker->SetJob(job);
    worker->Wake();
    EXPECT_TRUE(job->WaitEntered());
    return worker;
}

TEST(OptimizerTest, EachWakeRunsOneStepAndNotifies) {
    auto sink = Safe::MakeX<RecordingSink>();
    auto job = Safe::MakeX<CountingJob>();
    auto worker = Safe::MakeX<Optimizer>(sink);
    worker->SetJob(job);
    EXPECT_EQ(worker->GetJob(), job.Get());
    for (int step = 1; step <= 5; ++step) {
        worker->Wake();
        ASSERT_TRUE(sink->WaitFor(static_cast<std::size_t>(step)));
        EXPECT_EQ(job->steps, step);  // the worker now waits: the job is ours to read
    }
    EXPECT_EQ(sink->Codes(), std::vector<int>(5, Optimizer::kNotifyCode));
}

// The event is reset before each step: wakes that come while a step runs add one step, however
// many they are.
TEST(OptimizerTest, WakesDuringAStepRunOneMoreStep) {
    auto sink = Safe::MakeX<RecordingSink>();
    auto job = Safe::MakeX<CountingJob>();
    auto worker = StartHeldStep(sink, job);
    worker->Wake();
    worker->Wake();
    job->Open();
    ASSERT_TRUE(sink->WaitFor(2));
    EXPECT_FALSE(sink->WaitFor(3, std::chrono::milliseconds(200)));
    EXPECT_EQ(job->steps, 2);
}

// The fit itself on the worker: the same steps as on the calling thread.
TEST(OptimizerTest, FitsOnTheWorkerThread) {
    test::FormulaModel model("f(x,a,b)=a*Exp(-b*x)", {{"a", 1.0}, {"b", 0.5}});
    const std::vector<double> xs{0, 1, 2, 3, 4};
    test::FormulaModel truth("f(x,a,b)=a*Exp(-b*x)", {{"a", 3.0}, {"b", 0.7}});
    Spectrum::Ptr target = truth.Sample(xs);
    auto method = model.Method(target, {"a", "b"});
    auto sink = Safe::MakeX<RecordingSink>();
    {
        auto worker = Safe::MakeX<Optimizer>(sink);
        worker->SetJob(method);
        for (std::size_t step = 1; step <= 30 && !method->failed; ++step) {
            worker->Wake();
            ASSERT_TRUE(sink->WaitFor(step));
        }
    }
    method->Finish();
    EXPECT_FALSE(method->failed);
    EXPECT_NEAR(model.Value("a"), 3.0, 1e-8);
    EXPECT_NEAR(model.Value("b"), 0.7, 1e-8);
}

TEST(OptimizerTest, StepThatThrowsFailsTheFitAndStillNotifies) {
    auto sink = Safe::MakeX<RecordingSink>();
    auto job = Safe::MakeX<CountingJob>();
    job->Initialize();
    job->throwing = true;
    auto worker = Safe::MakeX<Optimizer>(sink);
    worker->SetJob(job);
    worker->Wake();
    ASSERT_TRUE(sink->WaitFor(1));
    EXPECT_TRUE(job->failed);
    EXPECT_EQ(job->steps, 1);
}

TEST(OptimizerTest, IdleWorkerEndsPromptly) {
    auto sink = Safe::MakeX<RecordingSink>();
    const auto start = Clock::now();
    { auto worker = Safe::MakeX<Optimizer>(sink); }
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1000));
    EXPECT_TRUE(sink->Codes().empty());  // a kill runs no step
}

// A worker killed in a step finishes it and its notice; past the time-out its state is kept
// for it rather than freed under it.
TEST(OptimizerTest, KillWaitsForTheStepAndLeavesALateStepItsState) {
    auto sink = Safe::MakeX<RecordingSink>();
    auto job = Safe::MakeX<CountingJob>();
    auto worker = StartHeldStep(sink, job);
    const auto start = Clock::now();
    worker = nullptr;  // the step is still held at the gate
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(Optimizer::kKillTimeoutMs));
    job->Open();
    ASSERT_TRUE(sink->WaitFor(1));
    EXPECT_EQ(job->steps, 1);

    auto second = Safe::MakeX<CountingJob>();
    auto other = StartHeldStep(sink, second);
    second->Open();
    EXPECT_TRUE(other->Kill());  // ends after its step
    EXPECT_TRUE(sink->WaitFor(2));
    EXPECT_EQ(second->steps, 1);
}

TEST(OptimizerTest, CreationFailuresThrow) {
    auto sink = Safe::MakeX<RecordingSink>();
    for (auto refused : {Platform::Resource::Thread, Platform::Resource::Event}) {
        Platform::SetCreationRefusal([refused](Platform::Resource r) { return r == refused; });
        try {
            Optimizer worker(sink);
            ADD_FAILURE() << "no exception";
        } catch (const Winplus::Exception& e) {
            EXPECT_EQ(e.GetMessage(), refused == Platform::Resource::Thread
                                          ? "Unable to create the fit worker thread."
                                          : "Unable to create the event of the fit worker.");
        }
    }
    Platform::SetCreationRefusal(nullptr);
}

}  // namespace
