#include "io/node_io.h"

#include <gtest/gtest.h>

#include <set>

#include "foundation/exception.h"
#include "foundation/text.h"
#include "functions/families.h"
#include "model_samples.h"
#include "reader_support.h"
#include "record_support.h"

namespace {

using Core::Complex;
using Core::MathMap;
using Core::Node;
using Core::NodeIo;
using Core::NodeMap;
using Core::NodeMapIo;

#ifdef SORIX_EXAMPLE_DLL
const std::string kDll = SORIX_EXAMPLE_DLL;
#else
const std::string kDll;
#endif

class NodeRecords : public ::testing::Test {
protected:
    void SetUp() override { Capsule::RegisterFamilies(); }
};

using test::Message;

// Bytes in hex, without the trailing blank.
std::string Hex(const std::string& bytes) {
    std::string out = test::Hex(bytes);
    if (!out.empty()) out.pop_back();
    return out;
}

std::vector<std::string> Folders() {
    return {kDll.empty() ? std::string() : GetDirectory(kDll)};
}

std::string NodeBytes(const Node::Ptr& node) {
    BinaryWriter writer;
    NodeIo().WriteNode(node, writer);
    return writer.Bytes();
}

std::string ModelBytes(const MathMap::Ptr& model) {
    BinaryWriter writer;
    NodeIo().WriteMathMap(model, writer);
    return writer.Bytes();
}

Node::Ptr ReadNodeBytes(const std::string& bytes) {
    BinaryReader reader = BinaryReader::FromBytes(bytes);
    const int typeId = reader.ReadInt();
    return NodeIo().ReadNode(typeId, reader);
}

MathMap::Ptr ReadModelBytes(const std::string& bytes, NodeIo& io) {
    BinaryReader reader = BinaryReader::FromBytes(bytes);
    EXPECT_EQ(reader.ReadInt(), TagMathMap);
    return io.ReadMathMap(reader);
}

std::string U32(std::uint32_t v) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
    return bytes;
}

std::string Text(const std::string& text) {
    return U32(static_cast<std::uint32_t>(text.size())) + text;
}

// Each definition's value over a grid of x, from a model evaluated in place.
std::vector<std::vector<Complex>> ValuesOverGrid(const MathMap::Ptr& model) {
    std::vector<std::vector<Complex>> rows;
    for (double x : {-1.5, -0.2, 0.7, 2.0}) {
        model->FindMap("x")->SetValue(Complex(x, 0), 0);
        model->EvaluateAll();
        std::vector<Complex> row;
        for (const NodeMap::Ptr& map : model->GetMaps()) row.push_back(map->Value());
        rows.push_back(row);
    }
    return rows;
}

TEST_F(NodeRecords, PayloadBytesAreTheDocumentedOnes) {
    Node::Ptr basic = Node::Create(Core::kBasicId);
    basic->SetValue(Complex(2.5, 7.0), 0);
    EXPECT_EQ(Hex(NodeBytes(basic)), "64 00 00 00 00 00 00 00 00 00 04 40 9C FF FF FF");
    // The imaginary part is not stored.
    EXPECT_EQ(ReadNodeBytes(NodeBytes(basic))->GetValue(), Complex(2.5, 0.0));

    Node::Ptr integer = Node::Create(600);
    integer->SetValue(Complex(-2.0, 0), 0);
    EXPECT_EQ(Hex(NodeBytes(integer)), "58 02 00 00 FE FF FF FF A8 FD FF FF");
    EXPECT_EQ(ReadNodeBytes(NodeBytes(integer))->GetValue(), Complex(-2.0, 0.0));

    Node::Ptr boolean = Node::Create(604);
    boolean->SetValue(Complex(1.0, 0), 0);
    EXPECT_EQ(Hex(NodeBytes(boolean)), "5C 02 00 00 B2 FA B1 FA A4 FD FF FF");
    boolean->SetValue(Complex(0.0, 0), 0);
    EXPECT_EQ(Hex(NodeBytes(boolean)), "5C 02 00 00 D2 BA D1 BA A4 FD FF FF");

    MathMap::Ptr empty = Safe::MakeX<MathMap>();
    empty->SetName(std::string("e"));
    EXPECT_EQ(Hex(ModelBytes(empty)), "75 27 00 00 01 00 00 00 65 8B D8 FF FF");
    NodeIo io;
    EXPECT_EQ(ReadModelBytes(ModelBytes(empty), io)->MapCount(), 0);
}

