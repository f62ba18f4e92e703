// Without a window system: Windows-1252 stands for the ANSI code page, message boxes go to
// standard error, file dialogs are cancelled, and the cursor does not exist.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "foundation/platform.h"

namespace Platform {

namespace {
// Unicode code points of bytes 0x80-0x9F in Windows-1252. The five bytes the code page leaves
// undefined map to the C1 control of the same value, as the Windows conversion does.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char ToCodePage(wchar_t c) {
    auto code = static_cast<std::uint32_t>(c);
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == code) return static_cast<char>(0x80 + i);
    return '?';  // the default character of the Windows conversion
}

thread_local std::uint32_t lastError = 0;
}  // namespace

bool AnsiToWide(const std::string& text, std::wstring& out) {
    std::wstring result;
    result.reserve(text.size());
    for (unsigned char c : text)
        result.push_back(c >= 0x80 && c < 0xA0 ? static_cast<wchar_t>(kHighControls[c - 0x80])
                                               : static_cast<wchar_t>(c));
    out = std::move(result);
    return true;
}

bool WideToAnsi(const std::wstring& text, std::string& out) {
    std::string result;
    result.reserve(text.size());
    for (wchar_t c : text) result.push_back(ToCodePage(c));
    out = std::move(result);
    return true;
}

bool ReplaceFile(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool RemoveFile(const std::string& path) {
    return std::remove(path.c_str()) == 0;
}

ReadStatus ReadWholeFile(const std::string& path, std::string& bytes) {
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) return ReadStatus::CannotOpen;
    struct stat status;
    if (fstat(file, &status) != 0 || S_ISDIR(status.st_mode)) {
        close(file);
        return ReadStatus::CannotOpen;
    }
    std::string text;
    char buffer[65536];
    ssize_t n;
    while ((n = read(file, buffer, sizeof buffer)) != 0) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    close(file);
    if (n < 0) return ReadStatus::Failed;
    bytes = std::move(text);
    return ReadStatus::Read;
}

bool IsReadOnlyFile(const std::string& path) {
    struct stat status;
    if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
           (access(path.c_str(), W_OK) != 0 && errno == EACCES);
}

NewFile::NewFile(const std::string& path, bool text) : handle_(-1), text_(text) {
    // A file or link left there by an earlier save goes; a folder stays and fails the creation.
    unlink(path.c_str());
    handle_ = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}

NewFile::~NewFile() {
    Close();
}

bool NewFile::IsOpen() const {
    return handle_ >= 0;
}

// Lines end in "\n" here: text is written as it is.
bool NewFile::Write(const std::string& bytes) {
    if (handle_ < 0) return false;
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = write(static_cast<int>(handle_), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool NewFile::Close() {
    if (handle_ < 0) return false;
    const int file = static_cast<int>(handle_);
    handle_ = -1;
    return close(file) == 0;
}

std::uint32_t GetLastErrorCode() {
    return lastError;
}
void SetLastErrorCode(std::uint32_t code) {
    lastError = code;
}

BoxAnswer ShowSystemMessageBox(const MessageBoxRequest& request) {
    std::fprintf(stderr, "[%s] %s\n", request.caption.c_str(), request.text.c_str());
    return request.buttons == BoxButtons::YesNo ? BoxAnswer::No : BoxAnswer::Ok;
}

// Nothing here opens documents or programs for the core.
bool OpenWithSystemShell(const std::string&) {
    return false;
}

WaitCursor::WaitCursor() = default;
WaitCursor::~WaitCursor() = default;

}  // namespace Platform
