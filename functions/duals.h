#pragma once
// Named pairs of parameters and lists of them whose members take their names from the list.
#include <string>

#include "model/node.h"

namespace Capsule {

// Children "p1" and "p2"; its own value stays (0, 0).
class Dual final : public Core::Node {
public:
    Dual();
    void SetFirstName(const std::string& name);
    void SetSecondName(const std::string& name);
};

// A variadic list of duals. Every dual attached to it is named by the element label and its
// parameters by the first and second labels.
class DualList final : public Core::Node {
public:
    struct Labels {
        std::string element = "Element";
        std::string first = "p1";
        std::string second = "p2";
    };

    DualList();

    bool AcceptChild(const Ptr& child) const override;
    void OnChildAttached(const Ptr& child) override;
    void Prepare(Node* from) override;
    // The copy keeps the labels and every member with the names it has.
    Ptr Clone() override;

    const Labels& GetLabels() const { return labels_; }
    void SetLabels(const Labels& labels) { labels_ = labels; }

private:
    Labels labels_;
};

Core::Node::Ptr MakeDual(int typeId);

}  // namespace Capsule
