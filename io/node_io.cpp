#include "io/node_io.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_set>

#include "formula/formula.h"
#include "foundation/exception.h"
#include "foundation/module.h"
#include "foundation/platform.h"
#include "foundation/text.h"
#include "functions/file_table.h"
#include "io/dll_file.h"
#include "model/factory.h"
#include "model/formula_capsule.h"
#include "model/map_capsule.h"
#include "model/versatile_capsule.h"

namespace Core {

namespace {

// Type ids whose records carry a payload besides the core capsules.
constexpr int kIntegerNumberId = 600;
constexpr int kRealNumberId = 602;
constexpr int kBooleanNumberId = 604;
constexpr int kStringCapsuleId = 610;
constexpr int kFileTableId = 230;

// One box lists at most this many different notes.
constexpr std::size_t kMaxNotes = 20;

[[noreturn]] void Fail(const char* message) {
    throw Winplus::Exception(message);
}

class DepthGuard {
public:
    explicit DepthGuard(int& depth) : depth_(depth) {
        if (++depth_ > kMaxRecordDepth) {
            --depth_;
            Fail("Function corruption.");
        }
    }
    ~DepthGuard() { --depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

private:
    int& depth_;
};

// Truncation toward zero into a signed 32-bit integer; out of range saturates, NaN gives 0.
int TruncateToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return std::numeric_limits<int>::max();
    if (value <= -2147483648.0) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

// A library is named in a record by its file name only: anything that could lead elsewhere is
// refused.
bool IsPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("\\/:") == std::string::npos;
}

template <class T>
Safe::XPtr<T> As(const Node::Ptr& node) {
    Safe::XPtr<T> typed = Safe::DynamicCast<T>(node);
    if (!typed) Fail("Function creation failed.");
    return typed;
}

// A name or text from a file, quoted and cut short for a message.
std::string Quoted(const std::string& text) {
    constexpr std::size_t kLongest = 60;
    if (text.size() <= kLongest) return "\"" + text + "\"";
    return "\"" + text.substr(0, kLongest) + "...\"";
}

void ShowStop(const std::string& message) {
    Platform::MessageBoxRequest request;
    request.text = message;
    request.caption = "Message";
    request.icon = Platform::BoxIcon::Stop;
    Platform::ShowMessageBox(request);
}

void WriteUserTexts(const UserCapsule& capsule, BinaryWriter& writer) {
    writer.WriteString(capsule.GetSymbolName());
    writer.WriteString(capsule.GetSource());
}

void ReadUserTexts(UserCapsule& capsule, BinaryReader& reader) {
    const std::string symbol = reader.ReadString();
    const std::string source = reader.ReadString();
    capsule.SetSymbolName(symbol);
    capsule.SetName(symbol);
    capsule.SetSource(source);
}

}  // namespace

NodeIo::NodeIo(std::vector<std::string> libraryFolders)
    : libraryFolders_(std::move(libraryFolders)) {}

std::vector<std::string> NodeIo::DefaultLibraryFolders() {
    return {GetLibraryFolder()};
}

void NodeIo::Note(const std::string& text) {
    for (const std::string& note : notes_)
        if (note == text) return;
    if (notes_.size() < kMaxNotes) notes_.push_back(text);
}

void NodeIo::ReportNotes() {
    if (notes_.empty()) return;
    Platform::MessageBoxRequest request;
    request.text = "Parts of the file could not be read as they were stored:";
    for (const std::string& note : notes_) request.text += "\n" + note;
    request.caption = "Message";
    request.icon = Platform::BoxIcon::Warning;
    notes_.clear();
    Platform::ShowMessageBox(request);
}

// --- Node records ---

void NodeIo::WriteNode(const Node::Ptr& node, BinaryWriter& writer) {
    if (!node) Fail("Null Function.");
    DepthGuard guard(depth_);  // a tree too deep to be read back is not written
    const int typeId = node->GetTypeId();
    writer.WriteInt(typeId);
    WritePayload(node, writer);
    for (int i = 0; i < node->ChildCount(); ++i) WriteNode(node->GetChild(i), writer);
    writer.WriteInt(-typeId);
}

void NodeIo::WritePayload(const Node::Ptr& node, BinaryWriter& writer) {
    switch (node->GetTypeId()) {
        case kMapCapsuleId: {
            // An unbound reference stores no name and reads back as a plain parameter.
            NodeMap::Ptr map = As<MapCapsule>(node)->GetMap();
            writer.WriteString(map ? map->Name() : std::string());
            break;
        }
        case kVersatileCapsuleId: {
            auto capsule = As<VersatileCapsule>(node);
            WriteMathMap(capsule->GetMathMap(), writer);
            writer.WriteString(capsule->GetDefinitionName());
            WriteUserTexts(*capsule, writer);
            break;
        }
        case kFormulaCapsuleId: {
            auto capsule = As<FormulaCapsule>(node);
            writer.WriteString(capsule->Name());
            writer.WriteString(capsule->GetFormulaText());
            WriteUserTexts(*capsule, writer);
            break;
        }
        case kConstantCapsuleId: {
            auto capsule = As<UserCapsule>(node);
            writer.WriteString(capsule->Name());
            writer.WriteDouble(capsule->GetValue().real());
            WriteUserTexts(*capsule, writer);
            break;
        }
        case kDllCapsuleId: {
            auto capsule = As<DllCapsule>(node);
            writer.WriteString(capsule->GetFunctionName());
            writer.WriteString(GetFileName(capsule->GetPath()));
            break;
        }
        case kBasicId:
        case kRealNumberId: writer.WriteDouble(node->GetValue().real()); break;
        case kIntegerNumberId: writer.WriteInt(TruncateToInt(node->GetValue().real())); break;
        case kBooleanNumberId: writer.WriteBool(TruncateToInt(node->GetValue().real()) == 1); break;
        case kStringCapsuleId: writer.WriteString(node->Name()); break;
        case kFileTableId: {
            auto table = As<Capsule::File2C>(node);
            writer.WriteU32(static_cast<std::uint32_t>(table->Count()));
            for (int i = 0; i < table->Count(); ++i) {
                writer.WriteDouble(table->GetX(i));
                writer.WriteDouble(table->GetY(i));
            }
            break;
        }
        default: break;
    }
}

Node::Ptr NodeIo::ReadNode(const int& typeId, BinaryReader& reader) {
    DepthGuard guard(depth_);
    Node::Ptr node = ReadPayload(typeId, reader);
    if (node->IsVariadic())
        ReadVariadicChildren(node, typeId, reader);
    else
        ReadFixedChildren(node, typeId, reader);
    return node;
}

Node::Ptr NodeIo::ReadPayload(int typeId, BinaryReader& reader) {
    if (typeId == kDllCapsuleId) return ReadDllCapsule(reader);
    Node::Ptr node = Node::Create(typeId);
    if (!node) Fail("Function creation failed.");
    switch (typeId) {
        case kMapCapsuleId: {
            // A stand-in of that name until the model binds the reference to its definition.
            auto map = Safe::MakeX<NodeMap>();
            map->SetName(reader.ReadString());
            As<MapCapsule>(node)->SetMap(map);
            break;
        }
        case kVersatileCapsuleId: {
            auto capsule = As<VersatileCapsule>(node);
            if (!IsTag(TagMathMap, reader.ReadInt())) Fail("Function corruption.");
            MathMap::Ptr model = ReadMathMap(reader);
            const std::string selected = reader.ReadString();
            capsule->SelectDefinition(model, selected);
            ReadUserTexts(*capsule, reader);
            // A capsule evaluates its selected definition; the writers write it by that name.
            if (!model->HasMapName(selected))
                throw Winplus::Exception("The function " + Quoted(capsule->GetSymbolName()) +
                                         " has no definition " + Quoted(selected) + ".");
            break;
        }
        case kFormulaCapsuleId: {
            auto capsule = As<FormulaCapsule>(node);
            capsule->SetName(reader.ReadString());
            const std::string text = reader.ReadString();
            auto formula = Safe::MakeX<Formula>();
            if (!formula->Define(text, true) && !text.empty())
                Note("The formula " + Quoted(text) +
                     " no longer compiles: " + formula->GetMessage());
            capsule->SetFormula(formula);
            ReadUserTexts(*capsule, reader);
            break;
        }
        case kConstantCapsuleId: {
            auto capsule = As<UserCapsule>(node);
            capsule->SetName(reader.ReadString());
            capsule->SetValue(Complex(reader.ReadDouble(), 0.0), 0);
            ReadUserTexts(*capsule, reader);
            break;
        }
        case kBasicId:
        case kRealNumberId: node->SetValue(Complex(reader.ReadDouble(), 0.0), 0); break;
        case kIntegerNumberId: node->SetValue(Complex(reader.ReadInt(), 0.0), 0); break;
        case kBooleanNumberId:
            node->SetValue(Complex(reader.ReadBool() ? 1.0 : 0.0, 0.0), 0);
            break;
        case kStringCapsuleId: node->SetName(reader.ReadString()); break;
        case kFileTableId: {
            const std::uint32_t n = reader.ReadU32();
            reader.Require(n, 2 * sizeof(double));
            std::vector<double> x(n), y(n);
            for (std::uint32_t i = 0; i < n; ++i) {
                x[i] = reader.ReadDouble();
                y[i] = reader.ReadDouble();
            }
            As<Capsule::File2C>(node)->SetData(x, y);
            break;
        }
        default: break;
    }
    return node;
}

Node::Ptr NodeIo::ReadDllCapsule(BinaryReader& reader) {
    const std::string function = reader.ReadString();
    const std::string fileName = reader.ReadString();
    if (IsPlainFileName(fileName)) {
        for (const std::string& folder : libraryFolders_) {
            if (folder.empty()) continue;
            if (auto capsule =
                    DllFile::CreateCapsule(Platform::JoinPath(folder, fileName), function))
                return capsule;
        }
    }
    Fail("Dll Function creation failed.");
}

void NodeIo::ReadVariadicChildren(const Node::Ptr& node, int typeId, BinaryReader& reader) {
    node->ClearChildren();
    for (;;) {
        const int tag = reader.ReadInt();
        if (IsEndTag(typeId, tag)) return;
        Node::Ptr child = ReadNode(tag, reader);
        if (!node->AddChild(child))
            Note("A node " + Quoted(child->Name()) + " was not accepted under " +
                 Quoted(node->Name()) + " and was left out.");
    }
}

void NodeIo::ReadFixedChildren(const Node::Ptr& node, int typeId, BinaryReader& reader) {
    const int count = node->ChildCount();
    for (int i = 0; i < count; ++i) {
        const int tag = reader.ReadInt();
        Node::Ptr child = ReadNode(tag, reader);
        Node* constructed = node->Child(i);
        if (!constructed) continue;  // the node let go of its children meanwhile
        if (tag == kBasicId) {
            // A plain parameter keeps the constructor's class and name; only its value is read.
            constructed->SetValue(child->GetValue(), 0);
            continue;
        }
        if (tag == kMapCapsuleId) child->SetName(constructed->Name());
        if (!node->ReplaceChildAt(i, child))
            Note("A node " + Quoted(child->Name()) + " was not accepted under " +
                 Quoted(node->Name()) + " and was left out.");
    }
    if (!IsEndTag(typeId, reader.ReadInt())) Fail("Function corruption");
}

int RecordDepth(const Node::Ptr& node) {
    int deepest = 0;
    for (int i = 0; i < node->ChildCount(); ++i)
        deepest = std::max(deepest, RecordDepth(node->GetChild(i)));
    if (node->GetTypeId() == kVersatileCapsuleId)
        if (MathMap::Ptr model = Safe::DynamicCast<VersatileCapsule>(node)->GetMathMap())
            deepest = std::max(deepest, RecordDepth(model));
    return deepest + 1;
}

int RecordDepth(const MathMap::Ptr& model) {
    int deepest = 0;
    for (const NodeMap::Ptr& map : model->GetMaps())
        if (Node::Ptr root = map->GetRoot()) deepest = std::max(deepest, RecordDepth(root));
    return deepest + 1;
}

// --- Definition and model records ---

void NodeIo::WriteNodeMap(const NodeMap::Ptr& map, BinaryWriter& writer) {
    if (!map) Fail("Model corruption.");
    writer.WriteInt(TagNodeMap);
    writer.WriteInt(map->IsActive() ? TagNodeMapActive : TagNodeMapInactive);
    writer.WriteString(map->Name());
    WriteNode(map->GetRoot(), writer);
    writer.WriteInt(-TagNodeMap);
}

NodeMap::Ptr NodeIo::ReadNodeMap(BinaryReader& reader) {
    auto map = Safe::MakeX<NodeMap>();
    const bool inactive = reader.ReadInt() == TagNodeMapInactive;
    map->SetName(reader.ReadString());
    const int typeId = reader.ReadInt();
    Node::Ptr root = ReadNode(typeId, reader);
    if (!root) Fail("Function corruption.");
    map->SetRoot(root);
    if (inactive) map->SetActive(false);
    if (!IsEndTag(TagNodeMap, reader.ReadInt())) Fail("Function corruption.");
    return map;
}

void NodeIo::WriteMathMap(const MathMap::Ptr& model, BinaryWriter& writer) {
    if (!model) Fail("Model corruption.");
    DepthGuard guard(depth_);
    writer.WriteInt(TagMathMap);
    writer.WriteString(model->GetNameA());
    for (const NodeMap::Ptr& map : model->GetMaps()) WriteNodeMap(map, writer);
    writer.WriteInt(-TagMathMap);
}

MathMap::Ptr NodeIo::ReadMathMap(BinaryReader& reader) {
    DepthGuard guard(depth_);
    auto model = Safe::MakeX<MathMap>();
    model->SetName(reader.ReadString());
    std::vector<NodeMap::Ptr> maps;
    std::unordered_set<std::string> names;
    for (;;) {
        const int tag = reader.ReadInt();
        if (IsEndTag(TagMathMap, tag)) break;
        if (!IsTag(TagNodeMap, tag)) Fail("Model corruption.");
        NodeMap::Ptr map = ReadNodeMap(reader);
        if (!map) Fail("Model corruption.");
        if (names.insert(map->Name()).second)
            maps.push_back(map);
        else
            Note("A second definition " + Quoted(map->Name()) + " was left out.");
    }
    model->AddMaps(maps);
    for (const NodeMap::Ptr& map : model->GetMaps())
        for (const Node::Ptr& node : map->FindNodesByType(kMapCapsuleId)) {
            auto reference = Safe::DynamicCast<MapCapsule>(node);
            NodeMap::Ptr target = reference ? reference->GetMap() : NodeMap::Ptr();
            if (!target || !model->HasMapName(target->Name()))
                Note("The reference " + Quoted(node->Name()) + " in " + Quoted(map->Name()) +
                     " names no definition of the model; it became a parameter.");
        }
    model->RelinkMaps();
    model->ReplaceDanglingMaps();
    return model;
}

// --- Files ---

namespace {

// Writes the file through write; a failure is shown and gives false, and the old file stays.
template <class Write>
bool WriteFile(const std::string& path, Write&& write) {
    try {
        BinaryWriter writer(path);
        write(writer);
        writer.Commit();
        return true;
    } catch (const Winplus::Exception& e) {
        ShowStop(e.GetMessage());
        return false;
    }
}

// What read returns; a failure is shown and gives null. The notes of a read that succeeded are
// shown after it.
template <class Read>
auto ReadFile(NodeIo& io, Read&& read) -> decltype(read()) {
    io.ForgetNotes();
    decltype(read()) result;
    try {
        result = read();
    } catch (const Winplus::Exception& e) {
        io.ForgetNotes();
        ShowStop(e.GetMessage());
        return nullptr;
    }
    io.ReportNotes();
    return result;
}

}  // namespace

bool NodeIo::WritePrototypeFile(const std::string& path, const Node::Ptr& node) {
    return WriteFile(path, [&](BinaryWriter& writer) {
        writer.WriteInt(TagPrototypeFile);
        WriteNode(node, writer);
        writer.WriteInt(-TagPrototypeFile);
    });
}

// Libraries named by a file are looked for in the library folders only, never beside the file:
// a file from a downloaded folder must not run a DLL that came with it.
Node::Ptr NodeIo::LoadPrototype(const std::string& path) {
    return ReadFile(*this, [&] {
        BinaryReader reader(path);
        if (!IsTag(TagPrototypeFile, reader.ReadInt())) Fail("Invalid prototype file.");
        return ReadNode(reader.ReadInt(), reader);
    });
}

bool NodeIo::WriteCapsuleFile(const std::string& path, const MathMap::Ptr& model,
                              const std::string& name) {
    return WriteFile(path, [&](BinaryWriter& writer) {
        writer.WriteInt(TagCapsuleFile);
        writer.WriteString(name);
        WriteMathMap(model, writer);
        writer.WriteInt(-TagCapsuleFile);
    });
}

bool NodeMapIo::WriteModelFile(const MathMap::Ptr& model, const std::string& path) {
    return WriteFile(path, [&](BinaryWriter& writer) { nodes_.WriteMathMap(model, writer); });
}

MathMap::Ptr NodeMapIo::ReadModelFile(const std::string& path) {
    return ReadFile(nodes_, [&] {
        BinaryReader reader(path);
        return ReadModel(reader);
    });
}

MathMap::Ptr NodeMapIo::ReadModelFile(BinaryReader& reader) {
    return ReadFile(nodes_, [&] { return ReadModel(reader); });
}

MathMap::Ptr NodeMapIo::ReadModel(BinaryReader& reader) {
    if (!IsTag(TagMathMap, reader.ReadInt())) Fail("Invalid model file.");
    return nodes_.ReadMathMap(reader);
}

}  // namespace Core
