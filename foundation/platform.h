#pragma once
// The few system services the platform-neutral core needs. One Win32 implementation and one
// POSIX implementation; no system header leaks out of here.
#include <cstdint>
#include <functional>
#include <memory>
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

// What reading a whole file found.
enum class ReadStatus { Read, CannotOpen, Failed };
// Reads the whole file into bytes, sharing it with other programs. CannotOpen when there is no
// file to open at the path (a folder is none), Failed when the system fails to read it; the
// bytes are left as they were unless the file was read.
ReadStatus ReadWholeFile(const std::string& path, std::string& bytes);

// True when the path names a file that may not be written: without any write permission, or
// none for this process, on POSIX; with the read-only attribute on Windows. The mode itself is
// looked at, so a process that could write anyway (root) sees the mark too.
bool IsReadOnlyFile(const std::string& path);

// A file made afresh for writing, closed with the object. Whatever file or link stands at the
// path is removed first, then the file is created exclusively and never through a link: a
// folder at the path, or anything put there meanwhile, makes the creation fail.
class NewFile {
public:
    // text: each "\n" written becomes the system's line end.
    NewFile(const std::string& path, bool text);
    ~NewFile();
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    bool IsOpen() const;
    // False when the system failed to write all of the bytes.
    bool Write(const std::string& bytes);
    // False when the file was not open or the system failed to finish it.
    bool Close();

private:
    std::intptr_t handle_;
    [[maybe_unused]] bool text_;  // unused where lines end in "\n"
};

// How a save stands: Ready until it is committed; Saved, or the reason it failed.
enum class SaveStatus { Ready, Saved, ReadOnly, CannotCreate, WriteFailed };

// A save that leaves the old file as it was until the new one is whole: a read-only target is
// refused, the bytes go into a new file beside the target (its path and ".part", made as
// NewFile does) and that file then takes the target's place. A save that fails leaves no
// temporary file behind.
class FileSave {
public:
    // Refuses a read-only target, else creates the temporary file.
    FileSave(const std::string& target, bool text);
    // Removes the temporary file of a save that was not committed.
    ~FileSave();
    FileSave(const FileSave&) = delete;
    FileSave& operator=(const FileSave&) = delete;

    SaveStatus Status() const { return status_; }
    // Writes the bytes, closes the temporary file and puts it in the target's place: Saved, or
    // the reason it failed.
    SaveStatus Commit(const std::string& bytes);

private:
    std::string target_;
    std::string temporary_;
    std::unique_ptr<NewFile> file_;
    SaveStatus status_ = SaveStatus::Ready;
};

// A whole save in one step (FileSave).
SaveStatus SaveFile(const std::string& path, const std::string& bytes, bool text);

// The refusal of a read-only target, naming it: The file "C:\x.pjt" is read-only.
std::string ReadOnlyMessage(const std::string& path);
// What to say when a save of the path failed: ReadOnlyMessage when the file is read-only,
// else "File write failed".
std::string SaveFailureMessage(const std::string& path);

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
