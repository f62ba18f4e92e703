#include "foundation/event_bus.h"

#include <algorithm>

EventBus::Registration::Registration(Registration&& other) noexcept
    : bus_(other.bus_), id_(other.id_) {
    other.bus_ = nullptr;
}

EventBus::Registration& EventBus::Registration::operator=(Registration&& other) noexcept {
    if (this != &other) {
        Release();
        bus_ = other.bus_;
        id_ = other.id_;
        other.bus_ = nullptr;
    }
    return *this;
}

void EventBus::Registration::Release() {
    if (bus_) bus_->Remove(id_);
    bus_ = nullptr;
}

EventBus::Registration EventBus::Add(const Safe::XPtr<Winplus::Observer>& observer) {
    if (!observer) return Registration();
    observers_.push_back({nextId_, observer});
    return Registration(this, nextId_++);
}

void EventBus::Remove(std::uint64_t id) {
    auto it = std::find_if(observers_.begin(), observers_.end(),
                           [id](const Entry& entry) { return entry.id == id; });
    if (it != observers_.end()) observers_.erase(it);
}

bool EventBus::Holds(std::uint64_t id) const {
    return std::any_of(observers_.begin(), observers_.end(),
                       [id](const Entry& entry) { return entry.id == id; });
}

void EventBus::Notify(const int& code) const {
    // The copy holds every observer until the walk ends, whatever the observers do to the list.
    const std::vector<Entry> snapshot = observers_;
    for (const Entry& entry : snapshot)
        if (Holds(entry.id)) entry.observer->Notify(code);
}

namespace {

constexpr int kSubjects = static_cast<int>(Subject::Definitions) + 1;

std::vector<void (*)()>& Resets() {
    static std::vector<void (*)()> resets;
    return resets;
}
}  // namespace

EventBus& Bus(Subject subject) {
    static EventBus buses[kSubjects];
    return buses[static_cast<int>(subject)];
}

bool RegisterProcessReset(void (*reset)()) {
    Resets().push_back(reset);
    return true;
}

void ResetProcessState() {
    for (int i = 0; i < kSubjects; ++i) Bus(static_cast<Subject>(i)).Clear();
    for (void (*reset)() : Resets()) reset();
}
