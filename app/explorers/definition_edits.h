#pragma once
// The edits behind the definition explorer's tree: each command of its context menus and of the
// definition tool bar, applied to the current definition at the current node, which stands for
// the tree's selected item. The tree window shows the current definition, forwards its selection,
// menu commands, tool-bar codes and bus events here, and after every edit that answers true fills
// itself again and selects the current node's item (the definition item when there is none).
// Structural edits go through the definition's own undoable operations and announce
// ModelEvent::kDefinitionEdited on the model bus; dialogs and message boxes go through the platform
// layer.
#include <string>
#include <vector>

#include "foundation/event_codes.h"
#include "model/math_map.h"

namespace Core {

// The identifiers of the tree's menu items.
namespace DefinitionMenuId {
inline constexpr int kReset = 1000;
inline constexpr int kAppendSelection = 1001;
inline constexpr int kSetSelection = 1002;  // "Replace" in the reference menu
inline constexpr int kRemove = 1003;
inline constexpr int kSetPrototype = 1004;
inline constexpr int kAppendPrototype = 1005;
inline constexpr int kAppendElement = 1006;
inline constexpr int kAppendElementFile = 1007;
inline constexpr int kSaveElements = 1008;
inline constexpr int kSort = 1010;
inline constexpr int kLoadDataFile = 1020;
inline constexpr int kSaveData = 1021;
inline constexpr int kFirstConnect = 1100;   // + index into ConnectList
inline constexpr int kFirstSpectrum = 2000;  // + index into SpectrumItems
}  // namespace DefinitionMenuId

// The codes of the definition tool bar's buttons.
namespace DefinitionBarCode {
inline constexpr int kCut = 100;
inline constexpr int kCopy = 101;
inline constexpr int kPaste = 102;
inline constexpr int kUndo = 103;
inline constexpr int kRedo = 104;
}  // namespace DefinitionBarCode

class DefinitionEditor {
public:
    // The selection step: the node named by a node item's text (cut at its first "->") becomes
    // the current node, none when the current definition has no such node.
    void SelectItem(const std::string& itemText);
    // The definition item or no item selected: no current node.
    void SelectNone();

    // A context-menu command; owner is the window that owns its dialogs. False when it did
    // nothing (nothing selected, refused, cancelled, failed).
    bool RunMenuCommand(void* owner, int id);
    // A tool-bar code (DefinitionBarCode); other codes do nothing.
    bool RunBarCommand(int code);
    // Appends a clone the builder made under the selected node (no relinking).
    bool AppendFunction(const Node::Ptr& node);

    // Model bus: on ModelEvent::kModelsReset, ModelEvent::kCurrentModelChanged and
    // ModelEvent::kCurrentDefinitionChanged the Connect list is rebuilt and the undo and redo
    // availability of channel 1 published from the current definition's histories. True when
    // the tree must be filled again (ModelEvent::kModelsReset, ModelEvent::kCurrentModelChanged,
    // ModelEvent::kCurrentDefinitionChanged, ModelEvent::kDefinitionRenamed).
    bool OnModelEvent(ModelEvent code);
    // Data-set bus: every change rebuilds the spectrum items of the file menu (true).
    bool OnDataSetEvent(DataSetEvent code);

    // The Connect submenu: the definitions the current definition may refer to.
    const std::vector<NodeMap::Ptr>& ConnectList() const { return connect_; }
    void RebuildConnectList();
    // The file menu's spectrum items: the experimental spectra's names (ANSI), in set order.
    const std::vector<std::string>& SpectrumItems() const { return spectra_; }
    void RebuildSpectrumItems();

    // Structural edits at the selected node, each announced with ModelEvent::kDefinitionEdited;
    // relinking re-points the model's references after a node that may hold references to another
    // model came in.
    bool Replace(const Node::Ptr& node, bool relink);
    bool Append(const Node::Ptr& node, bool relink);
    bool Remove();
    // Sorts the selected node's children: no model event, but the project is changed.
    bool Sort();
    bool Connect(int index);
    bool Undo() { return StepHistory(true); }
    bool Redo() { return StepHistory(false); }
    bool Cut();
    bool Copy();
    bool Paste();

    // File nodes and point lists (definition_files.cpp).
    bool TakeSpectrum(int index);
    bool LoadDataFile(void* owner);
    bool SaveData(void* owner);
    bool AppendElementFile(void* owner);
    bool SaveElements(void* owner);

private:
    bool StepHistory(bool undo);
    // The current node when it belongs to the current definition; null otherwise.
    Node::Ptr Selected() const;
    // Announces an edit of the current definition at the selected node.
    static void Announce();
    static void Relink();

    std::vector<NodeMap::Ptr> connect_;
    std::vector<std::string> spectra_;
};

// The item of a node in the tree: its name, a reference's followed by "->" and the name of the
// definition it stands for.
std::string DefinitionItemText(const Node::Ptr& node);
// The image list index of a node's item (0 is the definition item's); -1 for types without one.
int DefinitionItemImage(const Node::Ptr& node);

// The context menu the tree shows for a node, and the state of its items that may be disabled
// (the others are always enabled).
enum class DefinitionMenu { kNone, kNode, kReference, kList, kElement, kFile };
struct DefinitionMenuState {
    DefinitionMenu menu = DefinitionMenu::kNone;
    bool setPrototype = false;
    bool appendSelection = false;
    bool appendPrototype = false;
    bool sort = false;
    bool remove = false;
    bool reset = true;
};
DefinitionMenuState DefinitionMenuFor(const Node::Ptr& node);

// The definition tool bar's buttons as the map-bar store and the current node enable them.
struct DefinitionBarState {
    bool cut = false;
    bool copy = false;
    bool paste = false;
    bool undo = false;
    bool redo = false;
};
DefinitionBarState DefinitionBarButtons();

}  // namespace Core
