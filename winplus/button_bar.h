#pragma once
// A row or column of buttons in a window of its own ("ToolBarClass"), the controller that routes
// the mouse to the buttons, and the tooltips of the buttons.
#include <string>

#include "foundation/object_set.h"
#include "winplus/button.h"

namespace Winplus {

using ButtonList = ObjectSet<Safe::XPtr<Button>>;

class ButtonBar : public Label {
public:
    // Defaults of the factories below: the size of new buttons and the window whose program
    // holds the bitmaps.
    static void SetButtonSize(const SIZE& size);
    static void SetParent(Wnd parent);

    static Safe::XPtr<ButtonPush> AddPush(int bitmapId, int commandId, const std::string& tooltip,
                                          int group);
    static Safe::XPtr<ButtonCheck> AddCheck(int bitmapId, int commandId,
                                            const std::string& tooltip, int group);
    static Safe::XPtr<ButtonSeparator> AddSeparator(int bitmapId, const SIZE& size);
    static Safe::XPtr<ButtonWnd> AddWindow(const Safe::XPtr<Controller>& controller,
                                           const SIZE& size);

    virtual void DrawAll(ID2D1RenderTarget* target);
    virtual void PaintAll(Gdiplus::GpGraphics* graphics);

    // Stores the list and places its buttons one after the other.
    void SetButtons(const Safe::XPtr<ButtonList>& list);
    const Safe::XPtr<ButtonList>& Buttons() const { return buttons_; }
    Safe::XPtr<Button> FindById(const int& id) const;

    // -1 for an empty bar, 0 otherwise.
    int OnButtonDown(HWND hwnd, int x, int y, unsigned keys);
    int OnMouseMove(HWND hwnd, int x, int y, unsigned keys);
    // The command id of the button that fired, else -1; a radio button that fires unchecks the
    // others of its group.
    int OnButtonUp(HWND hwnd, int x, int y, unsigned keys);
    void ClearGroup(HWND hwnd, int group, int keepId);

    int x = 0, y = 0, width = 250, height = 22;
    bool vertical = false;

private:
    Safe::XPtr<ButtonList> buttons_;
};

class ToolTip : public Safe::Countable {
public:
    // Throws "Unable to init Tool Tip Window".
    explicit ToolTip(HWND owner);
    ~ToolTip() override;
    ToolTip(const ToolTip&) = delete;
    ToolTip& operator=(const ToolTip&) = delete;

    void AddTool(HWND owner, int toolId, const RECT& rect, const std::string& text);
    HWND Handle() const { return window_; }

private:
    HINSTANCE instance_;
    HWND window_;
};

class BarController : public Controller {
public:
    bool OnPaint() override;
    bool OnLButtonDown(int x, int y, unsigned keys) override;
    bool OnLButtonUp(int x, int y, unsigned keys) override;
    bool OnMouseMove(int x, int y, unsigned keys) override;
    bool OnCaptureChanged(LPARAM) override;

    // Stores the bar and gives each button with a tooltip text its tool.
    void SetButtonBar(const Safe::XPtr<ButtonBar>& bar);
    const Safe::XPtr<ButtonBar>& Bar() const { return bar_; }
    // For a check button: checked or not; checking a radio button unchecks its group.
    void CheckButton(const int& id, const bool& on);
    // Enabling also unchecks.
    void EnableButton(const int& id, const bool& on);
    // -1 when no button has the id.
    int GetButtonState(const int& id) const;
    void Repaint();
    void SetCommand(Safe::XPtr<Command> command) { command_ = command; }
    const Safe::XPtr<ToolTip>& Tips() const { return toolTip_; }

private:
    Safe::XPtr<ButtonBar> bar_;
    Safe::XPtr<ToolTip> toolTip_;
    Safe::XPtr<Command> command_;
    bool capture_ = false;
};

// An observer of a bar's subject that checks and enables the bar's buttons.
class BarObserver : public Observer {
public:
    void SetOwner(BarController* owner) { owner_ = owner; }

protected:
    BarController* owner_ = nullptr;  // not counted: the tool bar holds this observer
};

class ToolBar : public Safe::Countable {
public:
    explicit ToolBar(Wnd parent);
    void SetObserver(const Safe::XPtr<BarObserver>& observer);
    const Safe::XPtr<BarController>& Controller() const { return controller_; }
    bool Move(int x, int y, int width, int height, bool repaint) {
        return controller_->Move(x, y, width, height, repaint);
    }
    void Show(const bool& visible) { controller_->Window().Show(visible); }

private:
    Safe::XPtr<BarController> controller_;
    Safe::XPtr<BarObserver> observer_;
};

}  // namespace Winplus
