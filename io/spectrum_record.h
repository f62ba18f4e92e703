#pragma once
// Record 10400 of the tagged binary files: a spectrum's name and its points.
#include "foundation/spectrum.h"

class BinaryReader;
class BinaryWriter;

namespace Core {

// Reads the record after its opening tag; "Unexpected end of file." or "File corruption." when
// it is cut short or damaged.
Spectrum::Ptr ReadSpectrumRecord(BinaryReader& reader);
// Writes the record with both tags; "Internal error." for a null spectrum.
void WriteSpectrumRecord(const Spectrum::Ptr& spectrum, BinaryWriter& writer);

}  // namespace Core
