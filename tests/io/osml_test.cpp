#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>

#include "foundation/exception.h"
#include "foundation/module.h"
#include "functions/families.h"
#include "io/node_io.h"
#include "io/osml_reader.h"
#include "io/osml_writer.h"
#include "io/sml_vocabulary.h"
#include "model_samples.h"
#include "reader_support.h"
#include "record_support.h"

namespace {

using namespace Core::Sml;
using Core::Complex;
using Core::MathMap;
using Core::Node;
using Core::NodeMap;
using test::Message;

using test::kExampleDll;

// Node types that OSML documents have no form for: their content is not children and values
// that a function element could carry.
const std::set<int> kWithoutForm = {650, 2001, 2101};

class Osml : public ::testing::Test {
protected:
    void SetUp() override { Capsule::RegisterFamilies(); }
    test::CapturedBoxes boxes;
    test::ScratchFolder folder{"osml"};
};

bool HasForm(int type) {
    return type == Core::kBasicId || (type >= 600 && type <= 604) || type == 610 ||
           GetCode(type) != -1;
}

void AddDefinition(const MathMap::Ptr& model, const std::string& name, const Node::Ptr& root) {
    auto map = Safe::MakeX<NodeMap>();
    map->SetName(name);
    map->SetRoot(root);
    model->AddMap(map);
}

// "x", "model", one definition per node type the markup can name, and the user capsules,
// references and library functions.
MathMap::Ptr EveryNamedNodeModel() {
    MathMap::Ptr model = MathMap::CreateModel("every");
    NodeMap::Ptr x = model->FindMap("x");
    for (int id : test::KnownTypeIds()) {
        if (id >= Core::kMapCapsuleId && id <= Core::kDllCapsuleId) continue;
        if (!HasForm(id)) continue;
        Node::Ptr node = Node::Create(id);
        test::Animate(node, x);
        AddDefinition(model, "t" + std::to_string(id), node);
    }
    AddDefinition(model, "ref", test::Reference(x, "xr"));
    AddDefinition(model, "versatile", test::VersatileNode());
    Node::Ptr formula = test::FormulaNode("h(p,q)=p*p-q/2");
    formula->ReplaceChildAt(0, test::Reference(x, "p"));
    AddDefinition(model, "formula", formula);
    auto constant = Safe::MakeX<Core::ConstantCapsule>();
    constant->SetSymbolName("k");
    constant->SetValue(Complex(1.75, 0), 0);
    AddDefinition(model, "constant", constant);
    if (!kExampleDll.empty())
        for (const auto& capsule : Core::DllFile::CreateAllCapsules(kExampleDll)) {
            test::Animate(capsule, x);
            AddDefinition(model, "dll" + capsule->GetFunctionName(), capsule);
        }
    auto off = Safe::MakeX<NodeMap>();
    off->SetName("off");
    off->SetActive(false);
    model->AddMap(off);
    return model;
}

ReadOptions Options(const std::string& folder = std::string()) {
    ReadOptions options;
    options.libraryFolder = folder;
    if (!kExampleDll.empty()) options.dlls = {kExampleDll};
    return options;
}

MathMap::Ptr ReadBack(const std::string& text, const ReadOptions& options = Options()) {
    Document document = ReadText(text);
    if (!document.ok) throw Winplus::Exception(document.Report());
    return OsmlReader(options).ReadModel(document);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

TEST_F(Osml, EveryNamedNodeTypeWritesReadsAndWritesTheSameDocument) {
    MathMap::Ptr model = EveryNamedNodeModel();
    const std::string path = folder.File("every.sml");
    ASSERT_TRUE(WriteModel(path, model)) << testing::PrintToString(boxes.Texts());
    const std::string saved = test::ReadAll(path);
    std::string withoutCrLf;  // CR LF line ends only
    for (std::size_t i = 0; i < saved.size(); ++i)
        if (saved.compare(i, 2, "\r\n") == 0)
            ++i;
        else
            withoutCrLf += saved[i];
    EXPECT_EQ(withoutCrLf.find_first_of("\r\n"), std::string::npos);

    MathMap::Ptr read = OsmlReader(Options()).LoadModel(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->MapCount(), model->MapCount());
    EXPECT_EQ(WriteText(ModelDocument(read)), WriteText(ModelDocument(model)));
    EXPECT_EQ(saved.size(), WriteText(ModelDocument(read)).size() +
                                std::count(saved.begin(), saved.end(), '\n'));

    for (double xv : {-2.5, 0.0, 0.7, 3.0, 41.0}) {
        model->FindMap("x")->SetValue(Complex(xv, 0), 0);
        read->FindMap("x")->SetValue(Complex(xv, 0), 0);
        model->EvaluateAll();
        read->EvaluateAll();
        for (const NodeMap::Ptr& map : model->GetMaps()) {
            if (map->Name() == "t501") continue;  // a new random draw each time
            NodeMap::Ptr other = read->FindMap(map->Name());
            ASSERT_TRUE(other) << map->Name();
            ASSERT_TRUE(test::SameValue(map->Value(), other->Value()))
                << map->Name() << " at " << xv << ": " << map->Value() << " " << other->Value();
        }
    }
}

TEST_F(Osml, NestedCapsulesOfEqualNamesReadBack) {
    // A versatile capsule "g" whose model uses a formula capsule "g" of two arguments: each
    // symbol is written under a name of its own, and the document reads back to the same values.
    MathMap::Ptr model = MathMap::CreateModel("same");
    Node::Ptr outer = test::VersatileNode();
    Safe::DynamicCast<Core::VersatileCapsule>(outer)->SetSymbolName("g");
    AddDefinition(model, "y", outer);
    const std::string text = WriteText(ModelDocument(model));
    MathMap::Ptr read = ReadBack(text);
    ASSERT_TRUE(read);
    model->EvaluateAll();
    read->EvaluateAll();
    EXPECT_EQ(read->FindMap("y")->Value(), model->FindMap("y")->Value());
    EXPECT_EQ(WriteText(ModelDocument(read)), text);
}

TEST_F(Osml, NodesWithoutAFormAreRefusedByName) {
    const std::string path = folder.Write("old.sml", "old");
    for (int id : test::KnownTypeIds()) {
        if (id >= Core::kMapCapsuleId && id <= Core::kDllCapsuleId) continue;
        if (HasForm(id)) continue;
        EXPECT_TRUE(kWithoutForm.count(id)) << "type " << id << " has no markup form";
        MathMap::Ptr model = MathMap::CreateModel("m");
        Node::Ptr node = Node::Create(id);
        AddDefinition(model, "d", node);
        EXPECT_FALSE(WriteModel(path, model));
        ASSERT_FALSE(boxes.boxes.empty());
        EXPECT_EQ(boxes.boxes.back().text, "OSML documents have no form for the function \"" +
                                               node->Name() + "\" (type " + std::to_string(id) +
                                               ").");
        EXPECT_EQ(test::ReadAll(path), "old");
    }
    // Not finite, or not writable at all: the old file stays, the reason is shown.
    MathMap::Ptr model = MathMap::CreateModel("m");
    model->FindMap("model")->GetRoot()->SetValue(Complex(std::nan(""), 0), 0);
    EXPECT_FALSE(WriteModel(path, model));
    EXPECT_EQ(boxes.boxes.back().text,
              "The value of \"m\" is not a finite number; OSML documents cannot hold it.");
    EXPECT_EQ(test::ReadAll(path), "old");
    EXPECT_FALSE(WriteModel(folder.File("missing/x.sml"), MathMap::CreateModel("m")));
    EXPECT_EQ(boxes.boxes.back().text, "File write failed");
    // A table's points: a document holds its function and arguments only.
    auto table = Safe::DynamicCast<Capsule::File2C>(Node::Create(230));
    table->SetName("t");
    table->SetData({0.0, 1.0}, {2.0, 3.0});
    MathMap::Ptr tabled = MathMap::CreateModel("m");
    AddDefinition(tabled, "table", table);
    EXPECT_FALSE(WriteModel(path, tabled));
    EXPECT_EQ(boxes.boxes.back().text,
              "OSML documents have no form for the points of the table \"t\".");
    EXPECT_EQ(test::ReadAll(path), "old");
}

TEST_F(Osml, NumbersKeepEveryDigitAndTheirSign) {
    MathMap::Ptr model = MathMap::CreateModel("m");
    auto add = [&](const std::string& name, int type, double a, double b = 0.0) {
        Node::Ptr node = Node::Create(type);
        if (type == 601 || type == 603) {
            node->GetChild(0)->SetValue(Complex(a, 0), 0);
            node->GetChild(1)->SetValue(Complex(b, 0), 0);
        } else {
            node->SetValue(Complex(a, 0), 0);
        }
        AddDefinition(model, name, node);
    };
    add("fitted", Core::kBasicId, 0.1 + 0.2);
    add("tiny", 602, -4.9406564584124654e-324);
    add("negative", 600, -3.0);
    add("truncated", 600, -2.7);
    add("ratio", 601, -7.0, 1000000.0);
    add("complex", 603, 1.5, -2.0);
    add("truth", 604, 1.0);
    const std::string text = WriteText(ModelDocument(model));
    for (const char* expected :
         {"<number> 0.30000000000000004 </number>", "<number type=\"real\"> -5e-324 </number>",
          "<number type=\"integer\"> -3 </number>", "<number type=\"integer\"> -2 </number>",
          "<number type=\"rational\"> -7<sep/> 1000000 </number>",
          "<number type=\"complex\"> 1.5<sep/> -2 </number>",
          "<number type=\"boolean\"> 1 </number>"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    MathMap::Ptr read = ReadBack(text);
    read->EvaluateAll();
    EXPECT_EQ(read->FindMap("fitted")->Value(), Complex(0.1 + 0.2, 0));
    EXPECT_EQ(read->FindMap("tiny")->Value(), Complex(-4.9406564584124654e-324, 0));
    EXPECT_EQ(read->FindMap("negative")->Value(), Complex(-3, 0));
    EXPECT_EQ(read->FindMap("ratio")->Value(), Complex(-7e-6, 0));
    EXPECT_EQ(read->FindMap("complex")->Value(), Complex(1.5, -2));
    EXPECT_EQ(WriteText(ModelDocument(read)), text);
}

TEST_F(Osml, TextsWithMarkupCharactersAndTabsSurvive) {
    MathMap::Ptr model = MathMap::CreateModel("m");
    Node::Ptr table = Node::Create(230);
    const std::string file = "\tC:\\a<b>&\"c\".dat\t";
    table->GetChild(1)->SetName(file);
    AddDefinition(model, "a&b <c>", table);
    const std::string text = WriteText(ModelDocument(model));
    MathMap::Ptr read = ReadBack(text);
    ASSERT_TRUE(read->FindMap("a&b <c>"));
    EXPECT_EQ(read->FindMap("a&b <c>")->GetRoot()->GetChild(1)->Name(), file);
    EXPECT_EQ(WriteText(ModelDocument(read)), text);
}

TEST_F(Osml, LayoutChangesKeepADocumentAndContentChangesBreakIt) {
    MathMap::Ptr model = EveryNamedNodeModel();
    const std::string path = folder.File("m.sml");
    ASSERT_TRUE(WriteModel(path, model));
    const std::string saved = test::ReadAll(path);
    const std::string expected = WriteText(ModelDocument(model));

    std::string lf, cr, joined, reindented;
    for (std::size_t i = 0; i < saved.size(); ++i) {
        const bool lineEnd = saved.compare(i, 2, "\r\n") == 0;
        lf += lineEnd ? "" : std::string(1, saved[i]);
        cr += saved[i] == '\n' ? "" : std::string(1, saved[i]);
        joined += lineEnd || saved[i] == '\n' ? "" : std::string(1, saved[i]);
    }
    bool lineStart = true;
    for (char c : lf) {
        if (lineStart && c == ' ') {
            reindented += "\t ";
            continue;
        }
        reindented += c;
        lineStart = c == '\n';
    }
    for (const std::string* variant : {&lf, &cr, &joined, &reindented})
        EXPECT_EQ(WriteText(ModelDocument(ReadBack(*variant))), expected);

    // One digit, one name, one text.
    for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
             {"<number> 0.75 </number>", "<number> 0.76 </number>"},
             {"<definition name=\"t200\">", "<definition name=\"t201x\">"},
             {"h(p,q)=p*p-q/2", "h(p,q)=p*p-q/3"}}) {
        const std::string changed = Replaced(lf, from, to);
        const std::string message = Message([&] { ReadBack(changed); });
        EXPECT_EQ(message.substr(0, 16), "Error at line : ") << from;
        EXPECT_NE(message.find("\nThe document does not match its digest."), std::string::npos);
    }
}

TEST_F(Osml, EveryMessageOfTheReader) {
    const std::string head = "<?xml version=\"1.0\" ?>\n<osml version=\"2.0\">\n";
    auto math = [&](const std::string& inner) { return head + "<math>\n" + inner + "</math></osml>"; };
    auto symbol = [&](const std::string& inner) {
        return head + "<semantics>\n" + inner + "</semantics><math></math></osml>";
    };
    const std::string plus = "<function name=\"plus\" source=\"core\"/>";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {math("<apply>" + plus + "</apply>"), "At line : 4\nInvalid element in <math> markup"},
        {math("<definition>\n</definition>"),
         "At line : 4\n<definition> markup must have a valid name"},
        {math("<definition name=\"a\"><number> 1 </number>\n<number> 2 </number></definition>"),
         "At line : 5\nToo many initialization elements in <definition> markup"},
        {math("<definition name=\"a\"><sep/></definition>"),
         "At line : 4\nInvalid element in <definition> markup"},
        {math("<definition name=\"a\"><apply><function name=\"f\" source=\"document\"/>"
              "</apply></definition>"),
         "At line : 4\ndefinition not present in the semantic block"},
        {math("<definition name=\"a\"><constant name=\"k\" source=\"document\"/></definition>"),
         "At line : 4\ndefinition not present in the semantic block"},
        {math("<definition name=\"a\"><apply><function name=\"f\" source=\"nolib\"/>"
              "</apply></definition>"),
         "At line : 4\nInvalid external definition"},
        {math("<definition name=\"a\"><apply><sequence name=\"point-list\" source=\"lib\"/>"
              "</apply></definition>"),
         "At line : 4\nInvalid external definition"},
        {math("<definition name=\"a\"><apply><function name=\"Square\" sourcetype=\"dll\" "
              "source=\"\\\\server\\share\\nowhere.dll\"/></apply></definition>"),
         "At line : 4\nInvalid external definition"},
        {math("<definition name=\"a\"><constant name=\"k\" source=\"lib\"/></definition>"),
         "At line : 4\nExternal definitions not supported"},
        {math("<definition name=\"a\"><apply><function name=\"foo\" source=\"core\"/>"
              "</apply></definition>"),
         "At line : 4\nUnknown markup symbol : <foo/>"},
        {math("<definition name=\"a\"><apply>" + plus +
              "<link> x </link>\n<secure> 1 </secure>"
              "</apply></definition>"),
         "At line : 5\nUnknown markup symbol : <secure>"},
        {math("<definition name=\"a\"><apply>\n</apply></definition>"),
         "At line : 4\nEmpty <apply> markup"},
        {math("<definition name=\"a\"><apply>" + plus +
              "<number> 1 </number></apply>"
              "</definition>"),
         "At line : 4\nInvalid number of arguments"},
        {math("<definition name=\"a\"><apply><annotation> a </annotation></apply></definition>"),
         "At line : 4\nInvalid element in <apply> markup"},
        {symbol("<symbol name=\"s\" type=\"function\" encoding=\"MathML\">\n</symbol>"),
         "At line : 4\nInvalid encoding format in <symbol> markup"},
        {symbol("<symbol type=\"constant\"> </symbol>"),
         "At line : 4\n<symbol> markup must have a valid name attribute"},
        {symbol("<symbol name=\"k\" type=\"constant\">\n<number> one </number></symbol>"),
         "At line : 5\nInvalid value"},
        {symbol("<symbol name=\"k\" type=\"constant\">\n<number> 1e999 </number></symbol>"),
         "At line : 5\nInvalid value"},
        {math("<definition name=\"a\">\n<number> nan </number></definition>"),
         "At line : 5\nInvalid value"},
        {math("<definition name=\"a\">\n<number type=\"real\"> -INF </number></definition>"),
         "At line : 5\nInvalid value"},
        {math("<definition name=\"a\">\n<number> 1e999 </number></definition>"),
         "At line : 5\nInvalid value"},
        {math("<definition name=\"a\">\n<number type=\"integer\"> " + std::string(400, '9') +
              " </number></definition>"),
         "At line : 5\nInvalid value"},
        {math("<definition name=\"a\">\n<number type=\"complex\"> 1 <sep/> Infinity </number>"
              "</definition>"),
         "At line : 5\nInvalid value"},
        {symbol("<symbol name=\"k\" type=\"constant\">\n</symbol>"),
         "At line : 4\nInvalid declaration"},
        {symbol("<symbol name=\"k\" type=\"constant\"><link> x </link></symbol>"),
         "At line : 4\nInvalid declaration"},
        {symbol("<symbol name=\"f\" type=\"function\" encoding=\"formula\"><number> 1 </number>"
                "</symbol>"),
         "At line : 4\nInvalid declaration"},
    };
    for (const auto& [document, message] : cases)
        EXPECT_EQ(Message([&] { ReadBack(document, Options()); }), message) << document;

    const std::string notOsml = folder.Write("plain.sml", "<math></math>");
    EXPECT_EQ(Message([&] { OsmlReader(Options()).LoadModel(notOsml); }), "Invalid file");
    const std::string broken = folder.Write("broken.sml", head + "\n<foo>");
    EXPECT_EQ(Message([&] { OsmlReader(Options()).LoadModel(broken); }),
              "Error at line : 4\nUnknown markup.");
}

// Each symbol uses the one before twice: forty of them would make 2^40 nodes.
TEST_F(Osml, SymbolsThatDoubleEachOtherAreRefused) {
    std::string symbols = "<symbol name=\"f0\" type=\"function\" encoding=\"OSML\">"
                          "<definition name=\"f0\"><number> 1 </number></definition></symbol>\n";
    for (int i = 1; i <= 40; ++i) {
        const std::string use = "<apply><function name=\"f" + std::to_string(i - 1) +
                                "\" source=\"document\"/></apply>";
        symbols += "<symbol name=\"f" + std::to_string(i) +
                   "\" type=\"function\" encoding=\"OSML\"><definition name=\"f" +
                   std::to_string(i) + "\"><apply><function name=\"plus\" source=\"core\"/>" + use +
                   use + "</apply></definition></symbol>\n";
    }
    const std::string text = "<osml><semantics>\n" + symbols + "</semantics></osml>";
    const std::string message = Message([&] { ReadBack(text); });
    EXPECT_EQ(message.substr(message.find('\n')), "\nThe document makes too many nodes.");
}

// The bound the formulas set on nesting holds in documents: at the bound the formula reads and
// evaluates, one level deeper the document is refused.
TEST_F(Osml, FormulasNestedBeyondTheirBoundAreRefused) {
    for (const int depth : {50000, 50001}) {
        const std::string text =
            "<?xml version=\"1.0\" ?>\n<osml version=\"2.0\">\n<semantics>\n"
            "<symbol name=\"f\" type=\"function\" encoding=\"formula\">\n<formula> f(x)=" +
            std::string(depth, '(') + "x" + std::string(depth, ')') +
            " </formula></symbol></semantics>\n<math><definition name=\"y\"><apply>"
            "<function name=\"f\" source=\"document\"/><number> 1.5 </number></apply>"
            "</definition></math></osml>";
        if (depth == 50000) {
            MathMap::Ptr read = ReadBack(text);
            read->EvaluateAll();
            EXPECT_EQ(read->FindMap("y")->Value(), Complex(1.5, 0));
        } else {
            EXPECT_EQ(Message([&] { ReadBack(text); }), "At line : 5\nInvalid declaration");
        }
    }
}

TEST_F(Osml, LibrariesWriteReadAndIncludeWithoutLoops) {
    MathMap::Ptr first = MathMap::CreateModel("twice");
    Node::Ptr times = Node::Create(202);
    times->ReplaceChildAt(0, test::Reference(first->FindMap("x"), "a"));
    times->GetChild(1)->SetValue(Complex(2, 0), 0);
    first->FindMap("model")->SetRoot(times);
    first->FindMap("model")->SetName("twice");
    MathMap::Ptr second = MathMap::CreateModel("square");
    Node::Ptr square = Node::Create(306);
    square->ReplaceChildAt(0, test::Reference(second->FindMap("x"), "z"));
    second->FindMap("model")->SetRoot(square);
    second->FindMap("model")->SetName("square");
    const std::string path = folder.File("lib.sml");
    ASSERT_TRUE(WriteLibrary(path, {first, second}));

    std::vector<Node::Ptr> capsules = OsmlReader(Options()).LoadLibrary(path);
    ASSERT_EQ(capsules.size(), 2u);
    std::vector<MathMap::Ptr> models;
    for (const Node::Ptr& node : capsules) {
        auto capsule = Safe::DynamicCast<Core::VersatileCapsule>(node);
        ASSERT_TRUE(capsule);
        EXPECT_EQ(capsule->GetSource(), "lib");
        capsule->GetMathMap()->SetName(capsule->GetSymbolName());
        models.push_back(capsule->GetMathMap());
    }
    EXPECT_EQ(WriteText(LibraryDocument(models)), WriteText(LibraryDocument({first, second})));

    // A model that uses the library by name, and a library that reaches itself.
    const std::string uses = "<?xml version=\"1.0\" ?><osml><math><definition name=\"y\">"
                             "<apply><function name=\"twice\" source=\"lib\" sourcetype=\"sml\"/>"
                             "<number> 4 </number></apply></definition>"
                             "</math></osml>";
    MathMap::Ptr user = ReadBack(uses, Options(folder.Path()));
    user->EvaluateAll();
    EXPECT_EQ(user->FindMap("y")->Value(), Complex(8, 0));
    folder.Write("loop.sml",
                 "<osml><semantics><symbol name=\"twice\" type=\"function\" encoding=\"OSML\">"
                 "<definition name=\"twice\"><apply><function name=\"twice\" source=\"loop\"/>"
                 "<number> 1 </number></apply></definition></symbol></semantics></osml>");
    EXPECT_EQ(Message([&] { ReadBack(Replaced(uses, "\"lib\"", "\"loop\""), Options(folder.Path())); }),
              "At line : 1\nInvalid external definition");
}

// Documents no writer makes, whose models could not be saved again: a user capsule named by its
// kind alone (it has no symbol, no model or no library) and a function symbol without the
// definition it evaluates.
TEST_F(Osml, ModelsThatCouldNotBeSavedAgainAreRefused) {
    const std::string head = "<?xml version=\"1.0\" ?>\n<osml version=\"2.0\">\n";
    auto math = [&](const std::string& root) {
        return head + "<math>\n<definition name=\"a\">\n" + root + "</definition></math></osml>";
    };
    auto kindAlone = [](const std::string& name) {
        return "At line : 5\n<" + name +
               "> names no function of its own: user functions are named by their symbols";
    };
    const std::vector<std::pair<std::string, std::string>> cases = {
        {math("<apply><value/></apply>"), kindAlone("value")},
        {math("<apply></value></apply>"), kindAlone("value")},
        {math("<constant name=\"value\" source=\"core\"/>"), kindAlone("value")},
        {math("<apply><encapsulation/></apply>"), kindAlone("encapsulation")},
        {math("<apply><function name=\"encapsulation\" source=\"core\"/></apply>"),
         kindAlone("encapsulation")},
        {math("<apply><function name=\"dll-function\"/></apply>"), kindAlone("dll-function")},
        {math("<apply><function name=\"link\"/></apply>"), kindAlone("link")},
        {head + "<semantics>\n<symbol name=\"h\" type=\"function\" encoding=\"OSML\">\n"
                "<argument name=\"p\"><number> 1 </number></argument></symbol></semantics>\n"
                "<math><definition name=\"a\"><apply><function name=\"h\" source=\"document\"/>"
                "<number> 2 </number></apply></definition></math></osml>",
         "At line : 4\n<symbol> markup must have a <definition>"},
    };
    for (const auto& [document, message] : cases)
        EXPECT_EQ(Message([&] { ReadBack(document); }), message) << document;
}

// Model records hold what documents name differently or not at all: a definition or a capsule
// without a name gets a name of its own in the document; an inactive definition (a variable)
// holding more than a parameter, and the parts of a number that are not numbers, which a
// document does not hold, are refused.
TEST_F(Osml, RecordContentWithoutADocumentFormIsNamedOrRefused) {
    auto opposite = [](const Node::Ptr& child) {
        Node::Ptr node = Node::Create(101);
        node->ReplaceChildAt(0, child);
        return node;
    };
    auto number = [](double value) {
        Node::Ptr node = Node::Create(Core::kBasicId);
        node->SetValue(Complex(value, 0), 0);
        return node;
    };
    // The document holds the names given, and reads back with y as given.
    auto expectDocument = [](const MathMap::Ptr& model, const std::vector<std::string>& names,
                             const Complex& y) {
        const std::string text = WriteText(ModelDocument(model));
        for (const std::string& name : names)
            EXPECT_NE(text.find(name), std::string::npos) << name << "\n" << text;
        MathMap::Ptr read;
        EXPECT_EQ(Message([&] { read = ReadBack(text); }), "");
        ASSERT_TRUE(read);
        read->EvaluateAll();
        EXPECT_EQ(read->FindMap("y")->Value(), y);
    };

    MathMap::Ptr unnamed = MathMap::CreateModel("m");
    AddDefinition(unnamed, "", number(2));
    AddDefinition(unnamed, "y", opposite(test::Reference(unnamed->FindMap(""), "r")));
    expectDocument(unnamed, {"<definition name=\"@1\">", "<link> @1 </link>"}, Complex(-2, 0));

    MathMap::Ptr symbolless = MathMap::CreateModel("m");
    auto constant = Safe::MakeX<Core::ConstantCapsule>();
    constant->SetValue(Complex(1.25, 0), 0);
    AddDefinition(symbolless, "y", opposite(constant));
    expectDocument(symbolless, {"<symbol name=\"@1\" type=\"constant\">"}, Complex(-1.25, 0));

    MathMap::Ptr inactive = MathMap::CreateModel("m");
    AddDefinition(inactive, "a", opposite(number(2)));
    inactive->FindMap("a")->SetActive(false);
    AddDefinition(inactive, "y", opposite(test::Reference(inactive->FindMap("a"), "r")));
    MathMap::Ptr parts = MathMap::CreateModel("m");
    Node::Ptr complex = Node::Create(603);
    complex->ReplaceChildAt(0, test::Reference(parts->FindMap("x"), "a"));
    AddDefinition(parts, "y", complex);
    const std::pair<MathMap::Ptr, std::string> refused[] = {
        {inactive,
         "The inactive definition \"a\" holds more than a parameter; OSML documents cannot "
         "hold it."},
        {parts, "The parts of \"C\" are not numbers; OSML documents cannot hold them."},
    };
    const std::string path = folder.Write("old.sml", "old");
    for (const auto& [model, message] : refused) {
        EXPECT_FALSE(WriteModel(path, model));
        ASSERT_FALSE(boxes.boxes.empty());
        EXPECT_EQ(boxes.boxes.back().text, message);
        EXPECT_EQ(test::ReadAll(path), "old");
    }
}

TEST_F(Osml, LibraryFunctionsComeOnlyFromTheLibraryFolderOrTheUsersList) {
    if (kExampleDll.empty()) GTEST_SKIP() << "no example library";
    const std::string name = Core::DllFile::GetFunctionNames(kExampleDll).at(0);
    auto capsule = Core::DllFile::CreateCapsule(kExampleDll, name);
    const std::string document = "<osml><math><definition name=\"y\"><apply><function name=\"" +
                                 name + "\" sourcetype=\"dll\" source=\"" +
                                 Escape("\\\\server\\share\\" + GetFileName(kExampleDll)) + "\"/>";
    std::string arguments;
    for (int i = 0; i < capsule->ChildCount(); ++i) arguments += "<number> 1 </number>";
    const std::string text = document + arguments + "</apply></definition></math></osml>";
    ReadOptions elsewhere = Options(folder.Path());
    EXPECT_EQ(Message([&] { ReadBack(text, elsewhere); }), "At line : 1\nInvalid external definition");
    MathMap::Ptr read = ReadBack(text, Options(GetDirectory(kExampleDll)));
    EXPECT_EQ(Safe::DynamicCast<Core::DllCapsule>(read->FindMap("y")->GetRoot())->GetPath(),
              Platform::JoinPath(GetDirectory(kExampleDll), GetFileName(kExampleDll)));
}


namespace random_models {

// Models of user capsules drawn at random: formulas, constants and versatile capsules nested up
// to three deep, from a few names that repeat across kinds and depths with contents that differ,
// over numbers, sums, products and references.
class Generator {
public:
    explicit Generator(unsigned seed) : random_(seed) {}

