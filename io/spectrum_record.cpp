#include "io/spectrum_record.h"

#include "foundation/exception.h"
#include "io/binary_stream.h"

namespace Core {

Spectrum::Ptr ReadSpectrumRecord(BinaryReader& reader) {
    Spectrum::Ptr spectrum = Safe::MakeX<Spectrum>();
    std::string name = reader.ReadString();
    spectrum->Label::SetName(name);
    const std::uint32_t n = reader.ReadU32();
    reader.Require(n, 3 * sizeof(double));
    spectrum->Resize(static_cast<int>(n));
    for (std::uint32_t i = 0; i < n; ++i) {
        const double x = reader.ReadDouble();
        const double re = reader.ReadDouble();
        const double im = reader.ReadDouble();
        spectrum->SetPoint(static_cast<int>(i), x, re, im);
    }
    if (!IsEndTag(SpectrumTag, reader.ReadInt())) throw Winplus::Exception("File corruption.");
    return spectrum;
}

void WriteSpectrumRecord(const Spectrum::Ptr& spectrum, BinaryWriter& writer) {
    if (!spectrum) throw Winplus::Exception("Internal error.");
    writer.WriteInt(SpectrumTag);
    writer.WriteString(spectrum->GetNameA());
    const int n = spectrum->Size();
    writer.WriteU32(static_cast<std::uint32_t>(n));
    for (int i = 0; i < n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        writer.WriteDouble((*spectrum->X())[k]);
        writer.WriteDouble((*spectrum->Re())[k]);
        writer.WriteDouble((*spectrum->Im())[k]);
    }
    writer.WriteInt(-SpectrumTag);
}

}  // namespace Core
