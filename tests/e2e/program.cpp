#include "program.h"

#include <psapi.h>
#include <winternl.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/shell/diagnostics.h"
#include "scenario.h"

namespace E2e {

namespace {

bool OfProcess(HWND window, DWORD id) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return owner == id;
}

struct WindowSearch {
    DWORD process;
    const char* className;  // null: any
    std::vector<HWND> found;
};

// The program's visible top-level windows of the class.
std::vector<HWND> TopWindows(DWORD process, const char* className) {
    WindowSearch search{process, className, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<WindowSearch*>(data);
            if (OfProcess(window, s->process) && IsWindowVisible(window) &&
                (!s->className || ClassOf(window) == s->className))
                s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Every window of the process: top-level ones and their descendants.
unsigned CountWindows(DWORD process) {
    struct Count {
        DWORD process;
        unsigned count;
    } count{process, 0};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* c = reinterpret_cast<Count*>(data);
            if (!OfProcess(window, c->process)) return TRUE;
            ++c->count;
            EnumChildWindows(
                window,
                [](HWND, LPARAM inner) -> BOOL {
                    ++*reinterpret_cast<unsigned*>(inner);
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&c->count));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.count;
}

// The live entries of the process's GDI handle table, which the PEB points at (offset 0xF8 on
// x64; entries of 24 bytes whose byte 14 is the object type, 0 when free). Wine keeps one
// table per process; 0 when it cannot be read.
unsigned CountGdiHandles(HANDLE process) {
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof(basic),
                                  nullptr) != 0)
        return 0;
    ULONG_PTR table = 0;
    const auto* peb = reinterpret_cast<const BYTE*>(basic.PebBaseAddress);
    if (!ReadProcessMemory(process, peb + 0xF8, &table, sizeof(table), nullptr) || !table) return 0;
    constexpr std::size_t kEntries = 0x10000, kEntrySize = 24;
    std::vector<BYTE> entries(kEntries * kEntrySize);
    SIZE_T read = 0;
    ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(), entries.size(),
                      &read);
    unsigned count = 0;
    for (std::size_t at = 0; at + kEntrySize <= read; at += kEntrySize)
        if (entries[at + 14] != 0) ++count;
    return count;
}

// What Windows reports as private bytes: the committed regions of type private.
unsigned long long CommittedPrivateBytes(HANDLE process) {
    unsigned long long bytes = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* at = nullptr;
         VirtualQueryEx(process, at, &region, sizeof(region)) == sizeof(region);
         at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) bytes += region.RegionSize;
    }
    return bytes;
}

}  // namespace

std::string WindowText(HWND window) {
    char text[1024] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    return text;
}

std::string ClassOf(HWND window) {
    char name[128] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

Program::~Program() {
    if (owned_ && Running()) Kill();
    if (owned_ && process_.hProcess) DeleteFileA(Core::StateDumpPath(Id()).c_str());
    if (process_.hProcess) CloseHandle(process_.hProcess);
}

std::string Program::Start(const std::string& arguments, bool quoteProgram, DWORD timeoutMs) {
    // A scenario may start the program again once the last one ended.
    if (Running()) return "the program runs already";
    if (process_.hProcess) {
        DeleteFileA(Core::StateDumpPath(Id()).c_str());
        CloseHandle(process_.hProcess);
    }
    process_ = {};
    main_ = nullptr;
    bannerSeen_ = bannerShowing_ = false;
    std::string line = quoteProgram ? "\"" + path_ + "\"" : path_;
    if (!arguments.empty()) line += " " + arguments;
    if (const DWORD error = Launch(line))
        return "cannot start " + line + ": error " + std::to_string(error);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs && Running()) {
        WatchBanner();
        if (MainWindow(0) || !Boxes().empty()) return "";
        Sleep(1);
    }
    if (!Running())
        return "the program ended with exit code " + std::to_string(WaitForExit(0)) +
               " before a window of it showed";
    return "neither a main window nor a box of the program showed";
}

