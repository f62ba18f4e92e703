#pragma once
// Threads kept for the length of a fit that help the calling thread with its shared work: a job
// runs work(0) on the calling thread and work(l) on each helper l that takes it up before the
// calling thread has done its own part. A helper that wakes later leaves the job alone, so a
// loaded machine never holds the caller up for a thread that has not started: the work hands out
// its parts as it goes (atomic counters), and what no helper took the caller does itself.
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace Optimize {

class HelperThreads {
public:
    // Starts up to helpers threads (fewer when the system refuses more).
    explicit HelperThreads(std::size_t helpers);
    ~HelperThreads();
    HelperThreads(const HelperThreads&) = delete;
    HelperThreads& operator=(const HelperThreads&) = delete;

    // Runs work(l) for l = 0 on this thread and for the helpers 1 .. lanes - 1 that take the job
    // up in time; returns when every one that did has finished, then rethrows what one threw.
    void Run(std::size_t lanes, const std::function<void(std::size_t)>& work);

private:
    void Help(std::size_t lane);

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    const std::function<void(std::size_t)>* work_ = nullptr;
    std::size_t lanes_ = 0;
    unsigned long job_ = 0;
    bool open_ = false;  // the current job still takes helpers
    bool stop_ = false;
    std::size_t running_ = 0;
    std::vector<std::exception_ptr> errors_;
    std::vector<std::thread> threads_;
};

}  // namespace Optimize
