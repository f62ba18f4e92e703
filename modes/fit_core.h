#pragma once
// The fit driver: the process-wide fit state (math path on a working copy of a model,
// experimental data and fit range, target and model spectra, adjustable parameters, settings),
// the fit bus, and the operations that start, step, stop and transfer a fit. Everything runs on
// the interface thread; the worker steps the method between a wake and its notice.
#include <cstdint>
#include <string>
#include <vector>

#include "fit/least_squares.h"
#include "fit/optimizer.h"
#include "foundation/event_bus.h"
#include "model/math_spectrum.h"
#include "plot/layer.h"

namespace Core {
namespace FitCore {

// --- State and preparation ---

// Start-up: the two layers, the data, "Experimental" and "Model" curves, the observer of the
// model bus and the Fit mode's tool; nothing when done already.
void Initialize();
// Stops a running fit (waiting for its step), empties "User curves", forgets the data and sets
// the math path again; FitEvent::kFitReset and FitEvent::kFitStatusChanged.
void Reset();
// From the menu core's current model, definition and node, on a fresh working copy; fit events
// FitEvent::kMathPathChanged and FitEvent::kFitStatusChanged, ViewEvent::kViewMathPathChanged.
void SetMathPath();
void RefreshModelCurve();
// The target from the data curve's range (or its point reduction); ViewEvent::kViewCurveChanged
// unless rename.
void PrepareTarget(const bool& rename);
void SetExperimentalData(const Spectrum::Ptr& data);

void SetMaxSteps(const int& steps);
void SetSqueeze(const bool& on);
// A factor of 1.0 or less is refused (false); the reduction would ignore it.
bool SetSqueezeFactor(const double& factor);
void SetSqueezeSlope(const double& slope);
void SetFitPart(const int& part);
void SetVariableMap(const NodeMap::Ptr& variable);
// The marked active nodes below the target node, then those of the referenced definitions.
void CollectParameters();

// The worker, whose notices reach the interface thread through owner (a window's sink, or a
// test's). A running fit is stopped first.
void CreateOptimizer(const Safe::XPtr<Optimize::StepSink>& owner);

// The Fit mode's selections.
void SelectCurve(const std::wstring& name, const int& layer);
void SelectFileCurve(const std::wstring& name, const int& layer);
void SetCurrentLayer(const Winplus::LayerCurve::Ptr& layer);

[[nodiscard]] EventBus::Registration AddObserver(
    const Safe::XPtr<Winplus::EventObserver<FitEvent>>& observer);
void Notify(FitEvent code);

// --- Run and transfer ---

void StartFit();
// The owner's handler of WM_NOTIFY (wParam code, lParam): only the fit's own worker's notice of
// the step it was woken for (code 1111, lParam 0) runs OnStep; true then.
bool OnNotice(int code, std::intptr_t lParam);
void OnStep();
// The running step completes; the fit then ends with the "interrupted" text.
void StopFit();
// Writes the parameters' values into the user's model by definition and node names.
void TransferParameters();

// --- Queries ---

struct Settings {
    int fittedPart = Optimize::kFitReal;
    bool squeeze = false;
    int maxSteps = 32;
    double squeezeFactor = 4.0;
    double squeezeSlope = 0.05;
};
const Settings& GetSettings();
bool IsRunning();
int GetStep();
const std::string& GetStatusText();
// The best chi2 of the fit as its last handled step left it (0 before the first fit): a copy
// the interface thread made, never the one the worker writes.
double GetBestChi2();

MathMap::Ptr GetUserModel();
MathMap::Ptr GetWorkingModel();
NodeMap::Ptr GetSelectedDefinition();
NodeMap::Ptr GetDefinition();
Node::Ptr GetTargetNode();
NodeMap::Ptr GetVariableMap();
std::vector<NodeMap::Ptr> GetReferencedMaps();
std::vector<Node::Ptr> GetParameters();
std::vector<NodeMap::Ptr> GetParameterOwners();
Spectrum::Ptr GetExperimentalData();
Spectrum::Ptr GetTargetSpectrum();
Safe::XPtr<MathSpectrum> GetModelSpectrum();
Winplus::FileCurve::Ptr GetDataCurve();
Winplus::FileCurve::Ptr GetExperimentalCurve();
Winplus::FileCurve::Ptr GetModelCurve();
Winplus::LayerCurve::Ptr GetUserCurves();
Winplus::LayerCurve::Ptr GetBuiltInCurves();
Winplus::LayerCurve::Ptr GetCurrentLayer();
Winplus::Curve::Ptr GetCurrentCurve();
Winplus::FileCurve::Ptr GetCurrentFileCurve();
Safe::XPtr<Optimize::LevMarqMethod> GetMethod();

}  // namespace FitCore
}  // namespace Core
