#include "app/shell/state_dump.h"

#include <sstream>

#include "app/base/project_state.h"
#include "foundation/text.h"
#include "io/data_set.h"
#include "model/current.h"
#include "model/formula_capsule.h"
#include "model/selection.h"
#include "modes/fit_core.h"
#include "modes/view_modes.h"
#include "plot/axis_tools.h"
#include "plot/layer.h"

namespace Core {

namespace {

std::string Narrow(const std::wstring& text) {
    std::string out;
    return ToNarrow(text, out) ? out : std::string("?");
}

std::string NameOf(const Label* label) {
    return label ? Narrow(label->GetName()) : std::string("none");
}

template <class T>
std::string NodeName(const Safe::XPtr<T>& object) {
    return object ? object->Name() : std::string("none");
}

// The definition of the selection store's formula.
std::string FormulaText(const Node::Ptr& node) {
    const auto* formula = dynamic_cast<const FormulaCapsule*>(node.Get());
    return formula ? formula->GetFormulaText() : std::string("none");
}

// The real parts of a node's children's values, as the tools move them.
std::string ChildValues(const Node::Ptr& node) {
    std::string text;
    for (int i = 0; node && i < node->ChildCount(); ++i)
        text += (i ? " " : "") + ToString(node->GetChild(i)->GetValue().real());
    return text.empty() ? std::string("none") : text;
}

// The point count, then the first, middle and last points as "x re im".
std::string Points(const Spectrum& spectrum) {
    const int count = spectrum.Size();
    std::string text = ToString(count) + " points";
    for (const int k : {0, count / 2, count - 1}) {
        if (k < 0 || k >= count) break;
        const auto i = static_cast<std::size_t>(k);
        text += "; " + ToString((*spectrum.X())[i]) + " " + ToString((*spectrum.Re())[i]) + " " +
                ToString((*spectrum.Im())[i]);
    }
    return text;
}

// The point of the largest real part as "x re", where a peak shows.
std::string Peak(const Spectrum& spectrum) {
    std::size_t top = 0;
    const std::size_t count = static_cast<std::size_t>(spectrum.Size());
    if (count == 0) return "none";
    for (std::size_t i = 1; i < count; ++i)
        if ((*spectrum.Re())[i] > (*spectrum.Re())[top]) top = i;
    return ToString((*spectrum.X())[top]) + " " + ToString((*spectrum.Re())[top]);
}

void WriteLayer(std::ostream& out, const Winplus::Layer& layer, int number) {
    const std::string key = "layer " + ToString(number);
    const Winplus::Rect& limits = layer.GetLimits();
    out << key << ": " << NameOf(&layer) << "\n";
    out << key << " limits: x " << ToString(limits.x) << " to " << ToString(limits.x + limits.width)
        << ", y " << ToString(limits.y) << " to " << ToString(limits.y + limits.height) << "\n";
    const auto* curves = dynamic_cast<const Winplus::LayerCurve*>(&layer);
    if (!curves) return;
    curves->LayOutGrids();
    for (int i = 0; i < curves->Curves()->Count(); ++i) {
        const Winplus::Curve::Ptr& curve = curves->Curves()->At(i);
        out << key << " curve " << NameOf(curve.Get()) << ": " << Points(*curve) << "\n";
        out << key << " curve " << NameOf(curve.Get()) << " peak: " << Peak(*curve) << "\n";
    }
    for (int i = 0; i < curves->FileCurves()->Count(); ++i) {
        const Winplus::FileCurve::Ptr& curve = curves->FileCurves()->At(i);
        out << key << " file curve " << NameOf(curve.Get()) << ": "
            << (curve->GetData() ? Points(*curve->GetData()) : std::string("no data")) << "\n";
    }
}

void WriteFit(std::ostream& out) {
    out << "fit: " << (FitCore::IsRunning() ? "running" : "stopped") << "\n";
    out << "fit step: " << ToString(FitCore::GetStep()) << "\n";
    out << "fit status: " << FitCore::GetStatusText() << "\n";
    // The step handler's copy: the method itself is the worker's while a fit runs.
    out << "fit best chi2: " << ToString(FitCore::GetBestChi2()) << "\n";
    const Winplus::FileCurve::Ptr model = FitCore::GetModelCurve();
    if (model && model->GetData()) out << "fit model: " << Points(*model->GetData()) << "\n";
}

std::string Joined(const std::vector<std::string>& texts) {
    std::string joined;
    for (const std::string& text : texts) joined += (joined.empty() ? "" : "; ") + text;
    return joined;
}

}  // namespace

std::string StateDumpText(const ShownState& shown) {
    std::ostringstream out;
    out << "title: " << shown.title << "\n";
    out << "client: " << shown.width << " x " << shown.height << "\n";
    out << "painted: " << (shown.painted ? "yes" : "no") << "\n";
    out << "status label: " << Narrow(shown.statusLabel) << "\n";
    out << "status description: " << Narrow(shown.statusDescription) << "\n";
    out << "status fit: " << Narrow(shown.statusFit) << "\n";
    out << "properties page: " << shown.propertiesPage << "\n";
    out << "properties values: " << Joined(shown.propertiesValues) << "\n";
    out << "project saved: " << (MenuCore::IsSaved() ? "yes" : "no") << "\n";
    out << "models: " << Models().Count() << "\n";
    out << "model: " << NameOf(MenuCore::GetCurrentModel().Get()) << "\n";
    out << "definition: " << NodeName(MenuCore::GetCurrentDefinition()) << "\n";
    out << "node: " << NodeName(MenuCore::GetCurrentNode()) << "\n";
    out << "node values: " << ChildValues(MenuCore::GetCurrentNode()) << "\n";
    if (const Node::Ptr& node = MenuCore::GetCurrentNode())
        for (const Node::Ptr& child : node->GetChildren())
            out << "node value " << child->Name() << ": " << ToString(child->GetValue().real())
                << "\n";
    out << "view mode: " << ToString(ViewModeState::GetMode()) << "\n";
    out << "selection: " << NodeName(Selection::GetCurrent()) << "\n";
    out << "formula: " << FormulaText(Selection::GetFormula()) << "\n";
    out << "data files: " << DataSet::GetSet().Count() << "\n";
    out << "spectrum: " << NameOf(DataSet::GetCurrent().Get()) << "\n";
    const Winplus::LayerSet& layers = Winplus::Layer::Set();
    out << "layers: " << layers.Count() << "\n";
    out << "current layer: " << NameOf(Winplus::Layer::CurrentLayer().Get()) << "\n";
    for (int i = 0; i < layers.Count(); ++i) WriteLayer(out, *layers.At(i), i + 1);
    WriteFit(out);
    out << "view panels: " << shown.viewPanels << "\n";
    out << "mode bar: " << shown.modeBar << "\n";
    out << "axis tools: " << Winplus::AxisBar::GetMode() << "\n";
    out << "readout: " << (shown.readoutOn ? "on" : "off") << "\n";
    out << "readout x: " << Narrow(shown.readoutX) << "\n";
    out << "readout y: " << Narrow(shown.readoutY) << "\n";
    out << "user function tabs: " << Joined(shown.userFunctionTabs) << "\n";
    return out.str();
}

}  // namespace Core
