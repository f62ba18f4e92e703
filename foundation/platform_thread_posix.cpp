// Threads and events from the standard library; without windows a notice goes nowhere.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "foundation/platform_thread_internal.h"

namespace Platform {

struct ManualResetEvent::State {
    std::mutex mutex;
    std::condition_variable changed;
    bool signalled = false;
};

ManualResetEvent::ManualResetEvent() {
    if (!CreationRefused(Resource::Event)) state_ = std::make_unique<State>();
}

ManualResetEvent::~ManualResetEvent() = default;

bool ManualResetEvent::IsValid() const {
    return state_ != nullptr;
}

void ManualResetEvent::Set() {
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->signalled = true;
    state_->changed.notify_all();
}

void ManualResetEvent::Reset() {
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->signalled = false;
}

bool ManualResetEvent::Wait() {
    std::unique_lock<std::mutex> lock(state_->mutex);
    state_->changed.wait(lock, [this] { return state_->signalled; });
    return true;
}

// The thread and an end flag that a timed wait can watch: std::thread has no timed join.
struct WorkerThread::State {
    std::thread thread;
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
};

WorkerThread::WorkerThread() = default;

WorkerThread::~WorkerThread() {
    if (state_ && state_->thread.joinable()) state_->thread.join();
}

bool WorkerThread::Start(std::function<void()> body) {
    if (state_ || CreationRefused(Resource::Thread)) return false;
    auto state = std::make_shared<State>();
    try {
        // The thread holds the state too, so that an abandoned thread still finds it.
        state->thread = std::thread([state, body = std::move(body)]() mutable {
            body();
            std::lock_guard<std::mutex> lock(state->mutex);
            state->done = true;
            state->ended.notify_all();
        });
    } catch (const std::system_error&) {
        return false;
    }
    state_ = std::move(state);
    return true;
}

bool WorkerThread::WaitFor(int milliseconds) {
    if (!state_) return true;
    {
        std::unique_lock<std::mutex> lock(state_->mutex);
        if (!state_->ended.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                    [this] { return state_->done; }))
            return false;
    }
    if (state_->thread.joinable()) state_->thread.join();
    return true;
}

void WorkerThread::Abandon() {
    if (state_ && state_->thread.joinable()) state_->thread.detach();
}

bool SendWindowNotice(void*, int) {
    return false;
}

}  // namespace Platform
