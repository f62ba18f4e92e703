#pragma once
// The status bar along the bottom of the main window: the label and one-line description of
// the node last picked in the selection store, and the fit's status text.
#include <functional>
#include <string>

#include "model/node.h"
#include "winplus/gdip_draw.h"
#include "winplus/status_layout.h"
#include "winplus/window.h"

namespace Winplus {

// Where the status texts come from: the help texts of a node (an absent node gives empty
// ones) and the fit's status. They live in layers above this one, which install them at
// start-up; until then a node shows its name and the fit nothing.
struct StatusSources {
    std::function<void(const Core::Node::Ptr& node, std::wstring& label, std::wstring& description)>
        nodeHelp;
    std::function<std::string()> fitStatus;
};
void SetStatusSources(StatusSources sources);

class StatusController : public Controller {
public:
    StatusController();

    bool OnCreate() override;
    bool OnPaint() override;

    // Selection bus 110 and 114: the picked node's texts; fit bus 910: the fit's status.
    class StatusObserver : public Observer {
    public:
        explicit StatusObserver(StatusController* bar) : bar_(bar) {}
        bool Notify(const int& code) override;

    private:
        StatusController* bar_;  // unregistered when the bar's window goes away
    };

    void ReadPickedNode();
    void ReadFitStatus();
    void Paint(Gdiplus::GpGraphics* g, int width) const;

    const std::wstring& Label() const { return label_; }
    const std::wstring& Description() const { return description_; }
    const std::wstring& FitText() const { return fitText_; }

private:
    void Repaint();

    std::wstring label_, description_, fitText_;
    GdipFont labelFont_, textFont_;
};

class StatusBar : public Safe::Countable {
public:
    explicit StatusBar(Wnd parent);
    void Move(int x, int y, int width, int height) { controller_->Move(x, y, width, height, true); }
    const Safe::XPtr<StatusController>& Controller() const { return controller_; }

private:
    Safe::XPtr<StatusController> controller_;
};

}  // namespace Winplus
