#include "app/explorers/definition_panel.h"

#include <algorithm>

#include "model/map_bar.h"
#include "winplus/resource_ids.h"

namespace Core {

namespace {

namespace Code = DefinitionBarCode;
constexpr int kButtonSize = 22;
constexpr int kTreeId = 0;

Safe::XPtr<Winplus::ButtonList> MakeButtons() {
    auto list = Safe::MakeX<Winplus::ButtonList>();
    const auto add = [&list](int bitmap, int code, const char* tooltip) {
        auto button = Winplus::ButtonBar::AddPush(bitmap, code, tooltip, -1);
        // Nothing is selected yet, nothing copied, nothing edited.
        button->machine.state = Winplus::kDisabled;
        list->Add(button);
    };
    add(IDB_CUT, Code::kCut, "Cut");
    add(IDB_COPY, Code::kCopy, "Copy");
    add(IDB_PASTE, Code::kPaste, "Paste");
    list->Add(Winplus::ButtonBar::AddSeparator(IDB_SEPARATOR, {6, kButtonSize}));
    add(IDB_UNDO, Code::kUndo, "Undo");
    add(IDB_REDO, Code::kRedo, "Redo");
    return list;
}

}  // namespace

bool MapBarObserver::Notify(const int& code) {
    if (!owner_) return true;
    const DefinitionBarState state = DefinitionBarButtons();
    switch (static_cast<MapBarEvent>(code)) {
        case MapBarEvent::kCurrentNodeChanged:
            owner_->EnableButton(Code::kCut, state.cut);
            owner_->EnableButton(Code::kCopy, state.copy);
            owner_->EnableButton(Code::kPaste, state.paste);
            break;
        case MapBarEvent::kMapBarTargetChanged:
            owner_->EnableButton(Code::kPaste, state.paste);
            break;
        case MapBarEvent::kDefinitionUndoAvailability:
            owner_->EnableButton(Code::kUndo, state.undo);
            break;
        case MapBarEvent::kDefinitionRedoAvailability:
            owner_->EnableButton(Code::kRedo, state.redo);
            break;
        default: break;
    }
    return true;
}

MapController::MapController() : LeafController(L"Definition") {
    SetOrientation(0);
}

bool MapController::OnCreate() {
    LeafController::OnCreate();
    tree_ = Safe::MakeX<ControlMap>(Handle(), kTreeId);
    Winplus::ButtonBar::SetButtonSize({kButtonSize, kButtonSize});
    Winplus::ButtonBar::SetParent(Window());
    auto buttons = Safe::MakeX<Winplus::ButtonBar>();
    buttons->SetButtons(MakeButtons());
    bar_ = Safe::MakeX<Winplus::ToolBar>(Window());
    bar_->Controller()->SetButtonBar(buttons);
    bar_->Controller()->SetCommand(tree_->BarCommand());
    auto observer = Safe::MakeX<MapBarObserver>();
    bar_->SetObserver(observer);
    Observe(BusOf<MapBarEvent>(), MakeObserver<MapBarEvent>([observer](MapBarEvent code) {
                observer->Notify(CodeNumber(code));
            }));
    return false;
}

bool MapController::OnCommand(WPARAM wParam, LPARAM lParam) {
    // Menu items only: the controls' own commands were reflected to them.
    if (lParam != 0 || !tree_) return false;
    tree_->Command(LOWORD(wParam));
    return true;
}

void MapController::Layout(int x, int y, int width, int height, bool repaint) {
    if (!tree_ || !bar_) return;
    bar_->Move(x + 1, y, width - 1, kButtonSize, repaint);
    // The tree ends where the splitter band begins.
    tree_->Move(x + 1, y + kButtonSize, width - 1, std::max(0, height - kButtonSize), repaint);
}

MapLeaf::MapLeaf(Winplus::Wnd parent) {
    SetController(Safe::MakeX<MapController>());
    Winplus::CreatePanelWindow("DefinitionClass", parent, controller_);
}

}  // namespace Core
