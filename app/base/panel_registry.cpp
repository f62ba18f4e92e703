#include "app/base/panel_registry.h"

#include <array>

#include "foundation/event_bus.h"

namespace Core::PanelRegistry {

namespace {

std::array<RegisteredPanel*, kPanelIdCount>& Slots() {
    static std::array<RegisteredPanel*, kPanelIdCount> slots{};
    return slots;
}

void ResetSlots() {
    Slots().fill(nullptr);
}
[[maybe_unused]] const bool kResets = RegisterProcessReset(&ResetSlots);

bool IsLayoutPanel(PanelId id) {
    return id == PanelId::MainPanel || id == PanelId::LeftColumn || id == PanelId::CentreColumn ||
           id == PanelId::RightColumn;
}

bool IsToolPanel(PanelId id) {
    return id == PanelId::FunctionSelector || id == PanelId::UserFunctionSelector ||
           id == PanelId::FormulaEditor;
}

Registration Register(RegisteredPanel* panel, PanelId id) {
    Slots()[static_cast<std::size_t>(IndexOf(id))] = panel;
    return Registration(panel, SlotRelease{id});
}

}  // namespace

void SlotRelease::operator()(RegisteredPanel* panel) const {
    if (panel && GetPanel(id) == panel) Slots()[static_cast<std::size_t>(IndexOf(id))] = nullptr;
}

Registration SetLayoutPanel(RegisteredPanel* panel, PanelId id) {
    return IsLayoutPanel(id) ? Register(panel, id) : Registration();
}

Registration SetToolPanel(RegisteredPanel* panel, PanelId id) {
    return IsToolPanel(id) ? Register(panel, id) : Registration();
}

RegisteredPanel* GetPanel(PanelId id) {
    return IsLayoutPanel(id) || IsToolPanel(id) ? Slots()[static_cast<std::size_t>(IndexOf(id))]
                                                : nullptr;
}

void ShowPanel(PanelId id, bool visible) {
    PanelId container;
    if (id == PanelId::LeftColumn || id == PanelId::RightColumn)
        container = PanelId::MainPanel;
    else if (IsToolPanel(id))
        container = PanelId::CentreColumn;
    else
        return;
    RegisteredPanel* panel = GetPanel(id);
    if (!panel) return;
    panel->SetVisible(visible);
    if (RegisteredPanel* parent = GetPanel(container)) parent->LayOut();
}

bool IsShown(PanelId id) {
    const RegisteredPanel* panel = GetPanel(id);
    return panel && panel->IsVisible();
}

}  // namespace Core::PanelRegistry
