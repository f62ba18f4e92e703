#include "modes/associations.h"

namespace Core {

namespace Associations {

std::vector<std::string> NodeNames(Node* node) {
    std::vector<std::string> names{"None"};
    if (!node) return names;
    std::vector<Node*> active;
    node->CollectActive(active);
    // The node itself first, also when it is not a parameter of its own.
    if (active.empty() || active.front() != node) names.push_back(node->Name());
    for (Node* item : active) names.push_back(item->Name());
    return names;
}

std::string BoundName(Node* node, int slot) {
    Node* bound = node ? node->GetAnchorNode(slot) : nullptr;
    return bound ? bound->Name() : "None";
}

std::string PartnerName(Node* node, int slot) {
    Node::Ptr partner = node ? node->GetAnchorChild(slot) : Node::Ptr();
    return partner ? partner->Name() : "None";
}

int Mode(Node* node, int slot) {
    return node ? node->GetAnchorMode(slot) : -1;
}

void BindByName(Node* node, int slot, const std::string& name) {
    if (node) node->SetAnchorChildByName(slot, name);
}

void SetPartner(Node* node, int slot, const std::string& name) {
    if (node) node->SetAnchorChild(slot, name);
}

void SetMode(Node* node, int slot, int mode) {
    if (node) node->SetAnchorMode(slot, mode);
}

}  // namespace Associations

}  // namespace Core
