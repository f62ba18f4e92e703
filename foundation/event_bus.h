#pragma once
// Process-wide lists of observers, one per subject. Announcing a change calls every observer in
// registration order with a constant event code.
#include <vector>

#include "foundation/command.h"
#include "foundation/countable.h"

class EventBus {
public:
    // A null observer is ignored; the same observer added twice is called twice.
    void Add(const Safe::XPtr<Winplus::Observer>& observer);
    // Walks a copy of the list, so an observer may register others while being notified (they
    // hear the next announcement).
    void Notify(const int& code) const;
    int Count() const { return static_cast<int>(observers_.size()); }

private:
    std::vector<Safe::XPtr<Winplus::Observer>> observers_;
};

// Stores value and announces code on bus when it differs from what was stored; true then.
template <class T>
bool StoreAndAnnounce(T& stored, const T& value, EventBus& bus, int code) {
    if (stored == value) return false;
    stored = value;
    bus.Notify(code);
    return true;
}

// The eight subjects that announce changes, each with its own process-wide bus. Buses live for
// the whole process and are never emptied.
enum class Subject { Models, DataSet, Layers, ViewMode, Selection, Library, MapBar, Fit };

EventBus& Bus(Subject subject);
