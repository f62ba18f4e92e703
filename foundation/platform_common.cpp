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
}  // namespace

// Per platform.
BoxAnswer ShowSystemMessageBox(const MessageBoxRequest& request);
std::vector<std::string> ShowSystemFileDialog(const FileDialogRequest& request);

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

std::vector<std::string> ChooseFiles(const FileDialogRequest& request) {
    FileDialogRequest open = request;
    open.save = false;
    return DialogHandler() ? DialogHandler()(open) : ShowSystemFileDialog(open);
}

std::string ChooseSaveFile(const FileDialogRequest& request) {
    FileDialogRequest save = request;
    save.save = true;
    std::vector<std::string> paths =
        DialogHandler() ? DialogHandler()(save) : ShowSystemFileDialog(save);
    return paths.empty() ? std::string() : paths.front();
}

}  // namespace Platform
