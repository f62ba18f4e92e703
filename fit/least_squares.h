#pragma once
// The least-squares fit of adjustable parameters of a working model to a target spectrum:
// damped Gauss-Newton (Levenberg-Marquardt) steps with two trial dampings per step.
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "fit/helper_threads.h"
#include "fit/matrix.h"
#include "model/math_spectrum.h"

namespace Core {
class ColumnEvaluation;
}

namespace Optimize {

// Which part of the complex model value the residual is taken on.
enum FittedPart { kFitReal = 0, kFitImag = 1, kFitComplex = 2 };

// A method the fit worker steps: Initialize and Finish on the interface thread, Iterate once per
// wake on the worker thread.
class OptimizationMethod : public Safe::Countable {
public:
    virtual void Initialize() = 0;
    virtual void Iterate() = 0;
    virtual void Finish() = 0;

    // Set when the fit cannot go on (a failed solve, a non-finite start, a step that threw);
    // Iterate then does nothing.
    bool failed = true;
};

class LeastSquareMethod : public OptimizationMethod {
public:
    LeastSquareMethod();

    // The model spectrum evaluates target of definition in model (the fit's private copy).
    void SetData(const Core::MathMap::Ptr& model, const Core::NodeMap::Ptr& definition,
                 const Core::Node::Ptr& target);
    void SetVariableMap(const Core::NodeMap::Ptr& variable);
    // The model spectrum takes the target's abscissas.
    void SetTarget(const Spectrum::Ptr& target);
    // A node listed more than once is adjusted once, at its first place.
    void SetParameters(const std::vector<Core::Node::Ptr>& parameters);
    const std::vector<Core::Node::Ptr>& GetParameters() const { return parameters_; }
    const Safe::XPtr<Core::MathSpectrum>& GetSpectrum() const { return spectrum_; }

    void Initialize() override {}
    void Finish() override {}

    int fittedPart = kFitReal;
    double chi2 = 0.0;
    bool improved = false;

protected:
    Core::MathMap::Ptr model_;
    Core::NodeMap::Ptr definition_;
    Core::Node::Ptr target_;
    Core::NodeMap::Ptr variable_;
    std::vector<Core::Node::Ptr> parameters_;
    Spectrum::Ptr targetSpectrum_;
    Safe::XPtr<Core::MathSpectrum> spectrum_;
};

class LevMarqMethod : public LeastSquareMethod {
public:
    LevMarqMethod();

    // Takes the parameters' values as the current point and evaluates it (the derivatives
    // follow in the first step); a start whose chi2 is not finite fails the fit at once.
    void Initialize() override;
    // One step: solves the normal equations damped by lambda and by lambda / 2, evaluates both
    // trial points and moves to the better one when it lowers chi2. Lambda stays when the
    // lambda trial wins, halves when only the lambda / 2 trial wins, grows fivefold otherwise.
    void Iterate() override;
    // Writes the best point into the parameters; chi2 := the best chi2.
    void Finish() override;

    // The threads that evaluate derivative columns, the calling one included: at most limit,
    // never more than the machine's cores nor the parameters. With 0 (the default) the fit
    // takes the cores when residuals times parameters reach kParallelWork, else one thread.
    // Read by Initialize.
    void SetThreadLimit(int limit) { threadLimit_ = limit; }
    static constexpr std::size_t kParallelWork = 200000;
    // The threads the derivatives are evaluated on: 1 for a model whose points depend on the
    // order or state of its evaluation, or whose copy does not evaluate as it does.
    int GetThreadCount() const { return static_cast<int>(lanes_.size()); }

    double GetLambda() const { return lambda_; }
    double GetBestChi2() const { return bestChi2_; }
    const std::vector<double>& GetCurrent() const { return current_; }
    // Evaluations of the model over the whole target grid since Initialize.
    long GetGridEvaluations() const { return gridEvaluations_; }
    // With on (the default), a derivative row is computed along the shifted parameter's path
    // through the model, the rest read from the point's own evaluation, where the model allows
    // it (Core::ColumnEvaluation::PrepareShifts); off, by a whole evaluation of the model per
    // row. The rows are the same either way.
    void SetDerivativesByPaths(bool on) { byPaths_ = on; }
    // Row i of the derivatives of the last step: d(fitted value) / d(parameter i).
    const std::vector<double>& GetDerivativeRow(std::size_t i) const { return jacobian_.at(i); }

