#pragma once
// Window objects: every window of the system is served by one window procedure that turns its
// messages into calls on the window's controller.
#include <windows.h>
// windows.h renames GetMessage to GetMessageA, also Winplus::Exception's accessor in every file
// that includes both; the loop calls GetMessageA by its name.
#undef GetMessage

#include <string>
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

// The message handlers of one window. Every handler but OnCommand and Move answers whether it
// handled the message; unhandled messages go to the default procedure.
class Controller : public Safe::Countable {
public:
    Controller() = default;
    Controller(const Controller&) = delete;
    Controller& operator=(const Controller&) = delete;
    // Unbinds the window before destroying it, so that its last messages never reach a
    // controller that is being destroyed.
    ~Controller() override;

    virtual bool OnActivate(WPARAM) { return false; }
    virtual bool OnCreate() { return false; }
    virtual bool OnClose() { return false; }
    virtual bool OnDestroy() { return false; }
    virtual bool OnPaint() { return false; }
    virtual bool OnNotify(WPARAM, LPARAM) { return false; }
    // 0 or more stops the message; a negative result leaves it to the default procedure.
    virtual int OnCommand(WPARAM, LPARAM) { return 0; }
    virtual bool OnLButtonDown(int, int, unsigned) { return false; }
    virtual bool OnLButtonUp(int, int, unsigned) { return false; }
    virtual bool OnRButtonDown(int, int, unsigned) { return false; }
    virtual bool OnRButtonUp(int, int, unsigned) { return false; }
    virtual bool OnMouseMove(int, int, unsigned) { return false; }
    // x and y are screen coordinates; delta is negative when the wheel turns towards the user.
    virtual bool OnMouseWheel(int, int, int, unsigned) { return false; }
    virtual bool OnCaptureChanged(LPARAM) { return false; }
    virtual bool OnHScroll(WPARAM, LPARAM) { return false; }
    virtual bool OnVScroll(WPARAM, LPARAM) { return false; }
    virtual bool OnChar(WPARAM, LPARAM) { return false; }
    virtual bool OnSetCursor() { return false; }
    virtual bool OnSize(unsigned, unsigned, WPARAM) { return false; }
    // Called by owners, never by a message.
    virtual bool Move(int x, int y, int width, int height, bool repaint) {
        return window_.Move(x, y, width, height, repaint);
    }

    Wnd& Window() { return window_; }
    HWND Handle() const { return window_.Handle(); }

    // Keeps an observer on a bus while the window lives: it is removed when the window goes
    // away (or the controller does, whichever comes first).
    void Observe(EventBus& bus, const Safe::XPtr<Observer>& observer);
    // Removes every observer registered through Observe.
    void StopObserving() { registrations_.clear(); }

private:
    Wnd window_;
    std::vector<EventBus::Registration> registrations_;
};

// The procedure of every window class of the system.
LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The controller bound to a window, null when none is.
Controller* FindController(HWND hwnd);

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

// The handlers of a dialog.
class DialogController : public Safe::Countable {
public:
    virtual bool OnInitDialog() { return false; }
    virtual bool OnCommand(int, int) { return false; }
    Wnd& Window() { return window_; }

private:
    Wnd window_;
};

class ModalController : public DialogController {};

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace Winplus
