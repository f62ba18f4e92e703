#include "tests/modes/mode_support.h"

#include "functions/families.h"
#include "model/current.h"
#include "model/map_capsule.h"
#include "modes/fit_core.h"
#include "modes/tool_core.h"
#include "modes/view_modes.h"
#include "plot/axis_tools.h"

namespace ModeTest {

namespace {

template <class Code>
class Tagger : public Winplus::EventObserver<Code> {
public:
    Tagger(std::vector<std::string>& entries, const char* tag) : entries_(entries), tag_(tag) {}
    bool Notify(const Code& code) override {
        entries_.push_back(std::string(tag_) + " " + std::to_string(CodeNumber(code)));
        return false;
    }

private:
    std::vector<std::string>& entries_;
    const char* tag_;
};

}  // namespace

Core::MathMap::Ptr PhononModel() {
    Capsule::RegisterFamilies();
    Core::MathMap::Ptr model = Core::MathMap::CreateModel("m");
    Core::NodeMap::Ptr definition = model->AddMap(Core::NodeMap::CreateFunction("model"));
    Core::Node::Ptr sum = Core::Node::Create(208);
    for (auto [name, w] : {std::pair{"p1", 100.0}, std::pair{"p2", 300.0}}) {
        Core::Node::Ptr phonon = Core::CreatePickedNode(900, model);
        phonon->SetName(name);
        phonon->GetChildByName("w")->SetValue({w, 0.0}, 0);
        sum->AddChild(phonon);
    }
    definition->SetRoot(sum);
    model->RebuildOrder();
    Core::Models().Add(model);
    Core::MenuCore::SetCurrentModel(model);
    Core::MenuCore::SetCurrentDefinition(definition);
    Core::MenuCore::SetCurrentNode(Find("p1"));
    return model;
}

namespace {

Core::Node::Ptr Named(int type, const std::string& name,
                      std::initializer_list<Core::Node::Ptr> children = {}) {
    Core::Node::Ptr node = Core::Node::Create(type);
    node->SetName(name);
    node->ClearChildren();
    for (const Core::Node::Ptr& child : children) node->AddChild(child);
    return node;
}

}  // namespace

Core::MathMap::Ptr ReferencingModel() {
    Capsule::RegisterFamilies();
    Core::MathMap::Ptr model = Core::MathMap::CreateModel("f");
    Core::NodeMap::Ptr c = model->AddMap(Core::NodeMap::CreateFunction("c"));
    c->SetRoot(Named(208, "u", {Named(100, "k")}));
    c->SetActive(true);
    auto reference = Safe::MakeX<Core::MapCapsule>();
    reference->SetName("r");
    reference->SetMap(c);
    Core::NodeMap::Ptr definition = model->AddMap(Core::NodeMap::CreateFunction("model"));
    definition->SetRoot(
        Named(208, "s",
              {Named(100, "a"), Named(208, "t", {Named(100, "b"), Named(100, "d")}), reference}));
    model->RebuildOrder();
    Core::Models().Add(model);
    Core::MenuCore::SetCurrentModel(model);
    Core::MenuCore::SetCurrentDefinition(definition);
    Core::MenuCore::SetCurrentNode(definition->GetRoot());
    Core::FitCore::Initialize();
    Core::FitCore::SetMathPath();
    return model;
}

Core::Node::Ptr Find(const std::string& name) {
    return Core::MenuCore::GetCurrentDefinition()->FindNode(name);
}

double Value(const Core::Node::Ptr& node, const std::string& child) {
    return node->GetChildByName(child)->GetValue().real();
}

BusLog::BusLog() : own_(Safe::MakeX<Tagger<Core::ToolCode>>(entries_, "own")) {
    Watch(Core::ViewModeState::AddObserver(Safe::MakeX<Tagger<ViewEvent>>(entries_, "view")));
    Watch(Winplus::Layer::AddObserver(Safe::MakeX<Tagger<LayerEvent>>(entries_, "layer")));
    Watch(Core::MenuCore::AddObserver(Safe::MakeX<Tagger<ModelEvent>>(entries_, "model")));
}

Safe::XPtr<Winplus::EventObserver<Core::ToolCode>> BusLog::Own() {
    return own_;
}

std::vector<std::string> BusLog::Take() {
    std::vector<std::string> taken;
    taken.swap(entries_);
    return taken;
}

void Mouse(int action, double x, double y, int dx, int dy) {
    const double position[2] = {x, y};
    Winplus::AxisBar::SetCursorPosition(position);
    const int delta[2] = {dx, dy};
    Winplus::AxisBar::PublishMouseAction(action, delta);
}

}  // namespace ModeTest
