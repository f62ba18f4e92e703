#pragma once
// Thin owning wrappers of the common controls: each holds its control window, sends it the
// control's messages and turns texts into narrow strings (at most 127 characters).
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>

#include "winplus/handles.h"
#include "winplus/window.h"

namespace Winplus {

class Control : public Wnd {
public:
    Control() = default;
    ~Control() override;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Creates the control window as a visible child of parent; throws "Internal error: Window
    // Creation Failed." when the system refuses.
    void Create(HWND parent, const char* className, DWORD style, int id, DWORD exStyle = 0);
    // The control's own notices, reflected to it by its parent's window procedure before the
    // parent's handlers: the WM_NOTIFY result when handled, or nothing to let the parent go on.
    virtual std::optional<LRESULT> OnNotify(NMHDR&) { return std::nullopt; }
    // A WM_COMMAND notification code (EN_CHANGE, LBN_DBLCLK ...); true when handled.
    virtual bool OnCommand(int) { return false; }
    void SetDefaultFont();
    int Id() const { return id_; }

protected:
    // Takes the control window and binds this object to it for the parent's reflection.
    void Adopt(HWND hwnd, int id);
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(Handle(), message, wParam, lParam);
    }

private:
    int id_ = 0;
    GdiObject<HFONT> font_;
};

// The screen point of the mouse message being handled (GetMessagePos): where a click was, while
// the pointer may have moved on (input queues up while the program is busy).
POINT MessagePoint();

class ControlTree : public Control {
public:
    HTREEITEM InsertItem(const std::string& text, HTREEITEM parent, HTREEITEM after, int image,
                         int selectedImage, int bold, int checked);
    void DeleteItem(HTREEITEM item);
    void DeleteAll();
    void DeleteChildren(HTREEITEM item);
    HTREEITEM GetRoot() const { return Next(nullptr, TVGN_ROOT); }
    HTREEITEM GetChild(HTREEITEM item) const { return Next(item, TVGN_CHILD); }
    HTREEITEM GetNextSibling(HTREEITEM item) const { return Next(item, TVGN_NEXT); }
    HTREEITEM GetParentItem(HTREEITEM item) const { return Next(item, TVGN_PARENT); }
    HTREEITEM GetSelection() const { return Next(nullptr, TVGN_CARET); }
    void SelectItem(HTREEITEM item);
    HTREEITEM HitTest(const POINT& screenPoint) const;
    // Selects the item under the point, or nothing.
    HTREEITEM Select(const POINT& screenPoint);
    std::string GetItemText(HTREEITEM item) const;
    // The explorers' kind of an item; -1 for none.
    int GetItemImage(HTREEITEM item) const;
    void SetCheck(HTREEITEM item, const bool& on);
    void SetCheckRecursive(HTREEITEM item, const bool& on);
    void RemoveCheck(HTREEITEM item);
    bool IsChecked(HTREEITEM item) const;
    void SetImageList(int type, HIMAGELIST list);

private:
    HTREEITEM Next(HTREEITEM item, UINT relation) const;
    void SetStateImage(HTREEITEM item, int image);
};

class ControlListView : public Control {
public:
    bool InsertItem(const int& index, const std::string& text, int image);
    void SetItemText(const int& item, const int& subitem, const std::string& text);
    std::string GetItemText(const int& item) const;
    int FindItem(const std::string& text) const;
    bool DeleteAll();
    int HitTest(const POINT& screenPoint) const;
    void SetImageList(HIMAGELIST list);
    void SetSmallImageList(HIMAGELIST list);
};

class ControlListBox : public Control {
public:
    void AddString(const std::string& text);
    void Reset();
    int GetCurSel() const;
    std::string GetSelectedText() const;
};

class ControlCombo : public Control {
public:
    void AddString(const std::string& text);
    void Reset();
    void SetCurSel(const int& index);
    void SelectString(const std::string& text);
    std::string GetSelectedText() const;
};

class ControlEdit : public Control {
public:
    void SetText(const std::string& text);
    std::string GetText() const;
    void SetDouble(double value);
    // ok tells whether the text is a number; 0.0 when it is not.
    double GetDouble(bool& ok) const;
};

class ControlScroll : public Control {
public:
    // Positions 0 to maximum, a page of one, the thumb at position; the bar is enabled only when
    // there is something to scroll.
    void SetRange(int maximum, int position);
    void SetThumb(int position);
};

class ControlUpDown : public Control {
public:
    // The horizontal, wrapping up-down control of 32 x 18 pixels with the range 0 to 3.
    void CreateUpDown(HWND parent, int id);
};

}  // namespace Winplus
