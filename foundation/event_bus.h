#pragma once
// Process-wide lists of observers, one per subject. Announcing a change calls every observer in
// registration order with a constant event code (foundation/event_codes.h).
#include <cstdint>
#include <vector>

#include "foundation/command.h"
#include "foundation/countable.h"
#include "foundation/event_codes.h"

class EventBus {
public:
    // Keeps an observer on its bus: releasing or destroying the registration removes it. The bus
    // must outlive its registrations (the process-wide buses always do).
    class Registration {
    public:
        Registration() = default;
        Registration(Registration&& other) noexcept;
        Registration& operator=(Registration&& other) noexcept;
        Registration(const Registration&) = delete;
        Registration& operator=(const Registration&) = delete;
        ~Registration() { Release(); }
        // Removes the observer now; nothing when it is gone already (or the bus was cleared).
        void Release();

    private:
        friend class EventBus;
        Registration(EventBus* bus, std::uint64_t id) : bus_(bus), id_(id) {}
        EventBus* bus_ = nullptr;
        std::uint64_t id_ = 0;
    };

    EventBus() = default;
    EventBus(const EventBus&) = delete;
    EventBus& operator=(const EventBus&) = delete;

    // A null observer is ignored (an empty registration); the same observer added twice is
    // called twice.
    [[nodiscard]] Registration Add(const Safe::XPtr<Winplus::Observer>& observer);
    // Walks a copy of the list, so an observer may add or remove observers while being notified:
    // added ones hear the next announcement, removed ones are not called again.
    void Notify(const int& code) const;
    // Removes every observer.
    void Clear() { observers_.clear(); }
    int Count() const { return static_cast<int>(observers_.size()); }

private:
    struct Entry {
        std::uint64_t id;
        Safe::XPtr<Winplus::Observer> observer;
    };
    void Remove(std::uint64_t id);
    bool Holds(std::uint64_t id) const;

    std::vector<Entry> observers_;
    std::uint64_t nextId_ = 1;
};

// Stores value and announces code on bus when it differs from what was stored; true then.
template <class T>
bool StoreAndAnnounce(T& stored, const T& value, EventBus& bus, int code) {
    if (stored == value) return false;
    stored = value;
    bus.Notify(code);
    return true;
}

// The subjects that announce changes, each with its own process-wide bus. Definitions announce
// what their histories hold on the Definitions bus; the definition tool bar listens there.
enum class Subject {
    Models,
    DataSet,
    Layers,
    ViewMode,
    Selection,
    Library,
    MapBar,
    Fit,
    Definitions
};

EventBus& Bus(Subject subject);

// Registers how a process-wide store returns to its state at start-up. Each store registers once
// during static initialisation of the file that defines it; the result (true) can initialise a
// constant there.
bool RegisterProcessReset(void (*reset)());
// Returns the process to its state at start-up, so that no test sees what another left behind:
// empties every bus, then runs every registered reset in registration order (stores that must
// observe a bus register again). Nothing is announced.
void ResetProcessState();
