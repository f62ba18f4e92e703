#pragma once
// The few system services the platform-neutral core needs. One Win32 implementation and one
// POSIX implementation; no system header leaks out of here.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace Platform {

// ANSI code-page conversion (code page 0 on Windows, Windows-1252 elsewhere). Return false and
// leave the output unchanged when the system refuses the text.
bool AnsiToWide(const std::string& text, std::wstring& out);
bool WideToAnsi(const std::wstring& text, std::string& out);

std::uint32_t GetLastErrorCode();
void SetLastErrorCode(std::uint32_t code);

// Moves a file over another, replacing it in one step where the system can.
#ifdef _WIN32
#pragma push_macro("ReplaceFile")
#undef ReplaceFile
#endif
bool ReplaceFile(const std::string& from, const std::string& to);
#ifdef _WIN32
// windows.h renames ReplaceFile in the code that follows it (a precompiled header puts it first):
// the function answers under those names too, whatever the order of the includes.
inline bool ReplaceFileA(const std::string& from, const std::string& to) {
    return ReplaceFile(from, to);
}
inline bool ReplaceFileW(const std::string& from, const std::string& to) {
    return ReplaceFile(from, to);
}
#pragma pop_macro("ReplaceFile")
#endif
bool RemoveFile(const std::string& path);

// Message boxes. The icon and buttons are kept abstract so that the core does not see Win32.
enum class BoxIcon { None, Information, Warning, Stop, Question };
enum class BoxButtons { Ok, YesNo, OkCancel };
enum class BoxAnswer { Ok, Cancel, Yes, No };

struct MessageBoxRequest {
    std::string text;
    std::string caption;
    BoxIcon icon = BoxIcon::None;
    BoxButtons buttons = BoxButtons::Ok;
};

// Shows a modal box without owner window and returns the user's answer.
BoxAnswer ShowMessageBox(const MessageBoxRequest& request);

// Tests (and headless runs) replace the box: the handler receives what would have been shown
// and gives the answer. Passing an empty function restores the real box.
using MessageBoxHandler = std::function<BoxAnswer(const MessageBoxRequest&)>;
void SetMessageBoxHandler(MessageBoxHandler handler);

// File dialogs. The filter lists names and patterns separated by '-', as in
// "Data Files (*.dat)-*.dat-All Files (*.*)-*.*-"; the default extension has no dot.
struct FileDialogRequest {
    void* owner = nullptr;  // owner window, none when null
    std::string title;
    std::string filter;
    std::string initialFolder;
    std::string defaultExtension;
    std::string fileName;  // proposed name of a save dialog
    bool save = false;
};

// A multiple-selection open dialog: the full paths chosen, in the dialog's order; empty on
// cancel.
std::vector<std::string> ChooseFiles(const FileDialogRequest& request);
// A save dialog that asks before overwriting: the full path, empty on cancel.
std::string ChooseSaveFile(const FileDialogRequest& request);

// Tests replace both dialogs: the handler gets the request (save tells which dialog) and returns
// the paths, of which a save dialog uses the first. An empty function restores the real ones.
using FileDialogHandler = std::function<std::vector<std::string>(const FileDialogRequest&)>;
void SetFileDialogHandler(FileDialogHandler handler);
// The real dialogs: the window framework's, installed once at start-up (the framework lives
// above this layer). Without them every dialog is cancelled.
void SetSystemFileDialogs(FileDialogHandler dialogs);

// Asks the system's shell to open a document or to start a program found by name
// ("Notepad.exe"); false when the shell refused. Tests replace the shell: the handler receives
// the name and answers; an empty function restores the real shell.
bool OpenWithShell(const std::string& target);
using ShellHandler = std::function<bool(const std::string&)>;
void SetShellHandler(ShellHandler handler);

// The hourglass cursor for the duration of a long file operation.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    [[maybe_unused]] void* previous_ = nullptr;  // unused without a window system
};

}  // namespace Platform
