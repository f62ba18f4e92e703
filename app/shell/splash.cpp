#include "app/shell/splash.h"

namespace Core {

Safe::XPtr<Winplus::PopupBanner> ShowSplashBanner(HWND mainWindow) {
    constexpr int kWidth = 389, kHeight = 315;
    auto banner = Safe::MakeX<Winplus::PopupBanner>(Winplus::Wnd(mainWindow));
    RECT main{};
    GetWindowRect(mainWindow, &main);
    banner->Move(main.left + (main.right - main.left - kWidth) / 2,
                 main.top + (main.bottom - main.top - kHeight) / 2, kWidth, kHeight);
    banner->Show(SW_SHOWNOACTIVATE);
    // The message loop does not run yet: the banner paints itself now.
    banner->Paint();
    return banner;
}

}  // namespace Core
