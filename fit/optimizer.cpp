#include "fit/optimizer.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "foundation/exception.h"

namespace Optimize {

// What the thread touches: the only state shared by the two threads.
struct Optimizer::Worker {
    Platform::ManualResetEvent wake;
    std::atomic<bool> dying{false};
    Safe::XPtr<OptimizationMethod> job;
    Safe::XPtr<StepSink> sink;

    void Run() {
        while (wake.Wait()) {
            if (dying.load()) return;
            // Reset before the step: exactly one step per wake.
            wake.Reset();
            if (job) {
                try {
                    job->Iterate();
                } catch (...) {
                    // The owner reads the failure from the method, as for a failed solve.
                    job->failed = true;
                }
            }
            try {
                sink->StepDone(kNotifyCode);
            } catch (...) {
                // Nothing on this thread could report it; the owner sees no notice.
            }
        }
    }
};

namespace {
// Workers whose thread outlived the time-out: never freed, and still reachable.
void KeepForever(void* worker) {
    static std::mutex mutex;
    static auto* kept = new std::vector<void*>();
    std::lock_guard<std::mutex> lock(mutex);
    kept->push_back(worker);
}
}  // namespace

Optimizer::Optimizer(const Safe::XPtr<StepSink>& sink) {
    auto worker = std::make_unique<Worker>();
    if (!worker->wake.IsValid())
        throw Winplus::Exception("Unable to create the event of the fit worker.");
    worker->sink = sink;
    Worker* running = worker.get();
    if (!thread_.Start([running] { running->Run(); }))
        throw Winplus::Exception("Unable to create the fit worker thread.");
    worker_ = worker.release();
}

Optimizer::~Optimizer() {
    if (Kill()) {
        delete worker_;
        return;
    }
    thread_.Abandon();
    KeepForever(worker_);
}

void Optimizer::SetJob(const Safe::XPtr<OptimizationMethod>& job) {
    worker_->job = job;
}

OptimizationMethod* Optimizer::GetJob() const {
    return worker_->job.Get();
}

void Optimizer::Wake() {
    worker_->wake.Set();
}

bool Optimizer::Kill() {
    worker_->dying.store(true);
    worker_->wake.Set();
    return thread_.WaitFor(kKillTimeoutMs);
}

}  // namespace Optimize
