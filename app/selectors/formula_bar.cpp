#include "app/selectors/formula_bar.h"

#include "winplus/gdip_draw.h"
#include "winplus/resource_ids.h"

namespace Core {

namespace {

constexpr int kFormulaBarHeight = 24;
constexpr int kButton = 22;
constexpr int kSeparatorWidth = 6;
constexpr int kBarWidth = 94;
constexpr int kEditLeft = 99;

// The tool bar's buttons run the bar's commands.
class FormulaCmd : public Winplus::Command {
public:
    explicit FormulaCmd(FormulaBarController* owner) : owner_(owner) {}
    bool Execute(const int& code) override {
        owner_->Execute(code);
        return true;
    }

private:
    FormulaBarController* owner_;  // holds the tool bar that holds this command
};

bool IsChecked(int state) {
    return state == Winplus::kChecked || state == Winplus::kCheckedHot;
}

}  // namespace

std::string WholeWindowText(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

FormulaBarController::FormulaBarController() {
    SetHeaderSize(true, kFormulaBarHeight);
}

bool FormulaBarController::OnCreate() {
    edit_.Create(Handle(), "EDIT", ES_AUTOHSCROLL, 0);
    edit_.SetDefaultFont();
    toolBar_ = Safe::MakeX<Winplus::ToolBar>(Window());
    Winplus::ButtonBar::SetParent(Window());
    Winplus::ButtonBar::SetButtonSize({kButton, kButton});
    auto list = Safe::MakeX<Winplus::ButtonList>();
    list->Add(Winplus::ButtonBar::AddPush(IDB_OPEN_PROJECT, kOpen, "Open formula file", -1));
    list->Add(Winplus::ButtonBar::AddPush(IDB_SAVE_PROJECT, kSave, "Save formula", -1));
    list->Add(Winplus::ButtonBar::AddSeparator(IDB_SEPARATOR, {kSeparatorWidth, kButton}));
    list->Add(
        Winplus::ButtonBar::AddCheck(IDB_FORMULA_TOGGLE, kMathMode, "Math explorer formulas", -1));
    list->Add(Winplus::ButtonBar::AddPush(IDB_VALIDATE, kValidate, "Validate formula", -1));
    auto bar = Safe::MakeX<Winplus::ButtonBar>();
    bar->SetButtons(list);
    toolBar_->Controller()->SetButtonBar(bar);
    toolBar_->Controller()->SetCommand(Safe::MakeX<FormulaCmd>(this));
    toolBar_->Controller()->EnableButton(kSave, false);
    editor_->SetShow([this](const std::string& text) { Show(text); });
    return true;
}

void FormulaBarController::Layout(int x, int y, int width, int, bool repaint) {
    if (!toolBar_) return;
    toolBar_->Move(x + 1, y, kBarWidth, kButton, repaint);
    edit_.Move(kEditLeft, y + 4, width - 101, 16, repaint);
}

bool FormulaBarController::OnPaint() {
    RECT client{};
    GetClientRect(Handle(), &client);
    Winplus::PaintScope paint(Handle());
    Winplus::Graphics graphics(paint.DC());
    const Winplus::Box frame{97, 1, client.right - 98, 19};
    Winplus::FillBox(graphics.Get(), 0xFFFFFFFF, frame);
    Winplus::OutlineBox(graphics.Get(), 0xFF404040, frame);
    return false;
}

void FormulaBarController::Show(const std::string& text) {
    edit_.SetText(text);
}

void FormulaBarController::ShowSaveState() {
    toolBar_->Controller()->EnableButton(kSave, editor_->IsSaveEnabled());
}

bool FormulaBarController::Execute(int code) {
    const HWND owner = GetAncestor(Handle(), GA_ROOT);
    switch (code) {
        case kOpen:
            if (const auto text = editor_->OpenFormula(owner)) {
                Show(*text);
                ShowSaveState();
                toolBar_->Controller()->CheckButton(kMathMode, false);
            }
            return true;
        case kSave:
            editor_->SaveFormula(owner);
            ShowSaveState();
            return true;
        case kMathMode:
            if (const auto text = editor_->Refresh(
                    true, IsChecked(toolBar_->Controller()->GetButtonState(kMathMode))))
                Show(*text);
            return true;
        case kValidate:
            editor_->Validate(WholeWindowText(edit_.Handle()));
            ShowSaveState();
            return true;
        default: return false;
    }
}

}  // namespace Core
