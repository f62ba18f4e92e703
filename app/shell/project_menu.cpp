#include "app/shell/project_menu.h"

#include <functional>

#include "app/base/help_pages.h"
#include "app/base/model_commands.h"
#include "app/base/panel_registry.h"
#include "app/project/project_commands.h"
#include "app/selectors/selection_files.h"
#include "foundation/platform.h"
#include "foundation/text.h"
#include "io/data_set.h"
#include "io/osml_writer.h"
#include "model/current.h"
#include "winplus/resource_ids.h"

namespace Core {

namespace {

class Action : public Winplus::Command {
public:
    explicit Action(std::function<void()> run) : run_(std::move(run)) {}
    bool Execute(const int&) override {
        run_();
        return true;
    }

private:
    std::function<void()> run_;
};

void ShowTitle(HWND main) {
    SetWindowTextA(main, MenuCore::WindowTitle(Models().GetNameA()).c_str());
}

// "&Load Data File..." and the "Load &Opus File" items: the block type they ask for, then the
// loader; the explorers follow the set it filled.
void LoadDataFile(HWND main, int menuId) {
    MenuCore::SetOpusType(menuId);
    if (DataSet::LoadDataFile(main)) DataSet::Notify(DataSetEvent::kDataSetReplaced);
}

Platform::FileDialogRequest LibraryDialog(HWND main, const char* title, const char* filter,
                                          const char* extension) {
    Platform::FileDialogRequest request;
    request.owner = main;
    request.title = title;
    request.filter = filter;
    request.initialFolder = GetLibraryFolder();
    request.defaultExtension = extension;
    return request;
}

void LoadFunctionLibrary(HWND main) {
    const std::vector<std::string> paths = Platform::ChooseFiles(LibraryDialog(
        main, "Load Function Library", "Library Files (*.flb)-*.flb-All Files (*.*)-*.*-", "flb"));
    if (!paths.empty()) MenuCore::SetLibraryList(paths.front());
}

void ExportFunctionDefinitions(HWND main) {
    const std::string path = Platform::ChooseSaveFile(LibraryDialog(
        main, "Save Library", "Library Files (*.sml)-*.sml-All Files (*.*)-*.*-", "sml"));
    if (path.empty()) return;
    std::vector<MathMap::Ptr> models;
    for (const MathMap::Ptr& model : Models()) models.push_back(model);
    Sml::WriteLibrary(path, models);
}

// The View items and the panels they show and hide.
constexpr struct {
    int menuId;
    PanelId panel;
} kViews[] = {{ID_VIEW_MATH_EXPLORER, PanelId::LeftColumn},
              {ID_VIEW_LAYER_EXPLORER, PanelId::RightColumn},
              {ID_VIEW_FUNCTION_SELECTOR, PanelId::FunctionSelector},
              {ID_VIEW_FORMULA_EDITOR, PanelId::FormulaEditor},
              {ID_VIEW_USER_FUNCTIONS, PanelId::UserFunctionSelector}};

}  // namespace

ProjectMenu::ProjectMenu(HWND main) : main_(main) {}

void ProjectMenu::OnClose() {
    MenuCore::ConfirmSave(main_);
}

void ProjectMenu::AddTo(MenuCommands& commands) {
    HWND main = main_;
    const auto add = [&commands](int id, std::function<void()> run) {
        commands.Add(id, Safe::MakeX<Action>(std::move(run)));
    };
    // The project: the title follows its name whatever the command did.
    const auto project = [&add, main](int id, bool (*command)(void*)) {
        add(id, [main, command] {
            command(main);
            ShowTitle(main);
        });
    };
    project(ID_FILE_NEW_PROJECT, MenuCore::NewProjectCommand);
    project(ID_FILE_OPEN, MenuCore::LoadProjectCommand);
    project(ID_FILE_SAVE, MenuCore::SaveProjectCommand);
    project(ID_FILE_SAVE_AS, MenuCore::SaveProjectAsCommand);

    // Models.
    add(ID_FILE_OPEN_SML_LIBRARY, [main] { MathMapIo::LoadOsmlLibrary(main); });
    add(ID_FILE_ADD_NEW_MODEL, [] { MenuCore::Notify(ModelEvent::kBasicModelRequested); });
    add(ID_FILE_ADD_MODEL, [main] { MathMapIo::LoadModelBinary(main); });
    add(ID_FILE_ADD_OSML_MODEL, [main] { MathMapIo::LoadOsmlModel(main); });
    add(ID_EXPORT_BINARY, [main] { MathMapIo::SaveModelBinary(main); });
    add(ID_EXPORT_OSML, [main] { MathMapIo::SaveOsmlModel(main, false); });
    add(ID_EXPORT_OSML_DECLARATIONS, [main] { MathMapIo::SaveOsmlModel(main, true); });
    // Ids of the tool bars and panels, without a menu item.
    add(ID_LOAD_PROTOTYPE, [main] { Selection::LoadPrototypeCommand(main); });
    add(ID_SAVE_PROTOTYPE, [main] { MathMapIo::SavePrototype(main); });
    add(ID_SAVE_ENCAPSULATION, [main] { MathMapIo::SaveEncapsulation(main); });
    add(ID_LIBRARY_FIRST_CATEGORY, [] { MenuCore::SetLibraryCategory(0); });

    // Data files.
    add(ID_FILE_LOAD_DATA, [main] { LoadDataFile(main, ID_FILE_LOAD_DATA); });
    for (int id = ID_OPUS_FIRST; id <= ID_OPUS_LAST; ++id)
        add(id, [main, id] { LoadDataFile(main, id); });

    // Panels shown and hidden: a View item turns over whether its panel shows.
    for (const auto& view : kViews)
        add(view.menuId, [panel = view.panel] {
            PanelRegistry::ShowPanel(panel, !PanelRegistry::IsShown(panel));
        });

    // Libraries, help pages and tools.
    add(ID_LIBRARY_LOAD, [main] { LoadFunctionLibrary(main); });
    add(ID_LIBRARY_EXPORT, [main] { ExportFunctionDefinitions(main); });
    for (const HelpPages::Page& page : HelpPages::kPages) {
        const int id = page.menuId;
        add(id, [id] { Platform::OpenWithShell(*HelpPages::PathFor(id, GetProgramFolder())); });
    }
    add(ID_TOOLS_NOTEPAD, [] { Platform::OpenWithShell("Notepad.exe"); });
    add(ID_TOOLS_CALCULATOR, [] { Platform::OpenWithShell("Calc.exe"); });
}

void ProjectMenu::OnMenuOpening(HMENU menu) {
    // Another menu has none of these items: CheckMenuItem then changes nothing.
    for (const auto& view : kViews)
        CheckMenuItem(
            menu, static_cast<UINT>(view.menuId),
            MF_BYCOMMAND | (PanelRegistry::IsShown(view.panel) ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace Core
