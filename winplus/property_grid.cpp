#include "winplus/property_grid.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>

#include "foundation/event_bus.h"

namespace Winplus {

namespace {

constexpr int kEditId = 2;
constexpr int kScrollId = 3;
constexpr int kListId = 1;  // the popup list's list box
constexpr Argb kWhite = 0xFFFFFFFF;
constexpr Argb kGreyText = 0xFF808080;

ColorChooser& Chooser() {
    static ColorChooser chooser;
    return chooser;
}
void ResetChooser() {
    Chooser() = ColorChooser();
}
[[maybe_unused]] const bool kChooserReset = RegisterProcessReset(&ResetChooser);

bool SystemColorChooser(HWND owner, COLORREF& color) {
    // Kept for the process, as the dialog's custom colours are.
    static COLORREF custom[16] = {};
    CHOOSECOLORA record{};
    record.lStructSize = sizeof(record);
    record.hwndOwner = owner;
    record.rgbResult = color;
    record.lpCustColors = custom;
    record.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!ChooseColorA(&record)) return false;
    color = record.rgbResult;
    return true;
}

// The edit passes Enter, Tab and Escape to the grid instead of beeping at them.
LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR) {
    if (message == WM_CHAR && (wParam == VK_RETURN || wParam == VK_TAB || wParam == VK_ESCAPE)) {
        SendNotifyMessageA(GetParent(hwnd), WM_CHAR, wParam, lParam);
        return 0;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, EditProc, 1);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// The drop button at the row's right end.
Box DropButton(int right, int y) {
    return {right - 15, y, 14, 17};
}

void PaintButton(Gdiplus::GpGraphics* g, const Property& row, int right, int y) {
    FillBox(g, row.colors.nameCell, DropButton(right, y));
    OutlineBox(g, row.colors.line, DropButton(right, y));
}

void PaintNameAndOutline(Gdiplus::GpGraphics* g, Gdiplus::GpFont* font, const Property& row,
                         const Box& box, int column, int offset) {
    const Box nameCell{box.x, box.y, std::min(box.width, column), box.height};
    FillBox(g, row.colors.nameCell, nameCell);
    OutlineBox(g, row.colors.line, {box.x, box.y, box.width - 1, box.height - 1});
    DrawText(g, font, row.colors.nameText, row.Name(),
             {box.x + 2, box.y + offset, nameCell.width, box.height}, &nameCell);
    if (box.width > column)
        FillBox(g, kWhite, {column, box.y + 1, box.width - column - 1, box.height - 2});
}

}  // namespace

void SetColorChooser(ColorChooser chooser) {
    Chooser() = std::move(chooser);
}

void PaintProperty(Gdiplus::GpGraphics* g, Gdiplus::GpFont* font, const Property& row,
                   const Box& box, int column, int offset) {
    const int right = std::max(box.x + box.width, column + 16);
    const int y = box.y;
    if (row.Kind() == kHeaderRow) {
        FillBox(g, row.colors.nameCell, {box.x, y, box.width - 1, box.height});
        OutlineBox(g, row.colors.line, {box.x, y, box.width - 1, box.height});
        DrawText(g, font, row.colors.nameText, row.Name(),
                 {box.x + 2, y + offset, box.width, box.height});
        return;
    }
    PaintNameAndOutline(g, font, row, box, column, offset);
    if (row.Kind() == kColorRow) {
        FillBox(g, row.color, {column + 1, y + 2, 14, 14});
        PaintButton(g, row, right, y);
        for (int dx : {12, 9, 6}) FillBox(g, row.colors.line, {right - dx, y + 9, 2, 2});
        return;
    }
    const Box clip{box.x, y, box.width - 1, box.height};
    DrawText(g, font, row.enabled ? row.color : kGreyText, row.Text(),
             {column, y + offset, std::max(box.width - column, 0), box.height}, &clip);
    if (row.Kind() == kBooleanRow || row.Kind() == kListRow) {
        PaintButton(g, row, right, y);
        const Gdiplus::Point triangle[] = {
            {right - 11, y + 7}, {right - 3, y + 7}, {right - 8, y + 12}, {right - 12, y + 7}};
        FillPolygon(g, row.colors.line, triangle, 4);
    } else if (row.Kind() == kMessageRow) {
        PaintButton(g, row, right, y);
        FillEllipse(g, row.colors.line, {right - 11, y + 5, 6, 7});
    }
}

void PropertyScrollBar::ScrollTo(int position) {
    position_ = position;
    SetThumb(position_);
}

