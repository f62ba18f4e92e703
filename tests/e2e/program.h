#pragma once
// The program under test as the end-to-end driver sees it: its process, its main window, its
// message boxes, its state dump and its use of resources.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace E2e {

// A visible dialog-class window ("#32770") of the program: a message box or a common dialog.
struct Box {
    HWND window = nullptr;
    std::string caption;
    std::string text;  // a message box's text (its static control with id 0xFFFF)
};

struct Resources {
    unsigned gdi = 0;   // GDI objects
    unsigned user = 0;  // USER objects
    unsigned long long privateBytes = 0;
    std::string how;  // where the counts come from
};

class Program {
public:
    explicit Program(std::string path) : path_(std::move(path)) {}
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts the program with the argument text; its path quoted unless quoteProgram is false.
    // Waits until its main window or one of its boxes shows: empty then, else why not (within
    // timeoutMs).
    std::string Start(const std::string& arguments, bool quoteProgram, DWORD timeoutMs);
    // Takes the program whose main window shows already (started by someone else); it is
    // left running at the end.
    bool Attach(DWORD timeoutMs);
    bool Running() const;
    // The visible main window titled title, waiting up to timeoutMs; null when none came.
    HWND MainWindow(DWORD timeoutMs);
    HWND Known() const { return main_; }
    bool BannerSeen() const { return bannerSeen_; }
    // Watches for the splash banner until it is gone; false when it never showed or stayed.
    bool BannerCameAndWent(DWORD timeoutMs);
    std::vector<Box> Boxes() const;
    // The state dump as text, empty when the program did not write one within timeoutMs.
    std::string StateDump(DWORD timeoutMs);
    // Asks for the state dump until it says that no window of the main window waits to be
    // painted; false when that did not come within timeoutMs.
    bool WaitPainted(DWORD timeoutMs);
    // Posts a state dump request behind whatever was posted to the program before and waits
    // for the dump: the program has then handled all of that (or is in a modal loop that one
    // of it opened, which handles the request too). True when the program has no main window
    // or ended; false when no dump came within timeoutMs.
    bool WaitTaken(DWORD timeoutMs);
    // Posts WM_CLOSE and waits for the end; the exit code, or -1 when it did not end.
    long Close(DWORD timeoutMs);
    long WaitForExit(DWORD timeoutMs);
    void Kill();
    Resources Measure() const;
    DWORD Id() const { return process_.dwProcessId; }
    HANDLE Handle() const { return process_.hProcess; }

private:
    void WatchBanner();
    DWORD Launch(const std::string& commandLine);

    std::string path_;
    PROCESS_INFORMATION process_{};
    bool owned_ = true;
    HWND main_ = nullptr;
    bool bannerSeen_ = false;
    bool bannerShowing_ = false;
};

std::string WindowText(HWND window);
std::string ClassOf(HWND window);
// A Unix path (as ctest gives it) as Wine's drive Z: sees it; other paths unchanged.
std::string WindowsPath(std::string path);

}  // namespace E2e
