#include "winplus/button_machine.h"

namespace Winplus {

namespace {
bool IsChecked(int state) {
    return state == kChecked || state == kCheckedHot;
}
}  // namespace

void ButtonMachine::Move(bool inside, bool leftHeld) {
    if (state == kDisabled) return;
    switch (kind) {
        case kPushButton:
        case kToggleButton:
            state = inside ? (leftHeld ? kPressed : kHot) : kNormal;
            break;
        case kCheckButton:
            if (pressing_ && leftHeld) {
                // Dragging out shows the state before the press; back in shows the press again.
                if (!inside) {
                    state = IsChecked(beforePress_) ? kChecked : kNormal;
                } else if (IsChecked(beforePress_)) {
                    state = group >= 0 ? kCheckedHot : kHot;
                } else {
                    state = kChecked;
                }
                break;
            }
            if (inside)
                state = state == kChecked ? kCheckedHot : (state == kCheckedHot ? state : kHot);
            else
                state = state == kCheckedHot ? kChecked : (state == kChecked ? state : kNormal);
            break;
        default: break;
    }
}

void ButtonMachine::Down(bool inside) {
    if (state == kDisabled || !inside) return;
    switch (kind) {
        case kPushButton:
        case kToggleButton: state = kPressed; break;
        case kCheckButton:
            pressing_ = true;
            beforePress_ = state;
            if (state == kCheckedHot)
                state = group >= 0 ? kCheckedHot : kHot;
            else
                state = kChecked;
            break;
        default: break;
    }
}

int ButtonMachine::Up(bool inside) {
    if (state == kDisabled) return -1;
    const int before = state;
    switch (kind) {
        case kPushButton:
            state = inside ? kHot : kNormal;
            return before == kPressed && state == kHot ? 0 : -1;
        case kToggleButton:
            state = inside ? kHot : kNormal;
            if (before == kPressed && inside) {
                toggled = !toggled;
                return 0;
            }
            return -1;
        case kCheckButton: {
            const bool pressed = pressing_;
            pressing_ = false;
            if (!inside) {
                // Released outside: nothing happens, the button keeps what it was.
                state = pressed ? (IsChecked(beforePress_) ? kChecked : kNormal)
                                : (before == kChecked ? kChecked : kNormal);
                return -1;
            }
            state = IsChecked(before) ? kCheckedHot : kHot;
            if (state == kCheckedHot && IsChecked(before)) return kChecked;
            if (state == kHot && group < 0 && before == kHot && pressed) return 0;
            return -1;
        }
        default: return -1;
    }
}

BarLayout LayOutButtons(const std::vector<ButtonSize>& sizes, bool vertical) {
    BarLayout layout;
    int x = 0, y = 0;
    for (const ButtonSize& size : sizes) {
        layout.places.push_back({x, y});
        if (vertical) {
            y += size.height;
            layout.width = size.width;
            layout.height = y;
        } else {
            x += size.width;
            layout.width = x;
            layout.height = size.height;
        }
    }
    return layout;
}

}  // namespace Winplus
