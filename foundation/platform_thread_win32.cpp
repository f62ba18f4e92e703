// Win32 threads, manual-reset events and the WM_NOTIFY sent to the owner window.
#include <windows.h>

#include "foundation/platform_thread_internal.h"

namespace Platform {

struct ManualResetEvent::State {
    HANDLE event = nullptr;
};

ManualResetEvent::ManualResetEvent() : state_(std::make_unique<State>()) {
    if (!CreationRefused(Resource::Event))
        state_->event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

ManualResetEvent::~ManualResetEvent() {
    if (state_->event) CloseHandle(state_->event);
}

bool ManualResetEvent::IsValid() const {
    return state_->event != nullptr;
}

void ManualResetEvent::Set() {
    SetEvent(state_->event);
}

void ManualResetEvent::Reset() {
    ResetEvent(state_->event);
}

bool ManualResetEvent::Wait() {
    return WaitForSingleObject(state_->event, INFINITE) == WAIT_OBJECT_0;
}

struct WorkerThread::State {
    HANDLE thread = nullptr;
    bool abandoned = false;
};

namespace {
DWORD WINAPI ThreadEntry(LPVOID argument) {
    // The thread owns its body: an abandoned thread outlives the object that started it.
    auto* body = static_cast<std::function<void()>*>(argument);
    (*body)();
    delete body;
    return 0;
}
}  // namespace

WorkerThread::WorkerThread() = default;

WorkerThread::~WorkerThread() {
    if (!state_ || !state_->thread) return;
    if (!state_->abandoned) WaitForSingleObject(state_->thread, INFINITE);
    CloseHandle(state_->thread);
}

bool WorkerThread::Start(std::function<void()> body) {
    if (state_ || CreationRefused(Resource::Thread)) return false;
    auto* owned = new std::function<void()>(std::move(body));
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, ThreadEntry, owned, 0, &id);
    if (!thread) {
        delete owned;
        return false;
    }
    state_ = std::make_shared<State>();
    state_->thread = thread;
    return true;
}

bool WorkerThread::WaitFor(int milliseconds) {
    if (!state_ || !state_->thread) return true;
    return WaitForSingleObject(state_->thread, static_cast<DWORD>(milliseconds)) == WAIT_OBJECT_0;
}

void WorkerThread::Abandon() {
    if (state_) state_->abandoned = true;
}

bool SendWindowNotice(void* window, int code) {
    if (!window || !IsWindow(static_cast<HWND>(window))) return false;
    SendMessageA(static_cast<HWND>(window), WM_NOTIFY, static_cast<WPARAM>(code), 0);
    return true;
}

}  // namespace Platform
