#pragma once
// A node that evaluates a user formula over its argument children.
#include <string>
#include <vector>

#include "formula/formula.h"
#include "model/column.h"
#include "model/constant_capsule.h"

namespace Core {

class FormulaCapsule : public UserCapsule {
public:
    FormulaCapsule();

    // Holds the formula and names the capsule after it; a formula with arguments replaces the
    // children by one basic node per argument. False (nothing changes) for null.
    bool SetFormula(const Safe::XPtr<Formula>& formula);
    // Holds a formula of the same arguments in place of the present one, keeping the children
    // with their values and references. False (nothing changes) for null, without a present
    // formula or when the argument names differ.
    bool ReplaceFormula(const Safe::XPtr<Formula>& formula);
    Safe::XPtr<Formula> GetFormula() const { return formula_; }
    std::string GetFormulaText() const { return formula_ ? formula_->GetDefinition() : ""; }

    Ptr Clone() override;
    // The formula at the children's values; (0, 0) without a formula or with too few children.
    const Complex& Evaluate() override;
    // Its own column path when it reads exactly its children; order-dependent when the
    // formula draws random numbers.
    ColumnKind GetColumnKind() const override;
    const Column& EvaluateColumn(ColumnPass& pass) override;

private:
    Safe::XPtr<Formula> formula_;
    std::vector<Complex> arguments_;
    std::vector<const Column*> argumentColumns_;
    std::vector<char> changedArguments_;  // a replay's (model/column.h)
    int argumentCount_ = 0;
};

}  // namespace Core
