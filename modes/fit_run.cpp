// Starting, stepping, stopping and transferring a fit.
#include "modes/fit_core.h"
#include "modes/fit_state.h"
#include "foundation/text.h"
#include "model/current.h"

namespace Core::FitCore {

namespace {

std::string StepText(const FitState& s) {
    return "Step = " + ToString(s.step + 1) + " Chi2 = " + ToString(s.method->chi2);
}

// The method belongs to the worker from here until the step's notice is handled.
void WakeWorker(FitState& s) {
    s.sink->ended.Reset();
    ++s.woken;
    s.stepInFlight = true;
    s.worker->Wake();
}

// Blocks until the step the worker was last woken for has ended (its notice may still come).
void WaitForStep(FitState& s) {
    if (!s.stepInFlight) return;
    while (s.sink->completed.load(std::memory_order_acquire) < s.woken) s.sink->ended.Wait();
    s.stepInFlight = false;
}

}  // namespace

void StopRunningFit() {
    FitState& s = State();
    if (!s.running) return;
    WaitForStep(s);
    s.running = false;
    Notify(FitEvent::kFitEnded);
}

void StartFit() {
    FitState& s = State();
    if (s.running) return;
    if (!s.targetNode) return ShowStop("Select a valid math path");
    if (!s.experimental) return ShowStop("Select experimental data");
    if (!s.variable) return ShowStop("Select a variable definition");
    CollectParameters();
    if (s.parameters.empty()) return ShowStop("No available adjustable parameters ");
    if (!s.worker || !s.method) return ShowStop("The fit worker is not available");
    Optimize::LevMarqMethod& method = *s.method;
    method.SetData(s.workingModel, s.definition, s.targetNode);
    method.SetVariableMap(s.variable);
    method.SetTarget(s.target);
    method.SetParameters(s.parameters);
    method.fittedPart = s.settings.fittedPart;
    method.Initialize();
    s.bestChi2 = method.GetBestChi2();
    s.running = true;
    s.step = 0;
    s.stepLimit = s.settings.maxSteps;
    Notify(FitEvent::kFitStarted);
    s.status = StepText(s);
    WakeWorker(s);
    Notify(FitEvent::kFitStatusChanged);
}

bool OnNotice(int code, std::intptr_t lParam) {
    FitState& s = State();
    if (code != Optimize::Optimizer::kNotifyCode || lParam != 0) return false;
    // A notice of a step abandoned by a reset, or from anyone but the fit's own worker, is not
    // a step of this fit.
    if (!s.sink || !s.stepInFlight) return false;
    if (s.sink->completed.load(std::memory_order_acquire) != s.woken) return false;
    s.stepInFlight = false;
    OnStep();
    return true;
}

void OnStep() {
    FitState& s = State();
    // Never while the worker may still be inside the step (OnNotice tells when it is not).
    if (!s.running || !s.method || s.stepInFlight) return;
    Optimize::LevMarqMethod& method = *s.method;
    ++s.step;
    s.bestChi2 = method.GetBestChi2();
    if (method.failed) {
        method.Finish();
        s.status = "Optimization  failed ! - Best Chi2 = " + ToString(method.chi2);
        s.running = false;
        ShowStop("Optimization failed!");
        Notify(FitEvent::kFitEnded);
        Notify(FitEvent::kFitStatusChanged);
        return;
    }
    const bool improved = method.improved;
    if (improved) {
        s.model->SaveValues();
        s.model->CopyRange(method.GetSpectrum(), -1, -1, true);
        NotifyView(ViewEvent::kViewModelCurveUpdated);
    }
    if (s.step < s.stepLimit - 1) {
        s.status = StepText(s);
        WakeWorker(s);
    } else {
        method.Finish();
        if (improved) s.model->CopyRange(method.GetSpectrum(), -1, -1, true);
        // Observers of the end see the fit ended.
        s.running = false;
        s.status = (s.step == s.stepLimit ? "Optimization  interrupted ! - Best Chi2 = "
                                          : "Best Chi2 = ") +
                   ToString(method.chi2);
        NotifyView(ViewEvent::kViewCurveChanged);
        Notify(FitEvent::kFitEnded);
    }
    Notify(FitEvent::kFitStatusChanged);
}

void StopFit() {
    FitState& s = State();
    if (s.running) s.step = s.stepLimit - 1;
}

void TransferParameters() {
    FitState& s = State();
    // The parameters' values belong to the worker during a fit; a user model that left the
    // project is not written into.
    if (s.running || !s.userModel || !s.workingModel) return;
    bool inProject = false;
    for (const MathMap::Ptr& model : Models()) inProject = inProject || model == s.userModel;
    if (!inProject) return;
    for (std::size_t i = 0; i < s.parameters.size(); ++i) {
        const NodeMap::Ptr definition = s.userModel->FindMap(s.owners[i]->Name());
        if (!definition) continue;
        const Node::Ptr node = definition->FindNode(s.parameters[i]->Name());
        if (node) node->SetValue(s.parameters[i]->GetValue(), 0);
    }
    MenuCore::Notify(ModelEvent::kParametersChanged);
}

}  // namespace Core::FitCore
