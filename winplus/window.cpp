#include "winplus/window.h"

#include <exception>
#include <map>

#include "foundation/exception.h"
#include "foundation/platform.h"

namespace Winplus {

bool Wnd::Move(int x, int y, int width, int height, bool repaint) {
    return MoveWindow(handle_, x, y, width, height, repaint) != 0;
}

void Wnd::SetPosition(int x, int y) {
    SetWindowPos(handle_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void Wnd::SetSize(int width, int height) {
    SetWindowPos(handle_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
}

void Wnd::Show(const bool& visible) {
    ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE);
}

Controller::~Controller() {
    HWND hwnd = window_.Handle();
    if (hwnd && FindController(hwnd) == this) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        DestroyWindow(hwnd);
    }
}

void Controller::Observe(EventBus& bus, const Safe::XPtr<Observer>& observer) {
    registrations_.push_back(bus.Add(observer));
}

Controller* FindController(HWND hwnd) {
    return reinterpret_cast<Controller*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

namespace {

// The message of the exception being handled (Winplus::Exception's is its what()).
std::string CurrentExceptionText() {
    try {
        throw;
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unexpected error";
    }
}

void ShowError(const std::string& text) {
    Platform::ShowMessageBox({text, "Message", Platform::BoxIcon::Stop, Platform::BoxButtons::Ok});
}

LRESULT Dispatch(Controller& c, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    const unsigned keys = static_cast<unsigned>(wParam);
    bool handled = false;
    switch (message) {
        case WM_ACTIVATE: handled = c.OnActivate(wParam); break;
        case WM_CREATE: handled = c.OnCreate(); break;
        case WM_CLOSE:
            // Closing goes on whatever the controller answers.
            c.OnClose();
            break;
        case WM_DESTROY: c.OnDestroy(); return 0;
        case WM_PAINT: handled = c.OnPaint(); break;
        case WM_NOTIFY: return c.OnNotify(wParam, lParam) ? 1 : 0;
        case WM_COMMAND: {
            const int result = c.OnCommand(wParam, lParam);
            if (result >= 0) return result;
            break;
        }
        case WM_LBUTTONDOWN: handled = c.OnLButtonDown(x, y, keys); break;
        case WM_LBUTTONUP: handled = c.OnLButtonUp(x, y, keys); break;
        case WM_RBUTTONDOWN: handled = c.OnRButtonDown(x, y, keys); break;
        case WM_MOUSEMOVE: handled = c.OnMouseMove(x, y, keys); break;
        case WM_MOUSEWHEEL:
            handled = c.OnMouseWheel(x, y, static_cast<short>(HIWORD(wParam)), LOWORD(wParam));
            break;
        case WM_CAPTURECHANGED: handled = c.OnCaptureChanged(lParam); break;
        case WM_HSCROLL: handled = c.OnHScroll(wParam, lParam); break;
        case WM_VSCROLL: handled = c.OnVScroll(wParam, lParam); break;
        case WM_CHAR: handled = c.OnChar(wParam, lParam); break;
        case WM_SETCURSOR: handled = c.OnSetCursor(); break;
        case WM_SIZE: handled = c.OnSize(LOWORD(lParam), HIWORD(lParam), wParam); break;
        default: break;
    }
    return handled ? 0 : DefWindowProcA(hwnd, message, wParam, lParam);
}

// What a message answers when its handler failed: creation is refused, anything else counts
// as handled so that the default procedure does not act on a half-done change.
LRESULT Failed(UINT message) {
    return message == WM_CREATE ? -1 : 0;
}

}  // namespace

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* controller = static_cast<Controller*>(create->lpCreateParams);
        if (controller) {
            controller->Window().SetHandle(hwnd);
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(controller));
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    Controller* bound = FindController(hwnd);
    if (!bound) return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        bound->Window().SetHandle(nullptr);
        bound->StopObserving();
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    // Counted 0, the controller is being destroyed (its own destructor is what sends this
    // message, say WM_PARENTNOTIFY from a child it destroys): it must not be called, nor taken.
    if (bound->RefCount() == 0) return DefWindowProcA(hwnd, message, wParam, lParam);
    // Keeps the controller alive should the handler destroy the window and its holder.
    Safe::XPtr<Controller> hold(bound);
    try {
        return Dispatch(*bound, hwnd, message, wParam, lParam);
    } catch (...) {
        ShowError(CurrentExceptionText());
    }
    return Failed(message);
}

Icon::~Icon() {
    if (icon_) DestroyIcon(icon_);
}

void Icon::Load(HINSTANCE instance, int resourceId, int cx, int cy, UINT flags) {
    HANDLE image = LoadImageA(instance, MAKEINTRESOURCEA(resourceId), IMAGE_ICON, cx, cy, flags);
    if (!image) throw Exception("Icon load image failed");
    if (icon_) DestroyIcon(icon_);
    icon_ = static_cast<HICON>(image);
}

namespace {
std::map<std::string, int>& Registrations() {
    static std::map<std::string, int> registrations;
    return registrations;
}
}  // namespace

WndClass::WndClass(const std::string& name, HINSTANCE instance) : name_(name) {
    record_.cbSize = sizeof(WNDCLASSEXA);
    record_.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    record_.lpfnWndProc = WindowProc;
    record_.hInstance = instance;
    record_.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    record_.lpszClassName = name_.c_str();
}

void WndClass::SetBackground(int red, int green, int blue) {
    record_.hbrBackground = CreateSolidBrush(RGB(red, green, blue));
}

void WndClass::SetCursor(LPCSTR id) {
    record_.hCursor = LoadCursorA(nullptr, id);
}

void WndClass::SetIcon(int resourceId) {
    large_.Load(record_.hInstance, resourceId, GetSystemMetrics(SM_CXICON),
                GetSystemMetrics(SM_CYICON));
    small_.Load(record_.hInstance, resourceId, GetSystemMetrics(SM_CXSMICON),
                GetSystemMetrics(SM_CYSMICON));
    record_.hIcon = large_.Handle();
    record_.hIconSm = small_.Handle();
}

void WndClass::SetMenu(int resourceId) {
    record_.lpszMenuName = MAKEINTRESOURCEA(resourceId);
}

void WndClass::RegisterOnce() {
    if (IsRegistered(name_)) return;
    ++Registrations()[name_];
    if (!RegisterClassExA(&record_)) {
        Registrations()[name_] = 0;
        throw Exception("RegisterClass failed");
    }
}

bool WndClass::IsRegistered(const std::string& name) {
    auto found = Registrations().find(name);
    return found != Registrations().end() && found->second > 0;
}

int WndClass::RegistrationCount(const std::string& name) {
    auto found = Registrations().find(name);
    return found == Registrations().end() ? 0 : found->second;
}

HINSTANCE InstanceOf(HWND hwnd) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE));
}

