#pragma once
// The selection store's file commands: a formula loaded from or saved to a formula file, a
// prototype loaded from a prototype file. Dialogs and message boxes go through the platform
// layer; each command takes the owner window of its dialog and answers whether it did its work.
// A cancelled dialog changes nothing.
#include <string>

namespace Core::Selection {

// What loading a formula file gave the editor.
struct FormulaLoad {
    bool loaded = false;  // the file's formula is the stored formula now
    // The file's text, also when it no longer compiles (then it is shown to be mended, after
    // the formula's own message).
    std::string text;
};

// Reads the chosen formula file; a formula other than the stored one is stored
// (SelectionEvent::kSelectedFormulaChanged).
FormulaLoad LoadFormulaFile(void* owner);
bool LoadFormulaCommand(void* owner);
// Reads the chosen prototype file; a prototype other than the stored one is stored
// (SelectionEvent::kSelectedPrototypeChanged).
bool LoadPrototypeCommand(void* owner);
// Writes the stored formula to the chosen file: the writer's answer ("No available formula"
// without one, and no dialog).
bool SaveFormulaCommand(void* owner);

// The folders the dialogs open in: that of the last file of their kind read or written.
const std::string& GetFormulaFolder();
const std::string& GetPrototypeFolder();

}  // namespace Core::Selection
