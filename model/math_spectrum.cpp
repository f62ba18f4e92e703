#include "model/math_spectrum.h"

#include <algorithm>

#include "model/column_evaluation.h"
#include "model/current.h"

namespace Core {

void MathUnit::Bind(const MathMap::Ptr& model, const NodeMap::Ptr& definition,
                    const Node::Ptr& output, const NodeMap::Ptr& variable) {
    model_ = model;
    definition_ = definition;
    output_ = output;
    modelName_ = model ? model->GetName() : std::wstring();
    definitionName_ = definition ? definition->Name() : std::string();
    outputName_ = output ? output->Name() : std::string();
    SetVariable(variable);
}

void MathUnit::SetVariable(const NodeMap::Ptr& variable) {
    variable_ = variable;
    variableName_ = variable ? variable->Name() : std::string();
}

bool MathUnit::BindCurrent() {
    MathMap::Ptr model = MenuCore::GetCurrentModel();
    NodeMap::Ptr definition = MenuCore::GetCurrentDefinition();
    Node::Ptr output = MenuCore::GetCurrentNode();
    if (!model || !definition || !output) return false;
    Bind(model, definition, output, model->FindMap("x"));
    return true;
}

bool MathUnit::IsValid() {
    if (!model_ || !definition_ || !output_) return false;
    if (!enabled) return true;
    MathMap::Ptr model = Models().Find(modelName_);
    NodeMap::Ptr definition = model ? model->FindMap(definitionName_) : NodeMap::Ptr();
    Node::Ptr output = definition ? definition->FindNode(outputName_) : Node::Ptr();
    NodeMap::Ptr variable = variable_ && model ? model->FindMap(variableName_) : NodeMap::Ptr();
    if (!output || (variable_ && !variable)) return false;
    // Evaluate what bears the names now, not objects that may have left the model.
    model_ = model;
    definition_ = definition;
    output_ = output;
    if (variable_) variable_ = variable;
    return true;
}

void MathUnit::Unbind() {
    model_ = nullptr;
    definition_ = nullptr;
    output_ = nullptr;
    // The variable belongs to the model let go: kept, a saved curve would name it alone.
    variable_ = nullptr;
}

void MathUnit::FillZeros(const Safe::XPtr<Data>& x, const Safe::XPtr<Data>& re,
                         const Safe::XPtr<Data>& im) {
    for (Data* column : {re.Get(), im.Get()}) {
        column->Resize(static_cast<std::size_t>(x->Size()));
        std::fill(column->Values().begin(), column->Values().end(), 0.0);
    }
}

bool MathUnit::Prepared(const Safe::XPtr<Data>& x, const Safe::XPtr<Data>& re,
                        const Safe::XPtr<Data>& im) {
    if (!x || !re || !im) return false;
    if (!IsValid()) {
        Unbind();
        FillZeros(x, re, im);
        return false;
    }
    if (!variable_) {
        FillZeros(x, re, im);
        return false;
    }
    re->Resize(static_cast<std::size_t>(x->Size()));
    im->Resize(static_cast<std::size_t>(x->Size()));
    return true;
}

bool MathUnit::EvaluateAll(const Safe::XPtr<Data>& x, const Safe::XPtr<Data>& re,
                           const Safe::XPtr<Data>& im) {
    if (!Prepared(x, re, im)) return false;
    const bool plain = AllTarget() == ColumnEvaluation::kModelOutput;
    const std::size_t n = static_cast<std::size_t>(x->Size());
    const std::size_t first = EvaluateColumns(x, re, im, AllTarget());
    // Read only: the fit's lanes share the abscissae.
    const Data& abscissae = *x;
    for (std::size_t i = first; i < n; ++i) {
        const Complex at(abscissae[i], 0.0);
        variable_->SetValue(at, 0);
        model_->EvaluateAll();
        Complex value = output_->GetValue();
        if (!plain) {
            variable_->SetValue(at, 0);
            value = output_->Evaluate();
        }
        (*re)[i] = value.real();
        (*im)[i] = value.imag();
    }
    return true;
}

bool MathUnit::EvaluateOutput(const Safe::XPtr<Data>& x, const Safe::XPtr<Data>& re,
                              const Safe::XPtr<Data>& im) {
    if (!Prepared(x, re, im)) return false;
    const std::size_t n = static_cast<std::size_t>(x->Size());
    const std::size_t first = EvaluateColumns(x, re, im, ColumnEvaluation::kOutputAlone);
    for (std::size_t i = first; i < n; ++i) {
        variable_->SetValue(Complex((*x)[i], 0.0), 0);
        const Complex value = output_->Evaluate();
        (*re)[i] = value.real();
        (*im)[i] = value.imag();
    }
    return true;
}

std::size_t MathUnit::EvaluateColumns(const Safe::XPtr<Data>& x, const Safe::XPtr<Data>& re,
                                      const Safe::XPtr<Data>& im, int target) {
    const std::size_t n = static_cast<std::size_t>(x->Size());
    if (n < 2) return 0;
    ColumnEvaluation columns;
    if (!columns.Plan(*model_, variable_.Get(), output_.Get(),
                      static_cast<ColumnEvaluation::Target>(target)))
        return 0;
    // The last point goes the per-point way, which leaves the nodes' values as that path does.
    // Read only: the fit's lanes share the abscissae.
    const Data& abscissae = *x;
    columns.Run(abscissae.Values().data(), n - 1, re->Values().data(), im->Values().data());
    return n - 1;
}

int MathUnit::AllTarget() const {
    // A variable other than "x" may be read by the output node through other paths: set it
    // again and evaluate the node itself after the model.
    return variable_->Name() == "x" ? ColumnEvaluation::kModelOutput
                                    : ColumnEvaluation::kOutputAfterModel;
}

bool MathUnit::PlanAll(ColumnEvaluation& columns) {
    return IsValid() && variable_ &&
           columns.Plan(*model_, variable_.Get(), output_.Get(),
                        static_cast<ColumnEvaluation::Target>(AllTarget()));
}

bool MathUnit::TakesColumnPath() {
    ColumnEvaluation columns;
    return PlanAll(columns);
}

bool MathUnit::EvaluatesPointsIndependently() {
    ColumnEvaluation columns;
    return PlanAll(columns) && !columns.ReadsOutputAfterEachPoint();
}

bool MathUnit::PlanShifts(ColumnEvaluation& columns, const std::vector<Node*>& parameters,
                          const std::vector<Complex>& base, const std::vector<Complex>& shifted) {
    return PlanAll(columns) && AllTarget() == ColumnEvaluation::kModelOutput &&
           columns.PrepareShifts(parameters, base, shifted);
}

Complex MathUnit::EvaluateAt(const double& x) {
    if (!IsValid() || !variable_) return Complex(0.0, 0.0);
    variable_->SetValue(Complex(x, 0.0), 0);
    model_->EvaluateAll();
    return output_->GetValue();
}

std::string MathUnit::GetLabel() {
    if (!IsValid()) return "Undefined";
    return model_->GetNameA() + "." + definition_->Name() + "." + output_->Name();
}

bool MathSpectrum::Refresh() {
    return unit_->EvaluateAll(X(), Re(), Im());
}

}  // namespace Core
