#pragma once
// The panel registry: the main window's columns and tool panels, found by id, through which the
// View menu shows and hides panels. It points at panels it does not own.
#include <memory>

#include "app/base/panel_ids.h"

namespace Core {

// What the registry does with a panel; the window code adapts its panels to it.
class RegisteredPanel {
public:
    virtual ~RegisteredPanel() = default;
    // Shows or hides the panel (its controller's visibility).
    virtual void SetVisible(bool visible) = 0;
    // Whether the panel shows, whoever showed or hid it.
    virtual bool IsVisible() const = 0;
    // Lays the panel's children out again (a container after a child's visibility changed).
    virtual void LayOut() = 0;
};

namespace PanelRegistry {

// Empties a panel's slot unless another panel has taken it since.
struct SlotRelease {
    PanelId id = PanelId::MainPanel;
    void operator()(RegisteredPanel* panel) const;
};
// Keeps a panel in its slot: resetting or destroying the registration empties the slot.
using Registration = std::unique_ptr<RegisteredPanel, SlotRelease>;

// The main panel and its three columns; other ids are ignored (an empty registration).
[[nodiscard]] Registration SetLayoutPanel(RegisteredPanel* panel, PanelId id);
// The Function Selector, the User Function Selector and the Formula Editor; other ids are ignored.
[[nodiscard]] Registration SetToolPanel(RegisteredPanel* panel, PanelId id);
// Null for an empty slot or an id the registry does not keep.
RegisteredPanel* GetPanel(PanelId id);

// The left and right columns show or hide and lay the main panel out again; the three tool panels
// likewise with the centre column. Other ids and empty slots do nothing.
void ShowPanel(PanelId id, bool visible);
// Whether the panel shows; false for an empty slot or an id the registry does not keep.
bool IsShown(PanelId id);

}  // namespace PanelRegistry
}  // namespace Core
