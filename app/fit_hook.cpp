#include "app/fit_hook.h"

#include "io/data_set.h"
#include "model/current.h"
#include "model/selection.h"
#include "modes/fit_core.h"

namespace Core {

namespace {

constexpr int kSumId = 200;
constexpr int kPhononId = 900;
// Strength, position and width of each phonon at the start.
constexpr double kStart[2][3] = {{1.9, 297.0, 17.0}, {0.55, 485.0, 22.0}};

// "model" of a new model "oscillators": the sum of two phonons of the model's "x", made the
// current model, definition and node.
void MakeCurrentPhononModel() {
    MathMap::Ptr model = MathMap::CreateModel("oscillators");
    NodeMap::Ptr definition = model->FindMap("model");
    Node::Ptr sum = Node::Create(kSumId);
    for (int i = 0; i < 2; ++i) {
        Node::Ptr phonon = CreatePickedNode(kPhononId, model);
        for (int p = 0; p < 3; ++p)
            phonon->GetChild(p + 1)->SetValue(Complex(kStart[i][p], 0.0), 0);
        sum->ReplaceChildAt(i, phonon);
    }
    definition->SetRoot(sum);
    model->RebuildOrder();
    Models().Add(model);
    MenuCore::SetCurrentModel(model);
    MenuCore::SetCurrentDefinition(definition);
    MenuCore::SetCurrentNode(sum);
}

}  // namespace

bool PrepareHookFit() {
    const Spectrum::Ptr data = DataSet::GetCurrent();
    if (!data || FitCore::IsRunning()) return false;
    MakeCurrentPhononModel();
    FitCore::SetMathPath();
    FitCore::SetExperimentalData(data);
    // Every parameter of both phonons of the working copy is adjusted.
    Node::Ptr sum = FitCore::GetWorkingModel()->FindMap("model")->GetRoot();
    for (int i = 0; i < 2; ++i)
        for (int p = 1; p <= 3; ++p) sum->GetChild(i)->GetChild(p)->SetMarkRecursive(true);
    return true;
}

bool StartHookFit(HWND owner) {
    if (!PrepareHookFit()) return false;

    FitCore::CreateOptimizer(Safe::MakeX<Optimize::WindowStepSink>(owner));
    FitCore::StartFit();
    return FitCore::IsRunning();
}

bool PickHookPhonon(int index) {
    const MathMap::Ptr model = MenuCore::GetCurrentModel();
    if (!model || model->Name() != L"oscillators" || index < 1 || index > 2) return false;
    const Node::Ptr phonon = model->FindMap("model")->GetRoot()->GetChild(index - 1);
    MenuCore::SetCurrentNode(phonon);
    Selection::SetNode(phonon);
    return true;
}

}  // namespace Core
