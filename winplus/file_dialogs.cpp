#include "winplus/file_dialogs.h"

#include <cderr.h>
#include <shobjidl.h>

#include <algorithm>
#include <cstring>

#include "foundation/event_bus.h"
#include "foundation/platform.h"
#include "winplus/file_names.h"
#include "winplus/handles.h"
#include "winplus/window.h"

namespace Winplus {

namespace {

constexpr std::size_t kBufferSize = 260;
constexpr std::size_t kExtensionSize = 16;
// A multiple selection never grows its buffer beyond this.
constexpr std::size_t kLargestSelection = 1 << 20;

FileDialogResult SystemRunner(OPENFILENAMEA& record, bool save) {
    FileDialogResult result;
    result.chosen = (save ? GetSaveFileNameA(&record) : GetOpenFileNameA(&record)) != 0;
    if (!result.chosen) result.error = CommDlgExtendedError();
    return result;
}

FileDialogRunner& Runner() {
    static FileDialogRunner runner = SystemRunner;
    return runner;
}
void ResetRunner() {
    Runner() = SystemRunner;
}
[[maybe_unused]] const bool kRunnerReset = RegisterProcessReset(&ResetRunner);

std::string Fit(const std::string& text, std::size_t size) {
    return text.substr(0, std::min(text.size(), size - 1));
}

}  // namespace

void SetFileDialogRunner(FileDialogRunner runner) {
    Runner() = runner ? std::move(runner) : FileDialogRunner(SystemRunner);
}

FileDialog::FileDialog(HWND owner, const char* title, std::size_t fileCapacity, DWORD flags,
                       bool save)
    : file_(fileCapacity, '\0'), save_(save), filter_(DefaultFilterList()), title_(title) {
    record_.lStructSize = sizeof(record_);
    record_.hwndOwner = owner;
    record_.hInstance = owner ? InstanceOf(owner) : nullptr;
    record_.nFilterIndex = 1;
    record_.nMaxFileTitle = kBufferSize;
    record_.Flags = flags;
}

void FileDialog::SetFilter(const std::string& filter) {
    filter_ = FilterList(Fit(filter, kBufferSize));
}

void FileDialog::SetTitle(const std::string& title) {
    title_ = Fit(title, kBufferSize);
}

void FileDialog::SetInitialDirectory(const std::string& directory) {
    initialDirectory_ = Fit(directory, kBufferSize);
}

void FileDialog::SetDefaultExtension(const std::string& extension) {
    defaultExtension_ = Fit(extension, kExtensionSize);
}

bool FileDialog::Run() {
    for (;;) {
        record_.lpstrFilter = filter_.c_str();
        record_.lpstrFile = file_.data();
        record_.nMaxFile = static_cast<DWORD>(file_.size() - 1);
        record_.lpstrFileTitle = fileTitle_;
        record_.lpstrInitialDir = initialDirectory_.c_str();
        record_.lpstrTitle = title_.c_str();
        record_.lpstrDefExt = defaultExtension_.empty() ? nullptr : defaultExtension_.c_str();
        const FileDialogResult result = Runner()(record_, save_);
        if (result.chosen) return true;
        // A selection too long for the buffer is no cancel: the dialog wrote the size it needs
        // into the buffer's first two bytes; ask again with room for it.
        if (result.error != FNERR_BUFFERTOOSMALL || file_.size() >= kLargestSelection)
            return false;
        std::size_t needed = static_cast<unsigned char>(file_[0]) |
                             (static_cast<std::size_t>(static_cast<unsigned char>(file_[1])) << 8);
        needed = std::max(needed + 2, file_.size() * 2);
        file_.assign(std::min(needed, kLargestSelection), '\0');
    }
}

std::string FileDialog::Selection() const {
    std::size_t end = 0;
    while (end + 1 < file_.size() && !(file_[end] == '\0' && file_[end + 1] == '\0')) ++end;
    return std::string(file_.data(), end + 1);
}

std::string SingleFileDialog::GetFileName() const {
    return file_.data();
}

std::string SingleFileDialog::GetDirectory() const {
    return ReadChosenFile(file_.data(), Record().nFileOffset, Record().nFileExtension).directory;
}

std::string SingleFileDialog::GetBaseName() const {
    return ReadChosenFile(file_.data(), Record().nFileOffset, Record().nFileExtension).baseName;
}

OpenFileDialog::OpenFileDialog(HWND owner)
    : SingleFileDialog(owner, "Open File", kBufferSize,
                       OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY,
                       false) {}

SaveFileDialog::SaveFileDialog(HWND owner)
    : SingleFileDialog(owner, "Save File", kBufferSize,
                       OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY,
                       true) {}

void SaveFileDialog::SetFileName(const std::string& name) {
    const std::string fitted = Fit(name, kBufferSize);
    std::fill(file_.begin(), file_.end(), '\0');
    std::copy(fitted.begin(), fitted.end(), file_.begin());
}

MultiOpenFileDialog::MultiOpenFileDialog(HWND owner)
    : FileDialog(owner, "Open File", 2600,
                 OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                     OFN_ALLOWMULTISELECT,
                 false) {}

std::string MultiOpenFileDialog::GetDirectory() const {
    return ReadChosenFiles(Selection(), Record().nFileOffset).directory;
}

std::vector<std::string> MultiOpenFileDialog::GetFileNames() const {
    return ReadChosenFiles(Selection(), Record().nFileOffset).names;
}

namespace {
template <class Dialog>
void Describe(Dialog& dialog, const Platform::FileDialogRequest& request) {
    dialog.SetTitle(request.title);
    if (!request.filter.empty()) dialog.SetFilter(request.filter);
    if (!request.initialFolder.empty()) dialog.SetInitialDirectory(request.initialFolder);
    dialog.SetDefaultExtension(request.defaultExtension);
}
}  // namespace

std::vector<std::string> RunFileDialog(const Platform::FileDialogRequest& request) {
    const HWND owner = static_cast<HWND>(request.owner);
    if (request.save) {
        SaveFileDialog dialog(owner);
        Describe(dialog, request);
        dialog.SetFileName(request.fileName);
        if (!dialog.Run()) return {};
        return {dialog.GetFileName()};
    }
    MultiOpenFileDialog dialog(owner);
    Describe(dialog, request);
    if (!dialog.Run()) return {};
    std::string folder = dialog.GetDirectory();
    // One file comes with the closing backslash, several without.
    if (!folder.empty() && folder.back() != '\\') folder.push_back('\\');
    std::vector<std::string> paths;
    for (const std::string& name : dialog.GetFileNames()) paths.push_back(folder + name);
    return paths;
}

bool PickFolder(std::string& path) {
    ComPtr<IFileOpenDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IFileOpenDialog, reinterpret_cast<void**>(dialog.Put()))))
        return false;
    FILEOPENDIALOGOPTIONS options = 0;
    if (FAILED(dialog->GetOptions(&options)) ||
        FAILED(dialog->SetOptions(options | FOS_PICKFOLDERS)) || FAILED(dialog->Show(nullptr)))
        return false;
    ComPtr<IShellItem> item;
    if (FAILED(dialog->GetResult(item.Put()))) return false;
    wchar_t* name = nullptr;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &name)) || !name) return false;
    std::string chosen;
    const bool converted = Platform::WideToAnsi(name, chosen);
    CoTaskMemFree(name);
    if (!converted || chosen.size() >= kBufferSize) return false;
    path = chosen;
    return true;
}

}  // namespace Winplus
