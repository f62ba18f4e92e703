#pragma once
// Layer records of the project file: a layer with its frame, model curves, data-file curves and
// their styles. Curves store the names of their models and spectra, which the reader looks up
// in the model set and the data set.
#include "plot/layer.h"

class BinaryReader;
class BinaryWriter;

namespace Winplus {
namespace LayerIo {

inline constexpr int kLayerTag = 10301;
inline constexpr int kFrameTag = 10310;
inline constexpr int kCurveTag = 10320;
inline constexpr int kFileCurveTag = 10321;
inline constexpr int kStyleTag = 10350;
// Grids outside this many points are refused as corrupt.
inline constexpr int kMinPoints = 2;
inline constexpr int kMaxPoints = 8096;

// "Internal error." for a null layer or one that is not a curve layer.
void WriteLayer(BinaryWriter& writer, const Layer::Ptr& layer);
// Reads a layer record whose opening tag was read; "File corruption." and the stream's own
// messages when it is damaged or cut short.
Layer::Ptr ReadLayer(BinaryReader& reader);

}  // namespace LayerIo
}  // namespace Winplus
