#include "winplus/button_bar.h"

#include <commctrl.h>

#include <vector>

#include "foundation/event_bus.h"
#include "foundation/exception.h"

namespace Winplus {

namespace {
// What AddPush and its kin give a new button until a bar's builder changes them.
constexpr SIZE kDefaultSize = {22, 20};
SIZE defaultSize = kDefaultSize;
Wnd defaultParent;
void ResetDefaults() {
    defaultSize = kDefaultSize;
    defaultParent = Wnd();
}
[[maybe_unused]] const bool kDefaultsReset = RegisterProcessReset(&ResetDefaults);

template <class T, class D>
Safe::XPtr<T> MakeBitmapButton(int bitmapId, int commandId, const std::string& tooltip,
                               int group) {
    auto button = Safe::MakeX<T>();
    button->SetSize(defaultSize);
    button->commandId = commandId;
    button->machine.group = group;
    button->tooltip = tooltip;
    button->SetDesigner(Safe::MakeX<D>(button.Get(), InstanceOf(defaultParent.Handle()), bitmapId));
    return button;
}
}  // namespace

void ButtonBar::SetButtonSize(const SIZE& size) {
    defaultSize = size;
}

void ButtonBar::SetParent(Wnd parent) {
    defaultParent = parent;
}

Safe::XPtr<ButtonPush> ButtonBar::AddPush(int bitmapId, int commandId,
                                          const std::string& tooltip, int group) {
    return MakeBitmapButton<ButtonPush, BmpPushDesigner>(bitmapId, commandId, tooltip, group);
}

Safe::XPtr<ButtonCheck> ButtonBar::AddCheck(int bitmapId, int commandId,
                                            const std::string& tooltip, int group) {
    return MakeBitmapButton<ButtonCheck, BmpCheckDesigner>(bitmapId, commandId, tooltip, group);
}

Safe::XPtr<ButtonSeparator> ButtonBar::AddSeparator(int bitmapId, const SIZE& size) {
    auto separator = Safe::MakeX<ButtonSeparator>();
    separator->SetSize(size);
    separator->SetDesigner(Safe::MakeX<BmpSeparatorDesigner>(
        separator.Get(), InstanceOf(defaultParent.Handle()), bitmapId));
    return separator;
}

Safe::XPtr<ButtonWnd> ButtonBar::AddWindow(const Safe::XPtr<Controller>& controller,
                                           const SIZE& size) {
    auto cell = Safe::MakeX<ButtonWnd>();
    cell->SetSize(size);
    cell->Attach(controller);
    return cell;
}

void ButtonBar::DrawAll(ID2D1RenderTarget* target) {
    if (!buttons_) return;
    for (const auto& button : *buttons_) button->Draw(target);
}

void ButtonBar::PaintAll(Gdiplus::GpGraphics* graphics) {
    if (!buttons_) return;
    for (const auto& button : *buttons_) button->Paint(graphics);
}

void ButtonBar::SetButtons(const Safe::XPtr<ButtonList>& list) {
    buttons_ = list;
    if (!buttons_) return;
    std::vector<ButtonSize> sizes;
    for (const auto& button : *buttons_) sizes.push_back({button->width, button->height});
    const BarLayout layout = LayOutButtons(sizes, vertical);
    std::size_t i = 0;
    for (const auto& button : *buttons_) {
        button->SetPosition({layout.places[i].x, layout.places[i].y});
        ++i;
    }
    if (!sizes.empty()) {
        width = layout.width;
        height = layout.height;
    }
}

Safe::XPtr<Button> ButtonBar::FindById(const int& id) const {
    if (buttons_)
        for (const auto& button : *buttons_)
            if (button->commandId == id) return button;
    return nullptr;
}

int ButtonBar::OnButtonDown(HWND hwnd, int px, int py, unsigned keys) {
    if (!buttons_ || buttons_->Count() == 0) return -1;
    for (const auto& button : *buttons_) button->OnButtonDown(hwnd, px, py, keys);
    return 0;
}

int ButtonBar::OnMouseMove(HWND hwnd, int px, int py, unsigned keys) {
    if (!buttons_ || buttons_->Count() == 0) return -1;
    for (const auto& button : *buttons_) button->OnMouseMove(hwnd, px, py, keys);
    return 0;
}

int ButtonBar::OnButtonUp(HWND hwnd, int px, int py, unsigned keys) {
    if (!buttons_) return -1;
    // Held: a button's command may replace the list.
    Safe::XPtr<ButtonList> list = buttons_;
    int result = -1;
    for (const auto& button : *list) {
        const int fired = button->OnButtonUp(hwnd, px, py, keys);
        if (fired != -1) result = fired;
    }
    if (result >= 0) {
        Safe::XPtr<Button> button = FindById(result);
        if (button && button->machine.group >= 0)
            ClearGroup(hwnd, button->machine.group, result);
    }
    return result;
}

void ButtonBar::ClearGroup(HWND hwnd, int group, int keepId) {
    if (!buttons_) return;
    for (const auto& button : *buttons_)
        if (button->machine.group == group && button->commandId != keepId &&
            button->State() != kDisabled)
            button->ChangeState(hwnd, kNormal);
}

ToolTip::ToolTip(HWND owner) : instance_(InstanceOf(owner)) {
    window_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                              WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                              instance_, nullptr);
    if (!window_) throw Exception("Unable to init Tool Tip Window");
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

ToolTip::~ToolTip() {
    DestroyWindow(window_);
}

void ToolTip::AddTool(HWND owner, int toolId, const RECT& rect, const std::string& text) {
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = static_cast<UINT_PTR>(toolId);
    info.rect = rect;
    info.hinst = instance_;
    info.lpszText = const_cast<char*>(text.c_str());
    SendMessageA(window_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

bool BarController::OnPaint() {
    PaintScope paint(Handle());
    Graphics graphics(paint.DC());
    if (bar_) bar_->PaintAll(graphics.Get());
    return false;
}

bool BarController::OnLButtonDown(int x, int y, unsigned keys) {
    if (bar_) bar_->OnButtonDown(Handle(), x, y, keys);
    return false;
}

bool BarController::OnLButtonUp(int x, int y, unsigned keys) {
    if (!bar_) return false;
    Safe::XPtr<ButtonBar> bar = bar_;
    const int id = bar->OnButtonUp(Handle(), x, y, keys);
    Safe::XPtr<Command> command = command_;
    if (id >= 1 && command) command->Execute(id);
    return false;
}

bool BarController::OnMouseMove(int x, int y, unsigned keys) {
    if (!bar_) return false;
    bar_->OnMouseMove(Handle(), x, y, keys);
    if (!capture_ || GetCapture() == nullptr) {
        ::SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        SetCapture(Handle());
        capture_ = true;
    }
    RECT client{};
    GetClientRect(Handle(), &client);
    if (x < 0 || x > client.right || y < 0 || y > client.bottom) {
        ReleaseCapture();
        capture_ = false;
        bar_->OnMouseMove(Handle(), -1, -1, 0);
    }
    return false;
}

bool BarController::OnCaptureChanged(LPARAM) {
    if (bar_) bar_->OnMouseMove(Handle(), -1, -1, 0);
    return false;
}

void BarController::SetButtonBar(const Safe::XPtr<ButtonBar>& bar) {
    bar_ = bar;
    toolTip_ = Safe::MakeX<ToolTip>(Handle());
    if (!bar_ || !bar_->Buttons()) return;
    int index = 0;
    for (const auto& button : *bar_->Buttons()) {
        if (!button->tooltip.empty())
            toolTip_->AddTool(Handle(), index,
                              {button->x, button->y, button->x + button->width,
                               button->y + button->height},
                              button->tooltip);
        ++index;
    }
}

void BarController::CheckButton(const int& id, const bool& on) {
    if (!bar_) return;
    Safe::XPtr<Button> button = bar_->FindById(id);
    if (!button || button->Kind() != kCheckButton) return;
    const int before = button->State();
    button->ChangeState(Handle(), on ? kChecked : kNormal);
    if (before != kDisabled) bar_->ClearGroup(Handle(), button->machine.group, id);
}

void BarController::EnableButton(const int& id, const bool& on) {
    if (!bar_) return;
    if (Safe::XPtr<Button> button = bar_->FindById(id))
        button->ChangeState(Handle(), on ? kNormal : kDisabled);
}

int BarController::GetButtonState(const int& id) const {
    if (!bar_) return -1;
    Safe::XPtr<Button> button = bar_->FindById(id);
    return button ? button->State() : -1;
}

void BarController::Repaint() {
    if (!bar_) return;
    bar_->OnMouseMove(Handle(), -1, -1, 0);
    Graphics graphics(Handle());
    bar_->PaintAll(graphics.Get());
}

ToolBar::ToolBar(Wnd parent) {
    RegisterClassOnce("ToolBarClass", InstanceOf(parent.Handle()));
    controller_ = Safe::MakeX<BarController>();
    WindowMaker maker("ToolBarClass", parent, 0);
    maker.Create(controller_);
}

void ToolBar::SetObserver(const Safe::XPtr<BarObserver>& observer) {
    observer_ = observer;
    if (observer_) observer_->SetOwner(controller_.Get());
}

}  // namespace Winplus