WindowMaker::WindowMaker(const std::string& name, Wnd parentWindow, int id)
    : instance(InstanceOf(parentWindow.Handle())),
      className(name),
      style(WS_CHILD | WS_VISIBLE),
      parent(parentWindow.Handle()),
      controlId(id) {}

WindowMaker::WindowMaker(const std::string& name, HINSTANCE hinstance)
    : instance(hinstance), className(name), style(WS_OVERLAPPEDWINDOW) {}

HWND WindowMaker::Create(Safe::XPtr<Controller> newController, const char* title) {
    if (newController) controller = newController;
    HWND hwnd = CreateWindowExA(exStyle, className.c_str(), title, style, x, y, width, height,
                                parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                                instance, controller.Get());
    if (!hwnd) throw Exception("Internal error: Window Creation Failed.");
    return hwnd;
}

namespace {
void ShowDialogError(const std::string& caption) {
    Platform::ShowMessageBox(
        {"Unexpected error", caption, Platform::BoxIcon::Stop, Platform::BoxButtons::Ok});
}
}  // namespace

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_INITDIALOG) {
            auto* controller = reinterpret_cast<DialogController*>(lParam);
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, lParam);
            if (controller) {
                controller->Window().SetHandle(hwnd);
                controller->OnInitDialog();
            }
            return TRUE;
        }
        if (message == WM_COMMAND) {
            auto* controller =
                reinterpret_cast<DialogController*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
            if (!controller) return 0;
            return controller->OnCommand(LOWORD(wParam), HIWORD(wParam)) ? 1 : 0;
        }
    } catch (...) {
        // Nothing may unwind through the system's dialog code.
        ShowDialogError(CurrentExceptionText());
    }
    return 0;
}

}  // namespace Winplus
