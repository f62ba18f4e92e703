// The window procedure's decoding of messages, its binding of controllers and its handling of
// failures, on real windows.
#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "foundation/event_bus.h"
#include "foundation/event_codes.h"
#include "foundation/exception.h"
#include "tests/winplus/gui_test_support.h"
#include "winplus/controls.h"
#include "winplus/window.h"

namespace {

using GuiTest::Boxes;

struct MessageRecorder : Winplus::Controller {
    std::vector<std::string> calls;
    bool commandResult = false;
    bool closeResult = false;
    int wheelX = 0, wheelY = 0, wheelDelta = 0;
    unsigned wheelKeys = 0;
    unsigned width = 0, height = 0;
    bool* destroyed = nullptr;

    ~MessageRecorder() override {
        if (destroyed) *destroyed = true;
    }
    bool OnCreate() override {
        calls.push_back("create");
        return false;
    }
    bool OnClose() override {
        calls.push_back("close");
        return closeResult;
    }
    bool OnDestroy() override {
        calls.push_back("destroy");
        return false;
    }
    bool OnCommand(WPARAM, LPARAM) override {
        calls.push_back("command");
        return commandResult;
    }
    bool OnNotify(WPARAM, LPARAM) override { return true; }
    bool OnLButtonDown(int, int, unsigned) override {
        calls.push_back("down");
        return true;
    }
    bool OnLButtonUp(int, int, unsigned) override {
        calls.push_back("up");
        return true;
    }
    bool OnLButtonDblClk(int, int, unsigned) override {
        calls.push_back("double");
        return true;
    }
    bool OnRButtonUp(int, int, unsigned) override {
        calls.push_back("right up");
        return true;
    }
    bool OnTimer(UINT_PTR) override {
        calls.push_back("timer");
        return true;
    }
    bool OnGetMinMaxInfo(MINMAXINFO& info) override {
        info.ptMinTrackSize = {321, 123};
        return true;
    }
    bool OnMouseWheel(int x, int y, int delta, unsigned keys) override {
        wheelX = x;
        wheelY = y;
        wheelDelta = delta;
        wheelKeys = keys;
        return true;
    }
    bool OnSize(unsigned w, unsigned h, WPARAM) override {
        width = w;
        height = h;
        return true;
    }
};

HWND Make(const Safe::XPtr<Winplus::Controller>& controller) {
    Winplus::WindowMaker maker(GuiTest::TestClass(), GetModuleHandleA(nullptr));
    maker.width = 200;
    maker.height = 100;
    return maker.Create(controller);
}

TEST(WindowProc, BindsTheControllerAtCreationAndDecodesMessages) {
    auto recorder = Safe::MakeX<MessageRecorder>();
    HWND hwnd = Make(recorder);
    EXPECT_EQ(recorder->Handle(), hwnd);
    EXPECT_EQ(Winplus::FindController(hwnd), recorder.Get());
    ASSERT_FALSE(recorder->calls.empty());
    EXPECT_EQ(recorder->calls.front(), "create");

    // A double click: the controller sees it between the two releases; the right button's
    // release and timers reach it too.
    recorder->calls.clear();
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        SendMessageA(hwnd, message, MK_LBUTTON, MAKELPARAM(5, 6));
    SendMessageA(hwnd, WM_RBUTTONUP, 0, MAKELPARAM(5, 6));
    SendMessageA(hwnd, WM_TIMER, 1, 0);
    EXPECT_EQ(recorder->calls,
              (std::vector<std::string>{"down", "up", "double", "up", "right up", "timer"}));
    MINMAXINFO info{};
    SendMessageA(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 321);
    EXPECT_EQ(info.ptMinTrackSize.y, 123);

    // The wheel turned towards the user, at a screen point left of the screen.
    SendMessageA(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-120)),
                 MAKELPARAM(static_cast<WORD>(-5), 300));
    EXPECT_EQ(recorder->wheelDelta, -120);
    EXPECT_EQ(recorder->wheelX, -5);
    EXPECT_EQ(recorder->wheelY, 300);
    EXPECT_EQ(recorder->wheelKeys, static_cast<unsigned>(MK_CONTROL));

    SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(40000, 30));
    EXPECT_EQ(recorder->width, 40000u);
    EXPECT_EQ(recorder->height, 30u);

    EXPECT_EQ(SendMessageA(hwnd, WM_NOTIFY, 0, 0), 1);
}

