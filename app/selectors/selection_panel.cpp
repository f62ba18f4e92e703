#include "app/selectors/selection_panel.h"

#include <commctrl.h>

#include "app/selectors/category_selector.h"
#include "foundation/label.h"
#include "model/selection.h"
#include "winplus/gdip_draw.h"

namespace Core {

namespace {

constexpr int kSelectionHeight = 110;
constexpr int kModeUpDownId = 3;
constexpr int kArgumentUpDownId = 4;
constexpr Winplus::Argb kBlack = 0xFF000000;

// Every pick of the three selectors.
class SelCmd : public Winplus::Command {
public:
    explicit SelCmd(SelectionController* owner) : owner_(owner) {}
    bool Execute(const int& code) override {
        if (owner_) owner_->Pick(code);
        return true;
    }
    // The selectors may hold the command longer than the panel lives.
    void Detach() { owner_ = nullptr; }

private:
    SelectionController* owner_;  // not counted: the controller holds this command
};

std::wstring Wide(const std::string& text) {
    std::wstring wide;
    ToWide(text, wide);
    return wide;
}

}  // namespace

SelectionController::SelectionController()
    : core_(std::make_unique<SelectionCore>()), target_(Safe::MakeX<SelCmd>(this)) {
    SetHeaderSize(true, kSelectionHeight);
}

SelectionController::~SelectionController() {
    static_cast<SelCmd&>(*target_).Detach();
}

bool SelectionController::OnCreate() {
    RECT client{};
    GetClientRect(Handle(), &client);
    font_ = Winplus::MakeFont();
    modeTabs_ = Safe::MakeX<Winplus::StickerBar>(Handle(), L"Intercalary");
    modeTabs_->SetCommandId(kModeTabs);
    modeTabs_->SetStickers({MakeTab(L"Function", true), MakeTab(L"Formula", true)});
    modeTabs_->SetRect(40, 3, client.right - 43, 18);
    argumentTabs_ = Safe::MakeX<Winplus::StickerBar>(Handle(), L"Intercalary");
    argumentTabs_->SetCommandId(kArgumentTabs);
    argumentTabs_->SetRect(3, client.bottom - 21, client.right - 43, 18);
    modeUpDown_ = Safe::MakeX<Winplus::StickerUpDown>(Handle(), kModeUpDownId, modeTabs_.Get());
    argumentUpDown_ =
        Safe::MakeX<Winplus::StickerUpDown>(Handle(), kArgumentUpDownId, argumentTabs_.Get());
    modeUpDown_->Update();
    argumentUpDown_->Update();
    value_.Create(Handle(), "EDIT", ES_AUTOHSCROLL, 0);
    value_.SetDefaultFont();
    variables_.Create(Handle(), "COMBOBOX", WS_VSCROLL | CBS_HASSTRINGS | CBS_DROPDOWNLIST, 0);
    variables_.SetDefaultFont();
    core_->SetRelinked([this] { ShowArgument(); });
    ShowArguments();
    return true;
}

void SelectionController::Layout(int, int, int width, int height, bool repaint) {
    if (!modeTabs_) return;
    modeTabs_->SetRect(40, 3, width - 43, 18);
    argumentTabs_->SetRect(3, height - 21, width - 43, 18);
    modeUpDown_->Move(3, 3, 36, 18, repaint);
    modeUpDown_->Update();
    argumentUpDown_->Move(width - 39, height - 21, 36, 18, repaint);
    argumentUpDown_->Update();
    value_.Move(50, 70, width - 51, 14, repaint);
    variables_.Move(50, 45, width - 50, 100, repaint);  // 100: the height of the dropped list
}

void SelectionController::Pick(int code) {
    // Codes that make no node (the effective-medium stickers) leave the panel as it was.
    if (!core_->Pick(code)) return;
    if (!modeTabs_) return;
    modeTabs_->SetFirstVisible(0);
    modeTabs_->Select(code == 0 ? 1 : 0);
    ShowArguments();
    ShowBoxes();
    Repaint();
}

void SelectionController::ShowArguments() {
    Winplus::StickerList tabs;
    for (const std::string& name : core_->GetArgumentNames())
        tabs.push_back(MakeTab(Wide(name), false));
    argumentTabs_->SetFirstVisible(0);
    argumentTabs_->SetStickers(UniquelyNamed(tabs));
    argumentTabs_->Select(0);
    ShowArgument();
    argumentUpDown_->Show(!tabs.empty());
    argumentUpDown_->Update();
}

void SelectionController::ShowArgument() {
    if (!value_.Handle()) return;
    const ArgumentView view = core_->View();
    filling_ = true;
    variables_.Reset();
    for (const std::string& name : view.variables) variables_.AddString(name);
    variables_.SetCurSel(view.variable);
    EnableWindow(variables_.Handle(), view.variableEnabled);
    switch (view.value) {
        case ArgumentView::Value::Empty: value_.SetText(""); break;
        case ArgumentView::Value::Variable: value_.SetText("variable"); break;
        case ArgumentView::Value::Number: value_.SetDouble(view.number); break;
    }
    EnableWindow(value_.Handle(), view.valueEnabled);
    filling_ = false;
}

void SelectionController::ShowBoxes() {
    for (HWND box : {variables_.Handle(), value_.Handle()}) {
        ShowWindow(box, SW_SHOW);
        UpdateWindow(box);
    }
}

bool SelectionController::OnCommand(WPARAM wParam, LPARAM lParam) {
    const auto from = reinterpret_cast<HWND>(lParam);
    if (from && from == variables_.Handle()) {
        if (HIWORD(wParam) == CBN_SELCHANGE && !filling_) {
            core_->BindArgument(variables_.GetSelectedText());
            ShowArgument();
        }
    } else if (from && from == value_.Handle()) {
        bool ok = false;
        const double number = HIWORD(wParam) == EN_CHANGE && !filling_ ? value_.GetDouble(ok) : 0.0;
        if (ok) core_->SetArgumentValue(number);
    } else if (wParam == kModeTabs) {
        ShowBoxes();
        argumentUpDown_->Show(true);
        core_->ShowMode(modeTabs_->Selected());
        ShowArguments();
        Repaint();
    } else if (wParam == kArgumentTabs) {
        core_->SelectArgument(argumentTabs_->Selected());
        ShowArgument();
    }
    return true;
}

bool SelectionController::OnLButtonDown(int x, int y, unsigned) {
    const POINT point{x, y};
    for (const auto& bar : {modeTabs_, argumentTabs_})
        if (bar && bar->HitTest({x, y})) bar->OnLeftClick(point);
    return true;
}

bool SelectionController::OnNotify(WPARAM, LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code != static_cast<UINT>(UDN_DELTAPOS)) return false;
    const int delta = reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta;
    for (const auto& upDown : {modeUpDown_, argumentUpDown_})
        if (upDown && header->hwndFrom == upDown->Handle()) upDown->OnDelta(delta);
    return false;
}

