#pragma once
// The common file dialogs: open one file, open several, save, and pick a folder. Filters are
// written with '-' separators ("Data Files (*.dat)-*.dat-").
#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <string>
#include <vector>

#include "foundation/platform.h"

namespace Winplus {

// The call that shows a dialog: GetOpenFileNameA or GetSaveFileNameA, then, on false, the
// dialog's extended error (CommDlgExtendedError). Tests replace it; an empty function restores
// the system's.
struct FileDialogResult {
    bool chosen = false;
    DWORD error = 0;
};
using FileDialogRunner = std::function<FileDialogResult(OPENFILENAMEA& record, bool save)>;
void SetFileDialogRunner(FileDialogRunner runner);

class FileDialog {
public:
    FileDialog(const FileDialog&) = delete;
    FileDialog& operator=(const FileDialog&) = delete;

    // Texts at or above their buffer's size (260; 16 for the extension) are cut to fit.
    void SetFilter(const std::string& filter);
    void SetTitle(const std::string& title);
    void SetInitialDirectory(const std::string& directory);
    void SetDefaultExtension(const std::string& extension);
    // True only when the user chose something.
    bool Run();

protected:
    FileDialog(HWND owner, const char* title, std::size_t fileCapacity, DWORD flags, bool save);
    // The selection buffer up to its first two NULs.
    std::string Selection() const;
    const OPENFILENAMEA& Record() const { return record_; }
    std::vector<char> file_;

private:
    bool save_;
    std::string filter_;
    std::string defaultExtension_;
    std::string initialDirectory_ = "C:";
    std::string title_;
    char fileTitle_[260] = {};
    OPENFILENAMEA record_{};
};

// The names of a single chosen file.
class SingleFileDialog : public FileDialog {
public:
    std::string GetFileName() const;
    // With the closing backslash.
    std::string GetDirectory() const;
    // Without directory and extension.
    std::string GetBaseName() const;

protected:
    using FileDialog::FileDialog;
};

class OpenFileDialog : public SingleFileDialog {
public:
    explicit OpenFileDialog(HWND owner);
};

class SaveFileDialog : public SingleFileDialog {
public:
    explicit SaveFileDialog(HWND owner);
    void SetFileName(const std::string& name);
};

class MultiOpenFileDialog : public FileDialog {
public:
    explicit MultiOpenFileDialog(HWND owner);
    // Several files: the folder without a closing backslash; one file: with it.
    std::string GetDirectory() const;
    std::vector<std::string> GetFileNames() const;
};

// The dialog a request of the platform's seam asks for (foundation/platform.h): a multiple
// selection or a save dialog, with the request's texts; the full paths chosen, none on cancel.
// Installed at start-up with Platform::SetSystemFileDialogs.
std::vector<std::string> RunFileDialog(const Platform::FileDialogRequest& request);

// The system's folder picker; true with the chosen folder's path, false on cancel or failure.
bool PickFolder(std::string& path);

}  // namespace Winplus
