#include "tests/plot/plot_support.h"

#include "formula/formula.h"
#include "functions/families.h"
#include "model/current.h"
#include "model/formula_capsule.h"
#include "model/map_capsule.h"

namespace PlotTest {

Core::MathMap::Ptr SquareModel(const std::string& name, double offset) {
    Capsule::RegisterFamilies();
    auto model = Safe::MakeX<Core::MathMap>();
    model->Label::SetName(name);
    Core::NodeMap::Ptr variable = model->AddMap(Core::NodeMap::CreateVariable("x"));
    Core::NodeMap::Ptr result = model->AddMap(Core::NodeMap::CreateFunction("model"));
    auto formula = Safe::MakeX<Formula>();
    formula->Define("m(u)=u*u+" + std::to_string(offset), false);
    auto capsule = Safe::DynamicCast<Core::FormulaCapsule>(Core::Node::Create(12));
    capsule->SetFormula(formula);
    result->ReplaceNode("m", capsule);
    auto reference = Safe::MakeX<Core::MapCapsule>();
    reference->SetName("u");
    reference->SetMap(variable);
    result->ReplaceNode("u", reference);
    model->RebuildOrder();
    Core::Models().Add(model);
    return model;
}

void SelectModel(const Core::MathMap::Ptr& model) {
    Core::NodeMap::Ptr definition = model->FindMap("model");
    Core::MenuCore::SetCurrentModel(model);
    Core::MenuCore::SetCurrentDefinition(definition);
    Core::MenuCore::SetCurrentNode(definition->GetRoot());
}

Winplus::FileCurve::Ptr RedDiagonal() {
    auto data = Safe::MakeX<Spectrum>();
    data->Resize(9);
    for (int i = 0; i < 9; ++i) data->SetPoint(i, 100.0 * (i + 1), 0.1 * (i + 1), 0);
    auto file = Safe::MakeX<Winplus::FileCurve>();
    file->SetData(data);
    file->viewMode = Winplus::kXReal;
    file->Designers().real->lineColor = 0xFFFF0000;
    file->Designers().real->thickness = 3;
    return file;
}

bool IsRed(unsigned pixel) {
    return ((pixel >> 16) & 0xFF) > 200 && ((pixel >> 8) & 0xFF) < 80 && (pixel & 0xFF) < 80;
}

}  // namespace PlotTest
