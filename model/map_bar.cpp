#include "model/map_bar.h"

namespace Core {

namespace {

enum { kUndo = 0, kRedo = 1 };

struct Availability {
    bool flags[2][2] = {{false, false}, {false, false}};  // [channel][undo, redo]
};

Availability& State() {
    static Availability state;
    return state;
}

void SetAvailable(int channel, int which, bool available) {
    static const int kCodes[2][2] = {{401, 402}, {404, 405}};
    if (channel != 0 && channel != 1) return;
    bool& flag = State().flags[channel][which];
    if (flag == available) return;
    flag = available;
    MapBar::Notify(kCodes[channel][which]);
}

bool IsAvailable(int channel, int which) {
    return (channel == 0 || channel == 1) && State().flags[channel][which];
}

}  // namespace

void MapBar::AddObserver(const Safe::XPtr<Winplus::Observer>& observer) {
    Bus(Subject::MapBar).Add(observer);
}

void MapBar::Notify(const int& code) {
    Bus(Subject::MapBar).Notify(code);
}

void MapBar::SetUndoAvailable(const int& channel, const bool& available) {
    SetAvailable(channel, kUndo, available);
}

void MapBar::SetRedoAvailable(const int& channel, const bool& available) {
    SetAvailable(channel, kRedo, available);
}

bool MapBar::IsUndoAvailable(const int& channel) {
    return IsAvailable(channel, kUndo);
}
bool MapBar::IsRedoAvailable(const int& channel) {
    return IsAvailable(channel, kRedo);
}

}  // namespace Core
