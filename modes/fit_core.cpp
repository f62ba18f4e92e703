#include "modes/fit_core.h"

#include "modes/fit_state.h"
#include "modes/view_modes.h"
#include "fit/squeeze.h"
#include "foundation/exception.h"
#include "foundation/platform.h"
#include "model/current.h"
#include "model/map_capsule.h"

namespace Core::FitCore {

namespace {

void ResetFitState() {
    StopRunningFit();
    State() = FitState();
}
[[maybe_unused]] const bool kResets = RegisterProcessReset(&ResetFitState);

class FitObserver : public Winplus::EventObserver<ModelEvent> {
public:
    bool Notify(const ModelEvent& code) override {
        if (code == ModelEvent::kModelsReset) Reset();
        return true;
    }
};

// The Fit mode's part in the view mode's dispatch.
class FitTool : public ModeTool {
public:
    Winplus::Curve::Ptr GetCurrentCurve() override { return State().currentCurve; }
    Winplus::FileCurve::Ptr GetCurrentFileCurve() override { return State().currentFileCurve; }
    Winplus::LayerCurve::Ptr GetDynamicLayer() override { return State().builtIn; }
    Winplus::LayerCurve::Ptr GetUserCurves() override { return State().userCurves; }
    void SelectCurve(const std::wstring& name, const int& layer) override {
        FitCore::SelectCurve(name, layer);
    }
    void SelectFileCurve(const std::wstring& name, const int& layer) override {
        FitCore::SelectFileCurve(name, layer);
    }
    void SetCurrentLayer(const Winplus::LayerCurve::Ptr& layer) override {
        FitCore::SetCurrentLayer(layer);
    }
    void Reset() override { FitCore::Reset(); }
};

// The points first to last of source, both included; none when first > last.
void CopyPoints(const Spectrum::Ptr& to, const Spectrum::Ptr& source, int first, int last) {
    if (first > last) {
        to->Resize(0);
    } else if (first == last) {
        to->Resize(1);
        const auto i = static_cast<std::size_t>(first);
        to->SetPoint(0, (*source->X())[i], (*source->Re())[i], (*source->Im())[i]);
    } else {
        to->CopyRange(source, first, last, true);
    }
}

}  // namespace

FitState& State() {
    static FitState* state = new FitState;  // lives for the process, like its worker
    return *state;
}

void NotifyView(ViewEvent code) {
    ViewModeState::NotifyAll(code);
}

void ShowStop(const std::string& text) {
    Platform::ShowMessageBox({text, "Message", Platform::BoxIcon::Stop, Platform::BoxButtons::Ok});
}

EventBus::Registration AddObserver(const Safe::XPtr<Winplus::EventObserver<FitEvent>>& observer) {
    return BusOf<FitEvent>().Add(observer);
}

void Notify(FitEvent code) {
    BusOf<FitEvent>().Notify(code);
}

void Initialize() {
    FitState& s = State();
    if (s.userCurves) return;
    s.userCurves = Winplus::LayerCurve::Create(L"User curves");
    s.userCurves->Clear();
    s.currentLayer = s.userCurves;
    s.builtIn = Winplus::LayerCurve::Create(L"Built-In curves");
    s.builtIn->Clear();
    s.dataCurve = Safe::MakeX<Winplus::FileCurve>();
    s.target = Safe::MakeX<Spectrum>();
    s.experimentalCurve = Safe::MakeX<Winplus::FileCurve>();
    s.experimentalCurve->SetData(s.target);
    s.experimentalCurve->SetName(std::wstring(L"Experimental"));
    s.builtIn->AddFileCurve(s.experimentalCurve);
    s.model = Safe::MakeX<MathSpectrum>();
    s.modelCurve = Safe::MakeX<Winplus::FileCurve>();
    s.modelCurve->SetData(s.model);
    s.modelCurve->SetName(std::wstring(L"Model"));
    s.builtIn->AddFileCurve(s.modelCurve);
    s.modelsRegistration = MenuCore::AddObserver(Safe::MakeX<FitObserver>());
    ViewModeState::SetTool(kFitMode, Safe::MakeX<FitTool>());
}

void Reset() {
    Initialize();
    StopRunningFit();
    FitState& s = State();
    s.currentLayer = nullptr;
    s.userCurves->Clear();
    s.model->ClearValues();
    s.target = Safe::MakeX<Spectrum>();
    s.experimentalCurve->SetData(s.target);
    s.experimentalCurve->SetName(std::wstring(L"Experimental"));
    s.experimental = nullptr;
    SetMathPath();
    Notify(FitEvent::kFitReset);
    s.status.clear();
    Notify(FitEvent::kFitStatusChanged);
}

void SetMathPath() {
    StopRunningFit();
    FitState& s = State();
    // Parameters of the previous copy must never reach the new user model.
    s.parameters.clear();
    s.owners.clear();
    s.referenced.clear();
    s.selectedNode = MenuCore::GetCurrentNode();
    const MathMap::Ptr user = MenuCore::GetCurrentModel();
    const NodeMap::Ptr selected = MenuCore::GetCurrentDefinition();
    // A node without its model or definition makes no path.
    if (!s.selectedNode || !user || !selected) {
        s.userModel = s.workingModel = nullptr;
        s.selectedDefinition = s.definition = s.variable = nullptr;
        s.targetNode = nullptr;
    } else {
        s.userModel = user;
        s.workingModel = MathMap::Clone(user);
        s.selectedDefinition = selected;
        s.definition = s.workingModel->FindMap(selected->Name());
        s.targetNode = s.definition ? s.definition->FindNode(s.selectedNode->Name()) : Node::Ptr();
        s.variable = s.workingModel->FindMap("x");
        RefreshModelCurve();
        if (s.targetNode) {
            std::vector<Node*> references;
            s.targetNode->CollectReferences(references);
            for (Node* node : references) {
                auto* reference = dynamic_cast<MapCapsule*>(node);
                if (reference && reference->GetMap() && reference->GetMap()->IsActive())
                    s.referenced.push_back(reference->GetMap());
            }
        }
    }
    s.status.clear();
    Notify(FitEvent::kMathPathChanged);
    NotifyView(ViewEvent::kViewMathPathChanged);
    Notify(FitEvent::kFitStatusChanged);
}

void RefreshModelCurve() {
    FitState& s = State();
    if (!s.target || !s.targetNode || !s.model) return;
    StopRunningFit();
    Platform::WaitCursor wait;
    s.model->CopyRange(s.target, -1, -1, false);
    const Safe::XPtr<MathUnit>& unit = s.model->GetUnit();
    unit->Bind(s.workingModel, s.definition, s.targetNode, s.variable);
    unit->enabled = false;
    s.model->Refresh();
    s.modelCurve->ResetRange();
}

void PrepareTarget(const bool& rename) {
    FitState& s = State();
    if (!s.experimental) return;
    Initialize();
    StopRunningFit();
    const int first = s.dataCurve->StartIndex();
    const int last = s.dataCurve->EndIndex();
    if (s.settings.squeeze) {
        Optimize::SqueezeInfo& info = Optimize::SqueezeSettings();
        info.first = first;
        info.last = last;
        info.SetFactor(s.settings.squeezeFactor);
        info.SetSlope(s.settings.squeezeSlope);
        info.mode = s.settings.fittedPart;
        Optimize::Squeeze(s.experimental, s.target);
    } else {
        CopyPoints(s.target, s.experimental, first, last);
    }
    s.experimentalCurve->ResetRange();
    if (rename) {
        s.userCurves->SetLimits(s.experimentalCurve->GetBounds());
        s.experimentalCurve->SetName(s.experimental->GetName());
    }
    RefreshModelCurve();
    if (!rename) NotifyView(ViewEvent::kViewCurveChanged);
}

void SetExperimentalData(const Spectrum::Ptr& data) {
    Initialize();
    FitState& s = State();
    s.experimental = data;
    s.dataCurve->SetData(data);
    PrepareTarget(true);
    NotifyView(ViewEvent::kViewDataSetChanged);
}

void SetMaxSteps(const int& steps) {
    State().settings.maxSteps = steps;
}

void SetSqueeze(const bool& on) {
    State().settings.squeeze = on;
    PrepareTarget(false);
}

bool SetSqueezeFactor(const double& factor) {
    if (!(factor > 1.0)) return false;
    State().settings.squeezeFactor = factor;
    PrepareTarget(false);
    return true;
}

void SetSqueezeSlope(const double& slope) {
    State().settings.squeezeSlope = slope;
    PrepareTarget(false);
}

void SetFitPart(const int& part) {
    State().settings.fittedPart = part;
    PrepareTarget(false);
}

void SetVariableMap(const NodeMap::Ptr& variable) {
    StopRunningFit();
    State().variable = variable;
}

void CollectParameters() {
    FitState& s = State();
    s.parameters.clear();
    s.owners.clear();
    if (!s.targetNode) return;
    auto add = [&s](Node* node, const NodeMap::Ptr& owner) {
        if (!node->IsMarked()) return;
        s.parameters.push_back(Node::Ptr(node));
        s.owners.push_back(owner);
    };
    std::vector<Node*> active;
    s.targetNode->CollectActive(active);
    for (Node* node : active) add(node, s.definition);
    for (const NodeMap::Ptr& map : s.referenced)
        for (const Node::Ptr& node : map->GetActiveNodes()) add(node.Get(), map);
}

void CreateOptimizer(const Safe::XPtr<Optimize::StepSink>& owner) {
    StopRunningFit();
    FitState& s = State();
    s.worker = nullptr;  // the previous worker ends here
    s.method = nullptr;
    s.woken = 0;
    s.stepInFlight = false;
    s.bestChi2 = 0.0;
    s.sink = Safe::MakeX<NoticeSink>(owner);
    try {
        s.worker = Safe::MakeX<Optimize::Optimizer>(s.sink);
    } catch (const Winplus::Exception&) {
        return;  // no worker: StartFit says so
    }
    s.method = Safe::MakeX<Optimize::LevMarqMethod>();
    s.worker->SetJob(s.method);
}

namespace {
// Finds the named curve (or file curve) in layer 0 "User curves" or 1 "Built-In curves" (none in
// another layer); a change of the current one is announced with the layer's code.
template <class Item, class Curves>
void SelectIn(Safe::XPtr<Item>& current, const std::wstring& name, const int& layer, Curves curves,
              ViewEvent userCode, ViewEvent builtInCode) {
    const FitState& s = State();
    Safe::XPtr<Item> found;
    if (layer == 0 && s.userCurves) found = curves(*s.userCurves)->Find(name);
    if (layer == 1 && s.builtIn) found = curves(*s.builtIn)->Find(name);
    if (found == current) return;
    current = found;
    if (layer == 0) NotifyView(userCode);
    if (layer == 1) NotifyView(builtInCode);
}
}  // namespace

void SelectCurve(const std::wstring& name, const int& layer) {
    SelectIn(
        State().currentCurve, name, layer, [](const Winplus::LayerCurve& l) { return l.Curves(); },
        ViewEvent::kUserCurveChanged, ViewEvent::kBuiltInCurveChanged);
}

void SelectFileCurve(const std::wstring& name, const int& layer) {
    SelectIn(
        State().currentFileCurve, name, layer,
        [](const Winplus::LayerCurve& l) { return l.FileCurves(); },
        ViewEvent::kUserFileCurveChanged, ViewEvent::kBuiltInFileCurveChanged);
}

void SetCurrentLayer(const Winplus::LayerCurve::Ptr& layer) {
    FitState& s = State();
    if (layer == s.currentLayer) return;
    s.currentLayer = layer;
    NotifyView(ViewEvent::kCurrentLayerChanged);
}

const Settings& GetSettings() { return State().settings; }
bool IsRunning() { return State().running; }
int GetStep() { return State().step; }
const std::string& GetStatusText() { return State().status; }
double GetBestChi2() { return State().bestChi2; }
MathMap::Ptr GetUserModel() { return State().userModel; }
MathMap::Ptr GetWorkingModel() { return State().workingModel; }
NodeMap::Ptr GetSelectedDefinition() { return State().selectedDefinition; }
NodeMap::Ptr GetDefinition() { return State().definition; }
Node::Ptr GetTargetNode() { return State().targetNode; }
NodeMap::Ptr GetVariableMap() { return State().variable; }
std::vector<NodeMap::Ptr> GetReferencedMaps() { return State().referenced; }
std::vector<Node::Ptr> GetParameters() { return State().parameters; }
std::vector<NodeMap::Ptr> GetParameterOwners() { return State().owners; }
Spectrum::Ptr GetExperimentalData() { return State().experimental; }
Spectrum::Ptr GetTargetSpectrum() { return State().target; }
Safe::XPtr<MathSpectrum> GetModelSpectrum() { return State().model; }
Winplus::FileCurve::Ptr GetDataCurve() { return State().dataCurve; }
Winplus::FileCurve::Ptr GetExperimentalCurve() { return State().experimentalCurve; }
Winplus::FileCurve::Ptr GetModelCurve() { return State().modelCurve; }
Winplus::LayerCurve::Ptr GetUserCurves() { return State().userCurves; }
Winplus::LayerCurve::Ptr GetBuiltInCurves() { return State().builtIn; }
Winplus::LayerCurve::Ptr GetCurrentLayer() { return State().currentLayer; }
Winplus::Curve::Ptr GetCurrentCurve() { return State().currentCurve; }
Winplus::FileCurve::Ptr GetCurrentFileCurve() { return State().currentFileCurve; }
Safe::XPtr<Optimize::LevMarqMethod> GetMethod() { return State().method; }

}  // namespace Core::FitCore