void PropertyScrollBar::Update(int rowCount, int barHeight) {
    rowCount_ = rowCount;
    barHeight_ = barHeight;
    const int maximum = Maximum();
    position_ = std::clamp(position_, 0, maximum);
    if (command) command->Execute(position_);
    SetRange(maximum, position_);
}

void PropertyScrollBar::Scroll(WPARAM request) {
    const int target = ScrollTarget(LOWORD(request), position_, Maximum(), HIWORD(request));
    if (target == position_) return;
    ScrollTo(target);
    if (!command) return;
    command->Execute(position_);
    command->Execute(-1);
}

namespace {
// The scroll bar's command: a row to show first, or -1 to repaint.
class ScrollCmd : public Command {
public:
    explicit ScrollCmd(PropertyController* grid) : grid_(grid) {}
    bool Execute(const int& code) override {
        if (code >= 0)
            grid_->SetFirstVisible(code);
        else
            grid_->Repaint();
        return true;
    }

private:
    PropertyController* grid_;  // owns the scroll bar that owns this command
};
}  // namespace

PropertyController::PropertyController() : font_(MakeFont()) {}

bool PropertyController::OnCreate() {
    scroll_->Create(Handle(), "SCROLLBAR", SBS_VERT | WS_DISABLED, kScrollId);
    scroll_->Move(0, 0, kGridScrollWidth, 200, false);
    scroll_->command = Safe::MakeX<ScrollCmd>(this);
    edit_->Create(Handle(), "EDIT", ES_AUTOHSCROLL, kEditId);
    edit_->SetDefaultFont();
    SetWindowSubclass(edit_->Handle(), EditProc, 1, 0);
    edit_->Show(false);
    popup_ = Safe::MakeX<PopupListBox>(Window());
    return false;
}

int PropertyController::ClientWidth() const {
    RECT r{};
    GetClientRect(Handle(), &r);
    return r.right;
}

int PropertyController::ClientHeight() const {
    RECT r{};
    GetClientRect(Handle(), &r);
    return r.bottom;
}

bool PropertyController::OnPaint() {
    PaintScope paint(Handle());
    Graphics graphics(paint.DC());
    const int width = ClientWidth() - 19, height = ClientHeight();
    int y = 0;
    for (int i = first_; i < static_cast<int>(rows_.size()); ++i) {
        PaintProperty(graphics.Get(), font_.Get(), *rows_[i], {0, y, width, kRowHeight - 1},
                      kValueColumn, kTextOffset);
        y += kRowHeight;
        if (y > height) break;
    }
    FillBox(graphics.Get(), kWhite, {0, y, ClientWidth(), height - y});
    return true;
}

void PropertyController::Repaint() {
    InvalidateRect(Handle(), nullptr, FALSE);
    UpdateWindow(Handle());
}

void PropertyController::SetRows(const std::vector<Safe::XPtr<Property>>& rows) {
    rows_.clear();
    for (const auto& row : rows)
        if (row) rows_.push_back(row);
    // Nothing stays open on a row that may no longer exist.
    selected_ = -1;
    edited_ = false;
    HideEditors();
    scroll_->Update(static_cast<int>(rows_.size()), ClientHeight());
    first_ = scroll_->Position();
    Repaint();
}

void PropertyController::Execute(int index) {
    if (command_) command_->Execute(index);
}

void PropertyController::HideEditors() {
    if (edit_->Handle()) edit_->Show(false);
    if (popup_) popup_->Show(SW_HIDE);
}

void PropertyController::SelectAt(int x, int y) {
    const int count = static_cast<int>(rows_.size());
    if (edited_ && selected_ >= 0 && selected_ < count) {
        const int kind = rows_[selected_]->Kind();
        if (kind == kIntegerRow || kind == kDoubleRow || kind == kStringRow)
            rows_[selected_]->SetText(edit_->GetText());
    }
    edited_ = false;
    HideEditors();
    if (selected_ >= 0 && selected_ < count && rows_[selected_]->Kind() != kMessageRow)
        Execute(selected_);
    selected_ = RowAt(y, first_, count);
    if (selected_ < 0 || x < kValueColumn) return;
    Property& row = *rows_[selected_];
    if (!row.enabled) return;
    const bool dropZone = InDropZone(x, ClientWidth());
    switch (row.Kind()) {
        case kBooleanRow:
            if (dropZone) OpenDropDown({"False", "True"}, kBooleanDropHeight);
            break;
        case kIntegerRow:
        case kDoubleRow:
        case kStringRow: OpenEdit(); break;
        case kListRow:
            if (dropZone && !row.choices.empty())
                OpenDropDown(row.choices, ListDropHeight(row.choices.size()));
            break;
        case kColorRow:
            if (dropZone) PickColor();
            break;
        case kMessageRow:
            if (dropZone) Execute(selected_);
            break;
        default: break;
    }
}

