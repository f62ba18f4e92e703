#include "app/base/model_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/text.h"
#include "functions/families.h"
#include "io/node_io.h"
#include "io/osml_writer.h"
#include "model/current.h"
#include "tests/app/scripted_platform.h"
#include "tests/common/code_log.h"
#include "tests/io/model_samples.h"
#include "tests/io/reader_support.h"

namespace {

namespace MathMapIo = Core::MathMapIo;
using Core::MathMap;

// A model whose definition of its own name is k * x, as a library holds it.
MathMap::Ptr Scaled(const std::string& name, double k) {
    MathMap::Ptr model = MathMap::CreateModel(name);
    Core::Node::Ptr times = Core::Node::Create(202);
    times->ReplaceChildAt(0, test::Reference(model->FindMap("x"), "a"));
    times->GetChild(1)->SetValue(Core::Complex(k, 0), 0);
    model->FindMap("model")->SetRoot(times);
    model->FindMap("model")->SetName(name);
    return model;
}

std::vector<std::wstring> ModelNames() {
    std::vector<std::wstring> names;
    for (const MathMap::Ptr& model : Core::Models()) names.push_back(model->GetName());
    return names;
}

class ModelCommands : public ::testing::Test {
protected:
    void SetUp() override {
        Capsule::RegisterFamilies();
        MathMapIo::InitProject();
        models->codes.clear();
    }

    test::ScratchFolder folder{"models"};
    test::CapturedBoxes boxes;
    test::ScriptedDialogs dialogs;
    Safe::XPtr<CodeLog<ModelEvent>> models = NewCodeLog<ModelEvent>();
    EventBus::Registration onModels = Core::MenuCore::AddObserver(models);
};

TEST_F(ModelCommands, LoadedModelsTakeTheirFilesNamesMadeUnique) {
    const std::string mod = folder.File("basic.mod");
    ASSERT_TRUE(Core::NodeMapIo().WriteModelFile(Scaled("stored", 3), mod));
    const std::string sml = folder.File("osml.sml");
    ASSERT_TRUE(Core::Sml::WriteModel(sml, Scaled("stored", 5)));
    dialogs.Answer(mod);
    dialogs.Answer(sml);
    dialogs.Answer("");
    dialogs.Answer(folder.Write("bad.mod", "not a model"));
    dialogs.Answer(folder.Write("bad.sml", "<osml>"));

    EXPECT_TRUE(MathMapIo::LoadModelBinary(nullptr));
    const Platform::FileDialogRequest first = dialogs.Last();
    EXPECT_EQ(first.title, "Load Model");
    EXPECT_EQ(first.filter, "Model Files (*.mod)-*.mod-All Files (*.*)-*.*-");
    EXPECT_EQ(first.defaultExtension, "mod");
    EXPECT_EQ(first.initialFolder, "");
    EXPECT_FALSE(first.save);
    EXPECT_EQ(MathMapIo::GetModelFolder(), GetDirectory(mod));

    EXPECT_TRUE(MathMapIo::LoadOsmlModel(nullptr));
    EXPECT_EQ(dialogs.Last().title, "Load OSML Model");
    EXPECT_EQ(dialogs.Last().filter, "OSML Model Files (*.sml)-*.sml-All Files (*.*)-*.*-");
    EXPECT_EQ(dialogs.Last().initialFolder, GetDirectory(mod));
    EXPECT_EQ(ModelNames(), (std::vector<std::wstring>{L"basic", L"basic@1", L"osml"}));
    // The OSML model computes 5 x.
    MathMap::Ptr osml = Core::Models().At(2);
    osml->FindMap("x")->GetRoot()->SetValue(Core::Complex(2, 0), 0);
    osml->EvaluateAll();
    EXPECT_EQ(osml->FindMap("stored")->Value(), Core::Complex(10, 0));

    // Cancelled, then two files that are no models: nothing joins, nothing is announced.
    EXPECT_FALSE(MathMapIo::LoadModelBinary(nullptr));
    EXPECT_FALSE(MathMapIo::LoadModelBinary(nullptr));
    EXPECT_FALSE(MathMapIo::LoadOsmlModel(nullptr));
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{"Invalid model file.", "Invalid Model File"}));
    EXPECT_EQ(Core::Models().Count(), 3);
    EXPECT_EQ(models->codes, (std::vector<int>{105, 105}));
}

