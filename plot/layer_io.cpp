#include "plot/layer_io.h"

#include <cmath>
#include <new>
#include <string>

#include "foundation/exception.h"
#include "io/binary_stream.h"
#include "io/data_set.h"
#include "model/current.h"

namespace Winplus {
namespace LayerIo {

namespace {

[[noreturn]] void Corrupt() {
    throw Exception("File corruption.");
}

void Expect(BinaryReader& reader, int tag) {
    if (reader.ReadInt() != tag) Corrupt();
}

std::wstring Wide(const std::string& name) {
    std::wstring wide;
    if (!ToWide(name, wide)) Corrupt();
    return wide;
}

void WriteStyle(BinaryWriter& writer, const CurveDesigner& style) {
    writer.WriteInt(kStyleTag);
    writer.WriteBool(style.hasLine);
    writer.WriteInt(style.thickness);
    writer.WriteU32(style.lineColor);
    writer.WriteBool(style.hasShape);
    writer.WriteInt(style.style);
    writer.WriteInt(style.markerWidth);
    writer.WriteU32(style.markerColor);
    writer.WriteBool(style.isFilled);
    writer.WriteInt(-kStyleTag);
}

// After its opening tag. Values that would break drawing keep the designer's own.
void ReadStyle(BinaryReader& reader, CurveDesigner& style) {
    style.hasLine = reader.ReadBool();
    const int thickness = reader.ReadInt();
    if (thickness > 0) style.thickness = thickness;
    style.lineColor = reader.ReadU32();
    style.hasShape = reader.ReadBool();
    const int shape = reader.ReadInt();
    if (shape >= 0) style.style = shape;
    const int size = reader.ReadInt();
    if (size > 0) style.markerWidth = style.markerHeight = size;
    style.markerColor = reader.ReadU32();
    style.isFilled = reader.ReadBool();
    Expect(reader, -kStyleTag);
}

void ReadStyles(BinaryReader& reader, const CurvePair& pair) {
    for (const auto& designer : {pair.real, pair.imag}) {
        Expect(reader, kStyleTag);
        ReadStyle(reader, *designer);
    }
}

void WriteCurve(BinaryWriter& writer, const Curve::Ptr& curve) {
    curve->FollowRenames();
    const Safe::XPtr<Core::MathUnit>& unit = curve->GetUnit();
    const Core::MathMap::Ptr model = unit->GetModel();
    const Core::NodeMap::Ptr definition = unit->GetDefinition();
    const Core::Node::Ptr output = unit->GetOutput();
    const Core::NodeMap::Ptr variable = unit->GetVariable();
    writer.WriteInt(kCurveTag);
    writer.WriteString(curve->GetNameA());
    writer.WriteString(model ? model->GetNameA() : std::string());
    writer.WriteString(definition ? definition->Name() : std::string());
    writer.WriteString(output ? output->Name() : std::string());
    writer.WriteBool(curve->autoScale);
    writer.WriteString(variable ? variable->Name() : std::string());
    writer.WriteInt(curve->PointCount());
    writer.WriteDouble(curve->GridMin());
    writer.WriteDouble(curve->GridMax());
    writer.WriteInt(curve->GetViewMode());
    WriteStyle(writer, *curve->Designers().real);
    WriteStyle(writer, *curve->Designers().imag);
    writer.WriteInt(-kCurveTag);
}

Curve::Ptr ReadCurve(BinaryReader& reader) {
    Curve::Ptr curve = Safe::MakeX<Curve>(Curve::kFromRecord);
    curve->SetName(Wide(reader.ReadString()));
    const std::string modelName = reader.ReadString();
    const std::string definitionName = reader.ReadString();
    const std::string outputName = reader.ReadString();
    curve->autoScale = reader.ReadBool();
    const std::string variableName = reader.ReadString();
    // What is not found stays unbound: the binding the constructor took from the current
    // selection would show another model.
    const Core::MathMap::Ptr model = Core::Models().Find(Wide(modelName));
    const Core::NodeMap::Ptr definition = model ? model->FindMap(definitionName) : nullptr;
    const Core::Node::Ptr output = definition ? definition->FindNode(outputName) : nullptr;
    const Core::NodeMap::Ptr variable = model ? model->FindMap(variableName) : nullptr;
    curve->GetUnit()->Bind(model, definition, output, variable);
    const int points = reader.ReadInt();
    if (points < kMinPoints || points > kMaxPoints) Corrupt();
    const double first = reader.ReadDouble();
    const double last = reader.ReadDouble();
    if (!std::isfinite(first) || !std::isfinite(last)) Corrupt();
    curve->DeferGrid(points, first, last);  // the record holds no points
    curve->SetViewMode(reader.ReadInt());
    ReadStyles(reader, curve->Designers());
    Expect(reader, -kCurveTag);
    return curve;
}

void WriteFileCurve(BinaryWriter& writer, const FileCurve::Ptr& curve) {
    writer.WriteInt(kFileCurveTag);
    writer.WriteString(curve->GetNameA());
    writer.WriteString(curve->GetData()->GetNameA());
    writer.WriteInt(curve->viewMode);
    writer.WriteBool(curve->GetAllRange());
    writer.WriteDouble(curve->GetXStart());
    writer.WriteDouble(curve->GetXEnd());
    WriteStyle(writer, *curve->Designers().real);
    WriteStyle(writer, *curve->Designers().imag);
    writer.WriteInt(-kFileCurveTag);
}

FileCurve::Ptr ReadFileCurve(BinaryReader& reader) {
    FileCurve::Ptr curve = Safe::MakeX<FileCurve>();
    curve->SetName(Wide(reader.ReadString()));
    const Spectrum::Ptr data = Core::DataSet::GetSet().Find(Wide(reader.ReadString()));
    if (data) curve->SetData(data);
    curve->viewMode = reader.ReadInt();
    const bool allRange = reader.ReadBool();
    curve->SetAllRange(allRange);
    const double start = reader.ReadDouble();
    const double end = reader.ReadDouble();
    if (!allRange) curve->SetRange(start, end);
    ReadStyles(reader, curve->Designers());
    Expect(reader, -kFileCurveTag);
    return curve;
}

void ReadFrame(BinaryReader& reader, LayerCurve& layer) {
    Expect(reader, kFrameTag);
    const Safe::XPtr<Frame>& frame = layer.GetFrame();
    frame->SetScale(0, reader.ReadInt());
    const double xMin = reader.ReadDouble(), xMax = reader.ReadDouble();
    frame->SetScale(1, reader.ReadInt());
    const double yMin = reader.ReadDouble(), yMax = reader.ReadDouble();
    for (double limit : {xMin, xMax, yMin, yMax})
        if (!std::isfinite(limit)) Corrupt();
    layer.SetLimits({xMin, yMin, xMax - xMin, yMax - yMin});
    Expect(reader, -kFrameTag);
}

}  // namespace

void WriteLayer(BinaryWriter& writer, const Layer::Ptr& layer) {
    const LayerCurve::Ptr curves = Safe::DynamicCast<LayerCurve>(layer);
    if (!curves || !curves->GetFrame()) throw Exception("Internal error.");
    const Safe::XPtr<Frame>& frame = curves->GetFrame();
    const Rect& limits = frame->GetLimits();
    writer.WriteInt(kLayerTag);
    writer.WriteString(curves->GetNameA());
    writer.WriteInt(kFrameTag);
    writer.WriteInt(frame->GetScale(0));
    writer.WriteDouble(limits.x);
    writer.WriteDouble(limits.x + limits.width);
    writer.WriteInt(frame->GetScale(1));
    writer.WriteDouble(limits.y);
    writer.WriteDouble(limits.y + limits.height);
    writer.WriteInt(-kFrameTag);
    for (const Curve::Ptr& curve : *curves->Curves()) WriteCurve(writer, curve);
    for (const FileCurve::Ptr& curve : *curves->FileCurves()) WriteFileCurve(writer, curve);
    writer.WriteInt(-kLayerTag);
}

Layer::Ptr ReadLayer(BinaryReader& reader) {
    LayerCurve::Ptr layer;
    try {
        layer = LayerCurve::CreateEmpty();
    } catch (const std::bad_alloc&) {
        throw Exception("Memory allocation error.");
    }
    layer->SetName(Wide(reader.ReadString()));
    ReadFrame(reader, *layer);
    int tag = reader.ReadInt();
    // Added as read: the grid is the record's, not the layer's limits.
    while (tag == kCurveTag) {
        layer->Curves()->Add(ReadCurve(reader));
        tag = reader.ReadInt();
    }
    // A model curve after the first file curve is corruption.
    while (tag == kFileCurveTag) {
        layer->AddFileCurve(ReadFileCurve(reader));
        tag = reader.ReadInt();
    }
    if (tag != -kLayerTag) Corrupt();
    return layer;
}

}  // namespace LayerIo
}  // namespace Winplus
