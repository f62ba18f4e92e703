#pragma once
// Popup windows: top-level windows without caption that hide when they lose activation and pass
// their notifications on to their owner. The drop-down list of the property grid and the splash
// banner shown while the main window builds its panels.
#include <string>

#include "winplus/controls.h"
#include "winplus/handles.h"
#include "winplus/window.h"

namespace Winplus {

class PopupController : public Controller {
public:
    explicit PopupController(HWND owner) : owner_(owner) {}

    bool OnActivate(WPARAM state) override;
    // A popup's controls notify its owner: it forwards their WM_COMMAND and WM_NOTIFY messages
    // and gives back the owner's answer.
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool Move(int x, int y, int width, int height, bool repaint) override;
    virtual void Layout(int, int, int, int, bool) {}

    HWND Owner() const { return owner_; }

private:
    HWND owner_;
};

class ListController : public PopupController {
public:
    using PopupController::PopupController;
    bool OnCreate() override;
    void Layout(int x, int y, int width, int height, bool repaint) override;
    ControlListBox& List() { return *list_; }

private:
    Safe::XPtr<ControlListBox> list_ = Safe::MakeX<ControlListBox>();
};

class BannerController : public PopupController {
public:
    // Loads the image from the file; a missing file leaves it empty and nothing is drawn.
    BannerController(HWND owner, const std::string& imagePath);
    bool OnCreate() override { return true; }
    bool OnPaint() override;
    void PaintBanner();
    bool HasImage() const { return image_.Get() != nullptr; }

private:
    void DrawImage(HDC dc);
    GdipImage image_;
};

// Created hidden; the owner fills, places and shows it.
class PopupListBox : public Safe::Countable {
public:
    explicit PopupListBox(Wnd owner);
    void AddString(const std::string& text) { controller_->List().AddString(text); }
    void Reset() { controller_->List().Reset(); }
    int GetCurSel() const { return controller_->List().GetCurSel(); }
    // The selected entry's text; empty without a selection.
    std::string GetSelectedText() const { return controller_->List().GetSelectedText(); }
    void Show(const int& command) { ShowWindow(controller_->Handle(), command); }
    void Move(int x, int y, int width, int height, bool repaint) {
        controller_->Move(x, y, width, height, repaint);
    }
    HWND Handle() const { return controller_->Handle(); }
    HWND ListHandle() const { return controller_->List().Handle(); }

private:
    Safe::XPtr<ListController> controller_;
};

class PopupBanner : public Safe::Countable {
public:
    // The banner's file: the program folder followed by "\Sorix-Banner 2.bmp".
    static std::string ImagePath();
    // Created hidden with the banner image of the program folder.
    explicit PopupBanner(Wnd owner, const std::string& imagePath = ImagePath());
    // Draws the banner at once, outside the paint cycle.
    void Paint() { controller_->PaintBanner(); }
    void Move(int x, int y, int width, int height) { controller_->Move(x, y, width, height, true); }
    void Show(const int& command) { ShowWindow(controller_->Handle(), command); }
    HWND Handle() const { return controller_->Handle(); }
    bool HasImage() const { return controller_->HasImage(); }

private:
    Safe::XPtr<BannerController> controller_;
};

}  // namespace Winplus
