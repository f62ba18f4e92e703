#pragma once
// The panel tree that tiles the main window: containers share their length among their
// children, leaves carry a caption with a collapse button and one content control; a splitter
// band on a panel's right or bottom edge resizes it against its neighbour.
#include <string>
#include <vector>

#include "winplus/button.h"
#include "winplus/designer.h"
#include "winplus/panel_layout.h"
#include "winplus/window.h"

namespace Winplus {

class PanelController;

class Panel : public Safe::Countable {
public:
    // Re-lays out its target panel.
    class Cmd : public Command {
    public:
        explicit Cmd(Panel* target) : target_(target) {}
        bool Execute(const int&) override { return target_->Layout(); }

    private:
        Panel* target_;  // the owner; not counted
    };

    virtual bool Layout() = 0;
    virtual void Move(int x, int y, int width, int height, bool repaint) = 0;
    const Safe::XPtr<PanelController>& Controller() const { return controller_; }

protected:
    unsigned char orientation_ = 0;  // containers: 0 side by side, 1 stacked
    Safe::XPtr<PanelController> controller_;
};

class PanelContainer : public Panel {
public:
    PanelContainer(Wnd parent, unsigned char orientation);
    void Add(Safe::XPtr<Panel> child);
    bool Layout() override;
    void Move(int x, int y, int width, int height, bool repaint) override;
    const std::vector<Safe::XPtr<Panel>>& Children() const { return children_; }

private:
    std::vector<Safe::XPtr<Panel>> children_;
    Safe::XPtr<Command> ownCommand_;
};

// Children left to right.
class HPanel : public PanelContainer {
public:
    explicit HPanel(Wnd parent) : PanelContainer(parent, 0) {}
};
// Children top to bottom.
class VPanel : public PanelContainer {
public:
    explicit VPanel(Wnd parent) : PanelContainer(parent, 1) {}
};

class PanelLeaf : public Panel {
public:
    bool Layout() override { return true; }
    void Move(int x, int y, int width, int height, bool repaint) override;

protected:
    void SetController(Safe::XPtr<PanelController> controller) { controller_ = controller; }
};

class VLeaf : public PanelLeaf {};

// The caption band of a leaf.
class PanelDesigner : public Designer {
public:
    void Paint(Gdiplus::GpGraphics* graphics) override;

    RECT caption{};
    // Where the caption's text goes: one line, cut with an ellipsis when it does not fit.
    Box textBox{2, 3, 0, 20};
    std::wstring text = L"Leaf";
    bool noBottomLine = true;
};

class PanelController : public Controller {
public:
    PanelController() = default;

    bool OnLButtonDown(int x, int y, unsigned keys) override;
    bool OnLButtonUp(int x, int y, unsigned keys) override;
    bool OnMouseMove(int x, int y, unsigned keys) override;
    bool OnSetCursor() override;

    virtual int GetMinExtent();
    // Grows the panel by delta along its resize axis, against its neighbour when propagate is
    // set; returns the negation of the change it made.
    virtual int Resize(const int& delta, const bool& propagate);
    // Places the panel's content.
    virtual void Layout(int, int, int, int, bool) {}

    void SetHeaderSize(const bool& on, const int& pixels);
    void SetSplitterSize(const bool& on, const int& pixels);
    // 0: resized in height; 1: resized in width.
    void SetOrientation(const int& mode);
    void Show(const bool& visible);

    bool visible = true;
    bool resizeInHeight = false;
    bool stretchable = true;
    double weight = 1.0;
    bool headerOn = false;
    int headerSize = 0;
    bool splitterOn = false;
    int splitterSize = 0;
    Safe::XPtr<PanelController> next;
    Safe::XPtr<PanelDesigner> designer;
    Safe::XPtr<Command> containerCommand;
    Safe::XPtr<Command> ownCommand;

private:
    // Whether a screen point lies on the splitter band.
    bool NearSplitter(POINT screen) const;
    // The screen point of a position in the client area, as a mouse message gives it.
    POINT OnScreen(int x, int y) const;
    // Moves the splitter by what the pointer moved since the last point of the drag.
    void DragTo(POINT screen);

    bool dragging_ = false;
    POINT last_{};
};

// A fixed band (a bar with a caption): not stretchable, no splitter.
class AreaController : public PanelController {
public:
    AreaController();
    bool Move(int x, int y, int width, int height, bool repaint) override;
};

// A leaf with a caption, a splitter and a button that collapses it to its caption.
class LeafController : public PanelController {
public:
    explicit LeafController(const std::wstring& caption = L"Leaf");

    bool OnCreate() override;
    bool OnPaint() override;
    bool OnLButtonDown(int x, int y, unsigned keys) override;
    bool OnLButtonUp(int x, int y, unsigned keys) override;
    bool OnMouseMove(int x, int y, unsigned keys) override;
    bool Move(int x, int y, int width, int height, bool repaint) override;
    virtual void PaintExtra(Gdiplus::GpGraphics*, const RECT&) {}

    const Safe::XPtr<ButtonToggle>& CollapseButton() const { return collapse_; }

private:
    void PlaceCollapseButton(const RECT& client);
    CaptionLayout Caption(const RECT& client) const;

    Safe::XPtr<ButtonToggle> collapse_;
};

// Registers className once and creates a child window of parent for the controller.
void CreatePanelWindow(const std::string& className, Wnd parent,
                       const Safe::XPtr<Controller>& controller);

}  // namespace Winplus
