#pragma once
// The process-wide project state the menu commands, explorers and selectors share: the saved
// flag, the project folder, the window title's text, the requested Opus block type, the function
// library list and category, and the menu observer that marks the project unsaved.
#include <optional>
#include <string>

#include "foundation/event_bus.h"

namespace Core::MenuCore {

// True at start and after New, Open and Save; false after any change to what the project file
// holds.
bool IsSaved();
void SetSaved(bool saved);

// The folder of the last project opened or saved, ending with its separator; empty at start.
const std::string& GetProjectFolder();
void SetProjectFolder(const std::string& folder);

// The main window's title for a project name.
std::string WindowTitle(const std::string& projectName);

// The Opus block type a menu identifier asks for (ID_OPUS_REFLECTANCE to ID_OPUS_IB), none for
// any other identifier.
std::optional<int> OpusTypeForMenu(int menuId);
// Makes that block type the one the data-file loader reads; other identifiers leave it as it
// was (false).
bool SetOpusType(int menuId);

// The function library list the user function selector reads, and the category it shows
// instead (-1: read the list). Both are announced as LibraryEvent::kLibraryChanged.
const std::string& GetLibraryListPath();
int GetLibraryCategory();
// "Load Function Library...": list path := path, category := -1.
void SetLibraryList(const std::string& path);
void SetLibraryCategory(int index);

// Whether a code that bus brings changes what the project file holds: models, spectra, layers
// and their curves, names and values. Selections and replacements by New and Open do not count
// (those commands set the flag themselves).
bool MarksProjectUnsaved(ModelEvent code);
bool MarksProjectUnsaved(DataSetEvent code);
bool MarksProjectUnsaved(LayerEvent code);

// The menu observer: on the model, data-set and layer buses (in that order) for as long as the
// object lives, clearing the saved flag on the codes above.
class ProjectObserver {
public:
    ProjectObserver();

private:
    EventBus::Registration models_, dataSet_, layers_;
};

}  // namespace Core::MenuCore