TEST(WindowProc, HandledCommandAnswersZeroUnhandledGoesToTheDefaultProcedure) {
    auto recorder = Safe::MakeX<MessageRecorder>();
    HWND hwnd = Make(recorder);
    recorder->commandResult = true;
    EXPECT_EQ(SendMessageA(hwnd, WM_COMMAND, 7, 0), 0);
    recorder->commandResult = false;
    EXPECT_EQ(SendMessageA(hwnd, WM_COMMAND, 7, 0), 0);
    EXPECT_EQ(recorder->calls.size(), 3u);  // created, and two commands
}

TEST(WindowProc, HandledCloseKeepsTheWindowUnhandledCloseDestroysIt) {
    auto recorder = Safe::MakeX<MessageRecorder>();
    HWND hwnd = Make(recorder);
    recorder->closeResult = true;
    recorder->calls.clear();
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(hwnd));
    recorder->closeResult = false;
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(recorder->calls, (std::vector<std::string>{"close", "close", "destroy"}));
    // Unbound at the end of the window: the controller forgets the handle.
    EXPECT_EQ(recorder->Handle(), nullptr);
}

// Answers every message of one kind itself, before any named handler.
struct General : MessageRecorder {
    UINT taken = 0;
    std::optional<LRESULT> OnMessage(UINT message, WPARAM, LPARAM) override {
        if (message == taken) return 77;
        return std::nullopt;
    }
};

TEST(WindowProc, TheGeneralHandlerComesFirstAndGivesTheResult) {
    auto general = Safe::MakeX<General>();
    HWND hwnd = Make(general);
    general->calls.clear();
    general->taken = WM_LBUTTONDOWN;
    EXPECT_EQ(SendMessageA(hwnd, WM_LBUTTONDOWN, 0, 0), 77);
    // A message without a named handler.
    general->taken = WM_APP + 3;
    EXPECT_EQ(SendMessageA(hwnd, WM_APP + 3, 0, 0), 77);
    EXPECT_TRUE(general->calls.empty());
    // Not taken: the named handler has it.
    EXPECT_EQ(SendMessageA(hwnd, WM_LBUTTONDOWN, 0, 0), 0);
    EXPECT_EQ(general->calls, (std::vector<std::string>{"down"}));
}

// A control that handles its own notices.
struct OwnNotices : Winplus::Control {
    std::vector<int> codes;
    std::optional<LRESULT> OnNotify(NMHDR& header) override {
        codes.push_back(static_cast<int>(header.code));
        if (header.code == static_cast<UINT>(NM_DBLCLK)) return 9;
        return std::nullopt;
    }
    bool OnCommand(int code) override {
        codes.push_back(code);
        return code == EN_CHANGE;
    }
};

struct Parent : MessageRecorder {
    int notices = 0;
    bool OnNotify(WPARAM, LPARAM) override {
        ++notices;
        return true;
    }
};

