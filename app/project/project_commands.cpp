#include "app/project/project_commands.h"

#include <vector>

#include "app/base/project_comment.h"
#include "app/base/project_state.h"
#include "modes/view_modes.h"
#include "foundation/platform.h"
#include "foundation/text.h"
#include "io/data_set.h"
#include "model/current.h"
#include "plot/layer.h"

namespace Core::MenuCore {

namespace {

std::string& ProjectFile() {
    static std::string file;
    return file;
}
void ForgetFile() {
    ProjectFile().clear();
}
[[maybe_unused]] const bool kResets = RegisterProcessReset(&ForgetFile);

constexpr const char* kProjectFilter = "Project Files (*.pjt)-*.pjt-All Files (*.*)-*.*-";

Platform::FileDialogRequest Request(void* owner, const char* title) {
    Platform::FileDialogRequest request;
    request.owner = owner;
    request.title = title;
    request.filter = kProjectFilter;
    request.initialFolder = GetProjectFolder();
    request.defaultExtension = "pjt";
    return request;
}

// The project takes the file's folder (with its separator) and name, and is saved.
ProjectIo::Result Bound(ProjectIo::Result result, const std::string& path) {
    if (!result.ok) return result;
    const std::size_t separator = path.find_last_of("\\/");
    SetProjectFolder(separator == std::string::npos ? std::string()
                                                    : path.substr(0, separator + 1));
    Models().SetName(SplitPath(path));
    ProjectFile() = path;
    SetSaved(true);
    return result;
}

// Says why a read or write failed; false then.
bool Reported(const ProjectIo::Result& result) {
    if (!result.ok) Platform::ShowMessageBox({result.message, "Message", Platform::BoxIcon::Stop});
    return result.ok;
}

void SayNotes(const std::vector<std::string>& notes) {
    if (notes.empty()) return;
    std::string text = "Parts of the file could not be read as they were stored:";
    for (const std::string& note : notes) text += "\n" + note;
    Platform::ShowMessageBox({text, "Message", Platform::BoxIcon::Warning});
}

enum class SaveAs { kWritten, kCancelled, kFailed };

SaveAs SaveThroughDialog(void* owner) {
    Platform::FileDialogRequest request = Request(owner, "Save Project");
    request.fileName = Models().GetNameA();
    const std::string path = Platform::ChooseSaveFile(request);
    if (path.empty()) return SaveAs::kCancelled;
    return Reported(SaveProject(path)) ? SaveAs::kWritten : SaveAs::kFailed;
}

}  // namespace

ProjectIo::Result OpenProject(const std::string& path) {
    return Bound(ProjectIo::Read(path), path);
}

ProjectIo::Result SaveProject(const std::string& path) {
    return Bound(ProjectIo::Write(path), path);
}

const std::string& GetProjectFile() {
    return ProjectFile();
}

bool ConfirmSave(void* owner) {
    if (IsSaved()) return true;
    const Platform::BoxAnswer answer =
        Platform::ShowMessageBox({"Save project changes?", "Message",
                                  Platform::BoxIcon::Information, Platform::BoxButtons::YesNo});
    return answer != Platform::BoxAnswer::Yes || SaveThroughDialog(owner) != SaveAs::kFailed;
}

bool NewProjectCommand(void* owner) {
    if (!ConfirmSave(owner)) return false;
    DataSet::Clear();
    MathMapIo::NewProject();
    Winplus::Layer::ResetLayers();
    ViewModeState::ResetAll();
    ProjectComment::Reset();
    ProjectFile().clear();
    SetSaved(true);
    return true;
}

bool LoadProjectCommand(void* owner) {
    if (!ConfirmSave(owner)) return false;
    const std::vector<std::string> paths = Platform::ChooseFiles(Request(owner, "Load Project"));
    if (paths.empty()) return false;
    return OpenProjectAndSay(paths.front());
}

bool OpenProjectAndSay(const std::string& path) {
    const ProjectIo::Result result = OpenProject(path);
    if (!Reported(result)) return false;
    ViewModeState::ResetAll();
    SayNotes(result.notes);
    return true;
}

bool SaveProjectCommand(void* owner) {
    if (ProjectFile().empty()) return SaveProjectAsCommand(owner);
    return Reported(SaveProject(ProjectFile()));
}

bool SaveProjectAsCommand(void* owner) {
    return SaveThroughDialog(owner) == SaveAs::kWritten;
}

}  // namespace Core::MenuCore