TEST_F(NodeRecords, ChildrenFollowTheConstructorsArity) {
    // A plain parameter keeps the function's own name and class; only its value is read.
    Node::Ptr plus = Node::Create(200);
    const std::string ownName = plus->GetChild(0)->Name();
    plus->GetChild(0)->SetName("other");
    plus->GetChild(0)->SetValue(Complex(4.0, 0), 0);
    Node::Ptr read = ReadNodeBytes(NodeBytes(plus));
    EXPECT_EQ(read->GetChild(0)->Name(), ownName);
    EXPECT_EQ(read->GetChild(0)->GetValue(), Complex(4.0, 0));

    // Other children replace the constructed ones and keep their own constructor's name.
    Node::Ptr rational = Node::Create(601);
    read = ReadNodeBytes(NodeBytes(rational));
    ASSERT_EQ(read->ChildCount(), 2);
    EXPECT_EQ(read->GetChild(0)->GetTypeId(), 600);
    EXPECT_EQ(read->GetChild(0)->Name(), Node::Create(600)->Name());

    // A variadic node keeps what the file lists, none included.
    const std::string sum = U32(208) + U32(static_cast<std::uint32_t>(-208));
    EXPECT_EQ(ReadNodeBytes(sum)->ChildCount(), 0);

    const std::string child = NodeBytes(Node::Create(Core::kBasicId));
    const std::string one = U32(200) + child + U32(static_cast<std::uint32_t>(-200));
    const std::string three =
        U32(200) + child + child + child + U32(static_cast<std::uint32_t>(-200));
    EXPECT_EQ(Message([&] { ReadNodeBytes(one); }), "Function creation failed.");
    EXPECT_EQ(Message([&] { ReadNodeBytes(three); }), "Function corruption");
    EXPECT_EQ(Message([&] { ReadNodeBytes(U32(77777) + U32(static_cast<std::uint32_t>(-77777))); }),
              "Function creation failed.");
    EXPECT_EQ(Message([&] { NodeIo().WriteNode(Node::Ptr(), *std::make_unique<BinaryWriter>()); }),
              "Null Function.");
    // A versatile capsule without its model record, and one that holds no model.
    EXPECT_EQ(Message([&] { ReadNodeBytes(U32(11) + U32(10102)); }), "Function corruption.");
    EXPECT_EQ(Message([&] { NodeBytes(Node::Create(11)); }), "Model corruption.");
}

TEST_F(NodeRecords, DeepNestingIsRefusedNotFollowed) {
    std::string deep;
    for (int i = 0; i < 100000; ++i) deep += U32(101);  // Opposite in Opposite in ...
    EXPECT_EQ(Message([&] { ReadNodeBytes(deep); }), "Function corruption.");
    // Nor is a tree written that could not be read back.
    Node::Ptr tree = Node::Create(101);
    for (int i = 0; i < 300; ++i) {
        Node::Ptr outer = Node::Create(101);
        outer->ReplaceChildAt(0, tree);
        tree = outer;
    }
    EXPECT_EQ(Message([&] { NodeBytes(tree); }), "Function corruption.");
    // A table whose count exceeds the file allocates nothing.
    EXPECT_EQ(Message([&] { ReadNodeBytes(U32(230) + U32(0x7FFFFFFF) + std::string(64, '\0')); }),
              "Unexpected end of file.");
}

TEST_F(NodeRecords, EveryNodeTypeRoundTripsByteForByte) {
    MathMap::Ptr model = test::EveryNodeModel(kDll);
    ASSERT_GT(model->MapCount(), 40);
    const std::string first = ModelBytes(model);

    NodeIo io(Folders());
    MathMap::Ptr read = ReadModelBytes(first, io);
    EXPECT_TRUE(io.GetNotes().empty()) << io.GetNotes().front();
    EXPECT_EQ(Hex(ModelBytes(read)), Hex(first));
    EXPECT_FALSE(read->FindMap("off")->IsActive());
    EXPECT_EQ(read->GetName(), model->GetName());

    // Nodes whose value changes by itself (random numbers) cannot be compared.
    const auto once = ValuesOverGrid(model), again = ValuesOverGrid(model);
    const auto copy = ValuesOverGrid(read);
    ASSERT_EQ(copy.size(), once.size());
    for (std::size_t r = 0; r < once.size(); ++r)
        for (std::size_t i = 0; i < once[r].size(); ++i)
            if (test::SameValue(once[r][i], again[r][i])) {
                EXPECT_TRUE(test::SameValue(copy[r][i], once[r][i]))
                    << model->GetMapAt(static_cast<int>(i))->Name() << " at row " << r;
            }
}

