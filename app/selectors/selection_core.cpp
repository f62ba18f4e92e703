#include "app/selectors/selection_core.h"

#include <algorithm>

#include "model/current.h"
#include "model/factory.h"
#include "model/map_capsule.h"
#include "model/selection.h"

namespace Core {

namespace {

constexpr int kRealTypeId = 300;  // "Real(z)", the pick at start

MapCapsule* Bound(const Node::Ptr& argument) {
    return argument && argument->GetTypeId() == kMapCapsuleId
               ? static_cast<MapCapsule*>(argument.Get())
               : nullptr;
}

Node::Ptr Reference(const std::string& name, const NodeMap::Ptr& definition) {
    auto reference = Safe::MakeX<MapCapsule>();
    reference->SetName(name);
    reference->SetMap(definition);
    return reference;
}

// A library function or a formula follows the current model's abscissa through its child "x".
void BindAbscissa(const Node::Ptr& node) {
    const MathMap::Ptr model = MenuCore::GetCurrentModel();
    if (!node || node->ChildCount() == 0 || !model) return;
    const NodeMap::Ptr x = model->FindMap("x");
    const int index = node->IndexOfChild("x");
    if (x && index >= 0) node->ReplaceChildAt(index, Reference("x", x));
}

Node::Ptr CachedNode(const std::vector<Node::Ptr>& cache, int typeId) {
    for (const Node::Ptr& node : cache)
        if (node->GetTypeId() == typeId && node->GetSourceKind() == kBuiltIn) return node;
    return Node::Ptr();
}

// Relinks the arguments whenever the model, its definitions or the project change.
struct ModelObserver : Winplus::EventObserver<ModelEvent> {
    explicit ModelObserver(SelectionCore* core) : core(core) {}
    bool Notify(const ModelEvent& code) override {
        switch (code) {
            case ModelEvent::kModelsReset:
            case ModelEvent::kCurrentModelChanged: core->OnModelChanged(); break;
            default: break;
        }
        return true;
    }
    SelectionCore* core;
};

}  // namespace

SelectionCore::SelectionCore() {
    Selection::SetNode(Node::Create(kRealTypeId));
    Selection::SetMode(Selection::kNodeMode);
    RefreshArguments();
    RelinkArguments();
    onModels_ = MenuCore::AddObserver(Safe::MakeX<ModelObserver>(this));
}

void SelectionCore::OnModelChanged() {
    RelinkArguments();
    if (relinked_) relinked_();
}

bool SelectionCore::Pick(int code) {
    if (code > 0) {
        if (!PickByTypeId(code)) return false;
    } else if (code < 0) {
        BindAbscissa(Selection::GetNode());
        Selection::SetMode(Selection::kNodeMode);
    } else {
        BindAbscissa(Selection::GetFormula());
        Selection::SetMode(Selection::kFormulaMode);
    }
    RefreshArguments();
    // A node picked again may still follow definitions of the model current when it was made.
    RelinkArguments();
    return true;
}

bool SelectionCore::PickByTypeId(int typeId) {
    Node::Ptr node = CachedNode(cache_, typeId);
    if (!node) {
        // Ids without a node class (the effective-medium stickers) leave everything as it was.
        node = CreatePickedNode(typeId, MenuCore::GetCurrentModel());
        if (!node) return false;
        cache_.push_back(node);
    }
    Selection::SetNode(node);
    Selection::SetMode(Selection::kNodeMode);
    return true;
}

void SelectionCore::ShowMode(int tab) {
    Selection::SetMode(tab == 1 ? Selection::kFormulaMode : Selection::kNodeMode);
    RefreshArguments();
}

void SelectionCore::RefreshArguments() {
    arguments_.clear();
    selected_ = 0;
    const int mode = Selection::GetMode();
    const Node::Ptr node = mode == Selection::kNodeMode      ? Selection::GetNode()
                           : mode == Selection::kFormulaMode ? Selection::GetFormula()
                                                             : Node::Ptr();
    if (!node) return;
    if (mode == Selection::kNodeMode && node->IsActive() && node->ChildCount() == 0)
        arguments_.push_back(node);  // a parameter is its own argument
    else if (mode == Selection::kFormulaMode || !node->IsList())
        arguments_ = node->GetChildren();
    std::erase_if(arguments_, [](const Node::Ptr& argument) { return argument->IsVariadic(); });
}

std::vector<std::string> SelectionCore::GetArgumentNames() const {
    std::vector<std::string> names;
    for (const Node::Ptr& argument : arguments_) names.push_back(argument->Name());
    return names;
}

void SelectionCore::SelectArgument(int index) {
    if (index >= 0 && index < static_cast<int>(arguments_.size())) selected_ = index;
}

Node::Ptr SelectionCore::Selected() const {
    return arguments_.empty() ? Node::Ptr() : arguments_[static_cast<std::size_t>(selected_)];
}

bool SelectionCore::Replace(std::size_t slot, const Node::Ptr& replacement) {
    // Only a child of the selection is replaced: a parameter that is its own argument has no
    // place to take a reference, and its slot keeps it.
    const Node::Ptr owner = Selection::GetCurrent();
    if (!owner) return false;
    const std::vector<Node::Ptr> children = owner->GetChildren();
    const auto found = std::find(children.begin(), children.end(), arguments_[slot]);
    if (found == children.end()) return false;
    if (!owner->ReplaceChildAt(static_cast<int>(found - children.begin()), replacement))
        return false;
    arguments_[slot] = replacement;
    return true;
}

void SelectionCore::Unbind(std::size_t slot, double value) {
    Node::Ptr basic = Node::Create(kBasicId);
    basic->SetName(arguments_[slot]->Name());
    basic->SetValue(Complex(value, 0.0), 0);
    Replace(slot, basic);
}

void SelectionCore::BindArgument(const std::string& variable) {
    const MathMap::Ptr model = MenuCore::GetCurrentModel();
    const Node::Ptr argument = Selected();
    if (!model || !argument) return;
    const NodeMap::Ptr definition = variable == "NONE" ? NodeMap::Ptr() : model->FindMap(variable);
    const auto slot = static_cast<std::size_t>(selected_);
    if (definition)
        Replace(slot, Reference(argument->Name(), definition));
    else
        Unbind(slot, argument->GetValue().real());
    Selection::Notify(SelectionEvent::kSelectedFunctionRenamed);
}

void SelectionCore::SetArgumentValue(double value) {
    const Node::Ptr argument = Selected();
    if (argument && !Bound(argument)) argument->SetValue(Complex(value, 0.0), 0);
}

void SelectionCore::RelinkArguments() {
    variables_.assign(1, "NONE");
    if (arguments_.empty()) return;
    const MathMap::Ptr model = MenuCore::GetCurrentModel();
    const std::vector<NodeMap::Ptr> definitions =
        model ? model->GetInactiveMaps() : std::vector<NodeMap::Ptr>();
    for (const NodeMap::Ptr& definition : definitions) variables_.push_back(definition->Name());
    for (std::size_t slot = 0; slot < arguments_.size(); ++slot) {
        MapCapsule* bound = Bound(arguments_[slot]);
        if (!bound) continue;
        const NodeMap::Ptr old = bound->GetMap();
        const auto same = std::find_if(definitions.begin(), definitions.end(),
                                       [&old](const NodeMap::Ptr& definition) {
                                           return old && definition->Name() == old->Name();
                                       });
        // Without a definition of that name in the current model (or without a model) a bound
        // argument keeps its last value instead of following a definition elsewhere.
        if (same != definitions.end())
            bound->SetMap(*same);
        else
            Unbind(slot, bound->GetValue().real());
    }
}

ArgumentView SelectionCore::View() const {
    ArgumentView view;
    view.variables = variables_;
    const Node::Ptr argument = Selected();
    if (!argument) return view;
    view.variableEnabled = true;
    if (const MapCapsule* bound = Bound(argument)) {
        const NodeMap::Ptr definition = bound->GetMap();
        const auto found = definition
                               ? std::find(variables_.begin(), variables_.end(), definition->Name())
                               : variables_.end();
        view.variable =
            found == variables_.end() ? 0 : static_cast<int>(found - variables_.begin());
        view.value = ArgumentView::Value::Variable;
        return view;
    }
    view.value = ArgumentView::Value::Number;
    view.number = argument->GetValue().real();
    view.valueEnabled = true;
    return view;
}

}  // namespace Core
