#include "model/factory.h"

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
    // A library-supplied function is made by its library, never by id.
    if (typeId == kDllCapsuleId) return Ptr();
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
