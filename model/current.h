#pragma once
// Process-wide model state: the set of models and the current model, definition and node that
// the explorers choose and the tools read. Changes are announced on the model bus.
#include "foundation/event_bus.h"
#include "foundation/object_set.h"
#include "model/math_map.h"

namespace Core {

using ModelSet = ObjectSet<Safe::XPtr<MathMap>>;

// Every model of the running program.
ModelSet& Models();

namespace MenuCore {

[[nodiscard]] EventBus::Registration AddObserver(
    const Safe::XPtr<Winplus::EventObserver<ModelEvent>>& observer);
void Notify(ModelEvent code);
[[nodiscard]] EventBus::Registration AddLibraryObserver(
    const Safe::XPtr<Winplus::EventObserver<LibraryEvent>>& observer);
void NotifyLibrary(LibraryEvent code);

// Setters announce a change only: model, definition, node (the node also on the map-bar bus).
void SetCurrentModel(const MathMap::Ptr& model);
void SetCurrentDefinition(const NodeMap::Ptr& definition);
void SetCurrentNode(const Node::Ptr& node);
MathMap::Ptr GetCurrentModel();
NodeMap::Ptr GetCurrentDefinition();
Node::Ptr GetCurrentNode();

// A read project's models: the current model, definition and node become none unannounced, the
// model set (keeping its name) takes the given models in their order, and ModelEvent::kModelsReset
// is announced.
void InstallProjectMaps(const ModelSet& models);

}  // namespace MenuCore

namespace MathMapIo {
// The project at start-up: the model "basic", current and alone in the model set "Project".
void InitProject();
// A new project: the model set holds only a new "basic", which becomes the current model; the
// current definition and node, which belonged to the models let go, become none. Nothing but
// ModelEvent::kModelsReset is announced.
void NewProject();
}  // namespace MathMapIo

// A catalogue function ready to place: a new node of the type whose abscissa child, when it has
// one and the model holds "x", is a reference to "x" bearing the child's name.
Node::Ptr CreatePickedNode(int typeId, const MathMap::Ptr& model);

}  // namespace Core
