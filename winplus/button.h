#pragma once
// Tool-bar buttons drawn by the program: push, check, toggle, separator and window cell, and
// the bitmap painters that show a button's state as one frame of a picture strip.
#include <string>

#include "foundation/command.h"
#include "foundation/label.h"
#include "winplus/button_machine.h"
#include "winplus/designer.h"
#include "winplus/window.h"

struct IWICBitmap;

namespace Winplus {

class ButtonDesigner;

class Button : public Label {
public:
    explicit Button(int kind) : machine(kind) {}

    virtual void SetPosition(const POINT& point);
    virtual void SetSize(const SIZE& size);
    virtual void SetWindow(Safe::XPtr<Controller> controller) { window = controller; }
    virtual void SetDesigner(Safe::XPtr<ButtonDesigner> painter);
    // Where the next button of the bar starts.
    POINT GetFarEdge(const bool& vertical) const;
    bool HitTest(const POINT& point) const;
    virtual void Draw(ID2D1RenderTarget* target);
    virtual void Paint(Gdiplus::GpGraphics* graphics);
    virtual void PaintWindow(HWND hwnd);
    // Each returns the command id when the event fires the button, else -1.
    int OnMouseMove(HWND hwnd, int px, int py, unsigned keys);
    int OnButtonDown(HWND hwnd, int px, int py, unsigned keys);
    int OnButtonUp(HWND hwnd, int px, int py, unsigned keys);

    int Kind() const { return machine.kind; }
    int State() const { return machine.state; }
    // Sets the state and repaints the button in hwnd when it changed.
    void ChangeState(HWND hwnd, int state);

    int x = 0, y = 0, width = 22, height = 22;
    ButtonMachine machine;
    int commandId = -1;
    std::string tooltip;
    Safe::XPtr<Command> target;
    Safe::XPtr<Controller> window;
    Safe::XPtr<ButtonDesigner> designer;
};

class ButtonPush : public Button {
public:
    ButtonPush() : Button(kPushButton) {}
};
class ButtonCheck : public Button {
public:
    ButtonCheck() : Button(kCheckButton) {}
};
class ButtonToggle : public Button {
public:
    ButtonToggle() : Button(kToggleButton) {}
};
class ButtonSeparator : public Button {
public:
    ButtonSeparator() : Button(kSeparatorButton) {}
};

// A cell of the bar that holds a window (a combo box, say) instead of a picture.
class ButtonWnd : public Button {
public:
    ButtonWnd();
    void SetPosition(const POINT& point) override;
    void SetSize(const SIZE& size) override;
    void Paint(Gdiplus::GpGraphics*) override {}
    void PaintWindow(HWND) override {}
    void Attach(Safe::XPtr<Controller> controller);

private:
    void MoveWindowIntoCell();
};

class ButtonDesigner : public Designer {
public:
    explicit ButtonDesigner(Button* button) : button_(button) {}

protected:
    Button* button_;  // the owner; not counted
};

// A horizontal strip of frames, each of the button's size, loaded from a bitmap resource; pure
// red pixels take the button face colour.
class BmpButtonDesigner : public ButtonDesigner {
public:
    BmpButtonDesigner(Button* button, HINSTANCE instance, int bitmapId);
    ~BmpButtonDesigner() override;
    void Paint(Gdiplus::GpGraphics* graphics) override;
    void Draw(ID2D1RenderTarget* target) override;

protected:
    // The frame that shows the button's state.
    virtual int Frame() const = 0;
    // The part of the strip a frame covers; one button wide unless the painter says otherwise.
    virtual RECT Source() const;

    GdipImage bitmap_;
    ComPtr<IWICBitmap> wicBitmap_;
    int stripWidth_ = 0, stripHeight_ = 0;
};

class BmpPushDesigner : public BmpButtonDesigner {
public:
    using BmpButtonDesigner::BmpButtonDesigner;
    int Frame() const override;
};
class BmpCheckDesigner : public BmpButtonDesigner {
public:
    using BmpButtonDesigner::BmpButtonDesigner;
    int Frame() const override;
};
class ToggleDesigner : public BmpButtonDesigner {
public:
    using BmpButtonDesigner::BmpButtonDesigner;
    int Frame() const override;
};
class BmpSeparatorDesigner : public BmpButtonDesigner {
public:
    using BmpButtonDesigner::BmpButtonDesigner;
    int Frame() const override { return 0; }
    RECT Source() const override { return {0, 0, stripWidth_, stripHeight_}; }
};

}  // namespace Winplus
