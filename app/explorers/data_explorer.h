#pragma once
// The "Data Files" panel: the tree of the data set's spectra under "Files", where spectra are
// loaded, removed, renamed, picked as the current one and saved.
#include "app/explorers/data_files.h"
#include "app/explorers/explorer_leaf.h"

namespace Core {

class ControlData : public ExplorerTree {
public:
    ControlData(HWND parent, int id);
    // The items of the data set again, the current spectrum's selected.
    void Refill();
    void Command(int id) override;

protected:
    const ContextMenu* MenuOf(int kind) const override;
    void OnSelectionChanged() override;
    bool EndLabelEdit(const Explorer::Selected& item, const std::string& oldName,
                      const std::string& newName) override;

private:
    ContextMenu rootMenu_{DataFiles::kRootMenu, {DataFiles::kOpusMenu}};
    ContextMenu fileMenu_{DataFiles::kFileMenu, {DataFiles::kSaveMenu}};
};

class DataLeaf : public ExplorerLeaf<ControlData> {
public:
    explicit DataLeaf(Winplus::Wnd parent);
};

}  // namespace Core
