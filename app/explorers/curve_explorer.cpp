#include "app/explorers/curve_explorer.h"

#include "modes/view_modes.h"
#include "io/data_set.h"
#include "model/current.h"
#include "modes/builder_core.h"

namespace Core::CurveExplorer {

namespace {

void Announce(ViewEvent code) {
    ViewModeState::NotifyAll(code);
}

void AppendLayer(std::vector<Item>& items, const Winplus::LayerCurve::Ptr& layer, bool toolLayer) {
    items.push_back({toolLayer ? kToolLayerItem : kUserLayerItem, layer->GetName()});
    for (const Item& child : LayerChildren(layer, toolLayer)) items.push_back(child);
}

}  // namespace

bool RefillsOn(ViewEvent code) {
    return ViewModeState::GetMode() != kViewMode &&
           (code == ViewEvent::kViewDataSetChanged || code == ViewEvent::kViewModeChanged);
}

std::vector<Item> TreeItems() {
    std::vector<Item> items{{kRootItem, L"Layers"}};
    if (auto user = ViewModeState::GetUserCurves()) AppendLayer(items, user, false);
    auto tool = ViewModeState::GetDynamicLayer();
    if (tool && (tool->Curves()->Count() > 0 || tool->FileCurves()->Count() > 0))
        AppendLayer(items, tool, true);
    return items;
}

std::vector<Item> LayerChildren(const Winplus::LayerCurve::Ptr& layer, bool toolLayer) {
    std::vector<Item> items;
    for (const auto& curve : *layer->Curves())
        items.push_back({toolLayer ? kToolCurveItem : kUserCurveItem, curve->GetName()});
    for (const auto& file : *layer->FileCurves())
        items.push_back({toolLayer ? kToolFileCurveItem : kUserFileCurveItem, file->GetName()});
    return items;
}

void Select(int kind, const std::wstring& text) {
    const bool tool =
        kind == kToolLayerItem || kind == kToolCurveItem || kind == kToolFileCurveItem;
    const bool user =
        kind == kUserLayerItem || kind == kUserCurveItem || kind == kUserFileCurveItem;
    const int index = tool ? 1 : 0;
    ViewModeState::SetCurrentLayer(tool   ? ViewModeState::GetDynamicLayer()
                                   : user ? ViewModeState::GetUserCurves()
                                          : Winplus::LayerCurve::Ptr());
    const bool curve = kind == kToolCurveItem || kind == kUserCurveItem;
    const bool file = kind == kToolFileCurveItem || kind == kUserFileCurveItem;
    ViewModeState::SelectFileCurve(file ? text : std::wstring(), index);
    ViewModeState::SelectCurve(curve ? text : std::wstring(), index);
}

Menu MenuOf(int kind) {
    switch (kind) {
        case kUserLayerItem: return Menu::kLayer;
        case kUserCurveItem: return Menu::kCurve;
        case kToolCurveItem: return Menu::kToolCurve;
        case kUserFileCurveItem: return Menu::kFileCurve;
        default: return Menu::kNone;
    }
}

bool MayEditLabel(int kind, const std::wstring& text) {
    return !text.empty() && kind != kRootItem && kind != kToolLayerItem && kind != kToolCurveItem;
}

bool Rename(int kind, const std::wstring& oldName, const std::wstring& newName) {
    auto user = ViewModeState::GetUserCurves();
    if (!user || newName.empty()) return false;
    bool renamed = false;
    if (kind == kUserCurveItem) renamed = user->RenameCurve(oldName, newName);
    if (kind == kUserFileCurveItem) renamed = user->RenameFileCurve(oldName, newName);
    if (renamed && ViewModeState::GetMode() == kBuilderMode)
        BuilderCore::Tool().Notify(kToolCurveRenamed);
    return renamed;
}

bool AddCurve() {
    auto user = ViewModeState::GetUserCurves();
    if (!user) return false;
    auto curve = Safe::MakeX<Winplus::Curve>();
    const auto& unit = curve->GetUnit();
    if (Node::Ptr node = unit->GetOutput()) {
        std::wstring name;
        ToWide(node->Name(), name);
        curve->SetName(name);
    }
    MathMap::Ptr model = unit->GetModel();
    if (!model) return false;
    unit->SetVariable(model->FindMap("x"));
    const Winplus::Rect& limits = user->GetFrame()->GetLimits();
    curve->SetXRange(limits.x, limits.x + limits.width);
    if (!user->AddCurve(curve)) return false;
    Announce(ViewEvent::kViewDataSetChanged);
    return true;
}

bool AddFile() {
    auto user = ViewModeState::GetUserCurves();
    const Spectrum::Ptr& spectrum = DataSet::GetCurrent();
    if (!user || !spectrum) return false;
    auto file = Safe::MakeX<Winplus::FileCurve>();
    file->SetData(spectrum);
    if (!user->AddFileCurve(file)) return false;
    Announce(ViewEvent::kViewDataSetChanged);
    return true;
}

bool Remove(int kind, const std::wstring& name) {
    auto user = ViewModeState::GetUserCurves();
    if (!user) return false;
    const bool removed = (kind == kUserCurveItem && user->RemoveCurve(name)) ||
                         (kind == kUserFileCurveItem && user->RemoveFileCurve(name));
    if (removed) Announce(ViewEvent::kViewLimitsChanged);
    return removed;
}

}  // namespace Core::CurveExplorer
