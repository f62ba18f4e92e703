#pragma once
// Draggable anchors of nodes and their sets.
#include <vector>

#include "foundation/command.h"
#include "foundation/countable.h"

namespace Core {

class Node;
class NodeMap;
class AnchorsInterface;

struct AnchorPoint {
    double x = 0.0;
    double y = 0.0;
};

class Anchor : public Safe::Countable {
public:
    struct End {
        bool enabled = false;
        AnchorPoint previous;
        AnchorPoint current;
    };

    Anchor() { first.enabled = true; }

    Node* bindings[4] = {nullptr, nullptr, nullptr, nullptr};
    Node* owner = nullptr;
    AnchorsInterface* set = nullptr;
    NodeMap* linkedDefinition = nullptr;
    Safe::XPtr<Winplus::Command> command;
    int kind = -1;
    End first;
    End second;
    bool firstSelected = true;
};

class AnchorsInterface : public Safe::Countable {
public:
    explicit AnchorsInterface(Node* owner) : owner_(owner) {}

protected:
    Node* owner_;
    Safe::XPtr<Anchor> current_;
    std::vector<Safe::XPtr<Anchor>> anchors_;
    std::vector<Safe::XPtr<AnchorsInterface>> members_;
    bool placeable_ = false;
};

}  // namespace Core
