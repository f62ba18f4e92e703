#include "foundation/platform.h"

#include <utility>

namespace Platform {

namespace {
MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}
FileDialogHandler& DialogHandler() {
    static FileDialogHandler handler;
    return handler;
}

ShellHandler& Shell() {
    static ShellHandler handler;
    return handler;
}

FileDialogHandler& SystemDialogs() {
    static FileDialogHandler dialogs;
    return dialogs;
}

std::vector<std::string> RunDialog(const FileDialogRequest& request) {
    if (DialogHandler()) return DialogHandler()(request);
    if (SystemDialogs()) return SystemDialogs()(request);
    return {};
}
}  // namespace

// Per platform.
BoxAnswer ShowSystemMessageBox(const MessageBoxRequest& request);
bool OpenWithSystemShell(const std::string& target);

bool OpenWithShell(const std::string& target) {
    return Shell() ? Shell()(target) : OpenWithSystemShell(target);
}

void SetShellHandler(ShellHandler handler) {
    Shell() = std::move(handler);
}

void SetMessageBoxHandler(MessageBoxHandler handler) {
    Handler() = std::move(handler);
}

BoxAnswer ShowMessageBox(const MessageBoxRequest& request) {
    if (Handler()) return Handler()(request);
    return ShowSystemMessageBox(request);
}

void SetFileDialogHandler(FileDialogHandler handler) {
    DialogHandler() = std::move(handler);
}

void SetSystemFileDialogs(FileDialogHandler dialogs) {
    SystemDialogs() = std::move(dialogs);
}

FileSave::FileSave(const std::string& target, bool text)
    : target_(target), temporary_(target + ".part") {
    if (IsReadOnlyFile(target_)) {
        status_ = SaveStatus::ReadOnly;
        return;
    }
    file_ = std::make_unique<NewFile>(temporary_, text);
    if (!file_->IsOpen()) status_ = SaveStatus::CannotCreate;
}

FileSave::~FileSave() {
    // Only a file that this save created is removed.
    if (status_ != SaveStatus::Ready && status_ != SaveStatus::WriteFailed) return;
    file_.reset();  // closed before it is removed
    RemoveFile(temporary_);
}

SaveStatus FileSave::Commit(const std::string& bytes) {
    if (status_ != SaveStatus::Ready) return status_;
    const bool written = file_->Write(bytes);
    // Closed whatever the write gave, so that the file can go.
    const bool closed = file_->Close();
    status_ = written && closed && ReplaceFile(temporary_, target_) ? SaveStatus::Saved
                                                                    : SaveStatus::WriteFailed;
    return status_;
}

SaveStatus SaveFile(const std::string& path, const std::string& bytes, bool text) {
    FileSave save(path, text);
    return save.Commit(bytes);
}

std::string ReadOnlyMessage(const std::string& path) {
    return "The file \"" + path + "\" is read-only.";
}

std::string SaveFailureMessage(const std::string& path) {
    return IsReadOnlyFile(path) ? ReadOnlyMessage(path) : std::string("File write failed");
}

std::vector<std::string> ChooseFiles(const FileDialogRequest& request) {
    FileDialogRequest open = request;
    open.save = false;
    return RunDialog(open);
}

std::string ChooseSaveFile(const FileDialogRequest& request) {
    FileDialogRequest save = request;
    save.save = true;
    std::vector<std::string> paths = RunDialog(save);
    return paths.empty() ? std::string() : paths.front();
}

}  // namespace Platform
