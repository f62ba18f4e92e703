#include "app/base/project_state.h"

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

// The code announced on its own bus marks the project unsaved, or leaves it saved.
template <class Code>
void ExpectMarks(int number, bool marks) {
    const Code code = static_cast<Code>(number);
    EXPECT_EQ(MenuCore::MarksProjectUnsaved(code), marks) << number;
    MenuCore::SetSaved(true);
    BusOf<Code>().Notify(code);
    EXPECT_EQ(MenuCore::IsSaved(), !marks) << number;
}

template <class Code>
void ExpectUnheard(int number) {
    MenuCore::SetSaved(true);
    BusOf<Code>().Notify(static_cast<Code>(number));
    EXPECT_TRUE(MenuCore::IsSaved()) << number;
}

TEST(ProjectState, EveryEditOfTheProjectsContentMarksItUnsaved) {
    auto observer = std::make_unique<MenuCore::ProjectObserver>();
    // Model edits, including those of the definition tree, renames and added models.
    for (int code : {100, 103, 104, 105, 300, 301, 701, 950}) ExpectMarks<ModelEvent>(code, true);
    // Choosing what is current changes nothing that is saved.
    for (int code : {200, 201, 202}) ExpectMarks<ModelEvent>(code, false);
    // Spectra: one loaded through the dialog, one renamed; a replaced set comes with New or
    // Open, which set the flag themselves.
    for (int code : {131, 320}) ExpectMarks<DataSetEvent>(code, true);
    for (int code : {130, 230}) ExpectMarks<DataSetEvent>(code, false);
    // Layers and curves: limits, contents, bindings, looks, names, drags.
    for (int code : {124, 125, 126, 127, 310, 311, 610}) ExpectMarks<LayerEvent>(code, true);
    for (int code : {120, 220, 221, 222}) ExpectMarks<LayerEvent>(code, false);
    // A code means something on its own bus only; other buses are not heard.
    ExpectMarks<LayerEvent>(131, false);
    ExpectUnheard<SelectionEvent>(110);
    ExpectUnheard<ViewEvent>(610);
    // Gone with the observer.
    observer.reset();
    MenuCore::SetSaved(true);
    Core::MenuCore::Notify(ModelEvent::kDefinitionEdited);
    EXPECT_TRUE(MenuCore::IsSaved());
}

TEST(ProjectState, LibraryListAndCategoryAreAnnounced) {
    EXPECT_TRUE(MenuCore::IsSaved());
    EXPECT_EQ(MenuCore::GetProjectFolder(), "");
    EXPECT_EQ(MenuCore::WindowTitle("Project"), "Sorix 2.0 - Project");
    Safe::XPtr<CodeLog<LibraryEvent>> log = NewCodeLog<LibraryEvent>();
    EventBus::Registration onLibrary = MenuCore::AddLibraryObserver(log);
    MenuCore::SetLibraryCategory(0);
    EXPECT_EQ(MenuCore::GetLibraryCategory(), 0);
    MenuCore::SetLibraryList("lists/mine.flb");
    EXPECT_EQ(MenuCore::GetLibraryListPath(), "lists/mine.flb");
    EXPECT_EQ(MenuCore::GetLibraryCategory(), -1);
    EXPECT_EQ(log->codes, (std::vector<int>{960, 960}));
}

}  // namespace
