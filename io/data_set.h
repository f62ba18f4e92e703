#pragma once
// The process-wide set of experimental spectra, the current spectrum, and the commands that
// load data files into the set (Opus, then JCAMP-DX, then text columns) and save spectra as
// text. Changes are announced on the data-set bus: DataSetEvent::kDataSetReplaced the set was
// emptied, refilled or had a file added outside the dialog, DataSetEvent::kDataSetFileAdded a file
// of the dialog was added, DataSetEvent::kCurrentSpectrumChanged the current spectrum changed.
#include <istream>
#include <string>

#include "foundation/command.h"
#include "foundation/event_bus.h"
#include "foundation/object_set.h"
#include "foundation/spectrum.h"

namespace Core {

using SpectrumSet = ObjectSet<Safe::XPtr<Spectrum>>;

namespace DataSet {

inline constexpr DataSetEvent kReplaced = DataSetEvent::kDataSetReplaced;
inline constexpr DataSetEvent kAdded = DataSetEvent::kDataSetFileAdded;
inline constexpr DataSetEvent kCurrentChanged = DataSetEvent::kCurrentSpectrumChanged;

// The one set; never replaced as an object, only emptied and refilled.
SpectrumSet& GetSet();
const Spectrum::Ptr& GetCurrent();
// The folder the dialogs open in: that of the last file loaded.
const std::string& GetDataFolder();
// The Opus kind to read (a parameter-block type), reflectance at start.
int GetOpusType();
void SetOpusType(int type);

[[nodiscard]] EventBus::Registration AddObserver(
    const Safe::XPtr<Winplus::EventObserver<DataSetEvent>>& observer);
void Notify(DataSetEvent code);

// Reads one file by the load order; null when no reader takes it. report becomes false when a
// message about the file was shown already. Failures throw Winplus::Exception: the readers'
// own, "Allocation error." and "File read failed".
Spectrum::Ptr LoadFile(const std::string& path, bool& report);
Spectrum::Ptr LoadStream(std::istream& in, bool& report);
// The "Load Data File" command: a multiple-selection dialog, then each file loaded, named after
// the file and added (DataSetEvent::kDataSetFileAdded each). A failure is shown for its file and
// the others go on. True when at least one file was added.
bool LoadDataFile(void* owner);
// Loads one named file without a dialog and adds it (DataSetEvent::kDataSetReplaced); false after
// showing why not.
bool AddDataFile(const std::string& path);
bool Reload(const std::string& path);

// An index outside the set means the last item (none in an empty set); announces
// DataSetEvent::kCurrentSpectrumChanged.
void SelectIndex(int index);
// Announces DataSetEvent::kCurrentSpectrumChanged unless spectrum is current already.
void SetCurrent(const Spectrum::Ptr& spectrum);
// Current spectrum none, set emptied; announces DataSetEvent::kDataSetReplaced.
void Clear();
// Current spectrum none, the set refilled with the given spectra (names made unique again);
// announces DataSetEvent::kDataSetReplaced.
void Replace(const Safe::XPtr<SpectrumSet>& spectra);

// part 1 writes abscissa and real part, 2 abscissa and imaginary part, any other all three.
// False for a null spectrum or when the file could not be written (the old file stays).
bool WriteFile(const std::string& path, const Spectrum::Ptr& spectrum, const int& part);
// The "Save Data" command; false for a null spectrum or a cancelled dialog.
bool SaveDataFile(void* owner, const Spectrum::Ptr& spectrum, const int& part);

}  // namespace DataSet
}  // namespace Core
