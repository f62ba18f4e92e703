#include "app/shell/diagnostics.h"

#include <commctrl.h>

#include "app/selectors/capsule_selector.h"
#include "app/shell/global_bar.h"
#include "app/shell/state_dump.h"
#include "app/shell/top_controller.h"
#include "app/views/modify_panel.h"
#include "foundation/platform.h"
#include "winplus/property_grid.h"
#include "winplus/status_bar.h"

namespace Core {

namespace {

constexpr UINT_PTR kSubclassId = 0x5D;

bool WaitsForPaint(HWND window) {
    return IsWindowVisible(window) && GetUpdateRect(window, nullptr, FALSE);
}

// The main window is visible, no input waits in the queue, and neither it nor a visible child has
// anything left to paint. The dump is asked for by a sent message, which is handled before the
// input that came before it: a click not taken yet has not opened or changed anything to paint.
bool IsPainted(HWND main) {
    if (HIWORD(GetQueueStatus(QS_INPUT)) != 0 || !IsWindowVisible(main) || WaitsForPaint(main))
        return false;
    BOOL painted = TRUE;
    EnumChildWindows(
        main,
        [](HWND child, LPARAM data) -> BOOL {
            if (!WaitsForPaint(child)) return TRUE;
            *reinterpret_cast<BOOL*>(data) = FALSE;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&painted));
    return painted != FALSE;
}

void ReadProperties(HWND main, ShownState& shown) {
    HWND grid = FindWindowExA(Winplus::FindChildOfClass(main, "PropertiesClass"), nullptr,
                              "PropertyClass", nullptr);
    auto* rows = dynamic_cast<Winplus::PropertyController*>(Winplus::FindController(grid));
    if (!rows || rows->Rows().empty()) return;
    shown.propertiesPage = rows->Rows().front()->GetNameA();
    for (const auto& row : rows->Rows())
        if (row->Kind() != Winplus::kHeaderRow) shown.propertiesValues.push_back(row->GetText());
}

void ReadModeBar(const ViewPanel& panel, ShownState& shown) {
    auto* modify = dynamic_cast<ModifyController*>(panel.Leaf(PanelId::Modify)->Controller().Get());
    if (!modify) return;
    // A bar is named as its mode's property page.
    for (const ViewModeRow& mode : ViewModeRows())
        if (ModeToolBar* window = modify->BarOf(mode.bar);
            window && !mode.leaves.empty() && IsWindowVisible(window->Handle()))
            shown.modeBar = mode.leaves.front().name;
}

// The view panel's visible leaves and the cursor read-out.
void ReadBars(HWND main, ShownState& shown) {
    if (auto* top = dynamic_cast<TopController*>(Winplus::FindController(main));
        top && top->ModePanel()) {
        for (const ViewPanelLeaf& leaf : ViewPanelLeaves()) {
            const auto& window = top->ModePanel()->Leaf(leaf.panel)->Controller();
            if (!IsWindowVisible(window->Handle())) continue;
            shown.viewPanels += (shown.viewPanels.empty() ? "" : ", ");
            shown.viewPanels += leaf.name;
        }
        ReadModeBar(*top->ModePanel(), shown);
    }
    if (const auto& readout = GlobalBar::Readout()) {
        shown.readoutOn = readout->Readout().Enabled();
        shown.readoutX = readout->Readout().XText();
        shown.readoutY = readout->Readout().YText();
    }
}

void ReadUserFunctionTabs(HWND main, ShownState& shown) {
    HWND selector = Winplus::FindChildOfClass(main, "CapsuleClass");
    if (auto* tabs = dynamic_cast<CapsuleController*>(Winplus::FindController(selector)))
        for (const auto& category : tabs->Categories())
            shown.userFunctionTabs.push_back(category->GetNameA());
}

ShownState ReadShownState(HWND main) {
    ShownState shown;
    char title[256] = {};
    GetWindowTextA(main, title, sizeof(title));
    shown.title = title;
    RECT client{};
    GetClientRect(main, &client);
    shown.width = client.right;
    shown.height = client.bottom;
    shown.painted = IsPainted(main);
    HWND bar = FindWindowExA(main, nullptr, "StatusBarClass", nullptr);
    if (auto* status = dynamic_cast<Winplus::StatusController*>(Winplus::FindController(bar))) {
        shown.statusLabel = status->Label();
        shown.statusDescription = status->Description();
        shown.statusFit = status->FitText();
    }
    ReadProperties(main, shown);
    ReadBars(main, shown);
    ReadUserFunctionTabs(main, shown);
    return shown;
}

// Written beside the dump and moved over it, so that a reader never sees half a dump.
bool WriteStateDump(HWND main) {
    return Platform::SaveFile(StateDumpPath(GetCurrentProcessId()),
                              StateDumpText(ReadShownState(main)),
                              false) == Platform::SaveStatus::Saved;
}

LRESULT CALLBACK DiagnosticsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR) {
    static const UINT dumpMessage = RegisterWindowMessageA(kStateDumpMessage);
    if (message == dumpMessage) return WriteStateDump(window) ? 1 : 0;
    if (message == WM_NCDESTROY) RemoveWindowSubclass(window, DiagnosticsProc, kSubclassId);
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void InstallDiagnostics(HWND main) {
    SetWindowSubclass(main, DiagnosticsProc, kSubclassId, 0);
}

}  // namespace Core
