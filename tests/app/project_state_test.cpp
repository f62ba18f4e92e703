#include "app/project_state.h"

#include <gtest/gtest.h>

#include <memory>

#include "io/data_set.h"
#include "model/current.h"
#include "tests/common/code_log.h"

namespace {

namespace MenuCore = Core::MenuCore;

TEST(ProjectState, OpusMenuIdentifiersChooseTheirBlockTypes) {
    const std::pair<int, int> table[] = {
        {196, 12319}, {197, 5151}, {198, 11295}, {199, 10271}, {200, 1051}, {201, 1047},
        {202, 18463}, {203, 6175}, {204, 17439}, {205, 15391}, {206, 1055}, {207, 14359},
        {208, 14363}, {209, 3095}, {210, 45072}, {211, 2071},  {212, 2075},
    };
    for (const auto& [menu, type] : table) EXPECT_EQ(MenuCore::OpusTypeForMenu(menu), type) << menu;
    for (int other : {176, 195, 213, 0, -196}) EXPECT_FALSE(MenuCore::OpusTypeForMenu(other));

    EXPECT_EQ(Core::DataSet::GetOpusType(), 12319);  // reflectance until one is chosen
    EXPECT_TRUE(MenuCore::SetOpusType(208));         // "PR spectrum..."
    EXPECT_EQ(Core::DataSet::GetOpusType(), 14363);
    EXPECT_FALSE(MenuCore::SetOpusType(176));  // "Load Data File..." keeps the choice
    EXPECT_EQ(Core::DataSet::GetOpusType(), 14363);
}

TEST(ProjectState, EveryEditOfTheProjectsContentMarksItUnsaved) {
    struct Case {
        Subject bus;
        int code;
        bool marks;
    };
    const Case cases[] = {
        // Model edits, including those of the definition tree, renames and added models.
        {Subject::Models, 100, true},
        {Subject::Models, 103, true},
        {Subject::Models, 104, true},
        {Subject::Models, 105, true},
        {Subject::Models, 300, true},
        {Subject::Models, 301, true},
        {Subject::Models, 701, true},
        {Subject::Models, 950, true},
        // Choosing what is current changes nothing that is saved.
        {Subject::Models, 200, false},
        {Subject::Models, 201, false},
        {Subject::Models, 202, false},
        // Spectra: one loaded through the dialog, one renamed; a replaced set comes with New or
        // Open, which set the flag themselves.
        {Subject::DataSet, 131, true},
        {Subject::DataSet, 320, true},
        {Subject::DataSet, 130, false},
        {Subject::DataSet, 230, false},
        // Layers and curves: limits, contents, bindings, looks, names, drags.
        {Subject::Layers, 124, true},
        {Subject::Layers, 125, true},
        {Subject::Layers, 126, true},
        {Subject::Layers, 127, true},
        {Subject::Layers, 310, true},
        {Subject::Layers, 311, true},
        {Subject::Layers, 610, true},
        {Subject::Layers, 120, false},
        {Subject::Layers, 220, false},
        {Subject::Layers, 221, false},
        {Subject::Layers, 222, false},
        // A code means something on its own bus only; other buses are not heard.
        {Subject::Layers, 131, false},
        {Subject::Selection, 110, false},
        {Subject::ViewMode, 610, false},
    };
    auto observer = std::make_unique<MenuCore::ProjectObserver>();
    for (const Case& c : cases) {
        EXPECT_EQ(MenuCore::MarksProjectUnsaved(c.bus, c.code), c.marks) << c.code;
        MenuCore::SetSaved(true);
        Bus(c.bus).Notify(c.code);
        EXPECT_EQ(MenuCore::IsSaved(), !c.marks) << c.code;
    }
    // Gone with the observer.
    observer.reset();
    MenuCore::SetSaved(true);
    Core::MenuCore::Notify(104);
    EXPECT_TRUE(MenuCore::IsSaved());
}

TEST(ProjectState, LibraryListAndCategoryAreAnnounced) {
    EXPECT_TRUE(MenuCore::IsSaved());
    EXPECT_EQ(MenuCore::GetProjectFolder(), "");
    EXPECT_EQ(MenuCore::WindowTitle("Project"), "Sorix 2.0 - Project");
    Safe::XPtr<CodeLog> log = NewCodeLog();
    EventBus::Registration onLibrary = MenuCore::AddLibraryObserver(log);
    MenuCore::SetLibraryCategory(0);
    EXPECT_EQ(MenuCore::GetLibraryCategory(), 0);
    MenuCore::SetLibraryList("lists/mine.flb");
    EXPECT_EQ(MenuCore::GetLibraryListPath(), "lists/mine.flb");
    EXPECT_EQ(MenuCore::GetLibraryCategory(), -1);
    EXPECT_EQ(log->codes, (std::vector<int>{960, 960}));
}

}  // namespace
