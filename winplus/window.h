#pragma once
// Window objects: every window of the system is served by one window procedure that turns its
// messages into calls on the window's controller.
#include <windows.h>

#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "foundation/command.h"
#include "foundation/countable.h"
#include "foundation/event_bus.h"

namespace Winplus {

// Holds a window handle; does not own the window.
class Wnd : public Safe::Countable {
public:
    Wnd() = default;
    explicit Wnd(HWND handle) : handle_(handle) {}

    HWND Handle() const { return handle_; }
    void SetHandle(HWND handle) { handle_ = handle; }

    virtual bool Move(int x, int y, int width, int height, bool repaint);
    virtual void SetPosition(int x, int y);
    virtual void SetSize(int width, int height);
    void Show(const bool& visible);

private:
    HWND handle_ = nullptr;
};

// The message handlers of one window. One rule for every handler: it answers whether it
// handled the message. A handled message gives the system the answer that means handled (TRUE
// for WM_NOTIFY, WM_ERASEBKGND, WM_SETCURSOR, WM_DRAWITEM and WM_MEASUREITEM, 0 for the rest; a
// handled WM_CLOSE does not destroy the window); an unhandled one goes to the default procedure.
// OnMessage sees every message first and gives the result itself, for what answers other than 0 and
// for messages that have no named handler, so a new window never needs to edit this class.
class Controller : public Safe::Countable {
public:
    Controller() = default;
    Controller(const Controller&) = delete;
    Controller& operator=(const Controller&) = delete;
    // Unbinds the window before destroying it, so that its last messages never reach a
    // controller that is being destroyed.
    ~Controller() override;

    // Any message, before the named handlers and the controls' own: the result when handled,
    // nothing to go on.
    virtual std::optional<LRESULT> OnMessage(UINT, WPARAM, LPARAM) { return std::nullopt; }

    virtual bool OnActivate(WPARAM) { return false; }
    virtual bool OnCreate() { return false; }
    virtual bool OnClose() { return false; }
    virtual bool OnDestroy() { return false; }
    virtual bool OnPaint() { return false; }
    virtual bool OnEraseBackground(HDC) { return false; }
    virtual bool OnNotify(WPARAM, LPARAM) { return false; }
    virtual bool OnCommand(WPARAM, LPARAM) { return false; }
    virtual bool OnTimer(UINT_PTR) { return false; }
    // x and y are client coordinates; keys the MK_ flags.
    virtual bool OnLButtonDown(int, int, unsigned) { return false; }
    virtual bool OnLButtonUp(int, int, unsigned) { return false; }
    virtual bool OnLButtonDblClk(int, int, unsigned) { return false; }
    virtual bool OnRButtonDown(int, int, unsigned) { return false; }
    virtual bool OnRButtonUp(int, int, unsigned) { return false; }
    virtual bool OnMouseMove(int, int, unsigned) { return false; }
    // x and y are screen coordinates; delta is negative when the wheel turns towards the user.
    virtual bool OnMouseWheel(int, int, int, unsigned) { return false; }
    // x and y are screen coordinates, both -1 when the menu was asked for by keyboard.
    virtual bool OnContextMenu(HWND, int, int) { return false; }
    virtual bool OnCaptureChanged(LPARAM) { return false; }
    virtual bool OnHScroll(WPARAM, LPARAM) { return false; }
    virtual bool OnVScroll(WPARAM, LPARAM) { return false; }
    virtual bool OnKeyDown(WPARAM, LPARAM) { return false; }
    virtual bool OnChar(WPARAM, LPARAM) { return false; }
    virtual bool OnSetCursor() { return false; }
    virtual bool OnSize(unsigned, unsigned, WPARAM) { return false; }
    virtual bool OnGetMinMaxInfo(MINMAXINFO&) { return false; }
    virtual bool OnInitMenuPopup(HMENU, int) { return false; }
    virtual bool OnDrawItem(DRAWITEMSTRUCT&) { return false; }
    virtual bool OnMeasureItem(MEASUREITEMSTRUCT&) { return false; }
    // Called by owners, never by a message.
    virtual bool Move(int x, int y, int width, int height, bool repaint) {
        return window_.Move(x, y, width, height, repaint);
    }

    Wnd& Window() { return window_; }
    HWND Handle() const { return window_.Handle(); }

