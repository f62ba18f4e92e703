// Without a window system: Windows-1252 stands for the ANSI code page, message boxes go to
// standard error, file dialogs are cancelled, and the cursor does not exist.
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
