#pragma once
// The anchor associations of a node as the tools' property pages show and edit them.
#include <string>
#include <vector>

#include "model/node.h"

namespace Core {

// The anchor slots of a node as the property pages edit them: slots 0 and 1 are the X and Y
// hit associations, 2 and 3 the X and Y move associations. Every operation does nothing, or
// answers none or -1, without a node.
namespace Associations {
// "None", then the names of the node's active subtree, the node itself first.
std::vector<std::string> NodeNames(Node* node);
// The name of the node bound to the slot, or of the slot's partner; "None" when there is none.
std::string BoundName(Node* node, int slot);
std::string PartnerName(Node* node, int slot);
int Mode(Node* node, int slot);
void BindByName(Node* node, int slot, const std::string& name);
void SetPartner(Node* node, int slot, const std::string& name);
void SetMode(Node* node, int slot, int mode);
}  // namespace Associations

}  // namespace Core
