#pragma once
// The panel registry: the main window's columns and tool panels, found by kind, through which the
// View menu shows and hides panels. It points at panels it does not own.
#include <memory>

namespace Core {

enum PanelKind {
    kMainPanel = 0,
    kLeftColumn = 1,
    kCentreColumn = 2,
    kRightColumn = 3,
    kFunctionSelectorPanel = 4,
    kUserFunctionSelectorPanel = 5,
    kFormulaEditorPanel = 6,
};

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
    int kind = -1;
    void operator()(RegisteredPanel* panel) const;
};
// Keeps a panel in its slot: resetting or destroying the registration empties the slot.
using Registration = std::unique_ptr<RegisteredPanel, SlotRelease>;

// The main panel and the three columns (kinds 0 to 3); other kinds are ignored (an empty
// registration).
[[nodiscard]] Registration SetLayoutPanel(RegisteredPanel* panel, int kind);
// The Function Selector, the User Function Selector and the Formula Editor (kinds 4 to 6).
[[nodiscard]] Registration SetToolPanel(RegisteredPanel* panel, int kind);
// Null for an empty slot or a kind outside 0 to 6.
RegisteredPanel* GetPanel(int kind);

// Kinds 1 and 3 show or hide a side column and lay the main panel out again; kinds 4 to 6 a tool
// panel, then the centre column. Kind 2, other kinds and empty slots do nothing.
void ShowPanel(int kind, bool visible);
// Whether the panel of that kind shows; false for an empty slot or a kind outside 0 to 6.
bool IsShown(int kind);

}  // namespace PanelRegistry
}  // namespace Core
