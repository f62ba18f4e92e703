#pragma once
// Node creation by type id. The built-in families register their makers once at start-up, in a
// fixed order, from one function; the factory asks them in that order.
#include "model/node.h"

namespace Core {

// Returns a new node for the ids of its family, null for any other id.
using FamilyMaker = Node::Ptr (*)(int typeId);

// Appends a family maker; registering the same maker again changes nothing.
void RegisterFamily(FamilyMaker maker);

// Type ids the factory knows without a family.
enum CoreTypeId {
    kMapCapsuleId = 10,
    kVersatileCapsuleId = 11,
    kFormulaCapsuleId = 12,
    kConstantCapsuleId = 13,
    kDllCapsuleId = 14,
    kBasicId = 100,  // the free parameter, root of new definitions
    kDualId = 2001,
    kDualListId = 2101,
    kPointId = 899,
    kPointListId = 2102,
};

}  // namespace Core
