#pragma once
// The selection panel at the top of the left column: the name of the function picked last, the
// "Function" and "Formula" tabs, one tab per argument of the pick, and the boxes that bind the
// selected argument to a variable of the current model or give it a value. Every selector's pick
// reaches it through its target command.
#include <memory>

#include "app/selectors/selection_core.h"
#include "winplus/controls.h"
#include "winplus/panel.h"
#include "winplus/sticker_bar.h"

namespace Core {

class SelectionController : public Winplus::AreaController {
public:
    // The command ids of the two tab bars.
    static constexpr int kModeTabs = 1;
    static constexpr int kArgumentTabs = 2;

    SelectionController();
    ~SelectionController() override;
    bool OnCreate() override;
    bool OnPaint() override;
    bool OnNotify(WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnLButtonDown(int x, int y, unsigned keys) override;
    bool OnLButtonUp(int, int, unsigned) override { return true; }
    void Layout(int x, int y, int width, int height, bool repaint) override;

    // The selectors' pick: 0 the formula editor's formula, a type id, -1 a stored library node.
    void Pick(int code);
    // The command that the selectors are given.
    const Safe::XPtr<Winplus::Command>& Target() const { return target_; }

    const SelectionCore& Logic() const { return *core_; }
    const Safe::XPtr<Winplus::StickerBar>& ModeTabs() const { return modeTabs_; }
    const Safe::XPtr<Winplus::StickerBar>& ArgumentTabs() const { return argumentTabs_; }
    const Winplus::ControlEdit& ValueBox() const { return value_; }
    const Winplus::ControlCombo& VariableBox() const { return variables_; }

private:
    void ShowArguments();
    void ShowArgument();
    void ShowBoxes();
    void Draw(Gdiplus::GpGraphics* graphics) const;
    void Repaint() const;

    std::unique_ptr<SelectionCore> core_;
    Safe::XPtr<Winplus::StickerBar> modeTabs_;
    Safe::XPtr<Winplus::StickerBar> argumentTabs_;
    Safe::XPtr<Winplus::Command> target_;
    Winplus::ControlEdit value_;
    Winplus::ControlCombo variables_;
    Safe::XPtr<Winplus::StickerUpDown> modeUpDown_;
    Safe::XPtr<Winplus::StickerUpDown> argumentUpDown_;
    Winplus::GdipFont font_;
    bool filling_ = false;  // the boxes are being filled: their notices are not the user's
};

class NodeSelection : public Winplus::VLeaf {
public:
    explicit NodeSelection(Winplus::Wnd parent);
    // The panel's command, for the three selectors.
    Safe::XPtr<Winplus::Command> GetTarget() const;
    SelectionController& Panel() const;
};

}  // namespace Core