    static constexpr double kLambdaMin = 1e-15;
    static constexpr double kLambdaMax = 1e15;

private:
    // A model on which one thread evaluates derivative columns: lane 0 is the working model,
    // the others copies of it. Each column's values come out the same on every lane.
    struct Lane {
        Core::MathMap::Ptr model;
        Safe::XPtr<Core::MathUnit> unit;
        std::vector<Core::Node::Ptr> parameters;
        Safe::XPtr<Data> re = Safe::MakeX<Data>();
        Safe::XPtr<Data> im = Safe::MakeX<Data>();
        std::vector<double> values;
        enum { kUnchecked, kSame, kDifferent } check = kUnchecked;
    };
    // Lane 0, then up to the thread limit copies of the model (derivative_lanes.cpp).
    void PrepareLanes();
    // A copy of the working model as a lane; false when its parts cannot be matched up.
    bool AddCopyLane();
    // Runs work(l) for the lanes l < count: lane 0 on the calling thread, the others on the
    // helper threads that take the job up in time (HelperThreads: the work is handed out as it
    // goes, a lane may not run at all); then rethrows what a lane threw.
    void OnLanes(std::size_t count, const std::function<void(std::size_t)>& work);
    // Derivative rows 0 .. n - 1 at p, spread over the lanes; lanes whose copy gives other
    // model values at p than the working model are dropped before they compute anything.
    void EvaluateDerivativeRows(const std::vector<double>& p, std::size_t n);
    void EvaluateDerivativeRow(Lane& lane, const std::vector<double>& p, std::size_t i);
    // True when the lane's copy gives the working model's values at p (set in its parameters).
    bool ChecksOut(Lane& lane);
    // Plans the lane's columns for derivative rows along the parameters' paths at p.
    bool PlanPaths(Lane& lane, const std::vector<double>& p, std::size_t n,
                   Core::ColumnEvaluation& columns) const;
    // Takes blocks of points (the last point as one more) from nextBlock until none is left and
    // computes the rows of the parameters columns Shifts at their points.
    void EvaluateDerivativesByPaths(Lane& lane, Core::ColumnEvaluation& columns,
                                    const std::vector<double>& p, std::size_t n,
                                    std::atomic<std::size_t>& nextBlock);
    // Derivative row i at the points from .. from + count, from the shifted model's values
    // there (values.At(k) at point from + k) and the parameter's step h.
    void StoreDerivatives(std::size_t i, double h, std::size_t from, std::size_t count,
                          const Column& values);
    // alpha and beta from the derivative rows 0 .. n - 1 and the residuals, blocks of points
    // spread over the lanes' threads.
    void BuildNormalEquations(std::size_t n);
    // The two trials' chi2, the second on lane 1 beside the first when lane 1 checked out.
    void EvaluateTrials(double& chi1, double& chi2);

    void SetParameterValues(const std::vector<double>& p);
    // Evaluates the lane's model at p over the grid into re and im; the chi2 of those values.
    double EvaluateTrial(Lane& lane, const std::vector<double>& p, const Safe::XPtr<Data>& re,
                         const Safe::XPtr<Data>& im);
    double Chi2(const Data& re, const Data& im) const;
    // Residuals, forward-difference derivatives (relative step 1e-6), alpha and beta at p,
    // whose model values the model spectrum holds.
    void EvaluateDerivatives(const std::vector<double>& p);
    // The fitted part of re and im: one value per point, two (real, then imaginary) in complex
    // mode, none for an unknown part.
    void FittedValues(const Data& re, const Data& im, std::vector<double>& out) const;
    // step := the solution of alpha damped by (1 + damping) on the diagonal, against beta.
    bool SolveDamped(double damping, DMatrix& a, std::vector<double>& step) const;
    void Accept(const std::vector<double>& trial, const Safe::XPtr<Data>& re,
                const Safe::XPtr<Data>& im);

    DMatrix alpha_;
    std::vector<double> beta_;
    DMatrix a1_;
    DMatrix a2_;
    double bestChi2_ = 0.0;
    std::vector<double> trial1_;
    std::vector<double> trial2_;
    std::vector<double> current_;
    std::vector<double> step1_;
    std::vector<double> step2_;
    double lambda_ = 0.001;
    double lambdaFactor_ = 5.0;
    long gridEvaluations_ = 0;
    // alpha and beta do not yet belong to the current point.
    bool derivativesPending_ = false;

    // Model values of the two trials.
    Safe::XPtr<Data> trial1Re_;
    Safe::XPtr<Data> trial1Im_;
    Safe::XPtr<Data> trial2Re_;
    Safe::XPtr<Data> trial2Im_;
    std::vector<double> targetValues_;
    std::vector<double> modelValues_;
    std::vector<Lane> lanes_;
    int threadLimit_ = 0;
    bool byPaths_ = true;
    std::vector<double> residuals_;
    // Row i: the derivatives of every residual with respect to parameter i.
    std::vector<std::vector<double>> jacobian_;
    std::vector<double> blockSums_;  // the normal equations' sums over each block of points
    std::unique_ptr<HelperThreads> helpers_;  // last: stopped before the lanes go
};

}  // namespace Optimize

namespace Optimize {

// Steps on the calling thread (a fit without the worker: tests, benchmarks, batch runs) until
// the method fails, maxSteps have run, or patience steps in a row lowered the best chi2 by less
// than tolerance relative to it. The number of steps run.
int StepUntilSettled(LevMarqMethod& method, int maxSteps, int patience = 12,
                     double tolerance = 1e-14);

}  // namespace Optimize
