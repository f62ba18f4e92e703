#pragma once
// Plot layers: named graphs of model curves and data-file curves with their frame and visible
// limits, and the process-wide layer set with its current layer, curve and file curve. Changes
// are announced on the layer bus.
#include <string>

#include "foundation/event_bus.h"
#include "foundation/label.h"
#include "foundation/object_set.h"
#include "plot/curve.h"
#include "plot/file_curve.h"
#include "plot/frame.h"

namespace Winplus {

class Layer;
using LayerSet = ObjectSet<Safe::XPtr<Layer>>;

class Layer : public Label {
public:
    using Ptr = Safe::XPtr<Layer>;
    enum Kind { kAbstract = -1, kCurves = 0 };

    int GetKind() const { return kind_; }
    const Rect& GetLimits() const { return limits_; }
    virtual void SetLimits(const Rect& limits) = 0;
    virtual bool HasCurves() const = 0;
    virtual void RefreshAll() = 0;
    // Lays the frame out in rect and paints it as asked, then every curve, clipped to the plot.
    virtual void Paint(Canvas& canvas, const PixelRect& rect, bool drawAxes,
                       bool fillBackground) = 0;
    // The model curves' current values in the single colour, in the frame as last laid out.
    virtual void PaintPlain(Canvas& canvas) = 0;
    virtual void Clear() {}

    // The layer set and its current objects.
    static LayerSet& Set();
    static const Ptr& CurrentLayer();
    static const Curve::Ptr& CurrentCurve();
    static const FileCurve::Ptr& CurrentFileCurve();
    // Each announces its code (LayerEvent::kCurrentLayerChanged, LayerEvent::kBuiltInCurveChanged,
    // LayerEvent::kBuiltInFileCurveChanged) unless the object is current already.
    static void SetCurrentLayer(const Ptr& layer);
    static void SetCurrentCurve(const Curve::Ptr& curve);
    static void SetCurrentFileCurve(const FileCurve::Ptr& curve);
    // Start-up: a layer "layer", current and alone in the set; nothing is announced.
    static void NewLayer();
    // New project: the same, with no current curves; announces LayerEvent::kLayersReplaced.
    static void ResetLayers();
    // Project read: the set takes the given layers; no current objects; announces
    // LayerEvent::kLayersReplaced.
    static void ReplaceLayers(const LayerSet& layers);

    [[nodiscard]] static EventBus::Registration AddObserver(
        const Safe::XPtr<Winplus::EventObserver<LayerEvent>>& observer);
    static void NotifyObservers(LayerEvent code);

protected:
    Layer(const std::wstring& name, int kind) : Label(name), kind_(kind) {}

    int kind_;
    Rect limits_{0.0, 0.0, 1.0, 1.0};
};

using CurveSet = ObjectSet<Curve::Ptr>;
using FileCurveSet = ObjectSet<FileCurve::Ptr>;

class LayerCurve : public Layer {
public:
    using Ptr = Safe::XPtr<LayerCurve>;

    // Holds one model curve "curve" over 1 to 1000; limits {0, 0, 1000, 1}.
    static Ptr Create(const std::wstring& name = L"layer");
    // Holds no curve: a layer as its record describes it. Making the default curve would
    // evaluate the current model, which a read must leave alone.
    static Ptr CreateEmpty(const std::wstring& name = L"layer");

    // Stores the limits (in the frame too, so that a layer never painted saves them) and
    // regrids every AutoScale curve to the new x range.
    void SetLimits(const Rect& limits) override;
    bool HasCurves() const override;
    void RefreshAll() override;
    void Paint(Canvas& canvas, const PixelRect& rect, bool drawAxes, bool fillBackground) override;
    void PaintPlain(Canvas& canvas) override;
    void Clear() override;
    // The curves only, in the frame as last laid out.
    void PaintCurves(Canvas& canvas);

    // Null is refused. A taken name gets an "@N" suffix; the curve is regridded to the limits.
    bool AddCurve(const Curve::Ptr& curve);
    bool AddFileCurve(const FileCurve::Ptr& curve);
    bool RenameCurve(const std::wstring& oldName, const std::wstring& newName);
    bool RenameFileCurve(const std::wstring& oldName, const std::wstring& newName);
    bool RemoveCurve(const std::wstring& name);
    bool RemoveFileCurve(const std::wstring& name);
    // The union of the bounds of every visible curve; {0, 0, 1, 1} when none is visible.
    Rect GetCurvesBounds() const;

    // Lays out and evaluates the grids that a read left to first use, so that every curve holds
    // the points it was saved with: what reads the points without painting them (the exports,
    // the state dump) asks for this first. A read itself allocates nothing for the points.
    void LayOutGrids() const;
    const Safe::XPtr<CurveSet>& Curves() const { return curves_; }
    const Safe::XPtr<FileCurveSet>& FileCurves() const { return fileCurves_; }
    const Safe::XPtr<Frame>& GetFrame() const { return frame_; }

private:
    LayerCurve(const std::wstring& name, bool withCurve);
    // Clips to the plot area moved in by inset and narrowed by shrink.
    void PushPlotClip(Canvas& canvas, int inset, int shrink) const;

    Safe::XPtr<CurveSet> curves_;
    Safe::XPtr<FileCurveSet> fileCurves_;
    Safe::XPtr<Frame> frame_;
};

}  // namespace Winplus
