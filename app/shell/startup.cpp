#include "app/shell/startup.h"

#include <commctrl.h>
#include <objbase.h>

#include <cstdlib>
#include <exception>
#include <new>

#include "app/shell/diagnostics.h"
#include "app/shell/top_controller.h"
#include "foundation/event_bus.h"
#include "foundation/exception.h"
#include "foundation/platform.h"
#include "foundation/text.h"
#include "plot/rendering_factories.h"
#include "winplus/file_dialogs.h"
#include "winplus/handles.h"
#include "winplus/resource_ids.h"

namespace Core {

namespace {

void OutOfMemory() {
    throw Winplus::Exception("Out of memory");
}

[[noreturn]] void UnexpectedException() {
    MessageBoxA(nullptr, "Sorix", "Unexpected exception", MB_ICONERROR);
    std::abort();
}

// COM, GDI+ and the rendering factories for the life of the program, released in reverse.
class PlatformServices {
public:
    PlatformServices() {
        CoInitialize(nullptr);
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&gdiplusToken_, &input, nullptr);
        InitCommonControls();
        Winplus::EnsureD2DFactory();
        Winplus::EnsureDWriteFactory();
        Winplus::EnsureWicFactory();
        Platform::SetSystemFileDialogs(Winplus::RunFileDialog);
    }
    // The factories are COM objects, and GDI+ is shut down once nothing drawn with it is left.
    ~PlatformServices() {
        Winplus::ReleaseWicFactory();
        Winplus::ReleaseDWriteFactory();
        Winplus::ReleaseD2DFactory();
        Gdiplus::GdiplusShutdown(gdiplusToken_);
        CoUninitialize();
    }
    PlatformServices(const PlatformServices&) = delete;
    PlatformServices& operator=(const PlatformServices&) = delete;

private:
    ULONG_PTR gdiplusToken_ = 0;
};

WorkArea ReadWorkArea() {
    RECT r{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    return {r.left, r.top, r.right, r.bottom};
}

void PaintMenusButtonFace(HWND window) {
    MENUINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = MIM_BACKGROUND | MIM_APPLYTOSUBMENUS;
    info.hbrBack = GetSysColorBrush(COLOR_BTNFACE);
    SetMenuInfo(GetMenu(window), &info);
}

int RunMessageLoop() {
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

// The process-wide stores (layers, spectra, models, the fit and its worker, the bars) hold GDI+
// and Direct2D objects and windows' controllers: they go first, whatever ends the program.
class ProcessStores {
public:
    ProcessStores() = default;
    ~ProcessStores() { ResetProcessState(); }
    ProcessStores(const ProcessStores&) = delete;
    ProcessStores& operator=(const ProcessStores&) = delete;
};

Safe::XPtr<Winplus::Controller> MakeTopController(const WorkArea& area) {
    return Safe::MakeX<TopController>(area);
}

}  // namespace

int RunMainWindow(HINSTANCE instance, int showCommand, MainControllerMaker makeController) {
    const WorkArea area = ReadWorkArea();
    Winplus::WndClass windowClass("Sorix", instance);
    FillMainClass(windowClass);
    windowClass.RegisterOnce();

    const Placement place = MainWindowPlacement(area);
    Winplus::WindowMaker maker("Sorix", instance);
    maker.x = place.x;
    maker.y = place.y;
    maker.width = place.width;
    maker.height = place.height;
    // The maker holds the controller until the loop has ended.
    HWND window = nullptr;
    try {
        window = maker.Create(makeController(area), "Sorix");
    } catch (const std::exception&) {
        // The window procedure has said why the window could not be made; the quit message its
        // end posted belongs to no loop.
        MSG quit{};
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        return -1;
    }
    InstallDiagnostics(window);
    PaintMenusButtonFace(window);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return RunMessageLoop();
}

void FillMainClass(Winplus::WndClass& windowClass) {
    windowClass.SetIcon(IDI_SORIX);
    windowClass.SetMenu(IDR_MAIN_MENU);
    windowClass.SetCursor(IDC_ARROW);
}

void InstallFailureHandlers() {
    std::set_new_handler(OutOfMemory);
    std::set_terminate(UnexpectedException);
}

int RunSorix(HINSTANCE instance, int showCommand) {
    InstallFailureHandlers();
    try {
        PlatformServices services;
        const ProcessStores stores;
        return RunMainWindow(instance, showCommand, &MakeTopController);
    } catch (const std::exception& e) {
        Platform::ShowMessageBox({e.what(), "Message", Platform::BoxIcon::Stop});
    } catch (...) {
    }
    return -1;
}

}  // namespace Core
