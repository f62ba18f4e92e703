#pragma once
// The fit driver's process-wide state, shared by its preparation and its run.
#include <atomic>
#include <string>
#include <vector>

#include "modes/fit_core.h"
#include "foundation/platform_thread.h"

namespace Core::FitCore {

// Stands between the worker and its owner: records that a step has ended before the owner is
// told, so that the interface thread can wait for a step and tell the notice of the step it
// woke from any other.
class NoticeSink : public Optimize::StepSink {
public:
    explicit NoticeSink(const Safe::XPtr<Optimize::StepSink>& owner) : owner_(owner) {}
    // Worker thread: the event first, then the count, then the owner.
    void StepDone(int code) override {
        ended.Set();
        completed.fetch_add(1, std::memory_order_release);
        if (owner_) owner_->StepDone(code);
    }

    Platform::ManualResetEvent ended;
    std::atomic<long> completed{0};

private:
    Safe::XPtr<Optimize::StepSink> owner_;
};

struct FitState {
    Settings settings;
    bool running = false;
    int step = 0;
    int stepLimit = 32;
    std::string status;
    // The method's best chi2 as the interface thread last read it, between steps.
    double bestChi2 = 0.0;

    MathMap::Ptr userModel;
    MathMap::Ptr workingModel;
    NodeMap::Ptr selectedDefinition;
    NodeMap::Ptr definition;
    Node::Ptr selectedNode;
    Node::Ptr targetNode;
    NodeMap::Ptr variable;
    std::vector<NodeMap::Ptr> referenced;
    std::vector<Node::Ptr> parameters;
    std::vector<NodeMap::Ptr> owners;

    Spectrum::Ptr experimental;
    Winplus::FileCurve::Ptr dataCurve;
    Spectrum::Ptr target;
    Safe::XPtr<MathSpectrum> model;
    Winplus::LayerCurve::Ptr userCurves;
    Winplus::LayerCurve::Ptr builtIn;
    Winplus::FileCurve::Ptr experimentalCurve;
    Winplus::FileCurve::Ptr modelCurve;
    Winplus::LayerCurve::Ptr currentLayer;
    Winplus::Curve::Ptr currentCurve;
    Winplus::FileCurve::Ptr currentFileCurve;

    Safe::XPtr<NoticeSink> sink;
    Safe::XPtr<Optimize::Optimizer> worker;
    Safe::XPtr<Optimize::LevMarqMethod> method;
    long woken = 0;             // steps the interface thread has woken the worker for
    bool stepInFlight = false;  // the last of them has not been handled yet

    EventBus::Registration modelsRegistration;
};

FitState& State();
// Sends code on the view bus (ViewModeState::NotifyAll).
void NotifyView(ViewEvent code);
// Ends a running fit at once, after its step has ended; FitEvent::kFitEnded.
void StopRunningFit();
// The refusal boxes: no owner, caption "Message", stop icon.
void ShowStop(const std::string& text);

}  // namespace Core::FitCore
