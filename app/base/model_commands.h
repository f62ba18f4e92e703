#pragma once
// The model file commands of the menu and the Math Explorer: models added from model files,
// OSML files and OSML libraries, and the current model, definition and node exported. Dialogs
// and message boxes go through the platform layer, which tests replace. Each command takes the
// owner window of its dialog and answers whether it did its work; a cancelled dialog changes
// nothing.
#include <string>

#include "model/math_map.h"

namespace Core::MathMapIo {

// The folder the model dialogs open in: that of the last model file loaded or saved.
const std::string& GetModelFolder();

// A model file (.mod) or an OSML model, added under the file's name made unique;
// ModelEvent::kModelsAdded.
bool LoadModelBinary(void* owner);
bool LoadOsmlModel(void* owner);
// Every model of an OSML library, under its symbol's name made unique; ModelEvent::kModelsAdded
// once. Symbols that hold no model (formulas, constants) are left out, said once.
bool LoadOsmlLibrary(void* owner);

// The current model as a model file, or as an OSML document with or without its user functions'
// declarations embedded. False also when the writer failed (it said why).
bool SaveModelBinary(void* owner);
bool SaveOsmlModel(void* owner, bool embedDeclarations);
// The current definition as a capsule file. The definition takes the file's name when no other
// definition of the model bears it (announced as a rename); otherwise it keeps its own.
bool SaveEncapsulation(void* owner);
// The current node as a prototype file.
bool SavePrototype(void* owner);

}  // namespace Core::MathMapIo

namespace Core::MenuCore {

// Renames a definition of the model when the new name is not empty and free there;
// ModelEvent::kDefinitionRenamed.
bool RenameDefinition(const MathMap::Ptr& model, const std::string& oldName,
                      const std::string& newName);

}  // namespace Core::MenuCore