void PropertyController::OpenDropDown(const std::vector<std::string>& entries, int height) {
    popup_->Reset();
    for (const std::string& entry : entries) popup_->AddString(entry);
    const Box box = DropDownBox(selected_, first_, ClientWidth(), height);
    POINT corner{box.x, box.y};
    ClientToScreen(Handle(), &corner);
    popup_->Move(corner.x, corner.y, box.width, box.height, true);
    popup_->Show(SW_SHOW);
}

void PropertyController::OpenEdit() {
    const Box box = EditorBox(selected_, first_, ClientWidth());
    edit_->Move(box.x, box.y, box.width, box.height, true);
    edit_->Show(true);
    SetFocus(edit_->Handle());
    edit_->SetText(rows_[selected_]->GetText());
    // Filling the edit is no change of the user's.
    edited_ = false;
}

void PropertyController::PickColor() {
    COLORREF color = ToColorRef(rows_[selected_]->color);
    const bool chosen =
        Chooser() ? Chooser()(Handle(), color) : SystemColorChooser(Handle(), color);
    if (!chosen) return;
    rows_[selected_]->color = FromColorRef(color);
    Repaint();
    Execute(selected_);
}

void PropertyController::ListPicked() {
    if (selected_ < 0 || selected_ >= static_cast<int>(rows_.size())) return;
    Property& row = *rows_[selected_];
    const int entry = popup_->GetCurSel();
    if (row.Kind() == kBooleanRow && (entry == 0 || entry == 1)) {
        row.SetBoolean(entry == 1);
    } else if (row.Kind() == kListRow && entry >= 0) {
        row.SetText(popup_->GetSelectedText());
    } else {
        return;
    }
    popup_->Show(SW_HIDE);
    Repaint();
    Execute(selected_);
}

bool PropertyController::OnCommand(WPARAM wParam, LPARAM) {
    const int id = LOWORD(wParam), code = HIWORD(wParam);
    if (id == kListId && code == LBN_DBLCLK) {
        ListPicked();
    } else if (id == kEditId && code == EN_CHANGE) {
        edited_ = true;
    } else if (id == kEditId && code == EN_KILLFOCUS) {
        if (edited_) Commit();
    } else {
        return false;
    }
    return true;
}

bool PropertyController::OnChar(WPARAM key, LPARAM) {
    if (key == VK_RETURN || key == VK_TAB) {
        Commit();
        return true;
    }
    if (key == VK_ESCAPE) {
        // Cancels the edit: the row keeps its value and nothing is reported.
        edited_ = false;
        HideEditors();
        return true;
    }
    return false;
}

bool PropertyController::OnLButtonDown(int x, int y, unsigned) {
    SelectAt(x, y);
    return true;
}

bool PropertyController::OnVScroll(WPARAM wParam, LPARAM) {
    if (edited_) Commit();
    HideEditors();
    scroll_->Scroll(wParam);
    return true;
}

bool PropertyController::OnMouseWheel(int, int, int delta, unsigned) {
    const int before = first_;
    if (delta < 0 && first_ < scroll_->Maximum()) ++first_;
    if (delta > 0 && first_ > 0) --first_;
    if (first_ != before) {
        scroll_->ScrollTo(first_);
        Repaint();
    }
    return false;
}

bool PropertyController::Move(int x, int y, int width, int height, bool repaint) {
    const bool moved = Controller::Move(x, y, width, height, repaint);
    scroll_->Move(width - kGridScrollWidth, 0, kGridScrollWidth, height, repaint);
    scroll_->Update(static_cast<int>(rows_.size()), height);
    first_ = scroll_->Position();
    if (edited_)
        SelectAt(0, -kRowHeight);
    else
        HideEditors();
    return moved;
}

ControlProperty::ControlProperty(Wnd parent) : controller_(Safe::MakeX<PropertyController>()) {
    RegisterClassOnce("PropertyClass", InstanceOf(parent.Handle()), {true, IDC_ARROW});
    WindowMaker maker("PropertyClass", parent, 0);
    maker.style |= WS_CLIPCHILDREN;
    maker.Create(controller_);
}

}  // namespace Winplus
