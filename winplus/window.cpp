#include "winplus/window.h"

#include <exception>
#include <map>

#include "foundation/exception.h"
#include "foundation/platform.h"
#include "winplus/controls.h"

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

Controller* FindController(HWND hwnd) {
    return reinterpret_cast<Controller*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

HWND FindChildOfClass(HWND parent, const char* className) {
    struct Search {
        const char* name;
        HWND found;
    } search{className, nullptr};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            char name[64] = {};
            GetClassNameA(child, name, sizeof(name));
            if (std::string(name) != s->name) return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
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

// The binding's end, for windows and dialogs alike.
void Unbind(HWND hwnd, Controller& bound) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    bound.Window().SetHandle(nullptr);
    bound.StopObserving();
}

// The answer of a message its handler handled.
LRESULT HandledResult(UINT message) {
    switch (message) {
        case WM_NOTIFY:
        case WM_ERASEBKGND:
        case WM_SETCURSOR:
        case WM_DRAWITEM:
        case WM_MEASUREITEM: return TRUE;
        default: return 0;
    }
}

// The control bound to the child that sent a WM_NOTIFY or WM_COMMAND handles it first.
std::optional<LRESULT> Reflect(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && lParam) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (Control* control = FindControl(header->hwndFrom)) return control->OnNotify(*header);
    } else if (message == WM_COMMAND && lParam) {
        if (Control* control = FindControl(reinterpret_cast<HWND>(lParam)))
            if (control->OnCommand(HIWORD(wParam))) return 0;
    }
    return std::nullopt;
}

bool CallNamed(Controller& c, UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    const unsigned keys = static_cast<unsigned>(wParam);
    switch (message) {
        case WM_ACTIVATE: return c.OnActivate(wParam);
        case WM_CREATE: return c.OnCreate();
        case WM_CLOSE: return c.OnClose();
        case WM_DESTROY: return c.OnDestroy();
        case WM_PAINT: return c.OnPaint();
        case WM_ERASEBKGND: return c.OnEraseBackground(reinterpret_cast<HDC>(wParam));
        case WM_NOTIFY: return c.OnNotify(wParam, lParam);
        case WM_COMMAND: return c.OnCommand(wParam, lParam);
        case WM_TIMER: return c.OnTimer(wParam);
        case WM_LBUTTONDOWN: return c.OnLButtonDown(x, y, keys);
        case WM_LBUTTONUP: return c.OnLButtonUp(x, y, keys);
        case WM_LBUTTONDBLCLK: return c.OnLButtonDblClk(x, y, keys);
        case WM_RBUTTONDOWN: return c.OnRButtonDown(x, y, keys);
        case WM_RBUTTONUP: return c.OnRButtonUp(x, y, keys);
        case WM_MOUSEMOVE: return c.OnMouseMove(x, y, keys);
        case WM_MOUSEWHEEL:
            return c.OnMouseWheel(x, y, static_cast<short>(HIWORD(wParam)), LOWORD(wParam));
        case WM_CONTEXTMENU: return c.OnContextMenu(reinterpret_cast<HWND>(wParam), x, y);
        case WM_CAPTURECHANGED: return c.OnCaptureChanged(lParam);
        case WM_HSCROLL: return c.OnHScroll(wParam, lParam);
        case WM_VSCROLL: return c.OnVScroll(wParam, lParam);
        case WM_KEYDOWN: return c.OnKeyDown(wParam, lParam);
        case WM_CHAR: return c.OnChar(wParam, lParam);
        case WM_SETCURSOR: return c.OnSetCursor();
        case WM_SIZE: return c.OnSize(LOWORD(lParam), HIWORD(lParam), wParam);
        case WM_GETMINMAXINFO: return c.OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
        case WM_INITMENUPOPUP:
            return c.OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), LOWORD(lParam));
        case WM_DRAWITEM: return c.OnDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        case WM_MEASUREITEM: return c.OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        default: return false;
    }
}

}  // namespace

std::optional<LRESULT> Route(Controller& c, UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto result = c.OnMessage(message, wParam, lParam)) return result;
    if (auto result = Reflect(message, wParam, lParam)) return result;
    if (CallNamed(c, message, wParam, lParam)) return HandledResult(message);
    return std::nullopt;
}

namespace {

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
        Unbind(hwnd, *bound);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    // Counted 0, the controller is being destroyed (its own destructor is what sends this
    // message, say WM_PARENTNOTIFY from a child it destroys): it must not be called, nor taken.
    if (bound->RefCount() == 0) return DefWindowProcA(hwnd, message, wParam, lParam);
    // Keeps the controller alive should the handler destroy the window and its holder.
    Safe::XPtr<Controller> hold(bound);
    try {
        if (auto result = Route(*bound, message, wParam, lParam)) return *result;
        return DefWindowProcA(hwnd, message, wParam, lParam);
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

void RegisterClassOnce(const std::string& name, HINSTANCE instance, const ClassLook& look) {
    if (WndClass::IsRegistered(name)) return;
    WndClass windowClass(name, instance);
    if (look.whiteBackground) windowClass.SetBackground(255, 255, 255);
    if (look.cursor) windowClass.SetCursor(look.cursor);
    windowClass.RegisterOnce();
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

// What a dialog answers when nothing handled a message, or a handler failed.
constexpr INT_PTR kDialogUnhandled = FALSE;

INT_PTR InitDialog(HWND hwnd, LPARAM lParam) {
    auto* controller = reinterpret_cast<DialogController*>(lParam);
    if (!controller) return TRUE;
    controller->Window().SetHandle(hwnd);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(static_cast<Controller*>(controller)));
    Safe::XPtr<DialogController> hold(controller);
    try {
        return controller->OnInitDialog() ? TRUE : FALSE;
    } catch (...) {
        ShowDialogError(CurrentExceptionText());
    }
    return TRUE;
}

}  // namespace

bool ModalController::OnCommand(WPARAM wParam, LPARAM) {
    switch (LOWORD(wParam)) {
        case IDOK: End(1); return true;
        case IDCANCEL: End(0); return true;
        default: return false;
    }
}

INT_PTR RunModalDialog(HWND owner, int templateId, const Safe::XPtr<ModalController>& controller) {
    // Held by the caller's pointer for the whole loop: the dialog never outlives it.
    const INT_PTR result = DialogBoxParamA(owner ? InstanceOf(owner) : GetModuleHandleA(nullptr),
                                           MAKEINTRESOURCEA(templateId), owner, DialogProc,
                                           reinterpret_cast<LPARAM>(controller.Get()));
    if (result == -1) throw Exception("Internal error: Window Creation Failed.");
    return result;
}

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return InitDialog(hwnd, lParam);
    Controller* bound = FindController(hwnd);
    if (!bound) return kDialogUnhandled;
    if (message == WM_NCDESTROY) {
        Unbind(hwnd, *bound);
        return kDialogUnhandled;
    }
    if (bound->RefCount() == 0) return kDialogUnhandled;
    Safe::XPtr<Controller> hold(bound);
    try {
        if (auto result = Route(*bound, message, wParam, lParam)) {
            // A dialog procedure answers through DWLP_MSGRESULT.
            SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, *result);
            return TRUE;
        }
    } catch (...) {
        // Nothing may unwind through the system's dialog code.
        ShowDialogError(CurrentExceptionText());
    }
    return kDialogUnhandled;
}

}  // namespace Winplus
