#include "app/explorers/math_explorer.h"

#include "app/base/model_commands.h"
#include "model/current.h"

namespace Core::MathExplorer {

const std::array<Explorer::MenuEntry, 2> kRootMenu = {{
    {kAddBasicModel, "Add Basic Model"},
    {kLoadModel, "Load Model..."},
}};
const std::array<Explorer::MenuEntry, 5> kModelMenu = {{
    {kAddVariable, "Add Variable"},
    {kAddDefinition, "Add Definition"},
    {kRemoveModel, "Remove"},
    {0, ""},
    {kSaveModel, "Save..."},
}};
const std::array<Explorer::MenuEntry, 1> kDefinitionMenu = {{
    {kRemoveDefinition, "Remove"},
}};

namespace {

bool IsDefinitionKind(int kind) {
    return kind == kVariableKind || kind == kFunctionKind;
}

MathMap::Ptr FindModel(const std::string& name) {
    std::wstring wide;
    return ToWide(name, wide) ? Models().Find(wide) : MathMap::Ptr();
}

// The model an item belongs to: its own for a model, its parent's for a definition.
MathMap::Ptr ModelOf(const Explorer::Selected& selected) {
    if (selected.kind == kModelKind) return FindModel(selected.text);
    if (IsDefinitionKind(selected.kind)) return FindModel(selected.parentText);
    return nullptr;
}

void ClearCurrent() {
    MenuCore::SetCurrentNode(nullptr);
    MenuCore::SetCurrentDefinition(nullptr);
    MenuCore::SetCurrentModel(nullptr);
}

bool AddBasicModel() {
    if (!Models().Add(MathMap::CreateModel("basic"))) return false;
    MenuCore::Notify(ModelEvent::kModelsAdded);
    return true;
}

bool AddDefinition(const Explorer::Selected& selected, const NodeMap::Ptr& definition) {
    const MathMap::Ptr model = ModelOf(selected);
    if (selected.kind != kModelKind || !model || !model->AddMap(definition)) return false;
    MenuCore::Notify(ModelEvent::kDefinitionEdited);
    return true;
}

bool RemoveDefinition(const Explorer::Selected& selected) {
    const MathMap::Ptr model = ModelOf(selected);
    if (!IsDefinitionKind(selected.kind) || !model) return false;
    const NodeMap::Ptr removed = model->RemoveMap(selected.text);
    if (!removed) return false;
    if (MenuCore::GetCurrentDefinition() == removed) {
        MenuCore::SetCurrentNode(nullptr);
        MenuCore::SetCurrentDefinition(nullptr);
    }
    MenuCore::Notify(ModelEvent::kDefinitionEdited);
    return true;
}

bool RemoveModel(const Explorer::Selected& selected) {
    const MathMap::Ptr model = ModelOf(selected);
    if (selected.kind != kModelKind || !model || !Models().Remove(model->GetName())) return false;
    if (MenuCore::GetCurrentModel() == model) ClearCurrent();
    MenuCore::Notify(ModelEvent::kDefinitionEdited);
    return true;
}

int KindOf(const NodeMap& definition) {
    return definition.IsActive() ? kFunctionKind : kVariableKind;
}

}  // namespace

Explorer::Item Tree() {
    Explorer::Item root{kRootText, Explorer::kRootKind, {}};
    for (const MathMap::Ptr& model : Models()) {
        Explorer::Item item{model->GetNameA(), kModelKind, {}};
        for (const NodeMap::Ptr& definition : model->GetMaps())
            item.children.push_back({definition->Name(), KindOf(*definition), {}});
        root.children.push_back(std::move(item));
    }
    return root;
}

Explorer::Selected CurrentItem() {
    const MathMap::Ptr model = MenuCore::GetCurrentModel();
    if (!model) return {};
    if (const NodeMap::Ptr definition = MenuCore::GetCurrentDefinition())
        return {KindOf(*definition), definition->Name(), model->GetNameA()};
    return {kModelKind, model->GetNameA(), kRootText};
}

bool OnModelEvent(ModelEvent code) {
    if (code == ModelEvent::kBasicModelRequested) Models().Add(MathMap::CreateModel("basic"));
    return code == ModelEvent::kModelsReset || code == ModelEvent::kModelsAdded ||
           code == ModelEvent::kBasicModelRequested;
}

void Select(const Explorer::Selected& selected) {
    const MathMap::Ptr model = ModelOf(selected);
    if (!model) {
        ClearCurrent();
    } else if (selected.kind == kModelKind) {
        MenuCore::SetCurrentNode(nullptr);
        MenuCore::SetCurrentDefinition(nullptr);
        MenuCore::SetCurrentModel(model);
    } else {
        MenuCore::SetCurrentModel(model);
        MenuCore::SetCurrentNode(nullptr);
        MenuCore::SetCurrentDefinition(model->FindMap(selected.text));
    }
}

bool Rename(const Explorer::Selected& selected, const std::string& oldName,
            const std::string& newName) {
    const MathMap::Ptr current = MenuCore::GetCurrentModel();
    if (!current || newName.empty()) return false;
    if (IsDefinitionKind(selected.kind))
        return MenuCore::RenameDefinition(current, oldName, newName);
    std::wstring oldWide, newWide;
    if (selected.kind != kModelKind || !ToWide(oldName, oldWide) || !ToWide(newName, newWide) ||
        !Models().RenameItem(oldWide, newWide))
        return false;
    MenuCore::Notify(ModelEvent::kModelRenamed);
    return true;
}

bool Command(int id, void* owner, const Explorer::Selected& selected) {
    switch (id) {
        case kAddBasicModel: return selected.kind == Explorer::kRootKind && AddBasicModel();
        case kAddVariable: return AddDefinition(selected, NodeMap::CreateVariable("v"));
        case kAddDefinition: return AddDefinition(selected, NodeMap::CreateFunction("m"));
        case kRemoveDefinition: return RemoveDefinition(selected);
        case kRemoveModel: return RemoveModel(selected);
        case kLoadModel: return MathMapIo::LoadModelBinary(owner);
        case kSaveModel:
            if (selected.kind == kModelKind) MathMapIo::SaveModelBinary(owner);
            return false;
        default: return false;
    }
}

}  // namespace Core::MathExplorer
