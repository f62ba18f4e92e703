#include "app/shell/about_dialog.h"

#include "winplus/resource_ids.h"

namespace Core {

INT_PTR ShowAboutDialog(HWND owner) {
    return Winplus::RunModalDialog(owner, IDD_ABOUT, Safe::MakeX<AboutController>());
}

}  // namespace Core
