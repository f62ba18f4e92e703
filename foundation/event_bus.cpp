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

EventBus::Registration EventBus::AddEntry(Safe::XPtr<Safe::Countable> observer) {
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

void EventBus::ForEach(const std::function<void(Safe::Countable&)>& call) const {
    // The copy holds every observer until the walk ends, whatever the observers do to the list.
    const std::vector<Entry> snapshot = observers_;
    for (const Entry& entry : snapshot)
        if (Holds(entry.id)) call(*entry.observer);
}

namespace {

std::vector<void (*)()>& Resets() {
    static std::vector<void (*)()> resets;
    return resets;
}

template <class... Codes>
void ClearBuses() {
    (BusOf<Codes>().Clear(), ...);
}

}  // namespace

template <class Code>
TypedBus<Code>& BusOf() {
    static TypedBus<Code> bus;
    return bus;
}

// The buses of the system: each one is made here, and the reset clears each.
template TypedBus<ModelEvent>& BusOf<ModelEvent>();
template TypedBus<DataSetEvent>& BusOf<DataSetEvent>();
template TypedBus<LayerEvent>& BusOf<LayerEvent>();
template TypedBus<ViewEvent>& BusOf<ViewEvent>();
template TypedBus<SelectionEvent>& BusOf<SelectionEvent>();
template TypedBus<LibraryEvent>& BusOf<LibraryEvent>();
template TypedBus<MapBarEvent>& BusOf<MapBarEvent>();
template TypedBus<DefinitionEvent>& BusOf<DefinitionEvent>();
template TypedBus<FitEvent>& BusOf<FitEvent>();
template TypedBus<AxisEvent>& BusOf<AxisEvent>();

bool RegisterProcessReset(void (*reset)()) {
    Resets().push_back(reset);
    return true;
}

void ResetProcessState() {
    ClearBuses<ModelEvent, DataSetEvent, LayerEvent, ViewEvent, SelectionEvent, LibraryEvent,
               MapBarEvent, DefinitionEvent, FitEvent, AxisEvent>();
    for (void (*reset)() : Resets()) reset();
}