    // Keeps an observer on a bus while the window lives: it is removed when the window goes
    // away (or the controller does, whichever comes first).
    template <class Code>
    void Observe(TypedBus<Code>& bus,
                 const Safe::XPtr<EventObserver<std::type_identity_t<Code>>>& observer) {
        registrations_.push_back(bus.Add(observer));
    }
    // Removes every observer registered through Observe.
    void StopObserving() { registrations_.clear(); }

private:
    Wnd window_;
    std::vector<EventBus::Registration> registrations_;
};

// Calls the controller's handlers for one message in their order (OnMessage, the control bound to
// the child that sent a WM_NOTIFY or WM_COMMAND, the named handler): the result when one handled
// it. Exceptions pass through.
std::optional<LRESULT> Route(Controller& controller, UINT message, WPARAM wParam, LPARAM lParam);

class Control;
// The control object bound to a control window, null when none is.
Control* FindControl(HWND hwnd);

// The procedure of every window class of the system.
LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The controller bound to a window, null when none is.
Controller* FindController(HWND hwnd);

// The first window of the class below parent (children of children too), null when none is.
HWND FindChildOfClass(HWND parent, const char* className);

// An icon loaded from the resources, destroyed with its holder.
class Icon {
public:
    Icon() = default;
    ~Icon();
    Icon(const Icon&) = delete;
    Icon& operator=(const Icon&) = delete;

    void Load(HINSTANCE instance, int resourceId, int cx, int cy, UINT flags = 0);
    HICON Handle() const { return icon_; }

private:
    HICON icon_ = nullptr;
};

// A window class record for the one window procedure.
class WndClass {
public:
    WndClass(const std::string& name, HINSTANCE instance);

    void SetBackground(int red, int green, int blue);
    void SetCursor(LPCSTR id);
    void SetIcon(int resourceId);
    void SetMenu(int resourceId);

    // Registers the class unless this process already did; throws "RegisterClass failed".
    void RegisterOnce();
    static bool IsRegistered(const std::string& name);
    // How often RegisterClassExA was called for that name (tests of the register-once rule).
    static int RegistrationCount(const std::string& name);

    const WNDCLASSEXA& Record() const { return record_; }

private:
    std::string name_;
    WNDCLASSEXA record_{};
    Icon large_;
    Icon small_;
};

// How a window holder's class looks: a white background or the button face, and a cursor (a
// system cursor id) or none.
struct ClassLook {
    bool whiteBackground = false;
    LPCSTR cursor = nullptr;
};
// Registers a window holder's class unless this process already did (the register-once rule);
// throws "RegisterClass failed".
void RegisterClassOnce(const std::string& name, HINSTANCE instance, const ClassLook& look = {});

// The HINSTANCE that created a window.
HINSTANCE InstanceOf(HWND hwnd);

// The parameters of one CreateWindowExA call, bound to a controller.
class WindowMaker {
public:
    // A visible child window of parent.
    WindowMaker(const std::string& className, Wnd parent, int controlId);
    // An overlapped top-level window.
    WindowMaker(const std::string& className, HINSTANCE instance);

    // Throws "Internal error: Window Creation Failed." when the window cannot be made.
    HWND Create(Safe::XPtr<Controller> controller, const char* title = nullptr);

    HINSTANCE instance = nullptr;
    std::string className;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    HWND parent = nullptr;
    int controlId = 0;
    Safe::XPtr<Controller> controller;
};

// The controller of a dialog: the handlers, return rule and lifetime rules of a window's
// controller (bound at WM_INITDIALOG, held while a message is handled, unbound at WM_NCDESTROY,
// exceptions stopped and shown), with the dialog's own first message.
class DialogController : public Controller {
public:
    // WM_INITDIALOG: true lets the system give the focus to the first control.
    virtual bool OnInitDialog() { return true; }
};

// A modal dialog's controller: OK (identifier 1) ends the dialog with 1, Cancel (2, also Esc and
// the close box) with 0.
class ModalController : public DialogController {
public:
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Ends the dialog; RunModalDialog returns the result.
    void End(INT_PTR result) { EndDialog(Handle(), result); }
};

// Runs a modal dialog from a dialog resource of the owner's module with the controller, and
// returns the result it ended with; throws "Internal error: Window Creation Failed." when the
// dialog cannot be made.
INT_PTR RunModalDialog(HWND owner, int templateId, const Safe::XPtr<ModalController>& controller);

// The procedure of every dialog, the controller being DialogBoxParamA's parameter.
INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace Winplus