// A capsule evaluates the definition it selects, and every writer names it: a record whose
// capsule selects a definition its model lacks is refused, naming both.
TEST_F(NodeRecords, CapsulesSelectingADefinitionTheirModelLacksAreRefused) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"model", ""},
        {"h", "The function \"h\" has no definition \"\"."},
    };
    for (const auto& [selected, message] : cases) {
        auto capsule = Safe::MakeX<Core::VersatileCapsule>();
        capsule->SelectDefinition(MathMap::CreateModel("inner"), selected);  // "x" and "model"
        MathMap::Ptr model = MathMap::CreateModel("outer");
        model->FindMap("model")->SetRoot(capsule);
        NodeIo io;
        EXPECT_EQ(Message([&] { ReadModelBytes(ModelBytes(model), io); }), message) << selected;
    }
}

TEST_F(NodeRecords, DamagedModelsAreReadAndTheChangesReported) {
    MathMap::Ptr model = MathMap::CreateModel("m");
    NodeMap::Ptr gone = NodeMap::CreateFunction("gone");
    Node::Ptr plus = Node::Create(200);
    const std::string parameter = plus->GetChild(0)->Name();
    plus->ReplaceChildAt(0, test::Reference(gone, "r"));
    model->FindMap("model")->SetRoot(plus);
    std::string bytes = ModelBytes(model);
    // The same definition again, and an inactive one with a marker of 0 that reads active.
    const std::string again = U32(10102) + U32(10111) + Text("x") + NodeBytes(Node::Create(100)) +
                              U32(static_cast<std::uint32_t>(-10102));
    const std::string zero = U32(10102) + U32(0) + Text("z") + NodeBytes(Node::Create(100)) +
                             U32(static_cast<std::uint32_t>(-10102));
    bytes.insert(bytes.size() - 4, again + zero);

    test::ScratchFolder folder("records");
    const std::string path = folder.Write("damaged.mod", bytes);
    test::CapturedBoxes boxes;
    MathMap::Ptr read = NodeMapIo().ReadModelFile(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->MapCount(), 3);
    EXPECT_TRUE(read->FindMap("z")->IsActive());
    EXPECT_FALSE(read->FindMap("x")->IsActive());
    // The reference into the missing definition is a parameter under the function's own name.
    Node::Ptr reference = read->FindMap("model")->GetRoot()->GetChild(0);
    EXPECT_EQ(reference->GetTypeId(), Core::kBasicId);
    EXPECT_EQ(reference->Name(), parameter);
    // One box for the whole load names both changes.
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, "Message");
    EXPECT_NE(boxes.boxes[0].text.find("\"x\""), std::string::npos);
    EXPECT_NE(boxes.boxes[0].text.find("\"" + parameter + "\""), std::string::npos);
}

