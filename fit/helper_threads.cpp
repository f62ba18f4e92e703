#include "fit/helper_threads.h"

#include <system_error>

namespace Optimize {

HelperThreads::HelperThreads(std::size_t helpers) {
    for (std::size_t k = 0; k < helpers; ++k) {
        try {
            threads_.emplace_back(&HelperThreads::Help, this, k + 1);
        } catch (const std::system_error&) {
            break;  // the work is shared out as it goes: fewer helpers take less of it
        }
    }
}

HelperThreads::~HelperThreads() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    for (std::thread& thread : threads_) thread.join();
}

void HelperThreads::Run(std::size_t lanes, const std::function<void(std::size_t)>& work) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        work_ = &work;
        lanes_ = lanes;
        ++job_;
        open_ = true;
        errors_.assign(lanes, nullptr);
    }
    if (lanes > 1) wake_.notify_all();
    std::exception_ptr error;
    try {
        work(0);
    } catch (...) {
        error = std::current_exception();
    }
    std::unique_lock<std::mutex> lock(mutex_);
    open_ = false;
    done_.wait(lock, [this] { return running_ == 0; });
    work_ = nullptr;
    for (const std::exception_ptr& thrown : errors_)
        if (!error && thrown) error = thrown;
    lock.unlock();
    if (error) std::rethrow_exception(error);
}

void HelperThreads::Help(std::size_t lane) {
    unsigned long seen = 0;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return stop_ || job_ != seen; });
        if (stop_) return;
        seen = job_;
        if (!open_ || lane >= lanes_) continue;
        ++running_;
        const std::function<void(std::size_t)>& work = *work_;
        lock.unlock();
        std::exception_ptr error;
        try {
            work(lane);
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        if (error) errors_[lane] = error;
        if (--running_ == 0) done_.notify_all();
    }
}

}  // namespace Optimize
