#include "io/data_set.h"

#include <fstream>
#include <new>
#include <stdexcept>
#include <vector>

#include "foundation/event_bus.h"
#include "foundation/exception.h"
#include "foundation/platform.h"
#include "foundation/text.h"
#include "io/data_text.h"
#include "io/jcamp.h"
#include "io/opus.h"

namespace Core {
namespace DataSet {

namespace {

struct State {
    Spectrum::Ptr current;
    std::string folder;
    int opusType = Opus::kReflectance;
};

State& Global() {
    static State* state = new State;  // lives for the process, like the set and its observers
    return *state;
}

void ResetDataSet() {
    GetSet().Clear();
    Global() = State();
}
[[maybe_unused]] const bool kResets = RegisterProcessReset(&ResetDataSet);

void ShowError(const std::string& text) {
    Platform::ShowMessageBox({text, "Message", Platform::BoxIcon::Stop});
}

Spectrum::Ptr ReadByLoadOrder(std::istream& in, bool& report) {
    if (Opus::IsOpusFile(in)) {
        const int type = Global().opusType;
        std::vector<Opus::DirectoryEntry> directory;
        if (!Opus::ReadDirectory(in, directory)) throw Winplus::Exception("Invalid Opus file");
        if (Opus::HasBlock(in, type)) return Opus::ReadSpectrum(in, type);
        std::string text =
            "This spectra type is not present in the file.\nAvailable spectra types :";
        for (const Opus::BlockInfo& info : Opus::ListSpectra(in))
            if (info.present) text += "\n- " + info.name;
        ShowError(text);
        report = false;
        return nullptr;
    }
    in.clear();
    in.seekg(0);
    if (JCAMPDX::IsJcampDx(in)) {
        in.clear();
        in.seekg(0);
        auto reader = Safe::MakeX<JCAMPDX>();
        if (reader->Load(in)) return reader->GetOutput();
        // Told why; report stays true, so "Invalid Data File" follows.
        if (!reader->GetNotice().empty())
            Platform::ShowMessageBox({reader->GetNotice(), "Message"});
        ShowError(reader->GetError());
        return nullptr;
    }
    in.clear();
    in.seekg(0);
    return ReadTextFile(in);
}

// Loads a file and adds it under its base name; shows why when it cannot.
bool LoadAndAdd(const std::string& path, bool& report, DataSetEvent code) {
    Spectrum::Ptr spectrum;
    try {
        spectrum = LoadFile(path, report);
    } catch (const Winplus::Exception& e) {
        ShowError(e.GetMessage());
        return false;
    }
    if (!spectrum) {
        if (report) ShowError("Invalid Data File");
        return false;
    }
    Global().folder = GetDirectory(path);
    spectrum->SetName(SplitPath(path));
    GetSet().Add(spectrum);
    Notify(code);
    return true;
}

}  // namespace

SpectrumSet& GetSet() {
    static SpectrumSet* set = new SpectrumSet;
    return *set;
}

const Spectrum::Ptr& GetCurrent() {
    return Global().current;
}

const std::string& GetDataFolder() {
    return Global().folder;
}

int GetOpusType() {
    return Global().opusType;
}

void SetOpusType(int type) {
    Global().opusType = type;
}

EventBus::Registration AddObserver(
    const Safe::XPtr<Winplus::EventObserver<DataSetEvent>>& observer) {
    return BusOf<DataSetEvent>().Add(observer);
}

void Notify(DataSetEvent code) {
    BusOf<DataSetEvent>().Notify(code);
}

Spectrum::Ptr LoadFile(const std::string& path, bool& report) {
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) return nullptr;
    return LoadStream(in, report);
}

Spectrum::Ptr LoadStream(std::istream& in, bool& report) {
    Spectrum::Ptr spectrum;
    try {
        spectrum = ReadByLoadOrder(in, report);
    } catch (const Winplus::Exception&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw Winplus::Exception("Allocation error.");
    } catch (const std::length_error&) {
        throw Winplus::Exception("Allocation error.");
    } catch (const std::exception&) {
        throw Winplus::Exception("File read failed");
    }
    // The text reader, the last in the order, gives up quietly when the system fails to read.
    if (!spectrum && in.bad()) throw Winplus::Exception("File read failed");
    return spectrum;
}

bool LoadDataFile(void* owner) {
    Platform::FileDialogRequest request;
    request.owner = owner;
    request.title = "Load Data File";
    request.filter = "Data Files (*.dat)-*.dat-JCAMPDX Files (*.dx)-*.dx-All Files (*.*)-*.*-";
    request.initialFolder = Global().folder;
    request.defaultExtension = "dat";
    const std::vector<std::string> paths = Platform::ChooseFiles(request);
    if (paths.empty()) return false;
    Platform::WaitCursor wait;
    // Once an Opus file has said which kinds it holds, later failures of the selection are
    // not reported again.
    bool report = true;
    bool added = false;
    for (const std::string& path : paths)
        if (LoadAndAdd(path, report, kAdded)) added = true;
    return added;
}

bool AddDataFile(const std::string& path) {
    Platform::WaitCursor wait;
    bool report = true;
    return LoadAndAdd(path, report, kReplaced);
}

bool Reload(const std::string& path) {
    return AddDataFile(path);
}

void SelectIndex(int index) {
    const SpectrumSet& set = GetSet();
    if (index < 0 || index > set.Count() - 1) index = set.Count() - 1;
    Global().current = set.At(index);
    Notify(kCurrentChanged);
}

void SetCurrent(const Spectrum::Ptr& spectrum) {
    if (Global().current == spectrum) return;
    Global().current = spectrum;
    Notify(kCurrentChanged);
}

void Clear() {
    Global().current = nullptr;
    GetSet().Clear();
    Notify(kReplaced);
}

void Replace(const Safe::XPtr<SpectrumSet>& spectra) {
    // Taken first: the given set may be this one.
    std::vector<Spectrum::Ptr> items;
    if (spectra) items.assign(spectra->begin(), spectra->end());
    Global().current = nullptr;
    GetSet().Clear();
    for (const Spectrum::Ptr& item : items) GetSet().Add(item);
    Notify(kReplaced);
}

bool WriteFile(const std::string& path, const Spectrum::Ptr& spectrum, const int& part) {
    if (!spectrum) return false;
    switch (part) {
        case 1: return WriteTwoColumns(path, spectrum->X(), spectrum->Re());
        case 2: return WriteTwoColumns(path, spectrum->X(), spectrum->Im());
        default: return WriteThreeColumns(path, spectrum->X(), spectrum->Re(), spectrum->Im());
    }
}

bool SaveDataFile(void* owner, const Spectrum::Ptr& spectrum, const int& part) {
    if (!spectrum) return false;
    Platform::FileDialogRequest request;
    request.owner = owner;
    request.title = "Save Data";
    request.filter = "Data Files (*.dat)-*.dat-All Files (*.*)-*.*-";
    request.initialFolder = Global().folder;
    request.fileName = spectrum->GetNameA();
    request.defaultExtension = "dat";
    const std::string path = Platform::ChooseSaveFile(request);
    if (path.empty()) return false;
    if (WriteFile(path, spectrum, part)) return true;
    Platform::ShowMessageBox(
        {Platform::SaveFailureMessage(path), "Message", Platform::BoxIcon::Stop});
    return false;
}

}  // namespace DataSet
}  // namespace Core
