#include "app/explorers/data_explorer.h"

#include "io/data_set.h"

namespace Core {

ControlData::ControlData(HWND parent, int id) : ExplorerTree(parent, id) {
    SetImages(DataFiles::kBitmaps);
    Observe<DataSetEvent>([this](DataSetEvent code) {
        if (code == DataSetEvent::kDataSetReplaced) Refill();
    });
    Refill();
}

void ControlData::Refill() {
    Fill(DataFiles::Tree());
    if (const Spectrum::Ptr current = DataSet::GetCurrent())
        SelectQuietly({DataFiles::kFileKind, current->GetNameA(), DataFiles::kRootText});
}

void ControlData::Command(int id) {
    if (!DataFiles::Command(id, GetParent(Handle()), GetSelected())) return;
    Refill();
    DataFiles::SyncCurrent(GetSelected());
}

const ContextMenu* ControlData::MenuOf(int kind) const {
    if (kind == Explorer::kRootKind) return &rootMenu_;
    if (kind == DataFiles::kFileKind) return &fileMenu_;
    return nullptr;
}

void ControlData::OnSelectionChanged() {
    DataFiles::SyncCurrent(GetSelected());
}

bool ControlData::EndLabelEdit(const Explorer::Selected& item, const std::string& oldName,
                               const std::string& newName) {
    return DataFiles::Rename(item, oldName, newName);
}

DataLeaf::DataLeaf(Winplus::Wnd parent)
    : ExplorerLeaf("DataClass", parent, L"Data Files",
                   [](HWND leaf) { return Safe::MakeX<ControlData>(leaf, kExplorerContentId); }) {}

}  // namespace Core
