#pragma once
// The docked panels whose only content is a property grid showing a page: the tool modes'
// "Adjustment", "Anchors" and "Builder", the fit's "Auto-Fit", and the "Properties" and
// "Visual" panels of the plotted objects.
#include <memory>

#include "app/views/property_panels.h"
#include "winplus/panel.h"
#include "winplus/property_grid.h"

namespace Core {

// A leaf with a property grid below its caption. An edited row goes to the page; when the page
// answers false (a refusal, or other rows changed) the rows are filled again and the grid
// repainted.
class PageLeafController : public Winplus::LeafController {
public:
    // margin: the pixels left free below the grid.
    PageLeafController(const std::wstring& caption, int margin);

    bool OnCreate() override;
    bool OnNotify(WPARAM, LPARAM) override { return true; }
    void Layout(int x, int y, int width, int height, bool repaint) override;

    // The grid's command: row is the row just committed or left.
    void Execute(int row);
    const Safe::XPtr<Winplus::ControlProperty>& Grid() const { return grid_; }

protected:
    // The first rows and the observers, once the grid exists.
    virtual void Start() = 0;
    virtual bool Apply(int row) = 0;
    // Fills the rows again after Apply answered false; the grid is repainted after it.
    virtual void Refill() {}
    void Show(const Winplus::PropertyRows& rows) { grid_->SetRows(rows); }

private:
    Safe::XPtr<Winplus::ControlProperty> grid_;
    int margin_;
};

// The three operations of a tool's or the fit's page.
struct ModePage {
    Winplus::PropertyRows (*get)();
    void (*refresh)();
    bool (*apply)(const int& row);
};

// A page of a mode: refreshed from its core, shown, and refreshed again after a refusal.
class ModePageController : public PageLeafController {
public:
    ModePageController(const std::wstring& caption, ModePage page);
    // The page filled again from its core and the grid repainted.
    void RefreshPage();

protected:
    void Start() override;
    bool Apply(int row) override { return page_.apply(row); }
    void Refill() override { page_.refresh(); }

private:
    ModePage page_;
};

class PropertiesController : public PageLeafController {
public:
    PropertiesController();
    const PropertiesPages& Pages() const { return *pages_; }

protected:
    void Start() override;
    bool Apply(int row) override { return pages_->ApplyRow(row); }

private:
    std::unique_ptr<PropertiesPages> pages_;
};

class VisualController : public PageLeafController {
public:
    VisualController();
    const VisualPages& Pages() const { return *pages_; }

protected:
    void Start() override;
    bool Apply(int row) override { return pages_->ApplyRow(row); }

private:
    std::unique_ptr<VisualPages> pages_;
};

// A leaf of the class className holding controller.
class PageLeaf : public Winplus::VLeaf {
public:
    PageLeaf(Winplus::Wnd parent, const std::string& className,
             const Safe::XPtr<PageLeafController>& controller);
};

class AdjustmentLeaf : public PageLeaf {
public:
    explicit AdjustmentLeaf(Winplus::Wnd parent);
};
class AnchorsLeaf : public PageLeaf {
public:
    explicit AnchorsLeaf(Winplus::Wnd parent);
};
class BuilderLeaf : public PageLeaf {
public:
    explicit BuilderLeaf(Winplus::Wnd parent);
};
class FitLeaf : public PageLeaf {
public:
    explicit FitLeaf(Winplus::Wnd parent);
};
class PropertiesLeaf : public PageLeaf {
public:
    explicit PropertiesLeaf(Winplus::Wnd parent);
};
class VisualLeaf : public PageLeaf {
public:
    explicit VisualLeaf(Winplus::Wnd parent);
};

}  // namespace Core
