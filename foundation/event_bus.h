#pragma once
// Process-wide lists of observers, one bus per code type (foundation/event_codes.h). Announcing
// a change calls every observer of the bus in registration order with the code; an observer
// takes the codes of one bus only, so wiring a bus to another bus's observer or code does not
// compile.
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "foundation/countable.h"
#include "foundation/event_codes.h"

namespace Winplus {

// Hears the codes of one bus.
template <class Code>
class EventObserver : public Safe::Countable {
public:
    virtual bool Notify(const Code& code) = 0;
};

}  // namespace Winplus

// What every bus shares: its observers, kept by registrations. The typed bus below announces.
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

    // Removes every observer.
    void Clear() { observers_.clear(); }
    int Count() const { return static_cast<int>(observers_.size()); }

protected:
    struct Entry {
        std::uint64_t id;
        Safe::XPtr<Safe::Countable> observer;
    };
    // A null observer is ignored (an empty registration); the same observer added twice is
    // called twice.
    Registration AddEntry(Safe::XPtr<Safe::Countable> observer);
    // Calls call(observer) for each observer of a copy of the list, so an observer may add or
    // remove observers while being notified: added ones hear the next announcement, removed ones
    // are not called again.
    void ForEach(const std::function<void(Safe::Countable&)>& call) const;

private:
    void Remove(std::uint64_t id);
    bool Holds(std::uint64_t id) const;

    std::vector<Entry> observers_;
    std::uint64_t nextId_ = 1;
};

// The bus of one code type.
template <class Code>
class TypedBus : public EventBus {
public:
    using Observer = Winplus::EventObserver<Code>;

    [[nodiscard]] Registration Add(const Safe::XPtr<Observer>& observer) {
        return AddEntry(observer);
    }
    void Notify(Code code) const {
        // Only observers of this code type are ever added.
        ForEach(
            [code](Safe::Countable& observer) { static_cast<Observer&>(observer).Notify(code); });
    }
};

// The process-wide bus of a code type; defined for the code types of foundation/event_codes.h.
template <class Code>
TypedBus<Code>& BusOf();

// An observer that calls a function: for owners that hear several buses.
template <class Code>
Safe::XPtr<Winplus::EventObserver<Code>> MakeObserver(std::function<void(Code)> heard) {
    class Call : public Winplus::EventObserver<Code> {
    public:
        explicit Call(std::function<void(Code)> f) : f_(std::move(f)) {}
        bool Notify(const Code& code) override {
            f_(code);
            return true;
        }

    private:
        std::function<void(Code)> f_;
    };
    return Safe::MakeX<Call>(std::move(heard));
}

// Stores value and announces code on bus when it differs from what was stored; true then.
template <class T, class Code>
bool StoreAndAnnounce(T& stored, const T& value, const TypedBus<Code>& bus, Code code) {
    if (stored == value) return false;
    stored = value;
    bus.Notify(code);
    return true;
}

// Registers how a process-wide store returns to its state at start-up. Each store registers once
// during static initialisation of the file that defines it; the result (true) can initialise a
// constant there.
bool RegisterProcessReset(void (*reset)());
// Returns the process to its state at start-up, so that no test sees what another left behind:
// empties every bus, then runs every registered reset in registration order (stores that must
// observe a bus register again). Nothing is announced.
void ResetProcessState();
