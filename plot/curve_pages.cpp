#include "plot/curve_pages.h"

#include "foundation/event_codes.h"
#include "model/current.h"

namespace Winplus {

namespace {

const std::vector<Look> kCurveLooks = {Look::kHasLine,     Look::kThickness, Look::kLineColor,
                                       Look::kHasShape,    Look::kStyle,     Look::kSize,
                                       Look::kMarkerColor, Look::kIsFilled};

RowTemplate PathRow() {
    return {kMessageRow, L"Math path"};
}
RowTemplate VariableRow() {
    return {kListRow, L"Variable", "None", {"None"}};
}
RowTemplate ViewModeRow() {
    return {kListRow, L"View mode", "Hidden", ViewModeTexts().Texts()};
}

std::vector<RowTemplate> ViewTemplates(const AppearanceRows& looks) {
    std::vector<RowTemplate> templates = {{kHeaderRow, L"View Curve Properties"},
                                  {kStringRow, L"Name", "", {}, true},
                                  PathRow(),
                                  {kBooleanRow, L"AutoScale"},
                                  VariableRow(),
                                  {kIntegerRow, L"N-Points"},
                                  {kBooleanRow, L"Exp Step"},
                                  {kDoubleRow, L"X-Minimum", "", {}, true},
                                  {kDoubleRow, L"X-Maximum", "", {}, true},
                                  ViewModeRow()};
    for (RowTemplate& row : looks.Templates()) templates.push_back(std::move(row));
    return templates;
}

std::string VariableName(const Curve& curve) {
    const Core::NodeMap::Ptr variable = curve.GetUnit()->GetVariable();
    return variable ? variable->GetName() : "None";
}

// The model path, and the definitions the curve may take as its variable: "None" and the
// model's inactive definitions. A curve without a variable shows "None".
void FillBinding(Property& path, Property& variable, Curve& curve) {
    path.SetText(curve.GetMathPath());
    variable.choices = {"None"};
    if (const Core::MathMap::Ptr model = curve.GetUnit()->GetModel())
        for (const Core::NodeMap::Ptr& map : model->GetInactiveMaps())
            variable.choices.push_back(map->GetName());
    variable.SetText(VariableName(curve));
}

// Asks whether to rebind the curve to the current selection; on Yes binds it, with the model's
// first inactive definition as the variable, and shows the new binding. False on No.
bool AskAndRebind(Property& path, Property& variable, Curve& curve) {
    if (!AskYes("Current math path is: " + path.GetText() + "\nChange path?")) return false;
    const Safe::XPtr<Core::MathUnit>& unit = curve.GetUnit();
    if (unit->BindCurrent()) {
        const std::vector<Core::NodeMap::Ptr> inactive = unit->GetModel()->GetInactiveMaps();
        if (!inactive.empty()) unit->SetVariable(inactive.front());
    }
    FillBinding(path, variable, curve);
    return true;
}

// The definition named by the row becomes the variable; "None" (or a name the model does not
// hold) leaves the curve without one.
Outcome ApplyVariable(const Property& row, Curve& curve) {
    if (row.GetText() == VariableName(curve)) return Outcome::kUnchanged;
    const Core::MathMap::Ptr model = curve.GetUnit()->GetModel();
    if (!model) return Outcome::kNotApplied;
    curve.GetUnit()->SetVariable(model->FindMap(row.GetText()));
    return Outcome::kChanged;
}

// The number of points within [2, most]; a refused number puts the current one back.
Outcome ApplyPoints(Property& row, Curve& curve, int most) {
    const int n = row.integerValue;
    if (n == curve.Size()) return Outcome::kUnchanged;
    if (n >= 2 && n <= most) {
        curve.SetPointCount(n);
        return Outcome::kChanged;
    }
    Refuse("Number of points [2," + std::to_string(most) + "]");
    row.SetInteger(curve.Size());
    return Outcome::kNotApplied;
}

bool ApplyViewMode(const Property& row, Curve& curve) {
    const int mode = ViewModeTexts().Parse(row.GetText());
    if (mode == curve.GetViewMode()) return false;
    curve.SetViewMode(mode);
    return true;
}

AppearanceRows CurveLooks() {
    return {CurveViewPage::kFirstLook, kCurveLooks, SizeTexts()};
}

LayerCurve::Ptr AsCurveLayer(const Layer::Ptr& layer) {
    return Safe::DynamicCast<LayerCurve>(layer);
}

}  // namespace

CurveViewPage::CurveViewPage() : PropertyPage(ViewTemplates(CurveLooks())), looks_(CurveLooks()) {}

void CurveViewPage::ShowXLimits(const Curve& curve, bool enabled) {
    Row(kXMinimum).SetDouble(curve.Min(Spectrum::kX));
    Row(kXMaximum).SetDouble(curve.Max(Spectrum::kX));
    Row(kXMinimum).SetEnabled(enabled);
    Row(kXMaximum).SetEnabled(enabled);
}

void CurveViewPage::Fill(const Curve::Ptr& curve) {
    if (!curve) return;
    Row(kName).SetText(curve->GetNameA());
    FillBinding(Row(kMathPath), Row(kVariable), *curve);
    Row(kAutoScale).SetBoolean(curve->autoScale);
    Row(kPoints).SetInteger(curve->Size());
    Row(kExpStep).SetBoolean(curve->expStep);
    ShowXLimits(*curve, !curve->autoScale);
    ViewModeTexts().Show(Row(kViewMode), curve->GetViewMode());
    looks_.Fill(*this, curve->Designers());
}

bool CurveViewPage::ApplyAutoScale(const Layer::Ptr& layer, Curve& curve) {
    if (Row(kAutoScale).booleanValue == curve.autoScale) return true;
    curve.autoScale = Row(kAutoScale).booleanValue;
    if (!curve.autoScale) {
        ShowXLimits(curve, true);
        return false;
    }
    const LayerCurve::Ptr curves = AsCurveLayer(layer);
    if (!curves) return true;
    const Rect& limits = curves->GetLimits();
    curve.SetXRange(limits.x, limits.x + limits.width);
    Row(kXMinimum).SetDouble(limits.x);
    Row(kXMaximum).SetDouble(limits.x + limits.width);
    Row(kXMinimum).SetEnabled(false);
    Row(kXMaximum).SetEnabled(false);
    AnnounceOnLayers(LayerEvent::kCurveChanged);
    return false;
}

bool CurveViewPage::ApplyExpStep(const Layer::Ptr& layer, Curve& curve) {
    if (Row(kExpStep).booleanValue == curve.expStep) return true;
    curve.expStep = Row(kExpStep).booleanValue;
    const LayerCurve::Ptr curves = AsCurveLayer(layer);
    if (!curves) return true;
    // The grid is resampled over the layer's x-limits whatever AutoScale is; the rows follow.
    const Rect& limits = curves->GetLimits();
    curve.SetXRange(limits.x, limits.x + limits.width);
    ShowXLimits(curve, !curve.autoScale);
    AnnounceOnLayers(LayerEvent::kCurveChanged);
    return false;
}

bool CurveViewPage::ApplyXLimit(Curve& curve, int index) {
    Property& row = Row(index);
    const double smallest = curve.Min(Spectrum::kX), largest = curve.Max(Spectrum::kX);
    const double v = row.doubleValue;
    const bool minimum = index == kXMinimum;
    if (v == (minimum ? smallest : largest)) return true;
    if (minimum ? v < largest : smallest < v) {
        curve.SetXRange(minimum ? v : smallest, minimum ? largest : v);
        AnnounceOnLayers(LayerEvent::kCurveChanged);
        return true;
    }
    Refuse(minimum ? "Value must be lower than X-Maximum"
                   : "Value must be greather than X-Minimum");
    row.SetDouble(minimum ? smallest : largest);
    return false;
}

bool CurveViewPage::Apply(const Layer::Ptr& layer, const Curve::Ptr& curve, int index) {
    if (!curve || !HasRow(index)) return true;
    switch (index) {
        case kMathPath:
            if (!AskAndRebind(Row(kMathPath), Row(kVariable), *curve)) return true;
            AnnounceOnLayers(LayerEvent::kCurveBindingChanged);
            return false;
        case kAutoScale: return ApplyAutoScale(layer, *curve);
        case kVariable: {
            const Outcome outcome = ApplyVariable(Row(kVariable), *curve);
            if (outcome == Outcome::kChanged) AnnounceOnLayers(LayerEvent::kCurveBindingChanged);
            return outcome != Outcome::kNotApplied;
        }
        case kPoints: {
            const Outcome outcome = ApplyPoints(Row(kPoints), *curve, kMaxPoints);
            if (outcome == Outcome::kChanged) AnnounceOnLayers(LayerEvent::kCurveChanged);
            return outcome != Outcome::kNotApplied;
        }
        case kExpStep: return ApplyExpStep(layer, *curve);
        case kXMinimum:
        case kXMaximum: return ApplyXLimit(*curve, index);
        case kViewMode:
            if (ApplyViewMode(Row(kViewMode), *curve)) AnnounceOnLayers(LayerEvent::kCurveChanged);
            return true;
        default:
            if (looks_.Apply(*this, index, curve->Designers()))
                AnnounceOnLayers(LayerEvent::kCurveChanged);
            return true;
    }
}

CurveModifyPage::CurveModifyPage()
    : PropertyPage({{kHeaderRow, L"Modify Curve Properties"},
                    {kStringRow, L"Name", "", {}, true},
                    PathRow(),
                    VariableRow(),
                    {kIntegerRow, L"N-Points"},
                    ViewModeRow(),
                    {kColorRow, L"Real Color"},
                    {kColorRow, L"Imag Color"}}) {}

void CurveModifyPage::Fill(const Curve::Ptr& curve, bool pathEditable) {
    pathEditable_ = pathEditable;
    if (!curve) return;
    Row(kName).SetText(curve->GetNameA());
    FillBinding(Row(kMathPath), Row(kVariable), *curve);
    Row(kMathPath).SetEnabled(pathEditable);
    Row(kPoints).SetInteger(curve->Size());
    ViewModeTexts().Show(Row(kViewMode), curve->GetViewMode());
    Row(kRealColor).SetColor(static_cast<int>(curve->Designers().real->lineColor));
    Row(kImagColor).SetColor(static_cast<int>(curve->Designers().imag->lineColor));
}

bool CurveModifyPage::Apply(const Curve::Ptr& curve, int index) {
    if (!curve || !HasRow(index)) return true;
    Outcome outcome = Outcome::kUnchanged;
    switch (index) {
        case kMathPath:
            if (!pathEditable_ || !AskAndRebind(Row(kMathPath), Row(kVariable), *curve))
                return true;
            curve->Refresh();
            AnnounceOnView(ViewEvent::kViewCurveChanged);
            return false;
        case kVariable:
            outcome = ApplyVariable(Row(kVariable), *curve);
            if (outcome == Outcome::kUnchanged) return true;
            if (outcome == Outcome::kChanged) {
                curve->Refresh();
                AnnounceOnView(ViewEvent::kViewCurveChanged);
            }
            return false;
        case kPoints: outcome = ApplyPoints(Row(kPoints), *curve, kMaxPoints); break;
        case kViewMode:
            if (ApplyViewMode(Row(kViewMode), *curve)) outcome = Outcome::kChanged;
            break;
        case kRealColor:
        case kImagColor: {
            CurveDesigner& designer =
                index == kRealColor ? *curve->Designers().real : *curve->Designers().imag;
            if (designer.lineColor != Row(index).color) outcome = Outcome::kChanged;
            designer.lineColor = Row(index).color;
            break;
        }
        default: break;
    }
    if (outcome == Outcome::kChanged) AnnounceOnView(ViewEvent::kViewCurveChanged);
    return outcome != Outcome::kNotApplied;
}

}  // namespace Winplus
