#pragma once
// A node that carries a whole private model and evaluates one of its definitions; the other
// function definitions of that model become its inputs.
#include <string>
#include <vector>

#include "model/constant_capsule.h"
#include "model/math_map.h"

namespace Core {

class VersatileCapsule : public UserCapsule {
public:
    VersatileCapsule();

    // Takes the model and selects the definition of that name; every other definition whose
    // root is a parameter becomes a child. Null (nothing changes) for a null model.
    MathMap::Ptr SelectDefinition(const MathMap::Ptr& model, const std::string& name);
    MathMap::Ptr GetMathMap() const { return model_; }
    std::string GetDefinitionName() const { return selected_ ? selected_->Name() : std::string(); }

    Ptr Clone() override;
    // The selected definition's value; (0, 0) without a model or a selection.
    const Complex& Evaluate() override;
    // Evaluated point by point; order-dependent when its own model is.
    ColumnKind GetColumnKind() const override;

private:
    MathMap::Ptr model_;
    std::vector<NodeMap::Ptr> variables_;
    NodeMap::Ptr selected_;
};

}  // namespace Core
