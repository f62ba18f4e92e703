#include "io/dll_file.h"

#include <gtest/gtest.h>

#include "foundation/exception.h"
#include "foundation/text.h"
#include "functions/families.h"
#include "io/node_io.h"
#include "model/factory.h"
#include "reader_support.h"

namespace {

using Core::Complex;
using Core::DllCapsule;
using Core::DllFile;
using Core::MathMap;
using Core::Node;
using Core::NodeMapIo;

using test::kExampleDll;

class DllFiles : public ::testing::Test {
protected:
    void SetUp() override { Capsule::RegisterFamilies(); }
};

Safe::XPtr<DllCapsule> Make(const std::string& name) {
    auto capsule = DllFile::CreateCapsule(kExampleDll, name);
    EXPECT_TRUE(capsule) << name;
    return capsule;
}

TEST_F(DllFiles, LibraryIsLoadedOncePerPathAndListsItsFunctions) {
    EXPECT_EQ(DllFile::GetFunctionNames(kExampleDll),
              (std::vector<std::string>{"Lorentz", "Scale", "Poly", "Nothing"}));
    EXPECT_EQ(DllFile::Find(kExampleDll), DllFile::Find(kExampleDll));
    // The same library written another way is a second entry.
    const std::string other = GetDirectory(kExampleDll) + "/./" + GetFileName(kExampleDll);
    ASSERT_TRUE(DllFile::Find(other));
    EXPECT_NE(DllFile::Find(other), DllFile::Find(kExampleDll));

    std::vector<std::string> names;
    for (const auto& capsule : DllFile::CreateAllCapsules(kExampleDll))
        names.push_back(capsule->Name());
    EXPECT_EQ(names, DllFile::GetFunctionNames(kExampleDll));

    // Missing libraries, UNC paths, unknown and malformed functions give nothing.
    EXPECT_FALSE(DllFile::Find(GetDirectory(kExampleDll) + "/missing.dll"));
    EXPECT_FALSE(DllFile::Find("\\\\server\\share\\f.dll"));
    EXPECT_FALSE(DllFile::Find(GetFileName(kExampleDll)));
    EXPECT_TRUE(DllFile::GetFunctionNames(GetDirectory(kExampleDll) + "/missing.dll").empty());
    EXPECT_FALSE(DllFile::CreateCapsule(kExampleDll, "Unknown"));
    EXPECT_FALSE(DllFile::CreateCapsule(kExampleDll, "Malformed"));  // declares no result
}

TEST_F(DllFiles, CapsulesPassTheirArgumentsAndTakeEveryResult) {
    // Lorentz(x, x0 = 1, w = 0.5) = w^2 / ((x - x0)^2 + w^2), defaults in the children.
    auto lorentz = Make("Lorentz");
    ASSERT_EQ(lorentz->ChildCount(), 3);
    EXPECT_EQ(lorentz->GetChild(1)->Name(), "x0");
    EXPECT_EQ(lorentz->GetChild(2)->GetValue(), Complex(0.5, 0));
    EXPECT_NEAR(lorentz->Evaluate().real(), 0.25 / 1.25, 1e-15);
    lorentz->GetChild(0)->SetValue(Complex(1.5, 0), 0);
    EXPECT_NEAR(lorentz->Evaluate().real(), 0.5, 1e-15);
    EXPECT_EQ(lorentz->GetSourceKind(), Core::kUserCapsule);

    // A pair and a value in, two results out; no defaults leave the constructors' values.
    auto scale = Make("Scale");
    ASSERT_EQ(scale->ChildCount(), 2);
    const int pairType = Node::Create(3000) ? 3000 : Core::kBasicId;
    EXPECT_EQ(scale->GetChild(0)->GetTypeId(), pairType);
    EXPECT_EQ(scale->GetChild(1)->GetValue(), Node::Create(Core::kBasicId)->GetValue());
    scale->GetChild(0)->SetValue(Complex(3.0, 1.0), 0);
    scale->GetChild(1)->SetValue(Complex(2.0, 0), 0);
    scale->Evaluate();
    const std::vector<Complex> pair = scale->GetChild(0)->GetValues();
    ASSERT_EQ(scale->GetValues().size(), 2u);
    EXPECT_EQ(scale->GetValues()[0], pair[0] * 2.0);
    EXPECT_EQ(scale->GetValues()[1], (pair.size() > 1 ? pair[1] : Complex(0, 0)) * 2.0);

    // A list argument's buffer is as long as the tuple; the hidden argument has no child.
    auto poly = Make("Poly");
    ASSERT_EQ(poly->ChildCount(), 2);
    poly->Evaluate();
    ASSERT_EQ(poly->GetValues().size(), 3u);
    const Node::Ptr list = poly->GetChild(1);
    EXPECT_EQ(poly->GetValues()[2], Complex(list->ChildCount(), 0));
    Complex sum(0, 0), power(1, 0);
    const std::vector<Complex> coefficients = list->GetValues();
    for (int k = 0; k < list->ChildCount(); ++k, power *= 2.0)
        if (static_cast<std::size_t>(k) < coefficients.size()) sum += coefficients[k] * power;
    EXPECT_EQ(poly->GetValues()[0], sum);

    // No result array from the library: zeros, never a read through null.
    auto nothing = Make("Nothing");
    EXPECT_EQ(nothing->Evaluate(), Complex(0, 0));
}

TEST_F(DllFiles, ClonesAndSavedModelsKeepTheFunction) {
    auto lorentz = Make("Lorentz");
    lorentz->GetChild(0)->SetValue(Complex(0.8, 0), 0);
    lorentz->GetChild(2)->SetName("width");
    Node::Ptr copy = lorentz->Clone();
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->GetChild(2)->Name(), "width");
    EXPECT_EQ(copy->Evaluate(), lorentz->Evaluate());
    lorentz = nullptr;  // the copy has an object of its own
    EXPECT_NEAR(copy->Evaluate().real(), 0.25 / (0.04 + 0.25), 1e-15);

