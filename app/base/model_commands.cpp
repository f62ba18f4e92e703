#include "app/base/model_commands.h"

#include <vector>

#include "foundation/exception.h"
#include "foundation/platform.h"
#include "foundation/text.h"
#include "io/node_io.h"
#include "io/osml_reader.h"
#include "io/osml_writer.h"
#include "model/current.h"
#include "model/versatile_capsule.h"

namespace Core::MathMapIo {

namespace {

std::string& ModelFolder() {
    static std::string folder;
    return folder;
}
void ResetFolder() {
    ModelFolder().clear();
}
[[maybe_unused]] const bool kResets = RegisterProcessReset(&ResetFolder);

constexpr const char* kModelFilter = "Model Files (*.mod)-*.mod-All Files (*.*)-*.*-";
constexpr const char* kOsmlFilter = "OSML Model Files (*.sml)-*.sml-All Files (*.*)-*.*-";

struct Dialog {
    const char* title;
    const char* filter;
    const char* extension;
    // Capsules and prototypes open where the system's dialog does.
    bool inModelFolder = true;
};

Platform::FileDialogRequest Request(void* owner, const Dialog& dialog) {
    Platform::FileDialogRequest request;
    request.owner = owner;
    request.title = dialog.title;
    request.filter = dialog.filter;
    request.defaultExtension = dialog.extension;
    if (dialog.inModelFolder) request.initialFolder = ModelFolder();
    return request;
}

// The chosen file; empty when the dialog was cancelled.
std::string ChooseOpen(void* owner, const Dialog& dialog) {
    const std::vector<std::string> paths = Platform::ChooseFiles(Request(owner, dialog));
    return paths.empty() ? std::string() : paths.front();
}

std::string ChooseSave(void* owner, const Dialog& dialog, const std::string& proposed) {
    Platform::FileDialogRequest request = Request(owner, dialog);
    request.fileName = proposed;
    return Platform::ChooseSaveFile(request);
}

void TakeFolder(const std::string& path) {
    ModelFolder() = GetDirectory(path);
}

void Say(const std::string& text, Platform::BoxIcon icon) {
    Platform::ShowMessageBox({text, "Message", icon});
}

// A read model joins the project under the name given, made unique there.
void Join(const MathMap::Ptr& model, const std::string& name) {
    model->Label::SetName(name);
    model->ReplaceDanglingMaps();
    Models().Add(model);
}

// A model read from the chosen file joins the project under the file's name.
bool LoadModel(void* owner, const Dialog& dialog, MathMap::Ptr (*read)(const std::string&)) {
    const std::string path = ChooseOpen(owner, dialog);
    if (path.empty()) return false;
    const MathMap::Ptr model = read(path);
    if (!model) return false;
    TakeFolder(path);
    Join(model, SplitPath(path));
    MenuCore::Notify(ModelEvent::kModelsAdded);
    return true;
}

MathMap::Ptr ReadModelFile(const std::string& path) {
    return NodeMapIo().ReadModelFile(path);  // says "Invalid model file." itself
}

MathMap::Ptr ReadOsmlModel(const std::string& path) {
    MathMap::Ptr model;
    try {
        model = Sml::OsmlReader().LoadModel(path);
    } catch (const Winplus::Exception&) {
    }
    if (!model) Say("Invalid Model File", Platform::BoxIcon::Stop);
    return model;
}

// The current model, or none after saying that one is needed.
MathMap::Ptr NeededModel() {
    MathMap::Ptr model = MenuCore::GetCurrentModel();
    if (!model) Say("Select a Model", Platform::BoxIcon::Information);
    return model;
}

}  // namespace

const std::string& GetModelFolder() {
    return ModelFolder();
}

bool LoadModelBinary(void* owner) {
    return LoadModel(owner, {"Load Model", kModelFilter, "mod"}, &ReadModelFile);
}

bool LoadOsmlModel(void* owner) {
    return LoadModel(owner, {"Load OSML Model", kOsmlFilter, "sml"}, &ReadOsmlModel);
}

bool LoadOsmlLibrary(void* owner) {
    const std::string path = ChooseOpen(owner, {"Load OSML Library", kOsmlFilter, "sml"});
    if (path.empty()) return false;
    std::vector<Node::Ptr> symbols;
    try {
        symbols = Sml::OsmlReader().LoadLibrary(path);
    } catch (const Winplus::Exception&) {
        Say("Invalid Sml library file", Platform::BoxIcon::Stop);
        return false;
    }
    TakeFolder(path);
    bool added = false, skipped = false;
    for (const Node::Ptr& symbol : symbols) {
        const auto capsule = Safe::DynamicCast<VersatileCapsule>(symbol);
        const MathMap::Ptr model = capsule ? capsule->GetMathMap() : MathMap::Ptr();
        if (!model) {
            skipped = true;
            continue;
        }
        Join(model, symbol->Name());
        added = true;
    }
    if (skipped)
        Say("Formulas and constants of the library hold no model: they were not added.",
            Platform::BoxIcon::Information);
    if (added) MenuCore::Notify(ModelEvent::kModelsAdded);
    return added;
}

bool SaveModelBinary(void* owner) {
    const MathMap::Ptr model = NeededModel();
    if (!model) return false;
    const std::string path =
        ChooseSave(owner, {"Save Model", kModelFilter, "mod"}, model->GetNameA());
    if (path.empty() || !NodeMapIo().WriteModelFile(model, path)) return false;
    TakeFolder(path);
    return true;
}

bool SaveOsmlModel(void* owner, bool embedDeclarations) {
    const MathMap::Ptr model = NeededModel();
    if (!model) return false;
    const std::string path =
        ChooseSave(owner, {"Save Model", kOsmlFilter, "sml"}, model->GetNameA());
    if (path.empty() || !Sml::WriteModel(path, model, embedDeclarations)) return false;
    TakeFolder(path);
    return true;
}

bool SaveEncapsulation(void* owner) {
    const MathMap::Ptr model = MenuCore::GetCurrentModel();
    const NodeMap::Ptr definition = MenuCore::GetCurrentDefinition();
    if (!model || !definition) {
        Say("Select a Definition", Platform::BoxIcon::Information);
        return false;
    }
    const Dialog dialog{"Save Encapsulation", "Capsule Files (*.cps)-*.cps-All Files (*.*)-*.*-",
                        "cps", false};
    const std::string path = ChooseSave(owner, dialog, definition->Name());
    if (path.empty()) return false;
    MenuCore::RenameDefinition(model, definition->Name(), SplitPath(path));
    return NodeIo().WriteCapsuleFile(path, model, definition->Name());
}

bool SavePrototype(void* owner) {
    const Node::Ptr node = MenuCore::GetCurrentNode();
    if (!node) {
        Say("Select a Definition", Platform::BoxIcon::Information);
        return false;
    }
    const Dialog dialog{"Save Prototype", "Model Files (*.pro)-*.pro-All Files (*.*)-*.*-", "pro",
                        false};
    const std::string path = ChooseSave(owner, dialog, node->Name());
    return !path.empty() && NodeIo().WritePrototypeFile(path, node);
}

}  // namespace Core::MathMapIo

namespace Core::MenuCore {

bool RenameDefinition(const MathMap::Ptr& model, const std::string& oldName,
                      const std::string& newName) {
    if (!model || newName.empty() || !model->SetMapName(oldName, newName)) return false;
    Notify(ModelEvent::kDefinitionRenamed);
    return true;
}

}  // namespace Core::MenuCore
