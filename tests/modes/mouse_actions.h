#pragma once
// The mouse actions that the tool cores take, numbered as the axis bar publishes them.
#include "plot/axis_tools.h"

namespace ModeTest {

constexpr int kDown = Winplus::AxisBar::kButtonDown;
constexpr int kUp = Winplus::AxisBar::kButtonUp;
constexpr int kOtherClick = Winplus::AxisBar::kOtherButton;
constexpr int kMove = Winplus::AxisBar::kMove;

}  // namespace ModeTest
