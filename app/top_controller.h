#pragma once
// The main window's controller: builds the panel tree when the window is created, lays it out
// on every resize and ends the program when the window goes away.
#include "app/placement.h"
#include "winplus/window.h"

namespace Core {

class TopController : public Winplus::Controller {
public:
    explicit TopController(const WorkArea& workArea);
    ~TopController() override;

    bool OnCreate() override;
    bool OnDestroy() override;
    int OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnSize(unsigned width, unsigned height, WPARAM type) override;
    // Nobody moves the main window.
    bool Move(int, int, int, int, bool) override { return false; }

private:
    WorkArea workArea_;
};

}  // namespace Core