TEST_F(NodeRecords, FilesAreWrittenWholeOrNotAtAll) {
    test::ScratchFolder folder("files");
    test::CapturedBoxes boxes;
    MathMap::Ptr model = test::EveryNodeModel(kDll);
    const std::string path = folder.File("every.mod");
    ASSERT_TRUE(NodeMapIo().WriteModelFile(model, path));
    const std::string saved = test::ReadAll(path);
    EXPECT_EQ(saved, ModelBytes(model));

    // A save that fails part-way leaves the old file as it was and says so.
    model->FindMap("model")->SetRoot(Node::Create(11));
    EXPECT_FALSE(NodeMapIo().WriteModelFile(model, path));
    EXPECT_EQ(test::ReadAll(path), saved);
    ASSERT_EQ(boxes.Texts(), std::vector<std::string>{"Model corruption."});
    EXPECT_EQ(boxes.boxes[0].caption, "Message");
    EXPECT_EQ(boxes.boxes[0].icon, Platform::BoxIcon::Stop);
    boxes.boxes.clear();

    // A prototype reads back into an equal tree; a model file that holds one is refused.
    Node::Ptr prototype = test::VersatileNode();
    const std::string pro = folder.File("p.pro");
    ASSERT_TRUE(NodeIo().WritePrototypeFile(pro, prototype));
    EXPECT_EQ(test::ReadAll(pro).substr(0, 8), U32(11001) + U32(11));
    Node::Ptr loaded = NodeIo().LoadPrototype(pro);
    ASSERT_TRUE(loaded);
    ASSERT_TRUE(NodeIo().WritePrototypeFile(folder.File("again.pro"), loaded));
    EXPECT_EQ(test::ReadAll(folder.File("again.pro")), test::ReadAll(pro));
    EXPECT_EQ(loaded->Evaluate(), prototype->Evaluate());
    EXPECT_FALSE(NodeMapIo().ReadModelFile(pro));
    EXPECT_FALSE(NodeIo().LoadPrototype(path));
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{"Invalid model file.", "Invalid prototype file."}));
    boxes.boxes.clear();

    // The capsule file, checked by hand: a model "m" with the inactive definition "d" = 2.5.
    MathMap::Ptr small = Safe::MakeX<MathMap>();
    small->SetName(std::string("m"));
    auto d = Safe::MakeX<NodeMap>();
    d->SetName("d");
    Node::Ptr value = Node::Create(Core::kBasicId);
    value->SetValue(Complex(2.5, 0), 0);
    d->SetRoot(value);
    d->SetActive(false);
    small->AddMap(d);
    const std::string cps = folder.File("c.cps");
    ASSERT_TRUE(NodeIo().WriteCapsuleFile(cps, small, "cap"));
    EXPECT_EQ(Hex(test::ReadAll(cps)),
              "F8 2A 00 00 03 00 00 00 63 61 70 "                 // 11000, "cap"
              "75 27 00 00 01 00 00 00 6D "                       // 10101, "m"
              "76 27 00 00 7E 27 00 00 01 00 00 00 64 "           // 10102, inactive, "d"
              "64 00 00 00 00 00 00 00 00 00 04 40 9C FF FF FF "  // basic 2.5
              "8A D8 FF FF 8B D8 FF FF 08 D5 FF FF");             // -10102 -10101 -11000
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_FALSE(NodeIo().WriteCapsuleFile(folder.File("missing/c.cps"), small, "cap"));
}

TEST_F(NodeRecords, EveryTruncationIsRefusedWithAMessage) {
    MathMap::Ptr model = MathMap::CreateModel("t");
    int k = 0;
    // Every kind of payload: the special nodes and the typed numbers.
    std::vector<Node::Ptr> nodes = test::SpecialNodes(model, kDll);
    for (int id : {600, 602, 604, 610}) nodes.push_back(Node::Create(id));
    for (const Node::Ptr& node : nodes) {
        auto map = Safe::MakeX<NodeMap>();
        map->SetName("s" + std::to_string(k++));
        map->SetRoot(node);
        model->AddMap(map);
    }
    const std::string bytes = ModelBytes(model);
    const std::set<std::string> messages = {
        "Unexpected end of file.", "Invalid model file.",          "Model corruption.",
        "Function corruption.",    "Function corruption",          "Function creation failed.",
        "Data corruption",         "Dll Function creation failed."};
    test::CapturedBoxes boxes;
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        boxes.boxes.clear();
        BinaryReader reader = BinaryReader::FromBytes(bytes.substr(0, n));
        EXPECT_FALSE(NodeMapIo(Folders()).ReadModelFile(reader)) << n;
        ASSERT_EQ(boxes.boxes.size(), 1u) << n;
        EXPECT_TRUE(messages.count(boxes.boxes[0].text)) << n << ": " << boxes.boxes[0].text;
    }
    boxes.boxes.clear();
    test::ScratchFolder folder("truncated");
    EXPECT_TRUE(NodeMapIo(Folders()).ReadModelFile(folder.Write("whole.mod", bytes)));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_FALSE(NodeMapIo(Folders()).ReadModelFile(folder.Write("cut.mod", bytes.substr(0, 99))));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Unexpected end of file."});
}

}  // namespace
