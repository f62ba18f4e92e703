#include "app/explorers/definition_edits.h"

#include <algorithm>

#include "app/base/project_state.h"
#include "model/current.h"
#include "model/factory.h"
#include "model/map_bar.h"
#include "model/map_capsule.h"
#include "model/selection.h"
#include "modes/builder_core.h"

namespace Core {

namespace {

Node::Ptr CloneOf(const Node::Ptr& node) {
    return node ? node->Clone() : Node::Ptr();
}

// The sibling after the node, else its parent: what the tree selects when the node's item goes.
Node::Ptr NeighbourOf(const Node::Ptr& node) {
    const Node::Ptr parent = node->GetParent();
    const int next = parent->IndexOfChild(node->Name()) + 1;
    return next < parent->ChildCount() ? parent->GetChild(next) : parent;
}

}  // namespace

// --- Selection ---

void DefinitionEditor::SelectItem(const std::string& itemText) {
    const NodeMap::Ptr definition = MenuCore::GetCurrentDefinition();
    const std::string name = itemText.substr(0, itemText.find("->"));
    MenuCore::SetCurrentNode(definition ? definition->FindNode(name) : Node::Ptr());
}

void DefinitionEditor::SelectNone() {
    MenuCore::SetCurrentNode(Node::Ptr());
}

Node::Ptr DefinitionEditor::Selected() const {
    const NodeMap::Ptr definition = MenuCore::GetCurrentDefinition();
    const Node::Ptr node = MenuCore::GetCurrentNode();
    // Another explorer may have made a node of another definition current.
    if (!definition || !node || definition->FindNode(node->Name()) != node) return Node::Ptr();
    return node;
}

void DefinitionEditor::Announce() {
    MenuCore::Notify(ModelEvent::kDefinitionEdited);
}

void DefinitionEditor::Relink() {
    if (const MathMap::Ptr model = MenuCore::GetCurrentModel()) model->RelinkMaps();
}

// --- Structural edits ---

bool DefinitionEditor::Replace(const Node::Ptr& node, bool relink) {
    const Node::Ptr selected = Selected();
    if (!selected || !node) return false;
    // The definition's root is replaced by the same operation, as one undoable step.
    if (!MenuCore::GetCurrentDefinition()->ReplaceNode(selected->Name(), node)) return false;
    if (relink || node->GetSourceKind() == kUserCapsule) Relink();
    Announce();
    MenuCore::SetCurrentNode(node);
    return true;
}

bool DefinitionEditor::Append(const Node::Ptr& node, bool relink) {
    const Node::Ptr selected = Selected();
    if (!selected || !node || !selected->IsVariadic()) return false;
    if (!MenuCore::GetCurrentDefinition()->AddNode(selected->Name(), node)) return false;
    if (relink || node->GetSourceKind() == kUserCapsule) Relink();
    Announce();
    return true;
}

bool DefinitionEditor::Remove() {
    const Node::Ptr selected = Selected();
    // The root has no item to fall back on: the menu never offers removing it.
    if (!selected || !selected->GetParent()) return false;
    const Node::Ptr next = NeighbourOf(selected);
    if (!MenuCore::GetCurrentDefinition()->RemoveNode(selected->Name())) return false;
    Announce();
    MenuCore::SetCurrentNode(next == selected ? Node::Ptr() : next);
    return true;
}

bool DefinitionEditor::Sort() {
    const Node::Ptr selected = Selected();
    if (!selected) return false;
    selected->Sort();
    MenuCore::SetSaved(false);
    return true;
}

bool DefinitionEditor::Connect(int index) {
    const MathMap::Ptr model = MenuCore::GetCurrentModel();
    const Node::Ptr selected = Selected();
    if (!model || !selected || index < 0 || index >= static_cast<int>(connect_.size()))
        return false;
    // The list was made at the last change of definition: the model may have changed since, and
    // a reference that closed a cycle could never be evaluated.
    const NodeMap::Ptr target = connect_[static_cast<std::size_t>(index)];
    const std::vector<NodeMap::Ptr> referable =
        model->GetReferableMaps(MenuCore::GetCurrentDefinition());
    if (std::find(referable.begin(), referable.end(), target) == referable.end()) return false;
    auto reference = Safe::DynamicCast<MapCapsule>(Node::Create(kMapCapsuleId));
    if (!reference) return false;
    reference->SetName(selected->Name());
    reference->SetMap(target);
    return Replace(reference, true);
}

bool DefinitionEditor::StepHistory(bool undo) {
    const NodeMap::Ptr definition = MenuCore::GetCurrentDefinition();
    if (!definition || !(undo ? definition->Undo() : definition->Redo())) return false;
    Relink();
    // The tree is filled anew, with no item selected.
    SelectNone();
    Announce();
    return true;
}

// --- Clipboard ---

bool DefinitionEditor::Cut() {
    if (!Replace(Node::Create(kBasicId), false)) return false;
    if (const Node::Ptr cut = MenuCore::GetCurrentDefinition()->GetPreviousRoot())
        MapBar::SetTarget(cut);
    return true;
}

bool DefinitionEditor::Copy() {
    const Node::Ptr copy = CloneOf(MenuCore::GetCurrentNode());
    if (!copy) return false;
    MapBar::SetTarget(copy);
    return true;
}

bool DefinitionEditor::Paste() {
    return Replace(CloneOf(MapBar::GetTarget()), true);
}

// --- Commands ---

bool DefinitionEditor::RunMenuCommand(void* owner, int id) {
    namespace Id = DefinitionMenuId;
    if (id >= Id::kFirstSpectrum) return TakeSpectrum(id - Id::kFirstSpectrum);
    if (id >= Id::kFirstConnect) return Connect(id - Id::kFirstConnect);
    switch (id) {
        case Id::kReset: return Replace(Node::Create(kBasicId), false);
        case Id::kAppendSelection: return Append(CloneOf(Selection::GetCurrent()), false);
        case Id::kSetSelection: return Replace(CloneOf(Selection::GetCurrent()), false);
        case Id::kRemove: return Remove();
        case Id::kSetPrototype: return Replace(CloneOf(Selection::GetPrototype()), true);
        case Id::kAppendPrototype: return Append(CloneOf(Selection::GetPrototype()), true);
        case Id::kAppendElement: {
            const Node::Ptr selected = Selected();
            return selected && Append(Node::CreateListItem(selected->GetTypeId()), false);
        }
        case Id::kAppendElementFile: return AppendElementFile(owner);
        case Id::kSaveElements: return SaveElements(owner);
        case Id::kSort: return Sort();
        case Id::kLoadDataFile: return LoadDataFile(owner);
        case Id::kSaveData: return SaveData(owner);
        default: return false;
    }
}

bool DefinitionEditor::RunBarCommand(int code) {
    switch (code) {
        case DefinitionBarCode::kCut: return Cut();
        case DefinitionBarCode::kCopy: return Copy();
        case DefinitionBarCode::kPaste: return Paste();
        case DefinitionBarCode::kUndo: return Undo();
        case DefinitionBarCode::kRedo: return Redo();
        default: return false;
    }
}

bool DefinitionEditor::AppendFunction(const Node::Ptr& node) {
    return Append(node, false);
}

// --- Bus events ---

void DefinitionEditor::RebuildConnectList() {
    const MathMap::Ptr model = MenuCore::GetCurrentModel();
    const NodeMap::Ptr definition = MenuCore::GetCurrentDefinition();
    connect_ =
        model && definition ? model->GetReferableMaps(definition) : std::vector<NodeMap::Ptr>();
}

bool DefinitionEditor::OnModelEvent(ModelEvent code) {
    switch (code) {
        case ModelEvent::kModelsReset:
        case ModelEvent::kCurrentModelChanged:
        case ModelEvent::kCurrentDefinitionChanged: {
            RebuildConnectList();
            const NodeMap::Ptr definition = MenuCore::GetCurrentDefinition();
            MapBar::SetUndoAvailable(1, definition && definition->UndoCount() > 0);
            MapBar::SetRedoAvailable(1, definition && definition->RedoCount() > 0);
            return true;
        }
        case ModelEvent::kDefinitionRenamed: return true;
        case ModelEvent::kFunctionPlaced: return AppendFunction(BuilderCore::CreateFunction());
        default: return false;
    }
}

bool DefinitionEditor::OnDataSetEvent(DataSetEvent) {
    RebuildSpectrumItems();
    return true;
}

}  // namespace Core
