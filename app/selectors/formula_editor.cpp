#include "app/selectors/formula_editor.h"

#include "app/selectors/selection_files.h"
#include "formula/formula.h"
#include "foundation/platform.h"
#include "model/current.h"
#include "model/factory.h"
#include "model/formula_capsule.h"
#include "model/selection.h"

namespace Core {

namespace {

FormulaCapsule* AsFormula(const Node::Ptr& node) {
    return node && node->GetTypeId() == kFormulaCapsuleId
               ? dynamic_cast<FormulaCapsule*>(node.Get())
               : nullptr;
}

void SayError(const std::string& text) {
    Platform::ShowMessageBox({text, "Error Message", Platform::BoxIcon::Stop});
}

// A new formula from the text; none, after the formula's own message, when it does not compile.
Safe::XPtr<Formula> Compile(const std::string& text) {
    auto formula = Safe::MakeX<Formula>();
    if (formula->Define(text, false)) return formula;
    SayError(formula->GetMessage());
    return Safe::XPtr<Formula>();
}

// Shows the edit box again when the current node changes in math mode.
struct NodeObserver : Winplus::EventObserver<ModelEvent> {
    explicit NodeObserver(FormulaEditor* editor) : editor(editor) {}
    bool Notify(const ModelEvent& code) override {
        if (code == ModelEvent::kCurrentNodeChanged) editor->OnCurrentNodeChanged();
        return true;
    }
    FormulaEditor* editor;
};

}  // namespace

FormulaEditor::FormulaEditor()
    : onModels_(MenuCore::AddObserver(Safe::MakeX<NodeObserver>(this))) {}

void FormulaEditor::OnCurrentNodeChanged() {
    const std::optional<std::string> text = Refresh(false, mathMode_);
    if (text && show_) show_(*text);
}

void FormulaEditor::TellTarget() {
    if (target_) target_->Execute(0);
}

std::optional<std::string> FormulaEditor::OpenFormula(void* owner) {
    const Selection::FormulaLoad load = Selection::LoadFormulaFile(owner);
    if (load.text.empty()) return std::nullopt;
    mathMode_ = false;
    if (load.loaded) {
        saveEnabled_ = false;
        TellTarget();
    }
    return load.text;
}

bool FormulaEditor::SaveFormula(void* owner) {
    if (!Selection::SaveFormulaCommand(owner)) return false;
    saveEnabled_ = false;
    return true;
}

std::optional<std::string> FormulaEditor::Refresh(bool force, bool mathChecked) {
    if (!force && !mathMode_) return std::nullopt;
    mathMode_ = mathChecked;
    const FormulaCapsule* formula =
        AsFormula(mathMode_ ? MenuCore::GetCurrentNode() : Selection::GetFormula());
    if (!formula) return std::string("Not a formula");
    const std::string text = formula->GetFormulaText();
    return mathMode_ ? GetDefinitionPart(text, false) : text;
}

void FormulaEditor::Validate(const std::string& text) {
    if (mathMode_)
        ValidateExpression(text);
    else
        ValidateFormula(text);
}

void FormulaEditor::ValidateFormula(const std::string& text) {
    // A text that does not compile leaves the stored formula as it was.
    const Safe::XPtr<Formula> formula = Compile(text);
    saveEnabled_ = static_cast<bool>(formula);
    if (!formula) return;
    Node::Ptr node = Selection::GetFormula();
    if (!AsFormula(node)) node = Node::Create(kFormulaCapsuleId);
    AsFormula(node)->SetFormula(formula);
    Selection::SetFormula(node);
    TellTarget();
}

void FormulaEditor::ValidateExpression(const std::string& text) {
    const Node::Ptr node = MenuCore::GetCurrentNode();
    FormulaCapsule* capsule = AsFormula(node);
    if (!capsule) return SayError("Select a formula node");
    if (text.find('=') != std::string::npos)
        return SayError("Expression must not contain declaration.");
    // Compiled apart, so that a typo keeps the node's working formula and its arguments.
    const Safe::XPtr<Formula> formula =
        Compile(GetLeftSide(capsule->GetFormulaText()) + "=" + text);
    if (!formula || !capsule->ReplaceFormula(formula)) return;
    MenuCore::Notify(ModelEvent::kParametersChanged);
}

}  // namespace Core
