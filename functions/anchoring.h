#pragma once
// Building blocks of the anchors that peaks, oscillators and absorption profiles offer: making an
// anchor bound to parameter children, pairing width anchors with forces, and writing a dragged
// point back into a parameter.
#include <vector>

#include "model/anchors.h"
#include "model/node.h"

namespace Capsule {

using AnchorList = std::vector<Safe::XPtr<Core::Anchor>>;

// Which end of an anchor a family draws and drags.
enum class AnchorEnd { kFirst, kSecond };

struct AnchorLayout {
    int kind;          // Core::AnchorKind
    int bindings[3];   // child indices for bindings 0, 1 and 2; -1 for none
    bool moveInY;      // AnchorXY (moved in x and y) or AnchorDX (x only)
};

// The top anchor (xc, A) and a half-width anchor on width and xc.
inline AnchorLayout TopAnchor(int position, int height) {
    return {Core::kAnchorTop, {position, height, -1}, true};
}
inline AnchorLayout WidthAnchor(int width, int position) {
    return {Core::kAnchorHalfWidth, {width, -1, position}, false};
}

// Appends a new anchor of owner: bindings, kind, the definition its child 0 refers to, the end
// in use enabled (and the first end disabled when the second is used). Not yet placed.
Core::Anchor& AddAnchor(Core::Node& owner, const AnchorLayout& layout, AnchorEnd end,
                        AnchorList& out);

// Gives each of two width anchors a force (key 0) that moves the other one's width.
void PairWidthAnchors(Core::Anchor& a, Core::Anchor& b);

// The current point of the end in use.
Core::AnchorPoint CurrentPoint(const Core::Anchor& anchor, AnchorEnd end);
// Stores the point in the end in use.
void SetPoint(Core::Anchor& anchor, AnchorEnd end, const Core::AnchorPoint& p, bool keepPrevious);

// True when child 0 of the anchor's bindings is the node's child at index.
bool IsBoundTo(const Core::Anchor& anchor, const Core::Node& owner, int index);

// Writes (value, 0) into the parameter when it is active; true when it was written.
bool WriteParameter(Core::Node* parameter, double value);

// Writes a dragged width when it is active and positive (a width of 0 or less is refused).
bool WriteWidth(Core::Node* parameter, double value);

// After a width drag: a force runs only when the width really changed, with the width before and
// after the move; otherwise notify is cleared so that no force runs with stale values.
void FeedForce(Core::Anchor& anchor, bool& notify, bool changed, double before, double after);

}  // namespace Capsule
