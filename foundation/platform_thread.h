#pragma once
// Threads, manual-reset events and the cross-thread window notice of the fit worker: Win32
// threads, events and SendMessage on Windows, the standard library elsewhere.
#include <functional>
#include <memory>

namespace Platform {

// Tests make creation fail, to see how callers cope: the handler gets what is being created
// and answers true to refuse it. An empty function lets everything be created again.
enum class Resource { Thread, Event };
using CreationRefusal = std::function<bool(Resource)>;
void SetCreationRefusal(CreationRefusal refuse);

// An event that stays set until it is reset, without name.
class ManualResetEvent {
public:
    ManualResetEvent();
    ~ManualResetEvent();
    ManualResetEvent(const ManualResetEvent&) = delete;
    ManualResetEvent& operator=(const ManualResetEvent&) = delete;

    // False when the system could not make the event; nothing else may then be called.
    bool IsValid() const;
    void Set();
    void Reset();
    // Blocks until the event is set; false when the wait failed.
    bool Wait();

private:
    struct State;
    std::unique_ptr<State> state_;
};

// A thread running one function.
class WorkerThread {
public:
    WorkerThread();
    // An ended thread is joined; one still running must have been abandoned before.
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Starts body on a new thread; false when the system refused (body does not run).
    bool Start(std::function<void()> body);
    // Waits at most milliseconds for the thread to end; true when it has ended.
    bool WaitFor(int milliseconds);
    // Lets the thread run on without an owner (after a WaitFor that timed out).
    void Abandon();

private:
    struct State;
    std::shared_ptr<State> state_;
};

// Sends WM_NOTIFY (wParam code, lParam 0) to a window and waits until it is handled; false
// when the window is gone or there is no window system.
bool SendWindowNotice(void* window, int code);

}  // namespace Platform
