#pragma once
// Stalls of the program under test at random, standing in for a loaded machine: a step that acts
// on what the program has not opened yet then fails often instead of once in a while.
#include <atomic>
#include <string>
#include <thread>

namespace E2e {

class Stalls {
public:
    // While it lives, every thread of each running process whose file is named program (say
    // "Sorix.exe") is suspended for 10 to 90 ms, then resumed for 0 to 60 ms, again and again.
    explicit Stalls(std::string program);
    ~Stalls();
    Stalls(const Stalls&) = delete;
    Stalls& operator=(const Stalls&) = delete;

private:
    void Run();

    std::string program_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace E2e
