#pragma once
// The binding of a curve (or of the fit's model side) to one node of a model, and the spectrum
// computed from it over a grid of abscissas.
#include <cstddef>
#include <string>

#include "foundation/spectrum.h"
#include "model/math_map.h"

namespace Core {

class ColumnEvaluation;

class MathUnit : public Safe::Countable {
public:
    // Binds a node of a model; the unit remembers the names the objects bear now.
    void Bind(const MathMap::Ptr& model, const NodeMap::Ptr& definition, const Node::Ptr& output,
              const NodeMap::Ptr& variable);
    void SetVariable(const NodeMap::Ptr& variable);
    MathMap::Ptr GetModel() const { return model_; }
    NodeMap::Ptr GetDefinition() const { return definition_; }
    Node::Ptr GetOutput() const { return output_; }
    NodeMap::Ptr GetVariable() const { return variable_; }

    // Binds the current model, definition and node, with the model's "x" as the variable;
    // false (nothing changes) when one of the three is missing.
    bool BindCurrent();
    // With enabled set, the names bound are looked up in the model set and the unit follows
    // what bears them now (a model reloaded under the same name, say); false when a name is
    // gone, or the object was renamed. With enabled clear (the fit's private copy), true when
    // model, definition and node are set.
    bool IsValid();

    // For every abscissa the variable takes (x, 0), the model is evaluated and the output
    // node's value is stored; re and im are sized to x. An invalid binding is released and
    // fills zeros; a missing variable fills zeros. False in both cases.
    bool EvaluateAll(const Safe::XPtr<Data>& x, const Safe::XPtr<Data>& re,
                     const Safe::XPtr<Data>& im);
    // The same, evaluating only the output node.
    bool EvaluateOutput(const Safe::XPtr<Data>& x, const Safe::XPtr<Data>& re,
                        const Safe::XPtr<Data>& im);
    Complex EvaluateAt(const double& x);
    // Plans columns for EvaluateAll over a grid and prepares them for derivative columns
    // (ColumnEvaluation::PrepareShifts): false when EvaluateAll does not compute the grid so.
    // EvaluateAll computes all points but the last by columns, the last by EvaluateAt.
    bool PlanShifts(ColumnEvaluation& columns, const std::vector<Node*>& parameters,
                    const std::vector<Complex>& base, const std::vector<Complex>& shifted);
    // True when EvaluateAll computes a grid (of two points or more) by columns.
    bool TakesColumnPath();
    // True when EvaluateAll computes each point from its abscissa and the model's values alone
    // (by columns, the output with them), so that a copy of the model gives the same values
    // whatever it evaluated before.
    bool EvaluatesPointsIndependently();
    // "model.definition.node", or "Undefined".
    std::string GetLabel();

    bool enabled = true;

private:
    void Unbind();
    // Sizes re and im to x and fills zeros.
    static void FillZeros(const Safe::XPtr<Data>& x, const Safe::XPtr<Data>& re,
                          const Safe::XPtr<Data>& im);
    bool Prepared(const Safe::XPtr<Data>& x, const Safe::XPtr<Data>& re,
                  const Safe::XPtr<Data>& im);
    // What EvaluateAll gives at each point, as a ColumnEvaluation::Target.
    int AllTarget() const;
    // Plans the column path of EvaluateAll into columns; false when it does not take it.
    bool PlanAll(ColumnEvaluation& columns);
    // Evaluates all points but the last by columns when the model allows it (target is a
    // ColumnEvaluation::Target); returns the index of the first point left to evaluate.
    std::size_t EvaluateColumns(const Safe::XPtr<Data>& x, const Safe::XPtr<Data>& re,
                                const Safe::XPtr<Data>& im, int target);

    MathMap::Ptr model_;
    NodeMap::Ptr definition_;
    Node::Ptr output_;
    NodeMap::Ptr variable_;
    std::wstring modelName_;
    std::string definitionName_;
    std::string outputName_;
    std::string variableName_;
};

class MathSpectrum : public Spectrum {
public:
    MathSpectrum() : unit_(Safe::MakeX<MathUnit>()) {}

    const Safe::XPtr<MathUnit>& GetUnit() const { return unit_; }
    // Evaluates the bound node over this spectrum's abscissas into its values.
    bool Refresh();

private:
    Safe::XPtr<MathUnit> unit_;
};

}  // namespace Core
