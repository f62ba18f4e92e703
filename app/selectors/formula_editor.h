#pragma once
// The formula editor bar without its window: a user function typed as text, validated into the
// selection store's formula, or, in math mode, the expression of the current formula node of a
// model. The bar's window passes its whole edit text here and shows what comes back.
#include <functional>
#include <optional>
#include <string>

#include "foundation/command.h"
#include "foundation/event_bus.h"

namespace Core {

class FormulaEditor {
public:
    FormulaEditor();

    // The command told (with 0) when the selection store's formula changed: the selection
    // panel's.
    void SetTarget(const Safe::XPtr<Winplus::Command>& target) { target_ = target; }
    // Called with the edit box's new text when the current node changes in math mode.
    void SetShow(std::function<void(const std::string&)> show) { show_ = std::move(show); }

    // "Open formula file": the text for the edit box, none when the dialog was cancelled. A
    // formula that no longer compiles is not stored, but its text is given to be mended.
    // Leaves math mode.
    std::optional<std::string> OpenFormula(void* owner);
    // "Save formula": what the file command answered; a saved formula disables the button.
    bool SaveFormula(void* owner);
    // The edit box's text after "Math explorer formulas" (force, with the button's state) or a
    // change of the current node; none when it stays as it is.
    std::optional<std::string> Refresh(bool force, bool mathChecked);
    // "Validate formula" on the whole edit text.
    void Validate(const std::string& text);

    // ModelEvent::kCurrentNodeChanged: in math mode the edit box follows the current node.
    void OnCurrentNodeChanged();

    bool IsMathMode() const { return mathMode_; }
    bool IsSaveEnabled() const { return saveEnabled_; }

private:
    void ValidateFormula(const std::string& text);
    void ValidateExpression(const std::string& text);
    void TellTarget();

    bool mathMode_ = false;
    bool saveEnabled_ = false;
    Safe::XPtr<Winplus::Command> target_;
    std::function<void(const std::string&)> show_;
    EventBus::Registration onModels_;
};

}  // namespace Core
