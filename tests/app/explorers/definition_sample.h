#pragma once
// The model the definition explorer's tests edit: a new "sample" in the model set, current, with
// its definition "model" (an empty root "m") current.
#include "functions/families.h"
#include "model/current.h"

namespace DefinitionSample {

inline Core::MathMap::Ptr MakeCurrent() {
    Capsule::RegisterFamilies();
    Core::MathMap::Ptr model = Core::MathMap::CreateModel("sample");
    Core::Models().Add(model);
    Core::MenuCore::SetCurrentModel(model);
    Core::MenuCore::SetCurrentDefinition(model->FindMap("model"));
    return model;
}

}  // namespace DefinitionSample
