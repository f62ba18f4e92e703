#pragma once
// The formula editor bar: a tool bar (open, save, "Math explorer formulas", validate) beside a
// one-line edit box in which the user types a user function, or, in math mode, the expression of
// the model's current formula node.
#include <memory>

#include "app/selectors/formula_editor.h"
#include "app/selectors/selector_leaf.h"
#include "winplus/button_bar.h"
#include "winplus/controls.h"
#include "winplus/panel.h"

namespace Core {

class FormulaBarController : public Winplus::AreaController {
public:
    // The tool bar's command codes.
    static constexpr int kOpen = 106;
    static constexpr int kSave = 108;
    static constexpr int kValidate = 180;
    static constexpr int kMathMode = 181;

    FormulaBarController();
    bool OnCreate() override;
    bool OnPaint() override;
    void Layout(int x, int y, int width, int height, bool repaint) override;

    void SetTarget(const Safe::XPtr<Winplus::Command>& target) { editor_->SetTarget(target); }
    // A tool bar command; false for codes the bar does not have.
    bool Execute(int code);

    const Safe::XPtr<Winplus::ToolBar>& Bar() const { return toolBar_; }
    const Winplus::ControlEdit& Edit() const { return edit_; }
    const FormulaEditor& Editor() const { return *editor_; }

private:
    void Show(const std::string& text);
    void ShowSaveState();

    std::unique_ptr<FormulaEditor> editor_ = std::make_unique<FormulaEditor>();
    Safe::XPtr<Winplus::ToolBar> toolBar_;
    Winplus::ControlEdit edit_;
};

class FormulaBar : public SelectorLeaf<FormulaBarController> {
public:
    explicit FormulaBar(Winplus::Wnd parent) : SelectorLeaf(parent, "FormulaBarClass") {}
};

// The whole text of a window, however long (the controls' text read-back stops at 127).
std::string WholeWindowText(HWND window);

}  // namespace Core
