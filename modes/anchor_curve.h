#pragma once
// The anchor tool's dynamic curve: a model curve that, after painting itself, marks the anchors
// of the edited node on it, the current one standing out.
#include <vector>

#include "model/anchors.h"
#include "plot/curve.h"

namespace Winplus {

class AnchorsDesigner : public Safe::Countable {
public:
    void SetAnchors(const std::vector<Safe::XPtr<Core::Anchor>>& anchors) { anchors_ = anchors; }
    void SetCurrentAnchor(const Safe::XPtr<Core::Anchor>& anchor) { current_ = anchor; }
    const std::vector<Safe::XPtr<Core::Anchor>>& GetAnchors() const { return anchors_; }
    const Safe::XPtr<Core::Anchor>& GetCurrentAnchor() const { return current_; }
    void SetFrame(const Safe::XPtr<Frame>& frame) { frame_ = frame; }

    // A marker at each enabled end the process-wide end selection names (1 first, 2 second,
    // 3 both), at its current point or, for the saved curve, its previous one: a circle for an
    // anchor of kind above 2, else a square; the current anchor's filled white (GDI+) or filled
    // (Direct2D), the others filled in the colour and outlined (GDI+) or outlined (Direct2D).
    void Paint(Canvas& canvas, bool previousPoints);

    Argb color = 0xFFFF0000;
    int markerSize = 4;
    int markerOffset = 2;

private:
    void PaintMarker(Canvas& canvas, const Core::Anchor& anchor, const Core::AnchorPoint& point);

    Safe::XPtr<Core::Anchor> current_;
    std::vector<Safe::XPtr<Core::Anchor>> anchors_;
    Safe::XPtr<Frame> frame_;
};

class AnchorCurve : public Curve {
public:
    using Ptr = Safe::XPtr<AnchorCurve>;

    AnchorCurve() : designer_(Safe::MakeX<AnchorsDesigner>()) {}

    void SetAnchors(const std::vector<Safe::XPtr<Core::Anchor>>& anchors);
    // The markers take the colour of the part the anchor's end marks: the imaginary part's
    // line colour for a second end, else the real part's.
    void SetCurrentAnchor(const Safe::XPtr<Core::Anchor>& anchor);
    const AnchorsDesigner& Designer() const { return *designer_; }

    void Paint(Canvas& canvas, const Safe::XPtr<Frame>& frame) override;
    void PaintPlain(Canvas& canvas, const Safe::XPtr<Frame>& frame) override;
    void PaintSaved(Canvas& canvas, const Safe::XPtr<Frame>& frame) override;

private:
    void PaintAnchors(Canvas& canvas, const Safe::XPtr<Frame>& frame, bool previousPoints);

    Safe::XPtr<AnchorsDesigner> designer_;
};

}  // namespace Winplus
