#include "app/views/page_leaves.h"

#include <algorithm>

#include "app/base/panel_ids.h"
#include "foundation/event_bus.h"
#include "model/selection.h"
#include "modes/builder_core.h"
#include "modes/fit_page.h"
#include "modes/mode_pages.h"
#include "modes/view_modes.h"

namespace Core {

namespace {

class PropertyCmd : public Winplus::Command {
public:
    explicit PropertyCmd(PageLeafController* owner) : owner_(owner) {}
    bool Execute(const int& row) override {
        owner_->Execute(row);
        return true;
    }

private:
    PageLeafController* owner_;  // owns the grid that holds this command
};

template <class Page>
ModePage PageOf() {
    return {&Page::GetProperties, &Page::RefreshProperties, &Page::ApplyProperty};
}

// Follows the edited node while the Adjust mode is current.
class AdjustmentPageController : public ModePageController {
public:
    AdjustmentPageController()
        : ModePageController(PanelCaption(PanelId::Adjustment), PageOf<AdjustmentController>()) {}

protected:
    void Start() override {
        ModePageController::Start();
        Observe(BusOf<ModelEvent>(), MakeObserver<ModelEvent>([this](ModelEvent code) {
                    if (code == ModelEvent::kDefinitionEdited ||
                        code == ModelEvent::kCurrentNodeChanged)
                        Follow();
                }));
        Observe(BusOf<ViewEvent>(), MakeObserver<ViewEvent>([this](ViewEvent code) {
                    if (code == ViewEvent::kViewModeChanged) Follow();
                }));
    }

private:
    void Follow() {
        if (ViewModeState::GetMode() == kAdjustMode) RefreshPage();
    }
};

// Hands the selection's pick to the builder as its prototype: a pick
// (SelectionEvent::kSelectedNodeChanged), a formula (SelectionEvent::kSelectedFormulaChanged), a
// new prototype origin (the builder's kToolPrototypeOrigin), and a renamed function
// (SelectionEvent::kSelectedFunctionRenamed, which renews the prototype without repainting the grid
// at once).
class BuilderPageController : public ModePageController {
public:
    BuilderPageController()
        : ModePageController(PanelCaption(PanelId::Builder), PageOf<BuilderController>()) {}

protected:
    void Start() override {
        ModePageController::Start();
        tool_ = BuilderCore::Tool().AddObserver(MakeObserver<ToolCode>([this](ToolCode code) {
            if (code == kToolPrototypeOrigin) TakeSelection(false);
        }));
        Observe(BusOf<SelectionEvent>(), MakeObserver<SelectionEvent>([this](SelectionEvent code) {
                    if (code == SelectionEvent::kSelectedNodeChanged ||
                        code == SelectionEvent::kSelectedFormulaChanged)
                        TakeSelection(false);
                    if (code == SelectionEvent::kSelectedFunctionRenamed) TakeSelection(true);
                }));
    }

private:
    void TakeSelection(bool renamed) {
        BuilderCore::SetFunction(Selection::GetCurrent(), renamed);
        Refill();
        if (!renamed) Grid()->Refresh();
    }

    EventBus::Registration tool_;
};

// Shows the fit state again when it is reset (a new project); nothing is applied while a fit
// runs.
class FitPageController : public ModePageController {
public:
    FitPageController()
        : ModePageController(PanelCaption(PanelId::Fit),
                             {&FitController::GetProperties, &FitController::RefreshProperties,
                              &FitController::ApplyWhenIdle}) {}

protected:
    void Start() override {
        ModePageController::Start();
        Observe(BusOf<FitEvent>(), MakeObserver<FitEvent>([this](FitEvent code) {
                    if (code == FitEvent::kFitReset) RefreshPage();
                }));
    }
};

}  // namespace

PageLeafController::PageLeafController(const std::wstring& caption, int margin)
    : LeafController(caption), margin_(margin) {
    SetOrientation(0);
}

bool PageLeafController::OnCreate() {
    LeafController::OnCreate();
    grid_ = Safe::MakeX<Winplus::ControlProperty>(Window());
    grid_->SetCommand(Safe::MakeX<PropertyCmd>(this));
    Start();
    return false;
}

void PageLeafController::Layout(int x, int y, int width, int height, bool repaint) {
    if (grid_)
        grid_->Move(x + 2, y, std::max(width - 2, 0), std::max(height - margin_, 0), repaint);
}

void PageLeafController::Execute(int row) {
    if (Apply(row)) return;
    Refill();
    grid_->Refresh();
}

ModePageController::ModePageController(const std::wstring& caption, ModePage page)
    : PageLeafController(caption, 0), page_(page) {}

void ModePageController::Start() {
    page_.refresh();
    Show(page_.get());
}

void ModePageController::RefreshPage() {
    page_.refresh();
    Grid()->Refresh();
}

PropertiesController::PropertiesController()
    : PageLeafController(PanelCaption(PanelId::Properties), 0) {}

void PropertiesController::Start() {
    pages_ = std::make_unique<PropertiesPages>();
    Show(pages_->Rows());
    Observe(BusOf<LayerEvent>(), MakeObserver<LayerEvent>([this](LayerEvent code) {
                if (!PropertiesPages::Follows(code)) return;
                pages_->ShowCurrent();
                Show(pages_->Rows());
            }));
}

VisualController::VisualController() : PageLeafController(PanelCaption(PanelId::Visual), 2) {}

void VisualController::Start() {
    pages_ = std::make_unique<VisualPages>();
    Show(pages_->Rows());
    Observe(BusOf<ViewEvent>(), MakeObserver<ViewEvent>([this](ViewEvent code) {
                if (!VisualPages::Follows(code)) return;
                pages_->ShowSelection(code);
                Show(pages_->Rows());
            }));
}

PageLeaf::PageLeaf(Winplus::Wnd parent, const std::string& className,
                   const Safe::XPtr<PageLeafController>& controller) {
    SetController(controller);
    Winplus::CreatePanelWindow(className, parent, controller_);
}

AdjustmentLeaf::AdjustmentLeaf(Winplus::Wnd parent)
    : PageLeaf(parent, "AdjustmentClass", Safe::MakeX<AdjustmentPageController>()) {}

AnchorsLeaf::AnchorsLeaf(Winplus::Wnd parent)
    : PageLeaf(parent, "AnchorsClass",
               Safe::MakeX<ModePageController>(PanelCaption(PanelId::Anchors),
                                               PageOf<AnchorsController>())) {}

BuilderLeaf::BuilderLeaf(Winplus::Wnd parent)
    : PageLeaf(parent, "BuilderClass", Safe::MakeX<BuilderPageController>()) {}

FitLeaf::FitLeaf(Winplus::Wnd parent)
    : PageLeaf(parent, "FitClass", Safe::MakeX<FitPageController>()) {}

PropertiesLeaf::PropertiesLeaf(Winplus::Wnd parent)
    : PageLeaf(parent, "PropertiesClass", Safe::MakeX<PropertiesController>()) {}

VisualLeaf::VisualLeaf(Winplus::Wnd parent)
    : PageLeaf(parent, "VisualClass", Safe::MakeX<VisualController>()) {}

}  // namespace Core
