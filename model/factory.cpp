#include "model/factory.h"

#include "model/basic.h"
#include "model/constant_capsule.h"
#include "model/formula_capsule.h"
#include "model/map_capsule.h"
#include "model/versatile_capsule.h"

#include <algorithm>
#include <vector>

namespace Core {

namespace {
std::vector<FamilyMaker>& Families() {
    static std::vector<FamilyMaker> families;
    return families;
}
}  // namespace

void RegisterFamily(FamilyMaker maker) {
    auto& families = Families();
    if (maker && std::find(families.begin(), families.end(), maker) == families.end())
        families.push_back(maker);
}

Node::Ptr Node::Create(int typeId) {
    switch (typeId) {
        case kMapCapsuleId: return Safe::MakeX<MapCapsule>();
        case kVersatileCapsuleId: return Safe::MakeX<VersatileCapsule>();
        case kFormulaCapsuleId: return Safe::MakeX<FormulaCapsule>();
        case kConstantCapsuleId: return Safe::MakeX<ConstantCapsule>();
        case kDllCapsuleId: return Ptr();  // made by its library, never by id
        case kBasicId: return Safe::MakeX<Capsule::Basic>();
        default: break;
    }
    for (FamilyMaker maker : Families()) {
        Ptr node = maker(typeId);
        if (node) return node;
    }
    return Ptr();
}

Node::Ptr Node::CreateListItem(int listTypeId) {
    if (listTypeId == kDualListId) return Create(kDualId);
    if (listTypeId == kPointListId) return Create(kPointId);
    return Ptr();
}

}  // namespace Core
