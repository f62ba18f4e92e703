#include "model/map_bar.h"

namespace Core {

namespace {

enum { kUndo = 0, kRedo = 1 };
constexpr int kHistoryChannel = 1;

struct Availability {
    bool flags[2][2] = {{false, false}, {false, false}};  // [channel][undo, redo]
    Node::Ptr target;                                     // the clipboard node
    EventBus::Registration histories;                     // on the definition bus
};

Availability& State() {
    static Availability state;
    return state;
}

constexpr MapBarEvent kCodes[2][2] = {
    {MapBarEvent::kExplorerUndoAvailability, MapBarEvent::kExplorerRedoAvailability},
    {MapBarEvent::kDefinitionUndoAvailability, MapBarEvent::kDefinitionRedoAvailability}};

void SetAvailable(int channel, int which, bool available) {
    if (channel != 0 && channel != 1) return;
    bool& flag = State().flags[channel][which];
    if (flag == available) return;
    flag = available;
    MapBar::Notify(kCodes[channel][which]);
}

bool IsAvailable(int channel, int which) {
    return (channel == 0 || channel == 1) && State().flags[channel][which];
}

// Follows what the definitions' histories hold, on channel 1.
struct HistoryObserver : Winplus::EventObserver<DefinitionEvent> {
    bool Notify(const DefinitionEvent& code) override {
        switch (code) {
            case DefinitionEvent::kHistoryUndoable:
                SetAvailable(kHistoryChannel, kUndo, true);
                break;
            case DefinitionEvent::kHistoryNotUndoable:
                SetAvailable(kHistoryChannel, kUndo, false);
                break;
            case DefinitionEvent::kHistoryRedoable:
                SetAvailable(kHistoryChannel, kRedo, true);
                break;
            case DefinitionEvent::kHistoryNotRedoable:
                SetAvailable(kHistoryChannel, kRedo, false);
                break;
            default: return false;
        }
        return true;
    }
};

// The state at start-up, listening to the definitions from the first edit on.
void Reset() {
    // The bus first: statics die in reverse order, so the state's registration goes before it.
    auto& definitions = BusOf<DefinitionEvent>();
    Availability& state = State();
    state = Availability();
    state.histories = definitions.Add(Safe::MakeX<HistoryObserver>());
}
[[maybe_unused]] const bool kStarted = RegisterProcessReset(&Reset) && (Reset(), true);

}  // namespace

EventBus::Registration MapBar::AddObserver(
    const Safe::XPtr<Winplus::EventObserver<MapBarEvent>>& observer) {
    return BusOf<MapBarEvent>().Add(observer);
}

void MapBar::Notify(MapBarEvent code) {
    BusOf<MapBarEvent>().Notify(code);
}

void MapBar::SetUndoAvailable(const int& channel, const bool& available) {
    SetAvailable(channel, kUndo, available);
}

void MapBar::SetRedoAvailable(const int& channel, const bool& available) {
    SetAvailable(channel, kRedo, available);
}

void MapBar::ResetAvailability(const int& channel) {
    if (channel != 0 && channel != 1) return;
    for (int which : {kUndo, kRedo}) {
        State().flags[channel][which] = false;
        Notify(kCodes[channel][which]);
    }
}

bool MapBar::IsUndoAvailable(const int& channel) {
    return IsAvailable(channel, kUndo);
}
bool MapBar::IsRedoAvailable(const int& channel) {
    return IsAvailable(channel, kRedo);
}

void MapBar::SetTarget(const Node::Ptr& node) {
    StoreAndAnnounce(State().target, node, BusOf<MapBarEvent>(), MapBarEvent::kMapBarTargetChanged);
}
Node::Ptr MapBar::GetTarget() {
    return State().target;
}

}  // namespace Core
