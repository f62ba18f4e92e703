#pragma once
// The few system services the platform-neutral core needs. One Win32 implementation and one
// POSIX implementation; no system header leaks out of here.
#include <cstdint>
#include <functional>
#include <string>

namespace Platform {

// ANSI code-page conversion (code page 0 on Windows, Windows-1252 elsewhere). Return false and
// leave the output unchanged when the system refuses the text.
bool AnsiToWide(const std::string& text, std::wstring& out);
bool WideToAnsi(const std::wstring& text, std::string& out);

std::uint32_t GetLastErrorCode();
void SetLastErrorCode(std::uint32_t code);

// Moves a file over another, replacing it in one step where the system can.
bool ReplaceFile(const std::string& from, const std::string& to);
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

// The hourglass cursor for the duration of a long file operation.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    void* previous_ = nullptr;
};

}  // namespace Platform
