#include "model/formula_capsule.h"

#include "model/factory.h"

namespace Core {

FormulaCapsule::FormulaCapsule() : UserCapsule(kFormulaCapsuleId, "FormulaCapsule", kArityFixed) {}

bool FormulaCapsule::SetFormula(const Safe::XPtr<Formula>& formula) {
    if (!formula) return false;
    formula_ = formula;
    SetName(GetFunctionName(formula->GetDefinition()));
    SetSymbolName(Name());
    const std::vector<std::string>& names = formula->GetArgumentNames();
    argumentCount_ = static_cast<int>(names.size());
    if (argumentCount_ == 0) return true;  // the old children stay, unused
    arguments_.assign(names.size(), Complex(0.0, 0.0));
    ReleaseChildren();
    for (const std::string& name : names) {
        Node::Ptr argument = Node::Create(kBasicId);
        if (!argument) continue;
        argument->SetName(name);
        AdoptChild(argument);
    }
    return true;
}

bool FormulaCapsule::ReplaceFormula(const Safe::XPtr<Formula>& formula) {
    if (!formula || !formula_ || formula->GetArgumentNames() != formula_->GetArgumentNames())
        return false;
    formula_ = formula;
    SetName(GetFunctionName(formula->GetDefinition()));
    SetSymbolName(Name());
    return true;
}

const Complex& FormulaCapsule::Evaluate() {
    if (!formula_ || ChildCount() < argumentCount_) return values_[0] = Complex(0.0, 0.0);
    for (int i = 0; i < argumentCount_; ++i)
        arguments_[static_cast<std::size_t>(i)] = Child(i)->Compute();
    formula_->Evaluate(values_[0], arguments_);
    return values_[0];
}

ColumnKind FormulaCapsule::GetColumnKind() const {
    if (formula_ && formula_->GetTerm() && formula_->GetTerm()->DrawsRandomNumbers())
        return kColumnOrderDependent;
    return formula_ && ChildCount() == argumentCount_ ? kColumnOwn : kColumnPointwise;
}

const Column& FormulaCapsule::EvaluateColumn(ColumnPass& pass) {
    if (GetColumnKind() != kColumnOwn) return Node::EvaluateColumn(pass);
    argumentColumns_.clear();
    for (int i = 0; i < argumentCount_; ++i)
        argumentColumns_.push_back(&Child(i)->ComputeColumn(pass));
    if (pass.GetMode() == ColumnPass::kKeeping) {
        formula_->KeepColumn(column_, argumentColumns_, pass.Storage());
    } else if (pass.GetMode() == ColumnPass::kReplaying) {
        changedArguments_.resize(argumentColumns_.size());
        for (int i = 0; i < argumentCount_; ++i)
            changedArguments_[static_cast<std::size_t>(i)] = pass.OnPath(Child(i)) ? 1 : 0;
        formula_->ReplayColumn(column_, argumentColumns_, changedArguments_, pass.Storage());
    } else {
        formula_->EvaluateColumn(column_, argumentColumns_, pass.Storage());
    }
    return column_;
}

Node::Ptr FormulaCapsule::Clone() {
    auto copy = Safe::MakeX<FormulaCapsule>();
    if (formula_) {
        auto formula = Safe::MakeX<Formula>();
        formula->Define(formula_->GetDefinition(), true);
        copy->SetFormula(formula);
    }
    CopyIdentityTo(*copy);
    CloneChildrenOver(*copy);
    return copy;
}

}  // namespace Core
