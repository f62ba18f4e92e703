#pragma once
// A canvas that keeps what is drawn on it, for tests and for measuring a picture without a
// device. Text is measured as Direct2D's plot estimates it.
#include <string>
#include <vector>

#include "plot/canvas.h"

namespace Winplus {

class RecordingCanvas : public Canvas {
public:
    enum class Kind { Line, Rectangle, Ellipse, Polygon, Text, PushClip, PopClip };
    struct Operation {
        Kind kind = Kind::Line;
        std::vector<PixelPoint> points;  // a line's two ends, a polygon's corners
        PixelRect box;                   // rectangle, ellipse, text box, clip
        Argb color = 0;
        bool fill = false;
        double width = 0.0;
        std::wstring text;
        TextAlign align = TextAlign::Leading;
    };

    void Line(PixelPoint from, PixelPoint to, Argb color, double width) override;
    void Rectangle(const PixelRect& box, Argb color, bool fill) override;
    void Ellipse(const PixelRect& box, Argb color, bool fill) override;
    void Polygon(const std::vector<PixelPoint>& points, Argb color, bool fill) override;
    void Text(const std::wstring& text, const PixelRect& box, TextAlign align, Argb color) override;
    TextSize MeasureText(const std::wstring& text) override { return EstimateTextSize(text); }
    void PushClip(const PixelRect& box) override;
    void PopClip() override;
    bool CentresMarkers() const override { return centresMarkers; }

    // Records markers as the Direct2D canvas places them.
    bool centresMarkers = false;

    const std::vector<Operation>& Operations() const { return operations_; }
    // The operations of one kind, in order.
    std::vector<Operation> OfKind(Kind kind) const;
    void Clear() { operations_.clear(); }

private:
    std::vector<Operation> operations_;
};

}  // namespace Winplus