// Under load, Wine now and then fails to bring up a new process before any of its code ran
// (seen once in hundreds of runs): that is tried again, as a person would start it again. The
// last error, or 0 when the process runs.
DWORD Program::Launch(const std::string& commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    for (int attempt = 1;; ++attempt) {
        // A copy each time: CreateProcess may write into the command line it is given.
        std::vector<char> buffer(commandLine.c_str(), commandLine.c_str() + commandLine.size() + 1);
        if (CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &startup, &process_)) {
            CloseHandle(process_.hThread);
            return 0;
        }
        const DWORD error = GetLastError();
        if (attempt == 3) return error;
        // In the scenario's log among its steps; test.sh counts these lines, so that a growing
        // rate shows.
        std::printf("start retried: the process was not created (error %lu)\n", error);
        std::fflush(stdout);
        Sleep(1000);
    }
}

bool Program::Attach(DWORD timeoutMs) {
    owned_ = false;
    const DWORD start = GetTickCount();
    do {
        HWND window = FindWindowA("Sorix", nullptr);
        if (window && IsWindowVisible(window)) {
            GetWindowThreadProcessId(window, &process_.dwProcessId);
            process_.hProcess =
                OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE,
                            process_.dwProcessId);
            main_ = window;
            return process_.hProcess != nullptr;
        }
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return false;
}

bool Program::Running() const {
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

void Program::WatchBanner() {
    const bool showing = !TopWindows(Id(), "PopupBannerClass").empty();
    bannerSeen_ = bannerSeen_ || showing;
    bannerShowing_ = showing;
}

bool Program::BannerCameAndWent(DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        WatchBanner();
        if (bannerSeen_ && !bannerShowing_) return true;
        Sleep(10);
    } while (GetTickCount() - start < timeoutMs);
    return false;
}

HWND Program::MainWindow(DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        if (main_ && IsWindow(main_) && IsWindowVisible(main_)) return main_;
        const std::vector<HWND> found = TopWindows(Id(), "Sorix");
        main_ = found.empty() ? nullptr : found.front();
        if (main_) return main_;
        if (timeoutMs) Sleep(20);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

std::vector<Box> Program::Boxes() const {
    std::vector<Box> boxes;
    for (HWND window : TopWindows(Id(), "#32770"))
        boxes.push_back({window, WindowText(window), WindowText(GetDlgItem(window, 0xFFFF))});
    return boxes;
}

std::string Program::StateDump(DWORD timeoutMs) {
    static const UINT message = RegisterWindowMessageA(Core::kStateDumpMessage);
    HWND main = MainWindow(timeoutMs);
    DWORD_PTR written = 0;
    if (!main || !SendMessageTimeoutA(main, message, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &written) ||
        written != 1)
        return std::string();
    std::ifstream in(Core::StateDumpPath(Id()), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Program::WaitPainted(DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        if (ParseState(StateDump(2000))["painted"] == "yes") return true;
        Sleep(100);
    } while (GetTickCount() - start < timeoutMs);
    return false;
}

bool Program::WaitTaken(DWORD timeoutMs) {
    static const UINT message = RegisterWindowMessageA(Core::kStateDumpMessage);
    const std::string path = Core::StateDumpPath(Id());
    DeleteFileA(path.c_str());
    const HWND main = MainWindow(0);
    if (!main || !PostMessageA(main, message, 0, 0)) return true;
    const DWORD start = GetTickCount();
    do {
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES || !Running()) return true;
        Sleep(20);
    } while (GetTickCount() - start < timeoutMs);
    return false;
}

long Program::WaitForExit(DWORD timeoutMs) {
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<long>(code);
}

long Program::Close(DWORD timeoutMs) {
    if (HWND main = MainWindow(0)) PostMessageA(main, WM_CLOSE, 0, 0);
    return WaitForExit(timeoutMs);
}

void Program::Kill() {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
}

Resources Program::Measure() const {
    Resources r;
    r.gdi = GetGuiResources(process_.hProcess, GR_GDIOBJECTS);
    r.user = GetGuiResources(process_.hProcess, GR_USEROBJECTS);
    r.how = "GetGuiResources";
    if (r.gdi == 0 && r.user == 0) {
        r.gdi = CountGdiHandles(process_.hProcess);
        r.user = CountWindows(Id());
        r.how = "GDI: live entries of the process's GDI handle table; USER: its windows";
    }
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    if (GetProcessMemoryInfo(process_.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof(memory)))
        r.privateBytes = memory.PrivateUsage;
    if (r.privateBytes == 0) {
        r.privateBytes = CommittedPrivateBytes(process_.hProcess);
        r.how += "; private bytes: its committed private regions";
    }
    return r;
}

}  // namespace E2e
