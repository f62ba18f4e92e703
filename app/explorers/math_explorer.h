#pragma once
// The "Math Explorer" apart from its tree window: what the tree shows for the model set, its
// context menus, and what its selections, label edits and commands do to the models.
#include <array>
#include <string>

#include "app/base/explorer_tree.h"
#include "foundation/event_codes.h"
#include "winplus/resource_ids.h"

namespace Core::MathExplorer {

// Item kinds, which are the image list's indexes: the root "Models", a model, a variable
// definition and a function definition.
inline constexpr int kModelKind = 1;
inline constexpr int kVariableKind = 2;
inline constexpr int kFunctionKind = 3;
inline constexpr const char* kRootText = "Models";
inline constexpr std::array<int, 4> kBitmaps = {IDB_TREE_ROOT, IDB_TREE_MODEL, IDB_TREE_VARIABLE,
                                                IDB_TREE_FUNCTION};

inline constexpr int kAddVariable = 2001;
inline constexpr int kAddDefinition = 2002;
inline constexpr int kRemoveDefinition = 2003;
inline constexpr int kAddBasicModel = 2004;
inline constexpr int kRemoveModel = 2005;
inline constexpr int kLoadModel = 2006;
inline constexpr int kSaveModel = 2007;

// The context menus of the root, a model and a definition (id 0, no text: a separator).
extern const std::array<Explorer::MenuEntry, 2> kRootMenu;
extern const std::array<Explorer::MenuEntry, 5> kModelMenu;
extern const std::array<Explorer::MenuEntry, 1> kDefinitionMenu;

// The root "Models"; each model of the set with its definitions in the model's order.
Explorer::Item Tree();

// The item of the current definition, or of the current model without one; kind -1 for none.
Explorer::Selected CurrentItem();

// A model bus code heard by the tree's observer. On ModelEvent::kBasicModelRequested a model
// "basic" is added to the set first. True when the tree is refilled (ModelEvent::kModelsReset,
// ModelEvent::kModelsAdded and ModelEvent::kBasicModelRequested).
bool OnModelEvent(ModelEvent code);

// Makes the selected item's model and definition current (the node none); the root or no item
// makes all three none.
void Select(const Explorer::Selected& selected);

// The end of a label edit, with a current model: a model takes a name no other model bears
// (ModelEvent::kModelRenamed), a definition one no other definition of the current model bears
// (ModelEvent::kDefinitionRenamed). False: the label reverts.
bool Rename(const Explorer::Selected& selected, const std::string& oldName,
            const std::string& newName);

// A context-menu command with the selected item; a command meant for another kind of item does
// nothing. True when the model set changed, so the tree is refilled and the selection run again.
// Added models are announced with ModelEvent::kModelsAdded, added and removed definitions and
// removed models with ModelEvent::kDefinitionEdited.
bool Command(int id, void* owner, const Explorer::Selected& selected);

}  // namespace Core::MathExplorer