    MathMap::Ptr Model() {
        MathMap::Ptr model = MathMap::CreateModel("random");
        const NodeMap::Ptr x = model->FindMap("x");
        for (int i = 0; i < 3; ++i) AddDefinition(model, "d" + std::to_string(i), Tree(x, 3));
        Node::Ptr sum = Node::Create(200);
        sum->ReplaceChildAt(0, test::Reference(model->FindMap("d0"), "r0"));
        sum->ReplaceChildAt(1, Tree(x, 2));
        AddDefinition(model, "sum", sum);
        return model;
    }

private:
    int Draw(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    double Value() { return 0.25 * (1 + Draw(12)); }
    std::string Name() { return std::vector<std::string>{"g", "h", "g@1"}[Draw(3)]; }

    Node::Ptr Tree(const NodeMap::Ptr& argument, int depth) {
        switch (Draw(depth > 0 ? 6 : 3)) {
            case 0: {
                Node::Ptr number = Node::Create(Core::kBasicId);
                number->SetValue(Complex(Value(), 0), 0);
                return number;
            }
            case 1: return test::Reference(argument, "r");
            case 2: {
                auto constant = Safe::MakeX<Core::ConstantCapsule>();
                constant->SetSymbolName(Name());
                constant->SetValue(Complex(Draw(2) ? 1.5 : 2.25, 0), 0);
                return constant;
            }
            case 3: return WithChildren(Node::Create(Draw(2) ? 200 : 202), argument, depth);
            case 4: {
                const std::string name = Draw(2) ? "g" : "h";
                const char* bodies[] = {"u*v+1", "u-v", "u/2+v*v"};
                return WithChildren(test::FormulaNode(name + "(u,v)=" + bodies[Draw(3)]),
                                    argument, depth);
            }
            default: return WithChildren(Versatile(depth - 1), argument, depth);
        }
    }

    Node::Ptr WithChildren(const Node::Ptr& node, const NodeMap::Ptr& argument, int depth) {
        for (int i = 0; i < node->ChildCount(); ++i)
            node->ReplaceChildAt(i, Tree(argument, depth - 1));
        return node;
    }

    // A private model of a parameter "a", "f" over it and "e" = 2 f, evaluating one of the two.
    Node::Ptr Versatile(int depth) {
        MathMap::Ptr inner = MathMap::CreateModel("inner");
        NodeMap::Ptr a = NodeMap::CreateFunction("a");
        a->GetRoot()->SetValue(Complex(Value(), 0), 0);
        inner->AddMap(a);
        AddDefinition(inner, "f", Tree(a, depth));
        Node::Ptr twice = Node::Create(202);
        twice->ReplaceChildAt(0, test::Reference(inner->FindMap("f"), "t"));
        twice->GetChild(1)->SetValue(Complex(2, 0), 0);
        AddDefinition(inner, "e", twice);
        auto capsule = Safe::MakeX<Core::VersatileCapsule>();
        capsule->SelectDefinition(inner, Draw(2) ? "f" : "e");
        capsule->SetSymbolName(Name());
        return capsule;
    }

    std::mt19937 random_;
};

}  // namespace random_models

// Evaluates both models at several abscissae: each definition of the model has the value of
// the read model's definition of that name. Definitions whose value changes from one evaluation
// to the next (random draws) are left out.
void ExpectSameValues(const MathMap::Ptr& model, const MathMap::Ptr& read, const std::string& what) {
    ASSERT_EQ(read->MapCount(), model->MapCount()) << what;
    for (double xv : {-2.5, 0.0, 0.7, 3.0, 41.0}) {
        for (const MathMap::Ptr& m : {model, read})
            if (NodeMap::Ptr x = m->FindMap("x")) x->SetValue(Complex(xv, 0), 0);
        model->EvaluateAll();
        std::vector<Complex> first;
        for (const NodeMap::Ptr& map : model->GetMaps()) first.push_back(map->Value());
        model->EvaluateAll();
        read->EvaluateAll();
        std::size_t i = 0;
        for (const NodeMap::Ptr& map : model->GetMaps()) {
            if (!test::SameValue(first[i++], map->Value())) continue;
            NodeMap::Ptr other = read->FindMap(map->Name());
            ASSERT_TRUE(other) << what << ": " << map->Name();
            ASSERT_TRUE(test::SameValue(map->Value(), other->Value()))
                << what << ": " << map->Name() << " at " << xv << ": " << map->Value() << " "
                << other->Value();
        }
    }
}

TEST_F(Osml, CapsulesOfOneNameAndOtherContentsKeepSymbolsOfTheirOwn) {
    // d1 = g(1, 2) with g(u,v) = u v + 1, d2 = g(1, 2) with g(u,v) = u - v.
    MathMap::Ptr model = MathMap::CreateModel("two g");
    for (const char* formula : {"g(u,v)=u*v+1", "g(u,v)=u-v"}) {
        Node::Ptr g = test::FormulaNode(formula);
        g->GetChild(0)->SetValue(Complex(1, 0), 0);
        g->GetChild(1)->SetValue(Complex(2, 0), 0);
        AddDefinition(model, model->MapCount() == 2 ? "d1" : "d2", g);
    }
    // Versatile capsules "g" nested three deep, the innermost over the formula "g" of a:
    // g1(a) = a * a + 1, g2(a) = 2 g1(a), g3(a) = 2 g2(a); at a = 2 they give 5, 10 and 20.
    Node::Ptr inside = test::FormulaNode("g(u,v)=u*v+1");
    for (int depth = 1; depth <= 3; ++depth) {
        MathMap::Ptr inner = MathMap::CreateModel("inner");
        NodeMap::Ptr a = NodeMap::CreateFunction("a");
        a->GetRoot()->SetValue(Complex(2, 0), 0);
        inner->AddMap(a);
        if (depth == 1) {
            inside->ReplaceChildAt(0, test::Reference(a, "u"));
            inside->ReplaceChildAt(1, test::Reference(a, "v"));
        } else {
            Node::Ptr twice = Node::Create(202);
            twice->ReplaceChildAt(0, inside);
            twice->GetChild(1)->SetValue(Complex(2, 0), 0);
            inside = twice;
        }
        AddDefinition(inner, "f", inside);
        auto capsule = Safe::MakeX<Core::VersatileCapsule>();
        capsule->SelectDefinition(inner, "f");
        capsule->SetSymbolName("g");
        AddDefinition(model, "n" + std::to_string(depth), capsule->Clone());
        inside = capsule;
    }
    const std::string text = WriteText(ModelDocument(model));
    MathMap::Ptr read = ReadBack(text);
    ASSERT_TRUE(read);
    read->EvaluateAll();
    EXPECT_EQ(read->FindMap("d1")->Value(), Complex(3, 0));
    EXPECT_EQ(read->FindMap("d2")->Value(), Complex(-1, 0));
    EXPECT_EQ(read->FindMap("n1")->Value(), Complex(5, 0));
    EXPECT_EQ(read->FindMap("n2")->Value(), Complex(10, 0));
    EXPECT_EQ(read->FindMap("n3")->Value(), Complex(20, 0));
    // Equal capsules share a symbol: the formula of d1 and of the innermost capsule, and each
    // versatile capsule with its copy. Written again, the document stays as it was.
    std::size_t symbols = 0;
    for (std::size_t at = text.find("<symbol "); at != std::string::npos;
         at = text.find("<symbol ", at + 1))
        ++symbols;
    EXPECT_EQ(symbols, 5u);
    EXPECT_EQ(WriteText(ModelDocument(read)), text);
}

// The model read back from its model record.
MathMap::Ptr ThroughRecord(const MathMap::Ptr& model) {
    BinaryWriter writer;
    Core::NodeMapIo(std::vector<std::string>()).WriteMathMap(model, writer);
    BinaryReader reader = BinaryReader::FromBytes(writer.Bytes());
    EXPECT_EQ(reader.ReadInt(), TagMathMap);
    return Core::NodeMapIo(std::vector<std::string>()).ReadMathMap(reader);
}

// Model records nest at most 200 deep, the model one level. A document reads the models whose
// records nest that deep, each of which saves as a record and as a document again, and refuses
// deeper ones.
TEST_F(Osml, SymbolChainsReadUpToTheDepthOfModelRecords) {
    // Symbols s0 .. sk, each evaluating the one before, s0 the number 1.5; the model applies sk
    // under some opposites. Its records nest 1 + opposites + 3 + 2k deep: the model, the
    // opposites, then per symbol its capsule and its model, and the number.
    auto chain = [](int k, int opposites) {
        std::string text = "<?xml version=\"1.0\" ?>\n<osml version=\"2.0\">\n<semantics>\n";
        for (int j = 0; j <= k; ++j) {
            const std::string name = "s" + std::to_string(j);
            const std::string root =
                j == 0 ? "<number> 1.5 </number>"
                       : "<apply><function name=\"s" + std::to_string(j - 1) +
                             "\" source=\"document\"/></apply>";
            text += "<symbol name=\"" + name + "\" type=\"function\" encoding=\"OSML\">"
                    "<definition name=\"" + name + "\">" + root + "</definition></symbol>\n";
        }
        std::string use = "<apply><function name=\"s" + std::to_string(k) +
                          "\" source=\"document\"/></apply>";
        for (int i = 0; i < opposites; ++i)
            use = "<apply><function name=\"opposite\" source=\"core\"/>" + use + "</apply>";
        return text + "</semantics>\n<math><definition name=\"y\">" + use +
               "</definition></math></osml>";
    };
    struct Case {
        int k, opposites, depth;
        double value;        // of y
        std::string refusal;  // empty when the document reads
    };
    const Case cases[] = {
        {97, 1, 199, -1.5, ""},
        {98, 0, 200, 1.5, ""},
        {98, 1, 201, 0, "At line : 104\nFunctions nested too deeply."},  // the math element
        {99, 0, 202, 0, "At line : 103\nFunctions nested too deeply."},  // the symbol s99
    };
    for (const Case& c : cases) {
        const std::string what = "depth " + std::to_string(c.depth);
        const std::string text = chain(c.k, c.opposites);
        MathMap::Ptr model;
        EXPECT_EQ(Message([&] { model = ReadBack(text); }), c.refusal) << what;
        if (!c.refusal.empty()) continue;
        ASSERT_TRUE(model) << what;
        EXPECT_EQ(Core::RecordDepth(model), c.depth);
        model->EvaluateAll();
        EXPECT_EQ(model->FindMap("y")->Value(), Complex(c.value, 0)) << what;
        ExpectSameValues(model, ThroughRecord(model), what);
        ExpectSameValues(model, ReadBack(WriteText(ModelDocument(model))), what);
    }
}

// A record's deepest tree has a document: opposites over an empty sum, whose apply holds its
// function and closing tag two elements below the definition's root's depth in records.
TEST_F(Osml, ModelRecordsAtTheirDepthLimitHaveDocuments) {
    auto nested = [](int depth) {
        Node::Ptr node = Node::Create(208);  // a sum of nothing
        node->ClearChildren();
        for (int i = 0; i < depth - 2; ++i) {
            Node::Ptr opposite = Node::Create(101);
            opposite->ReplaceChildAt(0, node);
            node = opposite;
        }
        MathMap::Ptr model = MathMap::CreateModel("deep");
        AddDefinition(model, "y", node);
        return model;
    };
    for (int depth : {199, 200}) {
        MathMap::Ptr model = nested(depth);
        const std::string what = "depth " + std::to_string(depth);
        ASSERT_EQ(Core::RecordDepth(model), depth);
        MathMap::Ptr read = ReadBack(WriteText(ModelDocument(model)));
        ASSERT_TRUE(read) << what;
        ExpectSameValues(model, read, what);
        ExpectSameValues(model, ThroughRecord(read), what);
        EXPECT_EQ(Core::RecordDepth(read), depth);
    }
    MathMap::Ptr tooDeep = nested(201);
    EXPECT_EQ(Message([&] { ThroughRecord(tooDeep); }), "Function corruption.");
    const std::string refusal = Message([&] { ReadBack(WriteText(ModelDocument(tooDeep))); });
    EXPECT_EQ(refusal.substr(refusal.find('\n')), "\nMarkup nested too deeply.");
}

TEST_F(Osml, ModelsReadBackEvaluateAsTheyDid) {
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(SORIX_SOURCE_DIR "/fuzz/seeds/osml")) {
        const std::string path = entry.path().string();
        MathMap::Ptr model;
        try {
            model = OsmlReader(Options()).LoadModel(path);
        } catch (const Winplus::Exception&) {
        }
        if (!model) continue;
        ++seeds;
        ExpectSameValues(model, ReadBack(WriteText(ModelDocument(model))), path);
    }
    EXPECT_GE(seeds, 4);
    // Each model stops at its first difference, and the first model that differs ends the run.
    for (unsigned seed = 1; seed <= 300 && !HasFailure(); ++seed) {
        MathMap::Ptr model = random_models::Generator(seed).Model();
        const std::string text = WriteText(ModelDocument(model));
        const std::string what = "seed " + std::to_string(seed) + "\n" + text;
        MathMap::Ptr read;
        try {
            read = ReadBack(text);
        } catch (const Winplus::Exception& e) {
            ADD_FAILURE() << e.GetMessage() << "\n" << what;
            break;
        }
        ExpectSameValues(model, read, what);
    }
}

}  // namespace
