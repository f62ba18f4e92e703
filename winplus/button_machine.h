#pragma once
// The mouse state machine of one tool-bar button and the arithmetic of a row of buttons,
// without windows or painting.
#include <vector>

namespace Winplus {

enum ButtonKind { kPushButton = 1, kCheckButton = 2, kSeparatorButton = 5, kToggleButton = 6,
                  kWindowCell = 7 };
enum ButtonState { kNormal = 0, kHot = 1, kPressed = 2, kDisabled = 4, kChecked = 5,
                   kCheckedHot = 7 };

class ButtonMachine {
public:
    explicit ButtonMachine(int kind = kPushButton) : kind(kind) {}

    // leftHeld: the left mouse button is down during the move.
    void Move(bool inside, bool leftHeld);
    void Down(bool inside);
    // The code to execute the button's target with when the release fires it, else -1.
    int Up(bool inside);

    int kind;
    int state = kNormal;
    int group = -1;
    bool toggled = false;

private:
    // Between a press inside and the release: a check button that the cursor leaves shows and
    // keeps the state it had before the press.
    bool pressing_ = false;
    int beforePress_ = kNormal;
};

struct ButtonPlace {
    int x = 0, y = 0;
};
struct BarLayout {
    std::vector<ButtonPlace> places;
    int width = 0, height = 0;
};
struct ButtonSize {
    int width = 0, height = 0;
};

// Buttons one after the other from (0, 0), in a column when vertical; the extent is the last
// button's far corner (the bar is as wide or high as its last button across).
BarLayout LayOutButtons(const std::vector<ButtonSize>& sizes, bool vertical);

}  // namespace Winplus
