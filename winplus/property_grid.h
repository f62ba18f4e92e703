#pragma once
// The property grid: rows of settings painted by the program, a name column and a value column,
// edited in place (an edit over the value cell, a drop-down list, the colour chooser). Every
// committed change and every change of the selected row executes the grid's command with the
// row's index.
#include <functional>
#include <vector>

#include "winplus/controls.h"
#include "winplus/gdip_draw.h"
#include "winplus/popups.h"
#include "winplus/property.h"
#include "winplus/window.h"

namespace Winplus {

// Shows the colour chooser for owner starting at color; true with the chosen colour. Tests
// replace it; an empty function restores the system's (ChooseColorA, full open, 16 custom
// colours kept for the process).
using ColorChooser = std::function<bool(HWND owner, COLORREF& color)>;
void SetColorChooser(ColorChooser chooser);

// Paints one row: (x, y, width, height) the row, column the value column's x, offset the text's.
void PaintProperty(Gdiplus::GpGraphics* g, Gdiplus::GpFont* font, const Property& row,
                   const Box& box, int column, int offset);

class PropertyScrollBar : public ControlScroll {
public:
    // Clamps the position to the new maximum, tells the command and enables the bar only when
    // something is left to scroll.
    void Update(int rowCount, int barHeight);
    // A WM_VSCROLL request; the command hears the new first row, then -1 (repaint).
    void Scroll(WPARAM request);
    int Maximum() const { return GridScrollMaximum(rowCount_, barHeight_); }
    int Position() const { return position_; }
    // Moves the thumb (the command is not told).
    void ScrollTo(int position);

    Safe::XPtr<Command> command;

private:
    int position_ = 0;
    int rowCount_ = 0;
    int barHeight_ = 0;
};

class PropertyController : public Controller {
public:
    PropertyController();

    bool OnCreate() override;
    bool OnPaint() override;
    bool OnLButtonDown(int x, int y, unsigned) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnChar(WPARAM key, LPARAM) override;
    bool OnVScroll(WPARAM wParam, LPARAM) override;
    bool OnMouseWheel(int, int, int delta, unsigned) override;
    bool Move(int x, int y, int width, int height, bool repaint) override;

    // A new row set drops the selection and any open editor.
    void SetRows(const std::vector<Safe::XPtr<Property>>& rows);
    void SetCommand(const Safe::XPtr<Command>& command) { command_ = command; }
    void Repaint();
    // Commits a pending edit, reports the previously selected row and selects the row under
    // the point, opening its editor where the point asks for one. (-1, -1) only commits.
    void SelectAt(int x, int y);
    void SetFirstVisible(int row) { first_ = row; }

    int Selected() const { return selected_; }
    const std::vector<Safe::XPtr<Property>>& Rows() const { return rows_; }
    int FirstVisible() const { return first_; }
    ControlEdit& Edit() { return *edit_; }
    PopupListBox& Popup() { return *popup_; }
    PropertyScrollBar& ScrollBar() { return *scroll_; }

private:
    void Execute(int index);
    void HideEditors();
    void Commit() { SelectAt(-1, -1); }
    void OpenDropDown(const std::vector<std::string>& entries, int height);
    void OpenEdit();
    void PickColor();
    void ListPicked();
    int ClientWidth() const;
    int ClientHeight() const;

    Safe::XPtr<PropertyScrollBar> scroll_ = Safe::MakeX<PropertyScrollBar>();
    Safe::XPtr<ControlEdit> edit_ = Safe::MakeX<ControlEdit>();
    Safe::XPtr<PopupListBox> popup_;
    std::vector<Safe::XPtr<Property>> rows_;
    Safe::XPtr<Command> command_;
    int selected_ = -1;
    GdipFont font_;
    int first_ = 0;
    bool edited_ = false;
};

class ControlProperty : public Safe::Countable {
public:
    explicit ControlProperty(Wnd parent);
    void SetRows(const std::vector<Safe::XPtr<Property>>& rows) { controller_->SetRows(rows); }
    void SetCommand(const Safe::XPtr<Command>& command) { controller_->SetCommand(command); }
    void Refresh() { controller_->Repaint(); }
    void Move(int x, int y, int width, int height, bool repaint) {
        controller_->Move(x, y, width, height, repaint);
    }
    const Safe::XPtr<PropertyController>& Controller() const { return controller_; }

private:
    Safe::XPtr<PropertyController> controller_;
};

}  // namespace Winplus
