#include "winplus/button_machine.h"

#include <gtest/gtest.h>

namespace {

using Winplus::ButtonMachine;

TEST(PushButton, FiresOnlyWhenReleasedInsideAfterAPressInside) {
    ButtonMachine push(Winplus::kPushButton);
    push.Move(true, false);
    EXPECT_EQ(push.state, Winplus::kHot);
    push.Down(true);
    EXPECT_EQ(push.state, Winplus::kPressed);
    push.Move(false, true);  // dragged out
    EXPECT_EQ(push.state, Winplus::kNormal);
    EXPECT_EQ(push.Up(false), -1);
    EXPECT_EQ(push.state, Winplus::kNormal);

    push.Down(true);
    push.Move(false, true);
    push.Move(true, true);  // and back in before the release
    EXPECT_EQ(push.state, Winplus::kPressed);
    EXPECT_EQ(push.Up(true), 0);
    EXPECT_EQ(push.state, Winplus::kHot);
}

TEST(PushButton, DisabledIgnoresEverything) {
    ButtonMachine push(Winplus::kPushButton);
    push.state = Winplus::kDisabled;
    push.Move(true, false);
    push.Down(true);
    EXPECT_EQ(push.Up(true), -1);
    EXPECT_EQ(push.state, Winplus::kDisabled);
}

TEST(ToggleButton, FlipsOnEachClick) {
    ButtonMachine toggle(Winplus::kToggleButton);
    toggle.Down(true);
    EXPECT_EQ(toggle.Up(true), 0);
    EXPECT_TRUE(toggle.toggled);
    toggle.Down(true);
    EXPECT_EQ(toggle.Up(false), -1);  // released outside: no flip
    EXPECT_TRUE(toggle.toggled);
    toggle.Down(true);
    EXPECT_EQ(toggle.Up(true), 0);
    EXPECT_FALSE(toggle.toggled);
}

TEST(CheckButton, ChecksAndUnchecksWithCodes5And0) {
    ButtonMachine check(Winplus::kCheckButton);
    check.Move(true, false);
    check.Down(true);
    EXPECT_EQ(check.state, Winplus::kChecked);  // checked at once
    EXPECT_EQ(check.Up(true), Winplus::kChecked);
    EXPECT_EQ(check.state, Winplus::kCheckedHot);
    check.Down(true);
    EXPECT_EQ(check.state, Winplus::kHot);  // being unchecked
    EXPECT_EQ(check.Up(true), 0);
    EXPECT_EQ(check.state, Winplus::kHot);
    check.Move(false, false);
    EXPECT_EQ(check.state, Winplus::kNormal);
}

TEST(CheckButton, PressedRadioButtonStaysCheckedAndFiresAgain) {
    ButtonMachine radio(Winplus::kCheckButton);
    radio.group = 0;
    radio.state = Winplus::kChecked;
    radio.Move(true, false);
    EXPECT_EQ(radio.state, Winplus::kCheckedHot);
    radio.Down(true);
    EXPECT_EQ(radio.state, Winplus::kCheckedHot);
    EXPECT_EQ(radio.Up(true), Winplus::kChecked);
    EXPECT_EQ(radio.state, Winplus::kCheckedHot);
}

TEST(CheckButton, PressedAndDraggedOutKeepsItsState) {
    for (bool wasChecked : {false, true}) {
        ButtonMachine check(Winplus::kCheckButton);
        check.state = wasChecked ? Winplus::kChecked : Winplus::kNormal;
        check.Move(true, false);
        check.Down(true);
        check.Move(false, true);
        EXPECT_EQ(check.state, wasChecked ? Winplus::kChecked : Winplus::kNormal) << wasChecked;
        check.Move(true, true);  // back in: the press shows again
        EXPECT_EQ(check.state, wasChecked ? Winplus::kHot : Winplus::kChecked) << wasChecked;
        check.Move(false, true);
        EXPECT_EQ(check.Up(false), -1);
        EXPECT_EQ(check.state, wasChecked ? Winplus::kChecked : Winplus::kNormal) << wasChecked;
    }
}

TEST(CheckButton, ReleaseWithoutPressDoesNotFire) {
    ButtonMachine check(Winplus::kCheckButton);
    check.Move(true, false);
    EXPECT_EQ(check.Up(true), -1);
}

TEST(SeparatorAndWindowCell, AreInert) {
    for (int kind : {Winplus::kSeparatorButton, Winplus::kWindowCell}) {
        ButtonMachine inert(kind);
        inert.Move(true, true);
        inert.Down(true);
        EXPECT_EQ(inert.Up(true), -1);
        EXPECT_EQ(inert.state, Winplus::kNormal);
    }
}

TEST(LayOutButtons, RowAndColumn) {
    const std::vector<Winplus::ButtonSize> sizes = {{22, 22}, {6, 22}, {22, 22}};
    auto row = Winplus::LayOutButtons(sizes, false);
    ASSERT_EQ(row.places.size(), 3u);
    EXPECT_EQ(row.places[1].x, 22);
    EXPECT_EQ(row.places[2].x, 28);
    EXPECT_EQ(row.width, 50);
    EXPECT_EQ(row.height, 22);
    auto column = Winplus::LayOutButtons({{22, 22}, {22, 6}, {22, 22}}, true);
    EXPECT_EQ(column.places[2].y, 28);
    EXPECT_EQ(column.places[2].x, 0);
    EXPECT_EQ(column.width, 22);
    EXPECT_EQ(column.height, 50);
    auto empty = Winplus::LayOutButtons({}, false);
    EXPECT_EQ(empty.width, 0);
}

}  // namespace
