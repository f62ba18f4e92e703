#include "app/panel_registry.h"

#include <array>

#include "foundation/event_bus.h"

namespace Core::PanelRegistry {

namespace {

constexpr int kKinds = 7;

std::array<RegisteredPanel*, kKinds>& Slots() {
    static std::array<RegisteredPanel*, kKinds> slots{};
    return slots;
}

void ResetSlots() {
    Slots().fill(nullptr);
}
[[maybe_unused]] const bool kResets = RegisterProcessReset(&ResetSlots);

bool IsKind(int kind, int first, int last) {
    return kind >= first && kind <= last;
}

Registration Register(RegisteredPanel* panel, int kind) {
    Slots()[static_cast<std::size_t>(kind)] = panel;
    return Registration(panel, SlotRelease{kind});
}

}  // namespace

void SlotRelease::operator()(RegisteredPanel* panel) const {
    if (panel && GetPanel(kind) == panel) Slots()[static_cast<std::size_t>(kind)] = nullptr;
}

Registration SetLayoutPanel(RegisteredPanel* panel, int kind) {
    return IsKind(kind, kMainPanel, kRightColumn) ? Register(panel, kind) : Registration();
}

Registration SetToolPanel(RegisteredPanel* panel, int kind) {
    return IsKind(kind, kFunctionSelectorPanel, kFormulaEditorPanel) ? Register(panel, kind)
                                                                     : Registration();
}

RegisteredPanel* GetPanel(int kind) {
    return IsKind(kind, 0, kKinds - 1) ? Slots()[static_cast<std::size_t>(kind)] : nullptr;
}

void ShowPanel(int kind, bool visible) {
    int container;
    if (kind == kLeftColumn || kind == kRightColumn)
        container = kMainPanel;
    else if (IsKind(kind, kFunctionSelectorPanel, kFormulaEditorPanel))
        container = kCentreColumn;
    else
        return;
    RegisteredPanel* panel = GetPanel(kind);
    if (!panel) return;
    panel->SetVisible(visible);
    if (RegisteredPanel* parent = GetPanel(container)) parent->LayOut();
}

bool IsShown(int kind) {
    const RegisteredPanel* panel = GetPanel(kind);
    return panel && panel->IsVisible();
}

}  // namespace Core::PanelRegistry
