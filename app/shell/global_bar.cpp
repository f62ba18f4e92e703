#include "app/shell/global_bar.h"

#include "modes/adjust_core.h"
#include "modes/anchor_core.h"
#include "modes/builder_core.h"
#include "plot/axis_tools.h"
#include "winplus/resource_ids.h"

namespace Core::GlobalBar {

namespace {

struct State {
    Safe::XPtr<Winplus::ToolBar> bar;
    Safe::XPtr<Winplus::XYController> readout;
    // The tool cores' own lists, where a tool says it took the mouse (kToolTookMouse).
    EventBus::Registration adjust, anchor, builder;
};

// Never destroyed: the registrations must not outlive the cores' lists at exit; the process
// reset releases everything.
State& TheState() {
    static State* state = new State;
    return *state;
}
void Forget() {
    TheState() = State{};
}
[[maybe_unused]] const bool kResets = RegisterProcessReset(&Forget);

// A tool that takes the mouse gives the axis tools back their "off" button.
void OnToolCode(ToolCode code) {
    if (code != kToolTookMouse || !TheState().bar) return;
    TheState().bar->Controller()->CheckButton(kAxisToolsOff, true);
    Winplus::AxisBar::SetMode(Winplus::AxisBar::kNone);
}

Safe::XPtr<Winplus::ButtonList> MakeButtons(Winplus::Wnd parent) {
    using Winplus::ButtonBar;
    ButtonBar::SetButtonSize({kHeight, kHeight});
    ButtonBar::SetParent(parent);
    auto list = Safe::MakeX<Winplus::ButtonList>();
    list->Add(ButtonBar::AddPush(IDB_NEW_PROJECT, kNewProject, "New project", -1));
    list->Add(ButtonBar::AddPush(IDB_OPEN_PROJECT, kOpenProject, "Open project", -1));
    list->Add(ButtonBar::AddPush(IDB_SAVE_PROJECT, kSaveProject, "Save project", -1));
    list->Add(ButtonBar::AddSeparator(IDB_SEPARATOR, {6, kHeight}));
    auto off = ButtonBar::AddCheck(IDB_ARROW, kAxisToolsOff, "Desactivate axis tools", 1);
    off->machine.state = Winplus::kChecked;
    list->Add(off);
    list->Add(ButtonBar::AddCheck(IDB_ZOOM, kZoom, "Zoom selection", 1));
    list->Add(ButtonBar::AddCheck(IDB_SHRINK, kShrink, "Shrink to selected area", 1));
    list->Add(ButtonBar::AddCheck(IDB_SHIFT, kShift, "Shift axis limits", 1));
    list->Add(ButtonBar::AddCheck(IDB_XY_POSITION, kXYPosition, "XY position", -1));
    return list;
}

}  // namespace

bool GlobalBarCommands::Execute(const int& id) {
    // The same commands as the File menu's items.
    constexpr struct {
        int button, menu;
    } kProject[] = {{kNewProject, ID_FILE_NEW_PROJECT},
                    {kOpenProject, ID_FILE_OPEN},
                    {kSaveProject, ID_FILE_SAVE}};
    for (const auto& item : kProject)
        if (id == item.button) PostMessageA(main_, WM_COMMAND, item.menu, 0);
    if (id >= kAxisToolsOff && id <= kShift) Winplus::AxisBar::SetMode(id - kAxisToolsOff - 1);
    return true;
}

void Create(Winplus::Wnd parent) {
    State& state = TheState();
    if (state.bar) return;
    state.bar = Safe::MakeX<Winplus::ToolBar>(parent);
    const Winplus::Wnd barWindow(state.bar->Controller()->Handle());
    const Safe::XPtr<Winplus::ButtonList> list = MakeButtons(parent);

    state.readout = Winplus::XYController::Create(barWindow);
    for (const auto& button : *list)
        if (button->commandId == kXYPosition) button->target = state.readout->Command();
    list->Add(Winplus::ButtonBar::AddWindow(state.readout, {kReadoutWidth, kHeight}));

    auto bar = Safe::MakeX<Winplus::ButtonBar>();
    bar->SetButtons(list);
    state.bar->Controller()->SetButtonBar(bar);
    state.bar->Controller()->SetCommand(Safe::MakeX<GlobalBarCommands>(parent.Handle()));

    const auto observer = MakeObserver<ToolCode>(&OnToolCode);
    state.builder = BuilderCore::Tool().AddObserver(observer);
    state.anchor = AnchorCore::Tool().AddObserver(observer);
    state.adjust = AdjustCore::Tool().AddObserver(observer);
}

const Safe::XPtr<Winplus::ToolBar>& Get() {
    return TheState().bar;
}

const Safe::XPtr<Winplus::XYController>& Readout() {
    return TheState().readout;
}

}  // namespace Core::GlobalBar
