#include "plot/recording_canvas.h"

namespace Winplus {

namespace {

RecordingCanvas::Operation Make(RecordingCanvas::Kind kind, Argb color = 0, bool fill = false) {
    RecordingCanvas::Operation op;
    op.kind = kind;
    op.color = color;
    op.fill = fill;
    return op;
}

}  // namespace

void RecordingCanvas::Line(PixelPoint from, PixelPoint to, Argb color, double width) {
    Operation op = Make(Kind::Line, color);
    op.points = {from, to};
    op.width = width;
    operations_.push_back(op);
}

void RecordingCanvas::Rectangle(const PixelRect& box, Argb color, bool fill) {
    Operation op = Make(Kind::Rectangle, color, fill);
    op.box = box;
    operations_.push_back(op);
}

void RecordingCanvas::Ellipse(const PixelRect& box, Argb color, bool fill) {
    Operation op = Make(Kind::Ellipse, color, fill);
    op.box = box;
    operations_.push_back(op);
}

void RecordingCanvas::Polygon(const std::vector<PixelPoint>& points, Argb color, bool fill) {
    Operation op = Make(Kind::Polygon, color, fill);
    op.points = points;
    operations_.push_back(op);
}

void RecordingCanvas::Text(const std::wstring& text, const PixelRect& box, TextAlign align,
                           Argb color) {
    Operation op = Make(Kind::Text, color);
    op.box = box;
    op.text = text;
    op.align = align;
    operations_.push_back(op);
}

void RecordingCanvas::PushClip(const PixelRect& box) {
    Operation op = Make(Kind::PushClip);
    op.box = box;
    operations_.push_back(op);
}

void RecordingCanvas::PopClip() {
    operations_.push_back(Make(Kind::PopClip));
}

std::vector<RecordingCanvas::Operation> RecordingCanvas::OfKind(Kind kind) const {
    std::vector<Operation> found;
    for (const Operation& op : operations_)
        if (op.kind == kind) found.push_back(op);
    return found;
}

}  // namespace Winplus
