// The end-to-end driver: uses Sorix.exe as a person does, step by step from a scenario file.
//   sorix_driver SORIX_EXE SCENARIO DATA_FOLDER WORK_FOLDER
//     runs the scenario; ${data} and ${work} in it stand for the two folders (the work folder
//     is emptied first), ${program} for the folder of Sorix.exe. Exit code 0 when every step
//     passed; otherwise the failing step is named and the screen and the program's state dump are
//     left in the work folder.
//   sorix_driver --wait-painted SECONDS
//     waits until a running Sorix.exe has painted its main window completely (run.sh).
//   sorix_driver --list-windows
//     lists the visible windows inside a running Sorix.exe's main window as scenarios name them,
//     with their screen rectangles and texts.
// A watchdog ends a run that takes longer than SORIX_DRIVER_SECONDS (90 by default), so that
// a stuck box or a hung program fails the scenario instead of stalling the tests.
// With SORIX_DRIVER_STALLS=1 the program's threads are suspended and resumed at random while the
// scenario runs (stalls.h), as a loaded machine holds it up: a step that acts before the program
// has opened what it acts on then fails often.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <thread>

#include "program.h"
#include "runner.h"
#include "scenario.h"
#include "stalls.h"

namespace {

int WaitPainted(int seconds) {
    E2e::Program program("");
    const DWORD timeout = static_cast<DWORD>(seconds) * 1000;
    const DWORD start = GetTickCount();
    if (!program.Attach(timeout)) {
        std::fprintf(stderr, "sorix_driver: no main window of Sorix.exe\n");
        return 1;
    }
    if (program.WaitPainted(timeout - std::min(timeout, GetTickCount() - start))) return 0;
    std::fprintf(stderr, "sorix_driver: Sorix.exe did not finish painting within %d s\n", seconds);
    return 1;
}

int ListWindows() {
    E2e::Program program("");
    if (!program.Attach(5000)) return 1;
    std::map<std::string, int> seen;
    struct List {
        std::map<std::string, int>& seen;
    } list{seen};
    EnumChildWindows(
        program.Known(),
        [](HWND child, LPARAM data) -> BOOL {
            if (!IsWindowVisible(child)) return TRUE;
            const std::string name = E2e::ClassOf(child);
            const int index = reinterpret_cast<List*>(data)->seen[name]++;
            RECT r{};
            GetWindowRect(child, &r);
            std::printf("%s#%d  %ld,%ld %ldx%ld  \"%s\"\n", name.c_str(), index, r.left, r.top,
                        r.right - r.left, r.bottom - r.top, E2e::WindowText(child).c_str());
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&list));
    return 0;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// An included scenario file, named relative to the scenario's folder.
E2e::IncludeReader IncludeFrom(const std::string& folder) {
    return [folder](const std::string& name, std::string& text) {
        const std::string path = folder + "\\" + name;
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
        text = ReadText(path);
        return true;
    };
}

// Where a step is written: the scenario or the included file, and the line.
std::string PlaceOf(const E2e::Step& step, const std::string& scenarioPath) {
    const std::string folder = scenarioPath.substr(0, scenarioPath.find_last_of("\\/") + 1);
    return (step.file.empty() ? scenarioPath : folder + step.file) + ":" +
           std::to_string(step.line);
}

// Files of an earlier run would change what the program's dialogs ask (a file to replace).
void EmptyFolder(const std::string& folder) {
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFileA((folder + "\\" + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--wait-painted")
        return WaitPainted(std::atoi(argv[2]));
    if (argc == 2 && std::string(argv[1]) == "--list-windows") return ListWindows();
    if (argc != 5) {
        std::fprintf(stderr, "usage: sorix_driver SORIX_EXE SCENARIO DATA_FOLDER WORK_FOLDER\n");
        return 2;
    }
    const std::string scenarioPath = E2e::WindowsPath(argv[2]);
    const std::string work = E2e::WindowsPath(argv[4]);
    CreateDirectoryA(work.c_str(), nullptr);
    EmptyFolder(work);
    const std::string programPath = E2e::WindowsPath(argv[1]);
    const std::string programFolder = programPath.substr(0, programPath.find_last_of("\\/"));
    std::string error;
    const std::vector<E2e::Step> steps = E2e::ParseScenario(
        ReadText(scenarioPath),
        {{"data", E2e::WindowsPath(argv[3])}, {"work", work}, {"program", programFolder}}, error,
        IncludeFrom(scenarioPath.substr(0, scenarioPath.find_last_of("\\/"))));
    if (steps.empty()) {
        std::fprintf(stderr, "%s: %s\n", scenarioPath.c_str(),
                     error.empty() ? "no steps" : error.c_str());
        return 2;
    }

    E2e::Program program(programPath);
    E2e::Runner runner(program, work);
    std::atomic<bool> finished{false};
    const char* limit = std::getenv("SORIX_DRIVER_SECONDS");
    const int seconds = limit ? std::atoi(limit) : 90;
    std::thread watchdog([&] {
        for (int tenth = 0; tenth < seconds * 10 && !finished; ++tenth) Sleep(100);
        if (finished) return;
        std::fprintf(stderr, "sorix_driver: the scenario did not end within %d s\n", seconds);
        runner.LeaveEvidence(true);
        program.Kill();
        std::fflush(nullptr);
        ExitProcess(3);
    });
    std::optional<E2e::Stalls> stalls;
    if (const char* stalled = std::getenv("SORIX_DRIVER_STALLS"); stalled && *stalled == '1') {
        std::printf("stalls: the program's threads are suspended at random\n");
        stalls.emplace(programPath.substr(programPath.find_last_of("\\/") + 1));
    }
    int status = 0;
    const DWORD started = GetTickCount();
    for (const E2e::Step& step : steps) {
        // When each step began: a slow program shows where its time goes.
        std::printf("%sline %d: %s (%.1f s)\n", step.file.empty() ? "" : (step.file + " ").c_str(),
                    step.line, step.name.c_str(), (GetTickCount() - started) / 1000.0);
        std::fflush(stdout);
        const std::string failure = runner.Run(step);
        if (failure.empty()) continue;
        std::fprintf(stderr, "%s: %s failed: %s\n", PlaceOf(step, scenarioPath).c_str(),
                     step.name.c_str(), failure.c_str());
        runner.LeaveEvidence();
        status = 1;
        break;
    }
    stalls.reset();
    finished = true;
    watchdog.join();
    if (status == 0 && program.Running()) {
        std::fprintf(stderr, "%s: the program still runs after the last step\n",
                     scenarioPath.c_str());
        status = 1;
    }
    return status;
}
