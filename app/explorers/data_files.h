#pragma once
// The "Data Files" explorer apart from its tree window: what the tree shows for the data set,
// its context menus, and what its label edits, selections and commands do to the data set.
// Dialogs and message boxes go through the platform layer.
#include <array>
#include <string>

#include "app/base/explorer_tree.h"
#include "winplus/resource_ids.h"

namespace Core::DataFiles {

// Item kinds, which are the image list's indexes: the root "Files" and a spectrum.
inline constexpr int kFileKind = 1;
inline constexpr const char* kRootText = "Files";
// The image list's bitmaps, in kind order.
inline constexpr std::array<int, 2> kBitmaps = {IDB_TREE_ROOT, IDB_TREE_SPECTRUM};

inline constexpr int kRemoveAll = 4000;
inline constexpr int kLoadDataFile = 4001;
inline constexpr int kRemove = 4002;
inline constexpr int kSaveComplex = 4010;
inline constexpr int kSaveReal = 4011;
inline constexpr int kSaveImaginary = 4012;

// The "Load Opus File" sub-menu: each identifier is the Opus block type it loads.
extern const std::array<Explorer::MenuEntry, 18> kOpusMenu;
// The root's menu, with the Opus sub-menu (id 0, "Load Opus File"), a separator (id 0, no
// text), and the file's menu with the save sub-menu (id 0, "Save").
extern const std::array<Explorer::MenuEntry, 4> kRootMenu;
extern const std::array<Explorer::MenuEntry, 3> kFileMenu;
extern const std::array<Explorer::MenuEntry, 3> kSaveMenu;

// The root "Files" with one item per spectrum of the data set, in set order.
Explorer::Item Tree();

// A spectrum item selected makes that spectrum current; anything else makes none current.
void SyncCurrent(const Explorer::Selected& selected);

// The end of a label edit on a spectrum item: with a current spectrum, the spectrum of the old
// name takes the new one unless another bears it already (DataSetEvent::kDataFileSelected). False:
// the label reverts.
bool Rename(const Explorer::Selected& selected, const std::string& oldName,
            const std::string& newName);

// A context-menu command with the selected item. True when the data set changed, so the tree is
// refilled and the selection synced again; removals are announced (DataSetEvent::kDataSetReplaced)
// and mark the project unsaved.
bool Command(int id, void* owner, const Explorer::Selected& selected);

}  // namespace Core::DataFiles
