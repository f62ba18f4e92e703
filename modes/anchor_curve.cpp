#include "modes/anchor_curve.h"

namespace Winplus {

void AnchorsDesigner::Paint(Canvas& canvas, bool previousPoints) {
    if (!frame_) return;
    const Core::AnchorEndMode ends = Core::GetAnchorEndMode();
    const bool first = ends != Core::AnchorEndMode::kSecond;
    const bool second = ends != Core::AnchorEndMode::kFirst;
    for (const Safe::XPtr<Core::Anchor>& anchor : anchors_) {
        for (const Core::Anchor::End* end :
             {first ? &anchor->First() : nullptr, second ? &anchor->Second() : nullptr}) {
            if (end && end->enabled)
                PaintMarker(canvas, *anchor, previousPoints ? end->previous : end->current);
        }
    }
}

void AnchorsDesigner::PaintMarker(Canvas& canvas, const Core::Anchor& anchor,
                                  const Core::AnchorPoint& point) {
    int x = 0, y = 0;
    if (!frame_->ToPixel(point.x, point.y, x, y)) return;
    const bool circle = anchor.GetKind() > 2;
    const bool current = &anchor == current_.Get();
    auto draw = [&](const PixelRect& box, Argb ink, bool fill) {
        if (circle)
            canvas.Ellipse(box, ink, fill);
        else
            canvas.Rectangle(box, ink, fill);
    };
    if (canvas.CentresMarkers()) {
        draw({x - markerSize, y - markerSize, 2 * markerSize, 2 * markerSize}, color, current);
        return;
    }
    const PixelRect box{x - markerOffset, y - markerOffset, markerSize, markerSize};
    draw(box, current ? 0xFFFFFFFF : color, true);
    draw(box, color, false);
}

void AnchorCurve::SetAnchors(const std::vector<Safe::XPtr<Core::Anchor>>& anchors) {
    designer_->SetAnchors(anchors);
}

void AnchorCurve::SetCurrentAnchor(const Safe::XPtr<Core::Anchor>& anchor) {
    designer_->SetCurrentAnchor(anchor);
    if (anchor)
        designer_->color =
            anchor->Second().enabled ? Designers().imag->lineColor : Designers().real->lineColor;
}

void AnchorCurve::Paint(Canvas& canvas, const Safe::XPtr<Frame>& frame) {
    Curve::Paint(canvas, frame);
    PaintAnchors(canvas, frame, false);
}

void AnchorCurve::PaintPlain(Canvas& canvas, const Safe::XPtr<Frame>& frame) {
    Curve::PaintPlain(canvas, frame);
    PaintAnchors(canvas, frame, false);
}

void AnchorCurve::PaintSaved(Canvas& canvas, const Safe::XPtr<Frame>& frame) {
    Curve::PaintSaved(canvas, frame);
    PaintAnchors(canvas, frame, true);
}

void AnchorCurve::PaintAnchors(Canvas& canvas, const Safe::XPtr<Frame>& frame,
                               bool previousPoints) {
    designer_->SetFrame(frame);
    designer_->Paint(canvas, previousPoints);
}

}  // namespace Winplus
