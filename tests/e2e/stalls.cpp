#include "stalls.h"

#include <windows.h>
// After windows.h, whose types it uses.
#include <tlhelp32.h>

#include <memory>
#include <random>
#include <vector>

namespace E2e {

namespace {

using Handle = std::unique_ptr<void, decltype(&CloseHandle)>;

// The threads of the processes whose file is named program, opened to be suspended; the program
// may have ended or started again since the last time, so they are looked up each time.
std::vector<Handle> ThreadsOf(const std::string& program) {
    std::vector<Handle> threads;
    const Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS | TH32CS_SNAPTHREAD, 0),
                          &CloseHandle);
    if (snapshot.get() == INVALID_HANDLE_VALUE) return threads;
    std::vector<DWORD> processes;
    PROCESSENTRY32 process{};
    process.dwSize = sizeof(process);
    for (BOOL more = Process32First(snapshot.get(), &process); more;
         more = Process32Next(snapshot.get(), &process))
        if (lstrcmpiA(process.szExeFile, program.c_str()) == 0)
            processes.push_back(process.th32ProcessID);
    THREADENTRY32 thread{};
    thread.dwSize = sizeof(thread);
    for (BOOL more = Thread32First(snapshot.get(), &thread); more;
         more = Thread32Next(snapshot.get(), &thread)) {
        for (const DWORD id : processes) {
            if (thread.th32OwnerProcessID != id) continue;
            if (HANDLE opened = OpenThread(THREAD_SUSPEND_RESUME, FALSE, thread.th32ThreadID))
                threads.emplace_back(opened, &CloseHandle);
        }
    }
    return threads;
}

}  // namespace

Stalls::Stalls(std::string program) : program_(std::move(program)), thread_([this] { Run(); }) {}

Stalls::~Stalls() {
    stop_ = true;
    thread_.join();
}

void Stalls::Run() {
    std::mt19937 random(GetTickCount() ^ GetCurrentProcessId());
    std::uniform_int_distribution<DWORD> stall(10, 90), run(0, 60);
    while (!stop_) {
        std::vector<Handle> threads = ThreadsOf(program_);
        // Each suspended thread is resumed, whatever happens in between.
        std::vector<HANDLE> suspended;
        for (const Handle& thread : threads)
            if (SuspendThread(thread.get()) != static_cast<DWORD>(-1))
                suspended.push_back(thread.get());
        Sleep(stall(random));
        for (HANDLE thread : suspended) ResumeThread(thread);
        Sleep(run(random));
    }
}

}  // namespace E2e
