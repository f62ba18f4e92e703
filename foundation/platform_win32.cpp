#include <windows.h>
// after windows.h, which leaves it out under WIN32_LEAN_AND_MEAN
#include <commdlg.h>
#include <shellapi.h>
// windows.h maps the name to ReplaceFileA, which would rename the function defined below.
#undef ReplaceFile

#include <algorithm>
#include <cstring>

#include "foundation/platform.h"

namespace Platform {

bool AnsiToWide(const std::string& text, std::wstring& out) {
    if (text.empty()) {
        out.clear();
        return true;
    }
    int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) return false;
    std::wstring result(static_cast<size_t>(n), L'\0');
    if (MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(),
                            n) != n)
        return false;
    out = std::move(result);
    return true;
}

bool WideToAnsi(const std::wstring& text, std::string& out) {
    if (text.empty()) {
        out.clear();
        return true;
    }
    int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
    if (n <= 0) return false;
    std::string result(static_cast<size_t>(n), '\0');
    if (WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), n,
                            nullptr, nullptr) != n)
        return false;
    out = std::move(result);
    return true;
}

bool ReplaceFile(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool RemoveFile(const std::string& path) {
    return DeleteFileA(path.c_str()) != 0;
}

ReadStatus ReadWholeFile(const std::string& path, std::string& bytes) {
    // A folder does not open without FILE_FLAG_BACKUP_SEMANTICS.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return ReadStatus::CannotOpen;
    std::string text;
    char buffer[65536];
    DWORD n = 0;
    bool read;
    while ((read = ReadFile(file, buffer, sizeof buffer, &n, nullptr) != 0) && n > 0)
        text.append(buffer, n);
    CloseHandle(file);
    if (!read) return ReadStatus::Failed;
    bytes = std::move(text);
    return ReadStatus::Read;
}

bool IsReadOnlyFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
           !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

NewFile::NewFile(const std::string& path, bool text)
    : handle_(reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE)), text_(text) {
    // A file or link left there by an earlier save goes (a link itself, never its target); a
    // folder stays and fails the creation.
    DeleteFileA(path.c_str());
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    handle_ = reinterpret_cast<std::intptr_t>(file);
}

NewFile::~NewFile() {
    Close();
}

bool NewFile::IsOpen() const {
    return reinterpret_cast<HANDLE>(handle_) != INVALID_HANDLE_VALUE;
}

bool NewFile::Write(const std::string& bytes) {
    if (!IsOpen()) return false;
    std::string lines;
    if (text_) {
        lines.reserve(bytes.size() + bytes.size() / 16);
        for (char c : bytes) {
            if (c == '\n') lines += '\r';
            lines += c;
        }
    }
    const std::string& out = text_ ? lines : bytes;
    for (std::size_t done = 0; done < out.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(out.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(reinterpret_cast<HANDLE>(handle_), out.data() + done, chunk, &written,
                       nullptr) ||
            written == 0)
            return false;
        done += written;
    }
    return true;
}

bool NewFile::Close() {
    if (!IsOpen()) return false;
    HANDLE file = reinterpret_cast<HANDLE>(handle_);
    handle_ = reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE);
    return CloseHandle(file) != 0;
}

std::uint32_t GetLastErrorCode() {
    return ::GetLastError();
}
void SetLastErrorCode(std::uint32_t code) {
    ::SetLastError(code);
}

BoxAnswer ShowSystemMessageBox(const MessageBoxRequest& request) {
    UINT type = 0;
    switch (request.icon) {
        case BoxIcon::None: break;
        case BoxIcon::Information: type |= MB_ICONINFORMATION; break;
        case BoxIcon::Warning: type |= MB_ICONWARNING; break;
        case BoxIcon::Stop: type |= MB_ICONSTOP; break;
        case BoxIcon::Question: type |= MB_ICONQUESTION; break;
    }
    switch (request.buttons) {
        case BoxButtons::Ok: type |= MB_OK; break;
        case BoxButtons::YesNo: type |= MB_YESNO; break;
        case BoxButtons::OkCancel: type |= MB_OKCANCEL; break;
    }
    switch (MessageBoxA(nullptr, request.text.c_str(), request.caption.c_str(), type)) {
        case IDYES: return BoxAnswer::Yes;
        case IDNO: return BoxAnswer::No;
        case IDCANCEL: return BoxAnswer::Cancel;
        default: return BoxAnswer::Ok;
    }
}

bool OpenWithSystemShell(const std::string& target) {
    // ShellExecuteA answers a value above 32 on success.
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

WaitCursor::WaitCursor() : previous_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
WaitCursor::~WaitCursor() {
    SetCursor(static_cast<HCURSOR>(previous_));
}

}  // namespace Platform
