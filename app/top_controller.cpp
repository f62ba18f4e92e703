#include "app/top_controller.h"

#include <string>

#include "app/resource_ids.h"

namespace Core {

TopController::TopController(const WorkArea& workArea) : workArea_(workArea) {}

TopController::~TopController() = default;

bool TopController::OnCreate() {
    SetWindowTextA(Handle(), (std::string(kTitlePrefix) + "Project").c_str());
    return false;
}

bool TopController::OnDestroy() {
    PostQuitMessage(0);
    return true;
}

int TopController::OnCommand(WPARAM wParam, LPARAM) {
    if (LOWORD(wParam) == ID_FILE_EXIT) PostMessageA(Handle(), WM_CLOSE, 0, 0);
    return 0;
}

bool TopController::OnSize(unsigned, unsigned, WPARAM) {
    return false;
}

}  // namespace Core