bool SelectionController::OnPaint() {
    RECT client{};
    GetClientRect(Handle(), &client);
    Winplus::PaintScope paint(Handle());
    DrawEdge(paint.DC(), &client, EDGE_SUNKEN, BF_RECT);
    Winplus::Graphics graphics(paint.DC());
    Draw(graphics.Get());
    return false;
}

void SelectionController::Repaint() const {
    Winplus::Graphics graphics(Handle());
    Draw(graphics.Get());
}

void SelectionController::Draw(Gdiplus::GpGraphics* g) const {
    if (!modeTabs_) return;
    RECT client{};
    GetClientRect(Handle(), &client);
    const int w = client.right, h = client.bottom;
    const Node::Ptr current = Selection::GetCurrent();
    const std::wstring name = L"Name: " + (current ? Wide(current->Name()) : L"Undefined");
    Winplus::DrawLine(g, kBlack, 39, 20, 42, 20);
    modeTabs_->Draw(g);
    Winplus::Gdip::GdipSetClipRectI(g, 0, 0, w - 4, h, Gdiplus::CombineModeReplace);
    Winplus::FillBox(g, Winplus::ButtonFace(), {4, 26, w - 8, 16});
    Winplus::DrawText(g, font_.Get(), kBlack, name, {12, 27, w - 16, 16});
    Winplus::DrawText(g, font_.Get(), kBlack, L"Variable:", {2, 48, 48, 16});
    Winplus::DrawText(g, font_.Get(), kBlack, L"Value:", {12, 70, 38, 16});
    Winplus::Gdip::GdipResetClip(g);
    Winplus::OutlineBox(g, kBlack, {49, 69, w - 50, 15});
    argumentTabs_->PaintBackground(g);
    argumentTabs_->Draw(g);
}

NodeSelection::NodeSelection(Winplus::Wnd parent) {
    SetController(Safe::MakeX<SelectionController>());
    Winplus::CreatePanelWindow("SelectionClass", parent, controller_);
}

SelectionController& NodeSelection::Panel() const {
    return static_cast<SelectionController&>(*controller_);
}

Safe::XPtr<Winplus::Command> NodeSelection::GetTarget() const {
    return Panel().Target();
}

}  // namespace Core