TEST_F(ModelCommands, LibrariesAddEveryModelAndAnnounceOnce) {
    const std::string three = folder.File("three.sml");
    ASSERT_TRUE(Core::Sml::WriteLibrary(three, {Scaled("a", 1), Scaled("b", 2), Scaled("c", 3)}));
    dialogs.Answer(three);
    EXPECT_TRUE(MathMapIo::LoadOsmlLibrary(nullptr));
    EXPECT_EQ(dialogs.Last().title, "Load OSML Library");
    EXPECT_EQ(ModelNames(), (std::vector<std::wstring>{L"basic", L"a", L"b", L"c"}));
    EXPECT_EQ(models->codes, std::vector<int>{105});
    EXPECT_TRUE(boxes.boxes.empty());

    // A function, a constant and a formula: the constant and the formula hold no model.
    dialogs.Answer(SORIX_SOURCE_DIR "/fuzz/seeds/osml/library.sml");
    EXPECT_TRUE(MathMapIo::LoadOsmlLibrary(nullptr));
    EXPECT_EQ(ModelNames().back(), L"twice");
    EXPECT_EQ(Core::Models().Count(), 5);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].icon, Platform::BoxIcon::Information);

    // Only a formula: nothing added, nothing announced.
    dialogs.Answer(folder.Write("formula.sml",
                                "<osml><semantics><symbol name=\"h\" type=\"function\" "
                                "encoding=\"formula\"><formula>h(p)=p*p</formula></symbol>"
                                "</semantics></osml>"));
    EXPECT_FALSE(MathMapIo::LoadOsmlLibrary(nullptr));
    dialogs.Answer(folder.Write("bad.sml", "no document"));
    EXPECT_FALSE(MathMapIo::LoadOsmlLibrary(nullptr));
    EXPECT_EQ(boxes.Texts().back(), "Invalid Sml library file");
    EXPECT_EQ(boxes.boxes.size(), 3u);
    EXPECT_EQ(models->codes, (std::vector<int>{105, 105}));
    EXPECT_EQ(Core::Models().Count(), 5);
}

TEST_F(ModelCommands, SavingNeedsItsCurrentObjectAndReportsTheWriter) {
    Core::MenuCore::SetCurrentModel(MathMap::Ptr());
    EXPECT_FALSE(MathMapIo::SaveModelBinary(nullptr));
    EXPECT_FALSE(MathMapIo::SaveOsmlModel(nullptr, true));
    EXPECT_FALSE(MathMapIo::SaveEncapsulation(nullptr));
    EXPECT_FALSE(MathMapIo::SavePrototype(nullptr));
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{"Select a Model", "Select a Model", "Select a Definition",
                                        "Select a Definition"}));
    EXPECT_TRUE(dialogs.requests.empty());

    const MathMap::Ptr model = Scaled("scaled", 4);
    Core::MenuCore::SetCurrentModel(model);
    const std::string mod = folder.File("scaled.mod");
    dialogs.Answer(mod);
    dialogs.Answer(folder.File("missing/scaled.sml"));
    EXPECT_TRUE(MathMapIo::SaveModelBinary(nullptr));
    EXPECT_EQ(dialogs.Last().title, "Save Model");
    EXPECT_EQ(dialogs.Last().fileName, "scaled");
    EXPECT_TRUE(dialogs.Last().save);
    EXPECT_EQ(Core::NodeMapIo().ReadModelFile(mod)->FindMap("scaled")->GetRoot()->GetTypeId(), 202);
    EXPECT_EQ(MathMapIo::GetModelFolder(), GetDirectory(mod));
    // A writer that fails says so and the command answers false.
    boxes.boxes.clear();
    EXPECT_FALSE(MathMapIo::SaveOsmlModel(nullptr, false));
    EXPECT_EQ(dialogs.Last().defaultExtension, "sml");
    EXPECT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(MathMapIo::GetModelFolder(), GetDirectory(mod));

    // The prototype of the current node.
    Core::MenuCore::SetCurrentNode(model->FindMap("scaled")->GetRoot());
    const std::string pro = folder.File("times.pro");
    dialogs.Answer(pro);
    EXPECT_TRUE(MathMapIo::SavePrototype(nullptr));
    EXPECT_EQ(dialogs.Last().title, "Save Prototype");
    EXPECT_EQ(dialogs.Last().initialFolder, "");
    EXPECT_EQ(Core::NodeIo().LoadPrototype(pro)->GetTypeId(), 202);
}

