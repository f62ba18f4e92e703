#include "fit/least_squares.h"

#include <algorithm>
#include <cmath>

namespace Optimize {

LeastSquareMethod::LeastSquareMethod() : spectrum_(Safe::MakeX<Core::MathSpectrum>()) {}

void LeastSquareMethod::SetData(const Core::MathMap::Ptr& model,
                                const Core::NodeMap::Ptr& definition,
                                const Core::Node::Ptr& target) {
    model_ = model;
    definition_ = definition;
    target_ = target;
    const Safe::XPtr<Core::MathUnit>& unit = spectrum_->GetUnit();
    unit->Bind(model, definition, target, variable_);
    unit->enabled = false;  // the private copy: never looked up by name in the model set
}

void LeastSquareMethod::SetVariableMap(const Core::NodeMap::Ptr& variable) {
    variable_ = variable;
    spectrum_->GetUnit()->SetVariable(variable);
}

void LeastSquareMethod::SetTarget(const Spectrum::Ptr& target) {
    targetSpectrum_ = target;
    spectrum_->CopyRange(target, -1, -1, false);
}

void LeastSquareMethod::SetParameters(const std::vector<Core::Node::Ptr>& parameters) {
    parameters_.clear();
    for (const Core::Node::Ptr& parameter : parameters)
        if (std::find(parameters_.begin(), parameters_.end(), parameter) == parameters_.end())
            parameters_.push_back(parameter);
}

LevMarqMethod::LevMarqMethod()
    : trial1Re_(Safe::MakeX<Data>()),
      trial1Im_(Safe::MakeX<Data>()),
      trial2Re_(Safe::MakeX<Data>()),
      trial2Im_(Safe::MakeX<Data>()) {}

void LevMarqMethod::SetParameterValues(const std::vector<double>& p) {
    const std::size_t n = std::min(p.size(), parameters_.size());
    for (std::size_t i = 0; i < n; ++i) parameters_[i]->SetValue(Core::Complex(p[i], 0.0), 0);
}

void LevMarqMethod::FittedValues(const Data& re, const Data& im, std::vector<double>& out) const {
    out.clear();
    if (fittedPart == kFitReal || fittedPart == kFitComplex)
        out.insert(out.end(), re.Values().begin(), re.Values().end());
    if (fittedPart == kFitImag || fittedPart == kFitComplex)
        out.insert(out.end(), im.Values().begin(), im.Values().end());
}

double LevMarqMethod::Chi2(const Data& re, const Data& im) const {
    const Data& targetRe = *targetSpectrum_->Re();
    const Data& targetIm = *targetSpectrum_->Im();
    const auto n = static_cast<std::size_t>(std::min(re.Size(), targetSpectrum_->Size()));
    double sum = 0.0;
    for (std::size_t k = 0; k < n; ++k) {
        const double dRe = targetRe[k] - re[k];
        const double dIm = targetIm[k] - im[k];
        if (fittedPart == kFitReal) sum += dRe * dRe;
        if (fittedPart == kFitImag) sum += dIm * dIm;
        if (fittedPart == kFitComplex) sum += dIm * dIm + dRe * dRe;
    }
    return sum;
}

double LevMarqMethod::EvaluateTrial(Lane& lane, const std::vector<double>& p,
                                    const Safe::XPtr<Data>& re, const Safe::XPtr<Data>& im) {
    const std::size_t n = std::min(p.size(), lane.parameters.size());
    for (std::size_t i = 0; i < n; ++i) lane.parameters[i]->SetValue(Core::Complex(p[i], 0.0), 0);
    lane.unit->EvaluateAll(spectrum_->X(), re, im);
    return Chi2(*re, *im);
}

void LevMarqMethod::EvaluateDerivatives(const std::vector<double>& p) {
    SetParameterValues(p);
    FittedValues(*spectrum_->Re(), *spectrum_->Im(), modelValues_);
    const std::size_t m = std::min(modelValues_.size(), targetValues_.size());
    residuals_.resize(m);
    for (std::size_t k = 0; k < m; ++k) residuals_[k] = targetValues_[k] - modelValues_[k];

    // Parameters replaced after Initialize must not index past what it sized.
    const std::size_t n = std::min({p.size(), parameters_.size(), jacobian_.size()});
    EvaluateDerivativeRows(p, n);
    BuildNormalEquations(n);
}

void LevMarqMethod::Initialize() {
    const std::size_t n = parameters_.size();
    const int size = static_cast<int>(n);
    for (DMatrix* matrix : {&alpha_, &a1_, &a2_}) matrix->Resize(size, size);
    for (std::vector<double>* vector : {&beta_, &trial1_, &trial2_, &current_, &step1_, &step2_})
        vector->assign(n, 0.0);
    jacobian_.resize(n);
    PrepareLanes();
    for (std::size_t i = 0; i < n; ++i) current_[i] = parameters_[i]->GetValue().real();
    trial1_ = current_;
    lambda_ = 0.001;
    lambdaFactor_ = 5.0;
    failed = false;
    improved = false;
    gridEvaluations_ = 0;
    derivativesPending_ = false;
    if (!targetSpectrum_) {
        failed = true;
        return;
    }
    FittedValues(*targetSpectrum_->Re(), *targetSpectrum_->Im(), targetValues_);
    chi2 = EvaluateTrial(lanes_[0], trial1_, spectrum_->Re(), spectrum_->Im());
    ++gridEvaluations_;
    bestChi2_ = chi2;
    // No trial could ever be accepted against a NaN or infinite start.
    if (!std::isfinite(chi2)) {
        failed = true;
        return;
    }
    derivativesPending_ = true;
}

bool LevMarqMethod::SolveDamped(double damping, DMatrix& a, std::vector<double>& step) const {
    const int n = alpha_.RowCount();
    for (int i = 0; i < n; ++i) {
        a.Row(i) = alpha_.Row(i);
        a.Row(i)[i] *= damping;
    }
    step = beta_;
    return GaussJordan(a, step);
}

void LevMarqMethod::Accept(const std::vector<double>& trial, const Safe::XPtr<Data>& re,
                           const Safe::XPtr<Data>& im) {
    current_ = trial;
    std::swap(spectrum_->Re()->Values(), re->Values());
    std::swap(spectrum_->Im()->Values(), im->Values());
}

void LevMarqMethod::Iterate() {
    if (failed) return;
    // The derivatives at a newly accepted point wait for the step that needs them: a fit that
    // ends after that point was found does not pay for them, and Initialize stays quick.
    if (derivativesPending_) {
        EvaluateDerivatives(current_);
        derivativesPending_ = false;
    }
    if (!SolveDamped(1.0 + lambda_, a1_, step1_) ||
        !SolveDamped(1.0 + 0.5 * lambda_, a2_, step2_)) {
        failed = true;
        return;
    }
    const std::size_t n = current_.size();
    for (std::size_t i = 0; i < n; ++i) {
        trial1_[i] = current_[i] + step1_[i];
        trial2_[i] = current_[i] + step2_[i];
    }
    double c2 = 0.0;
    EvaluateTrials(chi2, c2);

    // Only the accepted point needs derivatives: the rejected trials are evaluated for their
    // chi2 alone, and a step that accepts nothing keeps alpha, beta and the model values.
    int accepted = 0;
    if (std::isfinite(c2) && bestChi2_ > c2) {
        bestChi2_ = c2;
        accepted = 2;
    }
    if (std::isfinite(chi2) && bestChi2_ > chi2) {
        bestChi2_ = chi2;
        accepted = 1;
    } else if (accepted == 2) {
        lambda_ = std::max(lambda_ * 0.5, kLambdaMin);
    }
    improved = accepted != 0;
    if (accepted == 0) {
        lambda_ = std::min(lambda_ * lambdaFactor_, kLambdaMax);
        chi2 = bestChi2_;
        SetParameterValues(current_);
        return;
    }
    if (accepted == 1)
        Accept(trial1_, trial1Re_, trial1Im_);
    else
        Accept(trial2_, trial2Re_, trial2Im_);
    SetParameterValues(current_);
    derivativesPending_ = true;
}

void LevMarqMethod::Finish() {
    SetParameterValues(current_);
    chi2 = bestChi2_;
}

}  // namespace Optimize

namespace Optimize {

int StepUntilSettled(LevMarqMethod& method, int maxSteps, int patience, double tolerance) {
    int quiet = 0;
    int steps = 0;
    while (steps < maxSteps && !method.failed && quiet < patience) {
        const double before = method.GetBestChi2();
        method.Iterate();
        ++steps;
        const bool settled = !method.failed && before - method.GetBestChi2() <= tolerance * before;
        quiet = settled ? quiet + 1 : 0;
    }
    return steps;
}

}  // namespace Optimize
