#include "app/selectors/selection_files.h"

#include <vector>

#include "foundation/event_bus.h"
#include "foundation/platform.h"
#include "foundation/text.h"
#include "io/formula_io.h"
#include "io/node_io.h"
#include "model/selection.h"

namespace Core::Selection {

namespace {

struct Folders {
    std::string formula;
    std::string prototype;
};
Folders& State() {
    static Folders folders;
    return folders;
}
void ResetFolders() {
    State() = Folders();
}
[[maybe_unused]] const bool kResets = RegisterProcessReset(&ResetFolders);

constexpr const char* kFormulaFilter = "Formula Files (*.fun)-*.fun-All Files (*.*)-*.*-";
constexpr const char* kPrototypeFilter = "Prototype Files (*.pro)-*.pro-All Files (*.*)-*.*-";

Platform::FileDialogRequest Request(void* owner, const char* title, const char* filter,
                                    const char* extension, const std::string& folder) {
    Platform::FileDialogRequest request;
    request.owner = owner;
    request.title = title;
    request.filter = filter;
    request.defaultExtension = extension;
    request.initialFolder = folder;
    return request;
}

// The chosen file; empty when the dialog was cancelled.
std::string ChooseOpen(const Platform::FileDialogRequest& request) {
    const std::vector<std::string> paths = Platform::ChooseFiles(request);
    return paths.empty() ? std::string() : paths.front();
}

void Say(const std::string& text, const char* caption, Platform::BoxIcon icon) {
    Platform::ShowMessageBox({text, caption, icon});
}

}  // namespace

const std::string& GetFormulaFolder() {
    return State().formula;
}
const std::string& GetPrototypeFolder() {
    return State().prototype;
}

FormulaLoad LoadFormulaFile(void* owner) {
    FormulaLoad load;
    const std::string path =
        ChooseOpen(Request(owner, "Load Formula", kFormulaFilter, "fun", State().formula));
    if (path.empty()) return load;
    const FormulaFileResult read = FormulaIo::ReadFormulaFile(path);
    load.text = read.text;
    if (!read.Succeeded()) {
        // A formula that no longer compiles is the formula's own error; the file's are messages.
        Say(read.message, read.formulaError ? "Error Message" : "Message", Platform::BoxIcon::Stop);
        return load;
    }
    State().formula = GetDirectory(path);
    SetFormula(read.node);
    load.loaded = true;
    return load;
}

bool LoadFormulaCommand(void* owner) {
    return LoadFormulaFile(owner).loaded;
}

bool LoadPrototypeCommand(void* owner) {
    const std::string path = ChooseOpen(
        Request(owner, "Load Prototype File", kPrototypeFilter, "pro", State().prototype));
    if (path.empty()) return false;
    const Node::Ptr prototype = NodeIo().LoadPrototype(path);  // says what went wrong itself
    if (!prototype) return false;
    State().prototype = GetDirectory(path);
    SetPrototype(prototype);
    return true;
}

bool SaveFormulaCommand(void* owner) {
    const Node::Ptr formula = GetFormula();
    if (!formula) {
        Say("No available formula", "Message", Platform::BoxIcon::Information);
        return false;
    }
    Platform::FileDialogRequest request =
        Request(owner, "Save Formula", kFormulaFilter, "fun", State().formula);
    request.save = true;
    request.fileName = formula->Name();
    const std::string path = Platform::ChooseSaveFile(request);
    if (path.empty()) return false;
    const FormulaFileResult written = FormulaIo::WriteFormulaFile(formula, path);
    if (!written.Succeeded()) {
        Say(written.message, "Message", Platform::BoxIcon::Stop);
        return false;
    }
    State().formula = GetDirectory(path);
    return true;
}

}  // namespace Core::Selection
