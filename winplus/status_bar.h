#pragma once
// The status bar along the bottom of the main window: the label and one-line description of
// the item last picked, and the fit's status text.
#include <functional>
#include <string>

#include "winplus/gdip_draw.h"
#include "winplus/status_layout.h"
#include "winplus/window.h"

namespace Winplus {

// Where the status texts come from: the item last picked (its label and one-line description;
// empty when nothing is picked) and the fit's status. The application hands them to the bar and
// tells it when they changed.
struct StatusSources {
    std::function<void(std::wstring& label, std::wstring& description)> picked;
    std::function<std::string()> fitStatus;
};

class StatusController : public Controller {
public:
    explicit StatusController(StatusSources sources);

    bool OnCreate() override;
    bool OnPaint() override;

    // Read their source again and show what it says.
    void ShowPicked();
    void ShowFitStatus();
    void Paint(Gdiplus::GpGraphics* g, int width) const;

    const std::wstring& Label() const { return label_; }
    const std::wstring& Description() const { return description_; }
    const std::wstring& FitText() const { return fitText_; }

private:
    void Repaint();

    std::wstring label_, description_, fitText_;
    GdipFont labelFont_, textFont_;
    StatusSources sources_;
};

class StatusBar : public Safe::Countable {
public:
    StatusBar(Wnd parent, StatusSources sources);
    void Move(int x, int y, int width, int height) { controller_->Move(x, y, width, height, true); }
    const Safe::XPtr<StatusController>& Controller() const { return controller_; }

private:
    Safe::XPtr<StatusController> controller_;
};

}  // namespace Winplus
