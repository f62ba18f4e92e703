#include "app/selectors/selection_files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "formula/formula.h"
#include "foundation/text.h"
#include "functions/families.h"
#include "io/node_io.h"
#include "model/formula_capsule.h"
#include "model/selection.h"
#include "tests/app/scripted_platform.h"
#include "tests/app/selectors/formula_node.h"
#include "tests/common/code_log.h"
#include "tests/io/reader_support.h"

namespace {

namespace Selection = Core::Selection;

// A formula file as its format describes it: tag 10410, byte count, text, tag -10410.
std::string Record(const std::string& text, std::int32_t tag = 10410) {
    std::string bytes;
    auto put = [&bytes](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    put(static_cast<std::uint32_t>(tag));
    put(static_cast<std::uint32_t>(text.size()));
    bytes += text;
    put(static_cast<std::uint32_t>(-tag));
    return bytes;
}

std::string StoredText() {
    auto capsule = Safe::DynamicCast<Core::FormulaCapsule>(Selection::GetFormula());
    return capsule ? capsule->GetFormulaText() : "none";
}

class SelectionFiles : public ::testing::Test {
protected:
    void SetUp() override { Capsule::RegisterFamilies(); }

    test::ScratchFolder folder{"selection"};
    test::CapturedBoxes boxes;
    test::ScriptedDialogs dialogs;
    Safe::XPtr<CodeLog<SelectionEvent>> selection = NewCodeLog<SelectionEvent>();
    EventBus::Registration onSelection = Selection::AddObserver(selection);
};

TEST_F(SelectionFiles, SaveAnswersWhatTheWriterDid) {
    EXPECT_FALSE(Selection::SaveFormulaCommand(nullptr));
    EXPECT_TRUE(dialogs.requests.empty());
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "No available formula");
    EXPECT_EQ(boxes.boxes[0].caption, "Message");
    EXPECT_EQ(boxes.boxes[0].icon, Platform::BoxIcon::Information);

    Selection::SetFormula(FormulaNode("f(x)=2*x"));
    const std::string path = folder.File("f.fun");
    dialogs.Answer(path);
    dialogs.Answer(folder.File("missing/g.fun"));  // a folder that does not exist
    dialogs.Answer("");
    EXPECT_TRUE(Selection::SaveFormulaCommand(nullptr));
    const Platform::FileDialogRequest asked = dialogs.Last();
    EXPECT_TRUE(asked.save);
    EXPECT_EQ(asked.title, "Save Formula");
    EXPECT_EQ(asked.filter, "Formula Files (*.fun)-*.fun-All Files (*.*)-*.*-");
    EXPECT_EQ(asked.defaultExtension, "fun");
    EXPECT_EQ(asked.fileName, "f");
    EXPECT_EQ(asked.initialFolder, "");
    EXPECT_EQ(test::ReadAll(path), Record("f(x)=2*x"));  // 4 + 4 + 8 + 4 bytes
    EXPECT_EQ(Selection::GetFormulaFolder(), GetDirectory(path));

    EXPECT_FALSE(Selection::SaveFormulaCommand(nullptr));
    EXPECT_EQ(dialogs.Last().initialFolder, GetDirectory(path));
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[1].caption, "Message");
    EXPECT_EQ(boxes.boxes[1].icon, Platform::BoxIcon::Stop);
    EXPECT_EQ(Selection::GetFormulaFolder(), GetDirectory(path));
    EXPECT_FALSE(Selection::SaveFormulaCommand(nullptr));  // cancelled
    EXPECT_EQ(boxes.boxes.size(), 2u);
}

TEST_F(SelectionFiles, LoadStoresOnlyACompiledFormulaAndHandsOnAFailedText) {
    const std::string good = folder.Write("good.fun", Record("g(x,y)=x*y+1"));
    const std::string wrongTag = folder.Write("tag.fun", Record("g(x)=x", 10411));
    const std::string broken = folder.Write("broken.fun", Record("h(x)=2*"));
    const std::string noClose = folder.Write("open.fun", Record("k(t)=t").substr(0, 14));
    for (const std::string& path : {wrongTag, broken, std::string(), good, noClose})
        dialogs.Answer(path);

    Selection::FormulaLoad load = Selection::LoadFormulaFile(nullptr);
    EXPECT_FALSE(load.loaded);
    EXPECT_EQ(load.text, "");
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Invalid formula file.");
    EXPECT_EQ(boxes.boxes[0].caption, "Message");
    EXPECT_EQ(dialogs.Last().title, "Load Formula");
    EXPECT_FALSE(dialogs.Last().save);

    load = Selection::LoadFormulaFile(nullptr);
    EXPECT_FALSE(load.loaded);
    EXPECT_EQ(load.text, "h(x)=2*");  // for the editor, to be mended
    Formula reference;
    EXPECT_FALSE(reference.Define("h(x)=2*", false));
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[1].text, reference.GetMessage());
    EXPECT_FALSE(reference.GetMessage().empty());
    EXPECT_EQ(boxes.boxes[1].caption, "Error Message");
    EXPECT_EQ(boxes.boxes[1].icon, Platform::BoxIcon::Stop);
    EXPECT_FALSE(Selection::GetFormula());
    EXPECT_EQ(Selection::GetFormulaFolder(), "");  // a failed read changes nothing
    EXPECT_TRUE(selection->codes.empty());

    EXPECT_FALSE(Selection::LoadFormulaCommand(nullptr));  // cancelled
    EXPECT_TRUE(Selection::LoadFormulaCommand(nullptr));
    EXPECT_EQ(StoredText(), "g(x,y)=x*y+1");
    EXPECT_EQ(Selection::GetFormula()->ChildCount(), 2);
    EXPECT_EQ(Selection::GetFormulaFolder(), GetDirectory(good));
    EXPECT_TRUE(Selection::LoadFormulaCommand(nullptr));  // the closing tag is not needed
    EXPECT_EQ(StoredText(), "k(t)=t");
    EXPECT_EQ(selection->codes, (std::vector<int>{114, 114}));
    EXPECT_EQ(boxes.boxes.size(), 2u);
}

TEST_F(SelectionFiles, LoadPrototypeStoresWhatTheFileHolds) {
    const std::string path = folder.File("gauss.pro");
    ASSERT_TRUE(Core::NodeIo().WritePrototypeFile(path, Core::Node::Create(700)));
    dialogs.Answer(folder.Write("bad.pro", "not a prototype"));
    dialogs.Answer(path);
    EXPECT_FALSE(Selection::LoadPrototypeCommand(nullptr));
    EXPECT_EQ(dialogs.Last().title, "Load Prototype File");
    EXPECT_EQ(dialogs.Last().filter, "Prototype Files (*.pro)-*.pro-All Files (*.*)-*.*-");
    EXPECT_EQ(dialogs.Last().defaultExtension, "pro");
    EXPECT_FALSE(Selection::GetPrototype());
    EXPECT_EQ(Selection::GetPrototypeFolder(), "");
    EXPECT_TRUE(Selection::LoadPrototypeCommand(nullptr));
    ASSERT_TRUE(Selection::GetPrototype());
    EXPECT_EQ(Selection::GetPrototype()->GetTypeId(), 700);
    EXPECT_EQ(Selection::GetPrototypeFolder(), GetDirectory(path));
    EXPECT_EQ(Selection::GetFormulaFolder(), "");
    EXPECT_EQ(selection->codes, (std::vector<int>{112}));
    EXPECT_FALSE(Selection::LoadPrototypeCommand(nullptr));  // cancelled
}

}  // namespace