TEST(WindowProc, ReflectsNoticesToTheControlOfTheChildThatSentThem) {
    auto parent = Safe::MakeX<Parent>();
    HWND hwnd = Make(parent);
    auto edit = Safe::MakeX<OwnNotices>();
    edit->Create(hwnd, "EDIT", 0, 12);
    parent->calls.clear();

    NMHDR header{edit->Handle(), 12, static_cast<UINT>(NM_DBLCLK)};
    EXPECT_EQ(SendMessageA(hwnd, WM_NOTIFY, 12, reinterpret_cast<LPARAM>(&header)), 9);
    EXPECT_EQ(parent->notices, 0);
    // Not handled by the control: the parent has it.
    header.code = static_cast<UINT>(NM_CLICK);
    EXPECT_EQ(SendMessageA(hwnd, WM_NOTIFY, 12, reinterpret_cast<LPARAM>(&header)), TRUE);
    EXPECT_EQ(parent->notices, 1);

    // Typing into the edit box: its EN_CHANGE is the control's, its EN_UPDATE the parent's.
    SetWindowTextA(edit->Handle(), "typed");
    EXPECT_EQ(edit->codes, (std::vector<int>{static_cast<int>(NM_DBLCLK),
                                             static_cast<int>(NM_CLICK), EN_UPDATE, EN_CHANGE}));
    EXPECT_EQ(parent->calls, (std::vector<std::string>{"command"}));

    // A control object gone leaves its window's notices to the parent.
    const HWND child = edit->Handle();
    edit = nullptr;
    EXPECT_EQ(Winplus::FindControl(child), nullptr);
}

struct SelfDestroyer : Winplus::Controller {
    Safe::XPtr<Winplus::Controller>* holder = nullptr;
    bool* destroyed = nullptr;
    ~SelfDestroyer() override { *destroyed = true; }
    bool OnCommand(WPARAM, LPARAM) override {
        HWND hwnd = Handle();
        *holder = nullptr;  // the last owner lets go while the message is being handled
        DestroyWindow(hwnd);
        // Still alive: the procedure holds it until the handler returns.
        EXPECT_FALSE(*destroyed);
        return true;
    }
};

TEST(WindowProc, WindowDestroyedInsideItsOwnHandlerFreesTheControllerAfterwards) {
    bool destroyed = false;
    auto* raw = new SelfDestroyer;
    raw->destroyed = &destroyed;
    Safe::XPtr<Winplus::Controller> holder(raw);
    raw->holder = &holder;
    HWND hwnd = Make(holder);
    SendMessageA(hwnd, WM_COMMAND, 1, 0);
    EXPECT_TRUE(destroyed);
    EXPECT_FALSE(IsWindow(hwnd));
    // A message to the gone window reaches nobody.
    EXPECT_EQ(SendMessageA(hwnd, WM_COMMAND, 1, 0), 0);
}

TEST(WindowProc, ReleasingTheControllerDestroysItsWindowWithoutCallingIt) {
    bool destroyed = false;
    auto recorder = Safe::MakeX<MessageRecorder>();
    recorder->destroyed = &destroyed;
    HWND hwnd = Make(recorder);
    recorder = nullptr;
    EXPECT_TRUE(destroyed);
    EXPECT_FALSE(IsWindow(hwnd));
}

struct ParentOfAChild : Winplus::Controller {
    HWND child = nullptr;
    int* destructions = nullptr;
    int* calls = nullptr;
    ~ParentOfAChild() override {
        ++*destructions;
        // Destroying the child notifies this very window while its controller goes away.
        DestroyWindow(child);
    }
    bool OnActivate(WPARAM) override { return true; }
    bool OnCommand(WPARAM, LPARAM) override {
        ++*calls;
        return true;
    }
};

TEST(WindowProc, ControllerBeingDestroyedIsNeitherCalledNorTaken) {
    int destructions = 0, calls = 0;
    {
        auto parent = Safe::MakeX<ParentOfAChild>();
        parent->destructions = &destructions;
        parent->calls = &calls;
        Make(parent);
        parent->child = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, parent->Handle(),
                                        nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(parent->child, nullptr);
    }
    EXPECT_EQ(destructions, 1);
    EXPECT_EQ(calls, 0);
}

struct Counter : Winplus::EventObserver<LayerEvent> {
    int* heard;
    explicit Counter(int* out) : heard(out) {}
    bool Notify(const LayerEvent&) override {
        ++*heard;
        return true;
    }
};

