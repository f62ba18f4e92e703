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
