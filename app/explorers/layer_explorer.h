#pragma once
// The "Layer Explorer" apart from its tree window: what the tree shows for the layer set, its
// context menus, the current objects each item selects, label edits, and the commands that add,
// remove, tick, show and save layers and curves. Dialogs and boxes go through the platform
// layer; the tree's check marks come in as ticks.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/base/explorer_tree.h"
#include "plot/gnuplot_export.h"
#include "winplus/resource_ids.h"

namespace Core::LayerExplorer {

// Item kinds, which are the normal image list's indexes: the root "View Layers", a layer, a
// model curve, a data-file curve.
inline constexpr int kLayerKind = 1;
inline constexpr int kCurveKind = 2;
inline constexpr int kFileCurveKind = 3;
inline constexpr std::array<int, 4> kBitmaps = {IDB_TREE_ROOT, IDB_TREE_LAYER, IDB_TREE_CURVE,
                                                IDB_TREE_FILE_CURVE};
// The state images: none (never shown), unticked, ticked.
inline constexpr std::array<int, 3> kStateBitmaps = {IDB_STATE_NONE, IDB_STATE_UNTICKED,
                                                     IDB_STATE_TICKED};

inline constexpr int kRemoveAll = 5000;
inline constexpr int kAdd = 5001;
inline constexpr int kRemoveLayer = 5002;
inline constexpr int kAddCurve = 5003;
inline constexpr int kRemoveCurve = 5004;
inline constexpr int kAddFile = 5005;
inline constexpr int kRemoveFileCurve = 5006;
inline constexpr int kSaveComplex = 5010;
inline constexpr int kSaveReal = 5011;
inline constexpr int kSaveImaginary = 5012;
inline constexpr int kSaveGraph = 5013;
inline constexpr int kAddChildCurves = 5014;
// The display types, in the order of their values after "Hide Spectra".
inline constexpr int kHideSpectra = 5015;
inline constexpr int kRealSpectra = 5016;
inline constexpr int kImaginarySpectra = 5017;
inline constexpr int kComplexSpectra = 5018;
inline constexpr int kImaginaryVersusReal = 5019;
inline constexpr int kRealVersusImaginary = 5020;
inline constexpr int kSelectAll = 5030;
inline constexpr int kUnselectAll = 5031;
inline constexpr int kSaveCurvesComplex = 5050;
inline constexpr int kSaveCurvesReal = 5051;
inline constexpr int kSaveCurvesImaginary = 5052;

// The menus; an entry with id 0 and a text is a sub-menu's place, one without text a separator.
extern const std::array<Explorer::MenuEntry, 2> kRootMenu;
extern const std::array<Explorer::MenuEntry, 14> kLayerMenu;
extern const std::array<Explorer::MenuEntry, 6> kDisplayMenu;
extern const std::array<Explorer::MenuEntry, 3> kSaveCurvesMenu;
extern const std::array<Explorer::MenuEntry, 3> kCurveMenu;
extern const std::array<Explorer::MenuEntry, 3> kSaveMenu;
extern const std::array<Explorer::MenuEntry, 1> kFileCurveMenu;
// Where the display-type sub-menu sits in the layer menu.
inline constexpr int kDisplayMenuPosition = 6;

// The root "View Layers", one item per layer, under each its model curves then its file curves.
Explorer::Item Tree();
// A layer's item with its curves; the layer of that name, or an empty item.
Explorer::Item LayerItem(const std::string& name);

// The selection step: the item's layer, curve or file curve becomes current
// (LayerEvent::kCurrentLayerChanged, LayerEvent::kBuiltInCurveChanged,
// LayerEvent::kBuiltInFileCurveChanged); no item or the root makes all three null.
void Select(const Explorer::Selected& selected);
// The display-type sub-menu is enabled while the current layer holds a model curve.
bool DisplayTypesEnabled();

// The end of a label edit, only with a current layer: a layer (LayerEvent::kLayerRenamed), a model
// curve or a file curve (LayerEvent::kFileCurveRenamed) of the old name takes the new one unless it
// is taken. False: the label reverts.
bool Rename(const Explorer::Selected& selected, const std::string& oldName,
            const std::string& newName);

// What the tree does after a command, before its selection step.
enum class TreeChange {
    kNone,          // nothing changed
    kAddLayerItem,  // a layer named `name` joins the root
    kRefillLayer,   // the selected layer item's children are made again
    kDeleteItem,    // the selected item goes
    kSetChecks,     // the selected layer's children are all ticked or all unticked (`ticked`)
    kRebuild,       // the whole tree is made again
    kContentsOnly,  // the tree stays; the layers' contents changed (display types)
};

struct Result {
    TreeChange change = TreeChange::kNone;
    std::string name;
    bool ticked = false;
};

struct Context {
    void* owner = nullptr;
    Explorer::Selected selected;
    // The ticks of the selected layer item's children: model curves, then file curves.
    Winplus::GnuplotExport::Ticks ticks;
    // Asks for the folder of "Save Curves": true with its path, false when cancelled.
    std::function<bool(std::string&)> pickFolder;
};

// A context-menu command. After a change the tree makes it, runs the selection step and then
// calls Announce.
Result Command(int id, const Context& context);
// LayerEvent::kLayerScaleChanged: a layer's contents changed (which also marks the project
// unsaved).
void Announce();

}  // namespace Core::LayerExplorer
