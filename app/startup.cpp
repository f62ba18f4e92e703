#include "app/startup.h"

#include <commctrl.h>
#include <objbase.h>

#include <cstdlib>
#include <exception>
#include <new>

#include "app/diagnostics.h"
#include "app/resource_ids.h"
#include "app/top_controller.h"
#include "foundation/exception.h"
#include "foundation/text.h"
#include "plot/rendering_factories.h"
#include "winplus/file_dialogs.h"
#include "winplus/handles.h"

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
    ~PlatformServices() {
        Gdiplus::GdiplusShutdown(gdiplusToken_);
        Winplus::ReleaseWicFactory();
        Winplus::ReleaseDWriteFactory();
        Winplus::ReleaseD2DFactory();
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

int RunMainWindow(HINSTANCE instance, int showCommand) {
    PlatformServices services;
    const WorkArea area = ReadWorkArea();
    InitProgramPaths(GetCommandLineA());

    Winplus::WndClass windowClass("Sorix", instance);
    FillMainClass(windowClass);
    windowClass.RegisterOnce();

    const Placement place = MainWindowPlacement(area);
    Winplus::WindowMaker maker("Sorix", instance);
    maker.x = place.x;
    maker.y = place.y;
    maker.width = place.width;
    maker.height = place.height;
    auto top = Safe::MakeX<TopController>(area);
    HWND window = maker.Create(top, "Sorix");
    InstallDiagnostics(window);
    PaintMenusButtonFace(window);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return RunMessageLoop();
}

}  // namespace

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
        return RunMainWindow(instance, showCommand);
    } catch (...) {
        return -1;
    }
}

}  // namespace Core
