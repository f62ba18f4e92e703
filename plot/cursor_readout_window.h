#pragma once
// The cursor read-out's window on the global tool bar ("XYWndClass"): X in a grey cell on the
// left, Y in a white cell on the right, following the axis tools' cursor while switched on.
#include "foundation/command.h"
#include "foundation/event_bus.h"
#include "plot/cursor_readout.h"
#include "winplus/window.h"

namespace Winplus {

class XYController : public Controller {
public:
    // The toggle's command: 0 switches the read-out off, 5 on.
    class XYCommand : public Command {
    public:
        explicit XYCommand(XYController* owner) : owner_(owner) {}
        bool Execute(const int& state) override;

    private:
        XYController* owner_;  // owns this command
    };

    bool OnCreate() override;
    bool OnPaint() override;

    const Safe::XPtr<XYCommand>& Command() const { return command_; }
    const CursorReadout& Readout() const { return readout_; }

    // A child window of parent (at its origin, zero size until its cell places it).
    static Safe::XPtr<XYController> Create(Wnd parent);

private:
    // The full form repaints the outline too; the partial form only the cells.
    void Draw(HDC dc, bool fullForm) const;
    void DrawNow() const;

    CursorReadout readout_;
    Safe::XPtr<XYCommand> command_;
    EventBus::Registration cursorObserver_;
};

}  // namespace Winplus