TEST_F(ModelCommands, ACapsuleRenamesItsDefinitionOnlyToAFreeName) {
    const MathMap::Ptr model = Core::MenuCore::GetCurrentModel();
    Core::MenuCore::SetCurrentDefinition(model->FindMap("model"));
    models->codes.clear();
    const std::string shape = folder.File("shape.cps");
    const std::string x = folder.File("x.cps");
    dialogs.Answer(shape);
    dialogs.Answer(x);

    EXPECT_TRUE(MathMapIo::SaveEncapsulation(nullptr));
    EXPECT_EQ(dialogs.Last().title, "Save Encapsulation");
    EXPECT_EQ(dialogs.Last().filter, "Capsule Files (*.cps)-*.cps-All Files (*.*)-*.*-");
    EXPECT_EQ(dialogs.Last().fileName, "model");
    EXPECT_EQ(Core::MenuCore::GetCurrentDefinition()->Name(), "shape");
    EXPECT_EQ(models->codes, std::vector<int>{301});

    // "x" is the model's variable: the definition keeps its name, and the capsule names it.
    EXPECT_TRUE(MathMapIo::SaveEncapsulation(nullptr));
    EXPECT_EQ(Core::MenuCore::GetCurrentDefinition()->Name(), "shape");
    EXPECT_EQ(model->FindMap("x")->GetRoot()->GetTypeId(), Core::kBasicId);
    EXPECT_EQ(models->codes, std::vector<int>{301});
    BinaryWriter head;
    head.WriteInt(TagCapsuleFile);
    head.WriteString("shape");
    EXPECT_EQ(test::ReadAll(x).substr(0, head.Bytes().size()), head.Bytes());
    EXPECT_EQ(test::ReadAll(shape).substr(0, head.Bytes().size()), head.Bytes());
}

TEST_F(ModelCommands, ANewProjectHoldsOnlyANewBasicModel) {
    const MathMap::Ptr old = Core::MenuCore::GetCurrentModel();
    Core::MenuCore::SetCurrentDefinition(old->FindMap("model"));
    Core::MenuCore::SetCurrentNode(old->FindMap("model")->GetRoot());
    Core::Models().Add(Scaled("other", 2));
    Core::Models().SetName(std::wstring(L"sample"));
    models->codes.clear();

    MathMapIo::NewProject();
    EXPECT_EQ(ModelNames(), std::vector<std::wstring>{L"basic"});
    EXPECT_EQ(Core::Models().GetName(), L"Project");
    EXPECT_EQ(Core::MenuCore::GetCurrentModel(), Core::Models().At(0));
    EXPECT_NE(Core::MenuCore::GetCurrentModel(), old);
    EXPECT_TRUE(Core::MenuCore::GetCurrentDefinition().IsNull());
    EXPECT_TRUE(Core::MenuCore::GetCurrentNode().IsNull());
    EXPECT_EQ(models->codes, std::vector<int>{100});
}

}  // namespace
