#include "io/library_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "foundation/module.h"
#include "functions/families.h"
#include "io/dll_file.h"
#include "io/osml_writer.h"
#include "model_samples.h"
#include "reader_support.h"

namespace {

using Core::LibraryCategories;
using Core::MathMap;
using Core::Node;
namespace LibraryList = Core::LibraryList;

using test::kExampleDll;

class LibraryLists : public ::testing::Test {
protected:
    void SetUp() override {
        Capsule::RegisterFamilies();
        // The example library under a Windows name, loaded by its contents on every system.
        std::filesystem::copy_file(kExampleDll, folder.File("example.dll"));
        WriteOsmlLibrary("sub/lib.sml", {"twice", "square"});
        WriteOsmlLibrary("lib.sml", {"cube"});
        folder.Write("broken.sml", "not a document");
        folder.Write("empty.sml", "<osml><semantics></semantics></osml>");
    }

    // An OSML library of one-argument functions, each x*x under its name.
    void WriteOsmlLibrary(const std::string& name, const std::vector<std::string>& functions) {
        std::filesystem::create_directories(std::filesystem::path(folder.File(name)).parent_path());
        std::vector<MathMap::Ptr> models;
        for (const std::string& function : functions) {
            MathMap::Ptr model = MathMap::CreateModel(function);
            Node::Ptr square = Node::Create(306);
            square->ReplaceChildAt(0, test::Reference(model->FindMap("x"), "z"));
            model->FindMap("model")->SetRoot(square);
            model->FindMap("model")->SetName(function);
            models.push_back(model);
        }
        ASSERT_TRUE(Core::Sml::WriteLibrary(folder.File(name), models));
    }

    Core::Sml::ReadOptions Options() const {
        Core::Sml::ReadOptions options;
        options.libraryFolder = folder.Path();
        return options;
    }

    static std::vector<std::wstring> Names(const Core::LibraryCategorySet& set) {
        std::vector<std::wstring> names;
        for (const auto& category : set) names.push_back(category->GetName());
        return names;
    }

    test::CapturedBoxes boxes;
    test::ScratchFolder folder{"flb"};
};

TEST_F(LibraryLists, LinesAreTrimmedBlankOnesSkippedAndTakenFromTheListsFolder) {
    std::istringstream list("  a.sml\t\n\n \t \r\nsub/b.dll\r\n\t/abs/c.sml \n");
    const std::string listPath = Platform::JoinPath("lists", "my.flb");
    EXPECT_EQ(LibraryList::ReadPaths(list, listPath),
              (std::vector<std::string>{Platform::JoinPath("lists", "a.sml"),
                                        Platform::JoinPath("lists", "sub/b.dll"), "/abs/c.sml"}));
    std::istringstream bare("d.sml\n");
    EXPECT_EQ(LibraryList::ReadPaths(bare, "my.flb"), std::vector<std::string>{"d.sml"});

    // Only a lower-case "dll" (blanks after the dot do not matter) or the system's own extension.
    EXPECT_TRUE(LibraryList::IsCodeLibrary("f.dll"));
    EXPECT_TRUE(LibraryList::IsCodeLibrary("f. \tdll"));
    EXPECT_TRUE(LibraryList::IsCodeLibrary(std::string("f.") + Platform::ModuleExtension()));
    EXPECT_FALSE(LibraryList::IsCodeLibrary("f.DLL"));
    EXPECT_FALSE(LibraryList::IsCodeLibrary("f.sml"));
    EXPECT_FALSE(LibraryList::IsCodeLibrary("f"));
    EXPECT_FALSE(LibraryList::IsCodeLibrary(Platform::JoinPath("dir.dll", "f")));
}

TEST_F(LibraryLists, EachLibraryIsOneCategoryAndAFailureSkipsOnlyItsFile) {
    const std::string listPath = folder.Write("default.flb",
                                              "  example.dll \n"
                                              "broken.sml\n"
                                              "\tsub/lib.sml\n"
                                              "missing.dll\n"
                                              "empty.sml\n"
                                              "lib.sml\n");
    Core::LibraryListResult result = Core::ReadLibraryList(listPath, Options());
    ASSERT_TRUE(result.opened);
    // Both "lib" files keep a tab each; the empty library adds none.
    EXPECT_EQ(Names(*result.categories), (std::vector<std::wstring>{L"example", L"lib", L"lib@1"}));

    std::vector<std::string> dllFunctions;
    for (const Node::Ptr& node : result.categories->At(0)->GetFunctions()) {
        EXPECT_EQ(node->GetTypeId(), Core::kDllCapsuleId);
        dllFunctions.push_back(node->Name());
    }
    EXPECT_EQ(dllFunctions, Core::DllFile::GetFunctionNames(kExampleDll));
    const auto& osml = result.categories->At(1)->GetFunctions();
    ASSERT_EQ(osml.size(), 2u);
    EXPECT_EQ(osml[0]->Name(), "twice");
    EXPECT_EQ(osml[1]->Name(), "square");
    EXPECT_EQ(result.categories->At(2)->GetFunctions().at(0)->Name(), "cube");

    // The two failures, told in one message; the loaders themselves showed nothing.
    ASSERT_EQ(result.failures.size(), 2u);
    EXPECT_EQ(result.failures[0].rfind(Platform::JoinPath(folder.Path(), "broken.sml") + ": ", 0),
              0u);
    EXPECT_EQ(result.failures[1],
              Platform::JoinPath(folder.Path(), "missing.dll") + ": Couldn't open file.");
    EXPECT_EQ(result.Report(), "These function libraries could not be loaded:\n" +
                                   result.failures[0] + "\n" + result.failures[1]);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(LibraryLists, TheCurrentCategoryAlwaysComesFromTheNewList) {
    LibraryCategories categories;
    const auto first =
        categories.ReadList(folder.Write("a.flb", "lib.sml\nexample.dll\n"), Options());
    EXPECT_TRUE(first.failures.empty());
    ASSERT_TRUE(categories.Select(1));
    EXPECT_EQ(categories.GetCurrent()->GetName(), L"example");

    // A failure first in the list: the rest is read and its first category becomes current.
    categories.ReadList(folder.Write("b.flb", "broken.sml\nsub/lib.sml\n"), Options());
    EXPECT_EQ(Names(categories.GetSet()), std::vector<std::wstring>{L"lib"});
    ASSERT_TRUE(categories.GetCurrent());
    EXPECT_EQ(categories.GetCurrent()->GetFunctions().size(), 2u);

    // An unreadable list changes nothing.
    const auto kept = categories.GetCurrent();
    EXPECT_FALSE(categories.ReadList(folder.File("missing.flb"), Options()).opened);
    EXPECT_EQ(categories.GetCurrent(), kept);
    EXPECT_EQ(categories.GetSet().Count(), 1);
    // Nor does a folder in the list's place.
    std::filesystem::create_directory(folder.File("folder.flb"));
    EXPECT_FALSE(categories.ReadList(folder.File("folder.flb"), Options()).opened);
    EXPECT_EQ(categories.GetCurrent(), kept);
    EXPECT_EQ(categories.GetSet().Count(), 1);

    // A list that yields nothing leaves no category and none current.
    categories.ReadList(folder.Write("c.flb", "empty.sml\n\nbroken.sml\n"), Options());
    EXPECT_EQ(categories.GetSet().Count(), 0);
    EXPECT_FALSE(categories.GetCurrent());
    EXPECT_FALSE(categories.Select(0));
}

}  // namespace
