// The definition explorer's commands that move data between the tree and files: spectra into
// two-column file nodes, point and pair lists from and to data files.
#include <sstream>

#include "app/explorers/definition_edits.h"
#include "foundation/exception.h"
#include "foundation/platform.h"
#include "functions/file_table.h"
#include "io/data_set.h"
#include "io/data_text.h"
#include "model/current.h"
#include "plot/export_files.h"

namespace Core {

namespace {

constexpr const char* kDataFilter = "Data Files (*.dat)-*.dat-All Files (*.*)-*.*-";

Platform::FileDialogRequest Request(void* owner, const char* title, bool save) {
    Platform::FileDialogRequest request;
    request.owner = owner;
    request.title = title;
    request.filter = kDataFilter;
    request.initialFolder = DataSet::GetDataFolder();
    request.defaultExtension = "dat";
    request.save = save;
    return request;
}

std::string ChooseOpen(void* owner, const char* title) {
    const std::vector<std::string> paths = Platform::ChooseFiles(Request(owner, title, false));
    return paths.empty() ? std::string() : paths.front();
}

void ShowError(const std::string& text) {
    Platform::ShowMessageBox({text, "Message", Platform::BoxIcon::Stop});
}

// Reads a data file as the Data Files explorer does; null after saying why (the reader's own
// message, or failure otherwise).
Spectrum::Ptr ReadDataFile(const std::string& path, const std::string& failure) {
    Platform::WaitCursor wait;
    bool report = true;
    Spectrum::Ptr spectrum;
    try {
        spectrum = DataSet::LoadFile(path, report);
    } catch (const Winplus::Exception& e) {
        ShowError(e.GetMessage());
        return Spectrum::Ptr();
    }
    if (!spectrum && report) ShowError(failure);
    return spectrum;
}

bool WriteOrSay(bool written, const std::string& path) {
    if (!written) ShowError(Platform::SaveFailureMessage(path));
    return written;
}

}  // namespace

void DefinitionEditor::RebuildSpectrumItems() {
    spectra_.clear();
    for (const Spectrum::Ptr& spectrum : DataSet::GetSet())
        spectra_.push_back(spectrum->GetNameA());
}

// The item names the spectrum: it is looked up by that name, so that an item never loads another
// spectrum than the one it shows, whatever happened to the set since the menu was made.
bool DefinitionEditor::TakeSpectrum(int index) {
    auto file = Safe::DynamicCast<Capsule::File2C>(Selected());
    if (!file || index < 0 || index >= static_cast<int>(spectra_.size())) return false;
    const std::string& name = spectra_[static_cast<std::size_t>(index)];
    std::wstring wide;
    if (!Platform::AnsiToWide(name, wide)) return false;
    const Spectrum::Ptr spectrum = DataSet::GetSet().Find(wide);
    if (!spectrum || !file->SetData(spectrum->X()->Values(), spectrum->Re()->Values()))
        return false;
    file->SetSecondName(name);
    Announce();
    return true;
}

bool DefinitionEditor::LoadDataFile(void* owner) {
    auto file = Safe::DynamicCast<Capsule::File2C>(Selected());
    if (!file) return false;
    const std::string path = ChooseOpen(owner, "Load Data File");
    if (path.empty()) return false;
    const Spectrum::Ptr spectrum = ReadDataFile(path, "Invalid Data File");
    if (!spectrum || !file->SetData(spectrum->X()->Values(), spectrum->Re()->Values()))
        return false;
    file->SetSecondName(path);
    // The item is refreshed, then its children are inserted again: each step is announced.
    Announce();
    Announce();
    return true;
}

bool DefinitionEditor::SaveData(void* owner) {
    auto file = Safe::DynamicCast<Capsule::File2C>(Selected());
    if (!file) return false;
    const std::string path = Platform::ChooseSaveFile(Request(owner, "Save Data", true));
    if (path.empty()) return false;
    Data x, y;
    for (int i = 0; i < file->Count(); ++i) {
        x.Values().push_back(file->GetX(i));
        y.Values().push_back(file->GetY(i));
    }
    return WriteOrSay(WriteTwoColumns(path, x, y), path);
}

bool DefinitionEditor::AppendElementFile(void* owner) {
    const Node::Ptr list = Selected();
    if (!list || !list->IsVariadic()) return false;
    const std::string path = ChooseOpen(owner, "Load Element File");
    if (path.empty()) return false;
    const Spectrum::Ptr spectrum = ReadDataFile(path, "Invalid Element File");
    if (!spectrum) return false;
    const NodeMap::Ptr definition = MenuCore::GetCurrentDefinition();
    bool appended = true;
    int added = 0;
    for (int i = 0; i < spectrum->Size() && appended; ++i) {
        const Node::Ptr item = Node::CreateListItem(list->GetTypeId());
        appended = item && item->ChildCount() >= 2;
        if (!appended) break;
        const auto at = static_cast<std::size_t>(i);
        item->GetChild(0)->SetValue(Complex((*spectrum->X())[at], 0.0), 0);
        item->GetChild(1)->SetValue(Complex((*spectrum->Re())[at], 0.0), 0);
        appended = static_cast<bool>(definition->AddNode(list->Name(), item));
        if (appended) ++added;
    }
    // What was added is announced even when a later point was refused.
    if (added > 0) {
        Relink();
        Announce();
    }
    return appended;
}

bool DefinitionEditor::SaveElements(void* owner) {
    const Node::Ptr list = Selected();
    if (!list || !list->IsVariadic()) return false;
    const std::string path = Platform::ChooseSaveFile(Request(owner, "Save Data", true));
    if (path.empty()) return false;
    std::ostringstream text;
    for (const Node::Ptr& element : list->GetChildren()) {
        if (element->ChildCount() < 2) break;
        text << element->GetChild(0)->GetValue().real() << "   "
             << element->GetChild(1)->GetValue().real() << '\n';
    }
    return WriteOrSay(Winplus::WriteTextFile(path, text.str()), path);
}

}  // namespace Core
