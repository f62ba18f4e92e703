#include "model/anchors.h"

#include <cmath>

#include "foundation/event_bus.h"
#include "model/node.h"

namespace Core {

namespace {
ForceMode forceMode = ForceMode::kNone;
AnchorEndMode anchorEndMode = AnchorEndMode::kNearer;
AnchorAxisMode anchorAxisMode = AnchorAxisMode::kBoth;

void ResetSettings() {
    forceMode = ForceMode::kNone;
    anchorEndMode = AnchorEndMode::kNearer;
    anchorAxisMode = AnchorAxisMode::kBoth;
}
[[maybe_unused]] const bool kResets = RegisterProcessReset(&ResetSettings);
}  // namespace

ForceMode GetForceMode() {
    return forceMode;
}
void SetForceMode(ForceMode mode) {
    forceMode = mode;
}
AnchorEndMode GetAnchorEndMode() {
    return anchorEndMode;
}
void SetAnchorEndMode(AnchorEndMode mode) {
    anchorEndMode = mode;
}
AnchorAxisMode GetAnchorAxisMode() {
    return anchorAxisMode;
}
void SetAnchorAxisMode(AnchorAxisMode mode) {
    anchorAxisMode = mode;
}

// --- Anchor ---

Node* Anchor::GetBinding(const int& which) const {
    return which >= 0 && which < 4 ? bindings_[which] : nullptr;
}

void Anchor::SetBinding(int which, Node* node) {
    if (which >= 0 && which < 4) bindings_[which] = node;
}

Node* Anchor::GetParameterOwner() const {
    Node* primary = nullptr;
    switch (kind_) {
        case 0:
        case 1:
        case 3:
        case 4: primary = bindings_[0]; break;
        case 2:
        case 5: primary = bindings_[1]; break;
        default: break;
    }
    return primary ? primary->ParentNode() : nullptr;
}

void Anchor::MoveTo(const AnchorPoint& p, bool& notify) {
    End& end = SelectedEnd();
    end.previous = end.current;
    end.current = p;
    Moved(notify);
}

void Anchor::Moved(bool& notify) {
    if (owner_) owner_->AnchorMoved(this, notify);
    if (notify && command_) command_->Execute(0);
}

void AnchorDX::MoveTo(const double& x, bool& notify) {
    End& end = SelectedEnd();
    end.previous = end.current;
    end.current.x = x;
    Moved(notify);
}

void Anchor::SetInterface(AnchorsInterface* set) {
    set_ = set;
    owner_ = set ? set->GetOwner() : nullptr;
}

void Anchor::SetFirstPoint(const AnchorPoint& p, const bool& keepPrevious) {
    if (keepPrevious) first_.previous = first_.current;
    first_.current = p;
}

void Anchor::SetSecondPoint(const AnchorPoint& p, const bool& keepPrevious) {
    if (keepPrevious) second_.previous = second_.current;
    second_.current = p;
}

void Anchor::Place(const bool& flag) {
    if (owner_) owner_->PlaceAnchor(this, flag);
}

double Anchor::DistanceTo(const double& x) {
    const double d1 = first_.enabled ? std::fabs(first_.current.x - x) : -1.0;
    const double d2 = second_.enabled ? std::fabs(second_.current.x - x) : -1.0;
    switch (anchorEndMode) {
        case AnchorEndMode::kFirst: return d1;
        case AnchorEndMode::kSecond: return d2;
        case AnchorEndMode::kNearer:
            if (d2 >= 0 && d1 >= 0 && d1 <= d2) {
                firstSelected_ = true;
                return d1;
            }
            if (d2 >= 0) {
                firstSelected_ = false;
                return d2;
            }
            firstSelected_ = true;
            return d1;
        default: return -1.0;
    }
}

// --- AnchorsInterface ---

void AnchorsInterface::Rebuild() {
    int currentIndex = -1;
    for (std::size_t i = 0; i < anchors_.size(); ++i)
        if (anchors_[i] == current_) currentIndex = static_cast<int>(i);

    anchors_.clear();
    if (owner_) owner_->CreateAnchors(anchors_);
    for (auto& anchor : anchors_) anchor->SetInterface(this);
    members_.clear();

    if (owner_ && owner_->GathersChildAnchors()) {
        for (int i = 0; i < owner_->ChildCount(); ++i) {
            Safe::XPtr<AnchorsInterface> member = owner_->GetChild(i)->GetAnchors();
            if (!member) continue;
            members_.push_back(member);
            anchors_.insert(anchors_.end(), member->anchors_.begin(), member->anchors_.end());
        }
        if (!anchors_.empty()) current_ = anchors_.front();
        return;
    }
    // The old current anchor's parameters may be gone: follow it to the new anchor at the same
    // place in the list, or to none.
    current_ = currentIndex >= 0 && currentIndex < Count()
                   ? anchors_[static_cast<std::size_t>(currentIndex)]
                   : Safe::XPtr<Anchor>();
}

void AnchorsInterface::PlaceAll() {
    if (!current_) return;
    for (auto& anchor : anchors_)
        if (anchor != current_) anchor->Place(true);
    current_->Place(false);
}

void AnchorsInterface::FindNearest(const double& x) {
    Safe::XPtr<Anchor> best;
    double bestDistance = 0.0;
    for (auto& anchor : anchors_) {
        const double d = anchor->DistanceTo(x);
        // An anchor without an enabled end answers -1: it cannot be the nearest.
        if (d < 0 || std::isnan(d)) continue;
        if (!best || d < bestDistance) {
            best = anchor;
            bestDistance = d;
        }
    }
    current_ = best;
}

void AnchorsInterface::MoveCurrent(const AnchorPoint& p) {
    if (!current_) return;
    bool notify = true;
    Safe::XPtr<Anchor> moving = current_;  // the owner may rebuild the set while it moves
    moving->MoveTo(p, notify);
}

// --- Force ---

bool Force::Execute(const int&) {
    Node* parameter = target_ ? target_->GetBinding(0) : nullptr;
    if (!parameter) return false;
    const double c = parameter->GetValue().real();
    switch (forceMode) {
        case ForceMode::kEqual: parameter->SetValue(Complex(value_, 0.0), 0); break;
        case ForceMode::kConstantRatio: {
            const double r = value_ / reference_;
            if (!std::isfinite(r)) return false;
            parameter->SetValue(Complex(c * r, 0.0), 0);
            break;
        }
        case ForceMode::kMaintainGap:
            parameter->SetValue(Complex(value_ - reference_ + c, 0.0), 0);
            break;
        default: break;
    }
    return true;
}

}  // namespace Core
