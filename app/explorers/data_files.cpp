#include "app/explorers/data_files.h"

#include "app/base/project_state.h"
#include "io/data_set.h"
#include "io/opus.h"

namespace Core::DataFiles {

const std::array<Explorer::MenuEntry, 18> kOpusMenu = {{
    {Opus::kReflectance, "Reflectance..."},
    {Opus::kTransmittance, "Transmittance..."},
    {Opus::kEmittance, "Emittance..."},
    {Opus::kAbsorbance, "Absorbance..."},
    {Opus::kAtr, "ATR..."},
    {Opus::kRaman, "Raman spectrum..."},
    {Opus::kBackgroundSingleChannel, "Background single chanel..."},
    {Opus::kSampleSingleChannel, "Sample single chanel..."},
    {Opus::kKubelkaMunk, "Kubelka Munk spectrum..."},
    {Opus::kPa, "PA spectrum..."},
    {Opus::kIr, "IR spectrum..."},
    {Opus::kSp, "SP spectrum..."},
    {Opus::kPs, "PS spectrum..."},
    {Opus::kPr, "PR spectrum..."},
    {Opus::kHs, "HS spectrum..."},
    {Opus::kHr, "HR spectrum..."},
    {Opus::kIs, "IS spectrum..."},
    {Opus::kIb, "IB spectrum..."},
}};
const std::array<Explorer::MenuEntry, 4> kRootMenu = {{
    {kLoadDataFile, "Load Data File..."},
    {0, "Load Opus File"},
    {0, ""},
    {kRemoveAll, "Remove All"},
}};
const std::array<Explorer::MenuEntry, 3> kFileMenu = {{
    {kRemove, "Remove"},
    {0, ""},
    {0, "Save"},
}};
const std::array<Explorer::MenuEntry, 3> kSaveMenu = {{
    {kSaveComplex, "Complex Spectrum..."},
    {kSaveReal, "Real Spectrum..."},
    {kSaveImaginary, "Imag Spectrum..."},
}};

namespace {

bool IsOpusType(int id) {
    for (const Explorer::MenuEntry& entry : kOpusMenu)
        if (entry.id == id) return true;
    return false;
}

// The lists that index the data set by position follow only an announced change, and the
// project file holds the spectra.
void AnnounceRemoval() {
    DataSet::Notify(DataSet::kReplaced);
    MenuCore::SetSaved(false);
}

bool RemoveAll() {
    if (DataSet::GetSet().Count() == 0) {
        DataSet::SetCurrent(nullptr);
        return false;
    }
    DataSet::Clear();  // announces the emptied set
    MenuCore::SetSaved(false);
    return true;
}

bool Remove(const Explorer::Selected& selected) {
    std::wstring name;
    if (selected.kind != kFileKind || !ToWide(selected.text, name)) return false;
    SpectrumSet& set = DataSet::GetSet();
    const Spectrum::Ptr removed = set.Find(name);
    if (!removed || !set.Remove(name)) return false;
    if (DataSet::GetCurrent() == removed) DataSet::SetCurrent(nullptr);
    AnnounceRemoval();
    return true;
}

}  // namespace

Explorer::Item Tree() {
    Explorer::Item root{kRootText, Explorer::kRootKind, {}};
    for (const Spectrum::Ptr& spectrum : DataSet::GetSet())
        root.children.push_back({spectrum->GetNameA(), kFileKind, {}});
    return root;
}

void SyncCurrent(const Explorer::Selected& selected) {
    std::wstring name;
    if (selected.kind == kFileKind && ToWide(selected.text, name))
        DataSet::SetCurrent(DataSet::GetSet().Find(name));
    else
        DataSet::SetCurrent(nullptr);
}

bool Rename(const Explorer::Selected& selected, const std::string& oldName,
            const std::string& newName) {
    std::wstring oldWide, newWide;
    if (newName.empty() || selected.kind != kFileKind || !DataSet::GetCurrent()) return false;
    if (!ToWide(oldName, oldWide) || !ToWide(newName, newWide)) return false;
    if (!DataSet::GetSet().RenameItem(oldWide, newWide)) return false;
    DataSet::Notify(DataSetEvent::kDataFileSelected);
    return true;
}

bool Command(int id, void* owner, const Explorer::Selected& selected) {
    if (IsOpusType(id)) {
        DataSet::SetOpusType(id);
        return DataSet::LoadDataFile(owner);
    }
    switch (id) {
        case kLoadDataFile: return DataSet::LoadDataFile(owner);
        case kRemoveAll: return RemoveAll();
        case kRemove: return Remove(selected);
        case kSaveComplex:
        case kSaveReal:
        case kSaveImaginary:
            DataSet::SaveDataFile(owner, DataSet::GetCurrent(), id - kSaveComplex);
            return false;
        default: return false;
    }
}

}  // namespace Core::DataFiles
