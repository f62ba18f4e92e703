#pragma once
// Draggable anchors. A node offers a set of anchors tied to some of its parameters; dragging an
// anchor moves its point, the node writes the point back into the parameters, and an optional
// force moves a partner parameter along.
#include <vector>

#include "foundation/command.h"
#include "foundation/countable.h"

namespace Core {

class Node;
class NodeMap;
class AnchorsInterface;

// Process-wide settings.
// How a force moves its partner parameter; set by the anchor tool bar. A node stores these
// numbers as its anchor follower mode (Node::SetAnchorMode).
enum class ForceMode { kNone = -1, kEqual = 0, kConstantRatio = 1, kMaintainGap = 2 };
// Which end of an anchor DistanceTo measures.
enum class AnchorEndMode { kFirst = 1, kSecond = 2, kNearer = 3 };
// The axes along which a drag writes parameters back.
enum class AnchorAxisMode { kBoth = 0, kXOnly = 1, kYOnly = 2 };

ForceMode GetForceMode();
void SetForceMode(ForceMode mode);
AnchorEndMode GetAnchorEndMode();
void SetAnchorEndMode(AnchorEndMode mode);
AnchorAxisMode GetAnchorAxisMode();
void SetAnchorAxisMode(AnchorAxisMode mode);

// Anchor kinds created by the function families.
enum AnchorKind { kAnchorTop = 0, kAnchorHalfWidth = 4 };

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

    Anchor() { first_.enabled = true; }

    // The parent of the primary binding chosen by the kind; null when there is none.
    virtual Node* GetParameterOwner() const;
    // Moves the selected end, lets the owner write its parameters, then runs the force unless
    // the owner cleared notify.
    virtual void MoveTo(const AnchorPoint& p, bool& notify);

    Node* GetBinding(const int& which) const;
    void SetBinding(int which, Node* node);
    Node* GetOwner() const { return owner_; }
    AnchorsInterface* GetInterface() const { return set_; }
    void SetInterface(AnchorsInterface* set);
    NodeMap* GetLinkedDefinition() const { return linkedDefinition_; }
    void SetLinkedDefinition(NodeMap* definition) { linkedDefinition_ = definition; }
    const Safe::XPtr<Winplus::Command>& GetCommand() const { return command_; }
    void SetCommand(const Safe::XPtr<Winplus::Command>& command) { command_ = command; }
    int GetKind() const { return kind_; }
    void SetKind(int kind) { kind_ = kind; }

    const End& First() const { return first_; }
    const End& Second() const { return second_; }
    void EnableFirst(bool on) { first_.enabled = on; }
    void EnableSecond(bool on) { second_.enabled = on; }
    bool IsFirstSelected() const { return firstSelected_; }
    void SetFirstPoint(const AnchorPoint& p, const bool& keepPrevious);
    void SetSecondPoint(const AnchorPoint& p, const bool& keepPrevious);

    // Asks the owner to compute the anchor's point from its parameters.
    void Place(const bool& flag);
    // Distance of the measured end to x (-1 when that end is disabled); may select the end.
    double DistanceTo(const double& x);

    static bool IsXEnabled() { return GetAnchorAxisMode() != AnchorAxisMode::kYOnly; }
    static bool IsYEnabled() { return GetAnchorAxisMode() != AnchorAxisMode::kXOnly; }

protected:
    End& SelectedEnd() { return firstSelected_ ? first_ : second_; }
    void Moved(bool& notify);

private:
    Node* bindings_[4] = {nullptr, nullptr, nullptr, nullptr};
    Node* owner_ = nullptr;
    AnchorsInterface* set_ = nullptr;
    NodeMap* linkedDefinition_ = nullptr;
    Safe::XPtr<Winplus::Command> command_;
    int kind_ = -1;
    End first_;
    End second_;
    bool firstSelected_ = true;
};

// A position anchor, moved in x and y.
class AnchorXY : public Anchor {};

// A width anchor, moved in x only: its y stays where its owner placed it.
class AnchorDX : public Anchor {
public:
    void MoveTo(const AnchorPoint& p, bool& notify) override { MoveTo(p.x, notify); }
    void MoveTo(const double& x, bool& notify);
};

class AnchorsInterface : public Safe::Countable {
public:
    explicit AnchorsInterface(Node* owner) : owner_(owner) {}

    // Replaces the anchors by fresh ones made from the owner's parameters. Sums, products and
    // averages gather the anchors of their children.
    void Rebuild();
    // Places every anchor again, the current one last.
    void PlaceAll();
    // Makes the anchor nearest to x current.
    void FindNearest(const double& x);
    // Moves the current anchor to p.
    void MoveCurrent(const AnchorPoint& p);

    Node* GetOwner() const { return owner_; }
    const Safe::XPtr<Anchor>& GetCurrent() const { return current_; }
    void SetCurrent(const Safe::XPtr<Anchor>& anchor) { current_ = anchor; }
    const std::vector<Safe::XPtr<Anchor>>& GetAnchors() const { return anchors_; }
    int Count() const { return static_cast<int>(anchors_.size()); }
    const std::vector<Safe::XPtr<AnchorsInterface>>& GetMembers() const { return members_; }
    // Whether the builder may place the owner on the plot by its anchors.
    bool IsPlaceable() const { return placeable_; }
    void SetPlaceable(bool placeable) { placeable_ = placeable; }

private:
    Node* owner_;
    Safe::XPtr<Anchor> current_;
    std::vector<Safe::XPtr<Anchor>> anchors_;
    std::vector<Safe::XPtr<AnchorsInterface>> members_;
    bool placeable_ = false;
};

// Moves the primary parameter of a partner anchor by the force mode after its own anchor moved.
class Force : public Winplus::Command {
public:
    explicit Force(Anchor* target) : target_(target) {}

    void SetKey(const int& key) { key_ = key; }
    int GetKey() const { return key_; }
    // The owner gives the moved parameter's old (reference) and new value before the force runs.
    void SetValues(const double& reference, const double& value) {
        reference_ = reference;
        value_ = value;
    }
    bool Execute(const int& code) override;

private:
    int key_ = -1;
    Anchor* target_;
    double reference_ = 0.0;
    double value_ = 0.0;
};

}  // namespace Core
