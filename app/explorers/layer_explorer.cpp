#include "app/explorers/layer_explorer.h"

#include "app/base/wide_text.h"
#include "foundation/platform.h"
#include "io/data_set.h"
#include "model/current.h"
#include "plot/curve_files.h"

namespace Core::LayerExplorer {

const std::array<Explorer::MenuEntry, 2> kRootMenu = {{
    {kAdd, "Add"},
    {kRemoveAll, "Remove All"},
}};
const std::array<Explorer::MenuEntry, 14> kLayerMenu = {{
    {kRemoveLayer, "Remove"},
    {0, ""},
    {kAddCurve, "Add Curve"},
    {kAddChildCurves, "Add Child Curves "},
    {kAddFile, "Add File"},
    {0, ""},
    {0, "Set Display Type for Selected Curves"},
    {0, ""},
    {kSelectAll, "Select all curves"},
    {kUnselectAll, "Unselect all curves"},
    {0, ""},
    {0, "Save Curves"},
    {0, ""},
    {kSaveGraph, "Save Graph..."},
}};
const std::array<Explorer::MenuEntry, 6> kDisplayMenu = {{
    {kHideSpectra, "Hide Spectra"},
    {kRealSpectra, "Real Spectra"},
    {kImaginarySpectra, "Imag Spectra"},
    {kComplexSpectra, "Complex Spectra"},
    {kImaginaryVersusReal, "Imaginary Versus Real"},
    {kRealVersusImaginary, "Real Versus Imaginary"},
}};
const std::array<Explorer::MenuEntry, 3> kSaveCurvesMenu = {{
    {kSaveCurvesComplex, "Complex Spectra..."},
    {kSaveCurvesReal, "Real Spectra..."},
    {kSaveCurvesImaginary, "Imag Spectra..."},
}};
const std::array<Explorer::MenuEntry, 3> kCurveMenu = {{
    {kRemoveCurve, "Remove"},
    {0, ""},
    {0, "Save"},
}};
const std::array<Explorer::MenuEntry, 3> kSaveMenu = {{
    {kSaveComplex, "Complex Spectrum..."},
    {kSaveReal, "Real Spectrum..."},
    {kSaveImaginary, "Imag Spectrum..."},
}};
const std::array<Explorer::MenuEntry, 1> kFileCurveMenu = {{
    {kRemoveFileCurve, "Remove"},
}};

namespace {

using Winplus::Layer;
using Winplus::LayerCurve;

LayerCurve::Ptr CurrentLayer() {
    return Safe::DynamicCast<LayerCurve>(Layer::CurrentLayer());
}

LayerCurve::Ptr LayerNamed(const std::string& name) {
    return Safe::DynamicCast<LayerCurve>(Layer::Set().Find(Wide(name)));
}

// The commands that act on a layer need its item selected, which made it current.
LayerCurve::Ptr SelectedLayer(const Context& context) {
    return context.selected.kind == kLayerKind ? CurrentLayer() : LayerCurve::Ptr();
}

Result Changed(TreeChange change) {
    return {change, std::string(), false};
}

Result AddLayer() {
    auto layer = LayerCurve::Create(L"basic");
    if (!Layer::Set().Add(layer)) return {};
    return {TreeChange::kAddLayerItem, layer->GetNameA(), false};
}

// "Remove All" takes every layer away (as a project read may leave none); the selection step
// then clears the current objects.
Result RemoveAll() {
    if (Layer::Set().Count() == 0) return {};
    Layer::Set().Clear();
    return Changed(TreeChange::kRebuild);
}

Result RemoveLayer(const Context& context) {
    if (context.selected.kind != kLayerKind) return {};
    if (!Layer::Set().Remove(Wide(context.selected.text))) return {};
    return Changed(TreeChange::kDeleteItem);
}

// A curve of the current model selection over the layer's x range; named after its node.
Winplus::Curve::Ptr NewCurve(const LayerCurve& layer, const Node::Ptr& output) {
    auto curve = Safe::MakeX<Winplus::Curve>();
    const auto& unit = curve->GetUnit();
    if (output && output != unit->GetOutput())
        unit->Bind(unit->GetModel(), unit->GetDefinition(), output, unit->GetVariable());
    if (output) curve->SetName(Wide(output->Name()));
    const Winplus::Rect& limits = layer.GetLimits();
    curve->SetXRange(limits.x, limits.x + limits.width);
    return curve;
}

Result AddCurve(const Context& context) {
    const LayerCurve::Ptr layer = SelectedLayer(context);
    if (!layer || !layer->AddCurve(NewCurve(*layer, MenuCore::GetCurrentNode()))) return {};
    return Changed(TreeChange::kRefillLayer);
}

Result AddChildCurves(const Context& context) {
    const LayerCurve::Ptr layer = SelectedLayer(context);
    const Node::Ptr node = MenuCore::GetCurrentNode();
    if (!layer || !node) return {};
    for (const Node::Ptr& child : node->GetChildren()) layer->AddCurve(NewCurve(*layer, child));
    return Changed(TreeChange::kRefillLayer);
}

Result AddFile(const Context& context) {
    const Spectrum::Ptr& spectrum = DataSet::GetCurrent();
    if (!spectrum) {
        Platform::ShowMessageBox(
            {"Select a data file in the Data Files window", "Message", Platform::BoxIcon::Stop});
        return {};
    }
    const LayerCurve::Ptr layer = SelectedLayer(context);
    if (!layer) return {};
    auto curve = Safe::MakeX<Winplus::FileCurve>();
    curve->SetData(spectrum);
    curve->SetName(spectrum->GetName());
    if (!layer->AddFileCurve(curve)) return {};
    return Changed(TreeChange::kRefillLayer);
}

Result RemoveCurve(const Context& context, bool file) {
    const LayerCurve::Ptr layer = CurrentLayer();
    const std::wstring name = Wide(context.selected.text);
    if (!layer || context.selected.kind != (file ? kFileCurveKind : kCurveKind)) return {};
    if (!(file ? layer->RemoveFileCurve(name) : layer->RemoveCurve(name))) return {};
    return Changed(TreeChange::kDeleteItem);
}

// The ticked model curves and file curves of the current layer take the view mode.
Result SetDisplayType(const Context& context, int mode) {
    const LayerCurve::Ptr layer = CurrentLayer();
    if (!layer) return {};
    std::size_t item = 0;
    const auto ticked = [&context](std::size_t i) {
        return i < context.ticks.size() && context.ticks[i];
    };
    for (const Winplus::Curve::Ptr& curve : *layer->Curves())
        if (ticked(item++)) curve->SetViewMode(mode);
    for (const Winplus::FileCurve::Ptr& curve : *layer->FileCurves())
        if (ticked(item++)) curve->viewMode = mode;
    return Changed(TreeChange::kContentsOnly);
}

}  // namespace

Explorer::Item LayerItem(const std::string& name) {
    const LayerCurve::Ptr layer = LayerNamed(name);
    if (!layer) return {};
    Explorer::Item item{layer->GetNameA(), kLayerKind, {}};
    for (const Winplus::Curve::Ptr& curve : *layer->Curves())
        item.children.push_back({curve->GetNameA(), kCurveKind, {}});
    for (const Winplus::FileCurve::Ptr& curve : *layer->FileCurves())
        item.children.push_back({curve->GetNameA(), kFileCurveKind, {}});
    return item;
}

Explorer::Item Tree() {
    Explorer::Item root{"View Layers", Explorer::kRootKind, {}};
    for (const Layer::Ptr& layer : Layer::Set())
        if (Safe::DynamicCast<LayerCurve>(layer))
            root.children.push_back(LayerItem(layer->GetNameA()));
    return root;
}

void Select(const Explorer::Selected& selected) {
    const bool curve = selected.kind == kCurveKind, file = selected.kind == kFileCurveKind;
    LayerCurve::Ptr layer;
    if (selected.kind == kLayerKind) layer = LayerNamed(selected.text);
    if (curve || file) layer = LayerNamed(selected.parentText);
    Winplus::Curve::Ptr current;
    Winplus::FileCurve::Ptr currentFile;
    if (layer && curve) current = layer->Curves()->Find(Wide(selected.text));
    if (layer && file) currentFile = layer->FileCurves()->Find(Wide(selected.text));
    Layer::SetCurrentLayer(layer);
    Layer::SetCurrentCurve(current);
    Layer::SetCurrentFileCurve(currentFile);
}

bool DisplayTypesEnabled() {
    const LayerCurve::Ptr layer = CurrentLayer();
    return layer && layer->Curves()->Count() > 0;
}

bool Rename(const Explorer::Selected& selected, const std::string& oldName,
            const std::string& newName) {
    const LayerCurve::Ptr layer = CurrentLayer();
    if (newName.empty() || !layer) return false;
    const std::wstring from = Wide(oldName), to = Wide(newName);
    switch (selected.kind) {
        case kLayerKind:
            if (!Layer::Set().RenameItem(from, to)) return false;
            Layer::NotifyObservers(LayerEvent::kLayerRenamed);
            return true;
        case kCurveKind:
        case kFileCurveKind:
            if (!(selected.kind == kCurveKind ? layer->RenameCurve(from, to)
                                              : layer->RenameFileCurve(from, to)))
                return false;
            Layer::NotifyObservers(LayerEvent::kFileCurveRenamed);
            return true;
        default: return false;
    }
}

Result Command(int id, const Context& context) {
    if (id >= kHideSpectra && id <= kRealVersusImaginary)
        return SetDisplayType(context, id - kHideSpectra - 1);
    if (id >= kSaveComplex && id <= kSaveImaginary) {
        DataSet::SaveDataFile(context.owner, Layer::CurrentCurve(), id - kSaveComplex);
        return {};
    }
    if (id >= kSaveCurvesComplex && id <= kSaveCurvesImaginary) {
        Winplus::CurveFiles::SaveCurves(CurrentLayer(), id - kSaveCurvesComplex,
                                        context.pickFolder);
        return {};
    }
    switch (id) {
        case kRemoveAll: return RemoveAll();
        case kAdd: return context.selected.kind == Explorer::kRootKind ? AddLayer() : Result{};
        case kRemoveLayer: return RemoveLayer(context);
        case kAddCurve: return AddCurve(context);
        case kAddChildCurves: return AddChildCurves(context);
        case kAddFile: return AddFile(context);
        case kRemoveCurve: return RemoveCurve(context, false);
        case kRemoveFileCurve: return RemoveCurve(context, true);
        case kSelectAll:
        case kUnselectAll:
            if (!CurrentLayer() || context.selected.kind != kLayerKind) return {};
            return {TreeChange::kSetChecks, std::string(), id == kSelectAll};
        case kSaveGraph:
            Winplus::GnuplotExport::SaveGraph(context.owner, CurrentLayer(), context.ticks);
            return {};
        default: return {};
    }
}

void Announce() {
    Layer::NotifyObservers(LayerEvent::kLayerScaleChanged);
}

}  // namespace Core::LayerExplorer
