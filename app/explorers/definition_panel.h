#pragma once
// The "Definition" panel: the definition explorer's tree under its tool bar (Cut, Copy, Paste,
// Undo, Redo), whose buttons follow the map-bar bus.
#include "app/explorers/definition_explorer.h"
#include "winplus/button_bar.h"
#include "winplus/panel.h"

namespace Core {

// Enables the definition tool bar's buttons: MapBarEvent::kCurrentNodeChanged Cut, Copy and Paste,
// MapBarEvent::kMapBarTargetChanged Paste, MapBarEvent::kDefinitionUndoAvailability Undo,
// MapBarEvent::kDefinitionRedoAvailability Redo; other codes change nothing.
class MapBarObserver : public Winplus::BarObserver {
public:
    bool Notify(const int& code) override;
};

class MapController : public Winplus::LeafController {
public:
    MapController();

    bool OnCreate() override;
    // The tree's context-menu items come back here.
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    void Layout(int x, int y, int width, int height, bool repaint) override;

    const Safe::XPtr<ControlMap>& Tree() const { return tree_; }
    const Safe::XPtr<Winplus::ToolBar>& Bar() const { return bar_; }

private:
    Safe::XPtr<ControlMap> tree_;
    Safe::XPtr<Winplus::ToolBar> bar_;
};

class MapLeaf : public Winplus::VLeaf {
public:
    explicit MapLeaf(Winplus::Wnd parent);
};

}  // namespace Core
