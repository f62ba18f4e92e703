#include "model/current.h"

#include <vector>

#include "model/map_bar.h"
#include "model/map_capsule.h"

namespace Core {

namespace {
struct CurrentObjects {
    MathMap::Ptr model;
    NodeMap::Ptr definition;
    Node::Ptr node;
};

CurrentObjects& Current() {
    static CurrentObjects current;
    return current;
}

void ResetModelsAndCurrentObjects() {
    Models().Clear();
    Models().SetName(std::wstring());
    Current() = CurrentObjects();
}
[[maybe_unused]] const bool kResets = RegisterProcessReset(&ResetModelsAndCurrentObjects);

}  // namespace

ModelSet& Models() {
    static ModelSet* models = new ModelSet;  // lives for the process, like its observers
    return *models;
}

namespace MenuCore {

EventBus::Registration AddObserver(const Safe::XPtr<Winplus::EventObserver<ModelEvent>>& observer) {
    return BusOf<ModelEvent>().Add(observer);
}
void Notify(ModelEvent code) {
    BusOf<ModelEvent>().Notify(code);
}
EventBus::Registration AddLibraryObserver(
    const Safe::XPtr<Winplus::EventObserver<LibraryEvent>>& observer) {
    return BusOf<LibraryEvent>().Add(observer);
}
void NotifyLibrary(LibraryEvent code) {
    BusOf<LibraryEvent>().Notify(code);
}

void SetCurrentModel(const MathMap::Ptr& model) {
    StoreAndAnnounce(Current().model, model, BusOf<ModelEvent>(), ModelEvent::kCurrentModelChanged);
}
void SetCurrentDefinition(const NodeMap::Ptr& definition) {
    StoreAndAnnounce(Current().definition, definition, BusOf<ModelEvent>(),
                     ModelEvent::kCurrentDefinitionChanged);
}
void SetCurrentNode(const Node::Ptr& node) {
    if (StoreAndAnnounce(Current().node, node, BusOf<ModelEvent>(),
                         ModelEvent::kCurrentNodeChanged))
        MapBar::Notify(MapBarEvent::kCurrentNodeChanged);
}

MathMap::Ptr GetCurrentModel() {
    return Current().model;
}
NodeMap::Ptr GetCurrentDefinition() {
    return Current().definition;
}
Node::Ptr GetCurrentNode() {
    return Current().node;
}

void InstallProjectMaps(const ModelSet& models) {
    Current() = CurrentObjects();
    // The given set may be the model set itself: take the items first.
    const std::vector<MathMap::Ptr> items(models.begin(), models.end());
    Models().Clear();
    for (const MathMap::Ptr& model : items) Models().Add(model);
    Notify(ModelEvent::kModelsReset);
}

}  // namespace MenuCore

namespace MathMapIo {
void InitProject() {
    MathMap::Ptr basic = MathMap::CreateModel("basic");
    MenuCore::SetCurrentModel(basic);
    Models().Add(basic);
    Models().SetName(std::wstring(L"Project"));
}

void NewProject() {
    Current() = CurrentObjects();
    Models().Clear();
    Current().model = MathMap::CreateModel("basic");
    Models().Add(Current().model);
    Models().SetName(std::wstring(L"Project"));
    MenuCore::Notify(ModelEvent::kModelsReset);
}
}  // namespace MathMapIo

Node::Ptr CreatePickedNode(int typeId, const MathMap::Ptr& model) {
    Node::Ptr node = Node::Create(typeId);
    if (!node) return node;
    const int index = node->GetVariableChildIndex();
    NodeMap::Ptr x = model ? model->FindMap("x") : NodeMap::Ptr();
    Node::Ptr child = node->GetChild(index);
    // Without a definition "x" the child stays as it is rather than becoming a dead reference.
    if (child && x) {
        auto reference = Safe::MakeX<MapCapsule>();
        reference->SetName(child->Name());
        reference->SetMap(x);
        node->ReplaceChildAt(index, reference);
    }
    return node;
}

}  // namespace Core