TEST(Controller, ObserversLeaveTheirBusWithTheWindow) {
    auto& bus = BusOf<LayerEvent>();
    const int before = bus.Count();
    int heard = 0;
    auto recorder = Safe::MakeX<MessageRecorder>();
    HWND hwnd = Make(recorder);
    recorder->Observe(bus, Safe::MakeX<Counter>(&heard));
    bus.Notify(LayerEvent::kLayersReplaced);
    EXPECT_EQ(heard, 1);
    DestroyWindow(hwnd);
    EXPECT_EQ(bus.Count(), before);
    bus.Notify(LayerEvent::kLayersReplaced);
    EXPECT_EQ(heard, 1);

    // A controller released before its window goes away takes its observers along.
    Make(recorder);
    recorder->Observe(bus, Safe::MakeX<Counter>(&heard));
    EXPECT_EQ(bus.Count(), before + 1);
    recorder = nullptr;
    EXPECT_EQ(bus.Count(), before);
}

struct Thrower : Winplus::Controller {
    bool OnCreate() override { throw Winplus::Exception("Cannot build the panel"); }
    bool OnCommand(WPARAM, LPARAM) override { throw std::runtime_error("broken command"); }
};

TEST(WindowProc, ExceptionsStopAtTheProcedureAndAreShown) {
    Boxes().clear();
    Safe::XPtr<Winplus::Controller> thrower = Safe::MakeX<Thrower>();
    try {
        Make(thrower);
        FAIL() << "the window was created";
    } catch (const Winplus::Exception& e) {
        EXPECT_EQ(e.GetMessage(), "Internal error: Window Creation Failed.");
    }
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "Cannot build the panel");
    EXPECT_EQ(Boxes()[0].caption, "Message");
}

struct CommandThrower : Winplus::Controller {
    bool OnCommand(WPARAM, LPARAM) override { throw std::runtime_error("broken command"); }
};

TEST(WindowProc, AnExceptionFromAHandlerAnswersTheMessageAsFailed) {
    Boxes().clear();
    Safe::XPtr<Winplus::Controller> thrower = Safe::MakeX<CommandThrower>();
    HWND hwnd = Make(thrower);
    EXPECT_EQ(SendMessageA(hwnd, WM_COMMAND, 1, 0), 0);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "broken command");
    EXPECT_TRUE(IsWindow(hwnd));
}

TEST(WndClass, RegistersOnce) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    for (int i = 0; i < 2; ++i) {
        Winplus::WndClass windowClass("RegisterOnceClass", instance);
        windowClass.RegisterOnce();
    }
    EXPECT_EQ(Winplus::WndClass::RegistrationCount("RegisterOnceClass"), 1);
    EXPECT_TRUE(Winplus::WndClass::IsRegistered("RegisterOnceClass"));
}

TEST(WndClass, MissingIconThrows) {
    Winplus::WndClass windowClass("NoIconClass", GetModuleHandleA(nullptr));
    try {
        windowClass.SetIcon(9999);
        FAIL() << "no exception";
    } catch (const Winplus::Exception& e) {
        EXPECT_EQ(e.GetMessage(), "Icon load image failed");
    }
}

TEST(WindowMaker, ChildTakesTheParentsInstanceAndId) {
    GuiTest::Host host;
    Winplus::WindowMaker maker(GuiTest::TestClass(), host.Window(), 42);
    EXPECT_EQ(maker.instance, GetModuleHandleA(nullptr));
    auto child = Safe::MakeX<Winplus::Controller>();
    HWND hwnd = maker.Create(child);
    EXPECT_EQ(GetParent(hwnd), host.Handle());
    EXPECT_EQ(GetDlgCtrlID(hwnd), 42);
    EXPECT_TRUE(IsWindowVisible(hwnd));
}

}  // namespace