    // Records name the library by file name and find it in the library folders only.
    BinaryWriter writer;
    Core::NodeIo().WriteNode(copy, writer);
    BinaryReader reader = BinaryReader::FromBytes(writer.Bytes());
    const int typeId = reader.ReadInt();
    Node::Ptr read = Core::NodeIo({GetDirectory(kExampleDll)}).ReadNode(typeId, reader);
    EXPECT_EQ(read->Evaluate(), copy->Evaluate());
    BinaryReader elsewhere = BinaryReader::FromBytes(writer.Bytes());
    elsewhere.ReadInt();
    try {
        Core::NodeIo({GetDirectory(kExampleDll) + "/none"}).ReadNode(typeId, elsewhere);
        ADD_FAILURE();
    } catch (const Winplus::Exception& e) {
        EXPECT_EQ(e.GetMessage(), "Dll Function creation failed.");
    }
}

TEST_F(DllFiles, FilesFindTheirLibrariesInTheLibraryFoldersNeverBesideThem) {
    test::ScratchFolder folder("beside");
    test::ScratchFolder library("library");
    std::filesystem::copy_file(kExampleDll, folder.File(GetFileName(kExampleDll)));
    std::filesystem::copy_file(kExampleDll, library.File(GetFileName(kExampleDll)));
    MathMap::Ptr model = MathMap::CreateModel("m");
    auto lorentz = Make("Lorentz");
    lorentz->GetChild(0)->SetValue(Complex(1.25, 0), 0);
    model->FindMap("model")->SetRoot(lorentz);
    const std::string path = folder.File("m.mod"), prototype = folder.File("l.pro");
    test::CapturedBoxes boxes;
    ASSERT_TRUE(NodeMapIo(std::vector<std::string>()).WriteModelFile(model, path));
    ASSERT_TRUE(Core::NodeIo().WritePrototypeFile(prototype, lorentz));
    // The library beside the files is not loaded.
    EXPECT_FALSE(NodeMapIo(std::vector<std::string>()).ReadModelFile(path));
    EXPECT_FALSE(Core::NodeIo(std::vector<std::string>()).LoadPrototype(prototype));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>(2, "Dll Function creation failed."));
    // The one in a library folder is.
    MathMap::Ptr read = NodeMapIo({library.Path()}).ReadModelFile(path);
    ASSERT_TRUE(read);
    EXPECT_NEAR(read->FindMap("model")->Evaluate().real(), 0.25 / (0.0625 + 0.25), 1e-15);
    Node::Ptr node = Core::NodeIo({library.Path()}).LoadPrototype(prototype);
    ASSERT_TRUE(node);
    EXPECT_EQ(node->Evaluate(), read->FindMap("model")->Evaluate());
}

}  // namespace
