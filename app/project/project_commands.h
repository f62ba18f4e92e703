#pragma once
// The project commands of the main menu and the tool bar: New, Open, Save and Save As, and the
// question whether to save changes first. Dialogs and message boxes go through the platform
// layer, which tests replace. The window title follows the project name (WindowTitle) after
// each command.
#include <string>

#include "app/project/project_io.h"

namespace Core::MenuCore {

// Reads the project; on success the project is bound to the file (its folder and name become
// the project's) and saved. A failed read changes nothing.
ProjectIo::Result OpenProject(const std::string& path);
// Writes the project; on success the project is bound to the file and saved. A failed write
// changes nothing.
ProjectIo::Result SaveProject(const std::string& path);
// The file the project is bound to: empty at start and after New, when Save asks where.
const std::string& GetProjectFile();

// Without unsaved changes, true. Otherwise asks "Save project changes?": No goes on without
// saving, Yes saves through the Save Project dialog. A cancelled dialog goes on; a save that
// failed (and said why) does not: false, and the caller keeps the project.
bool ConfirmSave(void* owner);
// New: after ConfirmSave, the data set emptied, a new basic model, a new layer set, the view
// tools reset and the default comment; the project "Project", bound to no file and saved.
bool NewProjectCommand(void* owner);
// Open: after ConfirmSave, the Load Project dialog, then OpenProjectAndSay.
bool LoadProjectCommand(void* owner);
// The read of Open and of a project named on the command line: a failure is said and changes
// nothing; after a read the view tools are reset and its notes said once.
bool OpenProjectAndSay(const std::string& path);
// Save: to the file the project is bound to, or as Save As when there is none.
bool SaveProjectCommand(void* owner);
// Save As: the Save Project dialog, then the write. A failure is said and leaves the project
// unsaved; a cancelled dialog changes nothing. True when the project was written.
bool SaveProjectAsCommand(void* owner);

}  // namespace Core::MenuCore
