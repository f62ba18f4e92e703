#include "app/explorers/math_tree.h"

namespace Core {

ControlMath::ControlMath(HWND parent, int id) : ExplorerTree(parent, id) {
    SetImages(MathExplorer::kBitmaps);
    Observe<ModelEvent>([this](ModelEvent code) {
        if (MathExplorer::OnModelEvent(code)) Refill();
    });
    Refill();
}

void ControlMath::Refill() {
    Fill(MathExplorer::Tree());
    SelectQuietly(MathExplorer::CurrentItem());
}

void ControlMath::Command(int id) {
    const Explorer::Selected selected = GetSelected();
    if (!MathExplorer::Command(id, GetParent(Handle()), selected)) return;
    // The item the command was given stays selected while it is there (an added definition shows
    // below its model); the selection is then run again.
    Fill(MathExplorer::Tree());
    SelectQuietly(selected);
    MathExplorer::Select(GetSelected());
}

const ContextMenu* ControlMath::MenuOf(int kind) const {
    switch (kind) {
        case Explorer::kRootKind: return &rootMenu_;
        case MathExplorer::kModelKind: return &modelMenu_;
        case MathExplorer::kVariableKind:
        case MathExplorer::kFunctionKind: return &definitionMenu_;
        default: return nullptr;
    }
}

void ControlMath::OnSelectionChanged() {
    MathExplorer::Select(GetSelected());
}

bool ControlMath::EndLabelEdit(const Explorer::Selected& item, const std::string& oldName,
                               const std::string& newName) {
    return MathExplorer::Rename(item, oldName, newName);
}

MathLeaf::MathLeaf(Winplus::Wnd parent)
    : ExplorerLeaf("MathClass", parent, L"Math Explorer",
                   [](HWND leaf) { return Safe::MakeX<ControlMath>(leaf, kExplorerContentId); }) {}

}  // namespace Core
