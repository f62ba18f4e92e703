#include "foundation/event_bus.h"

void EventBus::Add(const Safe::XPtr<Winplus::Observer>& observer) {
    if (observer) observers_.push_back(observer);
}

void EventBus::Notify(const int& code) const {
    const std::vector<Safe::XPtr<Winplus::Observer>> snapshot = observers_;
    for (const auto& observer : snapshot) observer->Notify(code);
}

EventBus& Bus(Subject subject) {
    static EventBus buses[static_cast<int>(Subject::Fit) + 1];
    return buses[static_cast<int>(subject)];
}
