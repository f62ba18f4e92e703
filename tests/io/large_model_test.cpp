// Models as large as a file may hold: many definitions and a long chain of references, read
// from a .mod file and from an OSML document, ordered and evaluated as they were written.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "functions/families.h"
#include "io/binary_stream.h"
#include "io/node_io.h"
#include "io/osml_reader.h"
#include "io/osml_writer.h"
#include "model/map_capsule.h"

namespace {

using Core::Complex;
using Core::MathMap;
using Core::NodeMap;

class LargeModels : public ::testing::Test {
protected:
    void SetUp() override { Capsule::RegisterFamilies(); }
};

// "model" refers to dN-1, each dI to dI-1, and d0 holds 2.5.
MathMap::Ptr Chain(int count) {
    MathMap::Ptr model = MathMap::CreateModel("chain");
    std::vector<NodeMap::Ptr> maps;
    for (int i = 0; i <= count; ++i) {
        NodeMap::Ptr map =
            i < count ? NodeMap::CreateFunction("d" + std::to_string(i)) : model->FindMap("model");
        if (i > 0) {
            auto reference = Safe::MakeX<Core::MapCapsule>();
            reference->SetName("r");
            reference->SetMap(maps.back());
            map->SetRoot(reference);
        } else {
            map->GetRoot()->SetValue({2.5, 0}, 0);
        }
        maps.push_back(map);
    }
    maps.pop_back();
    model->AddMaps(maps);
    return model;
}

void ExpectWholeChain(const MathMap::Ptr& model, int count) {
    ASSERT_TRUE(model);
    ASSERT_EQ(model->MapCount(), count + 2);
    ASSERT_EQ(model->GetEvaluationOrder().size(), static_cast<std::size_t>(count + 1));
    EXPECT_EQ(model->GetEvaluationOrder().front()->Name(), "d0");
    EXPECT_EQ(model->GetEvaluationOrder().back()->Name(), "model");
    model->EvaluateAll();
    EXPECT_EQ(model->FindMap("model")->Value(), Complex(2.5, 0));
}

TEST_F(LargeModels, AChainOfAHundredThousandReferencesReadsFromBothFormats) {
    constexpr int n = 100000;
    const MathMap::Ptr written = Chain(n);
    BinaryWriter writer;
    Core::NodeMapIo().WriteMathMap(written, writer);
    auto reader = BinaryReader::FromBytes(writer.Bytes());
    ExpectWholeChain(Core::NodeMapIo().ReadModelFile(reader), n);

    const std::string text = Core::Sml::WriteText(Core::Sml::ModelDocument(written));
    ExpectWholeChain(Core::Sml::OsmlReader().ReadModel(Core::Sml::ReadText(text)), n);
}

}  // namespace
