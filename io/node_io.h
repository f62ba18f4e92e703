#pragma once
// Node, definition and model records, and the model, prototype and capsule files built from
// them. Readers rebuild trees through the node factory, so a record stores only what a node's
// constructor cannot make again.
#include <string>
#include <vector>

#include "io/binary_stream.h"
#include "model/math_map.h"
#include "model/node.h"
#include "model/node_map.h"

namespace Core {

// Records nest through children and through the models of versatile capsules: deeper records are
// refused when read and not written, rather than followed on an ever deeper stack.
inline constexpr int kMaxRecordDepth = 200;

// How deep the records of a node or of a model nest, each node and each model one level, as the
// readers and writers below count them. Other readers refuse what these could not write.
int RecordDepth(const Node::Ptr& node);
int RecordDepth(const MathMap::Ptr& model);

// Node and definition records, prototype and capsule files. Reading keeps a note of what a
// damaged or foreign record made it drop or change; the file operations show those notes once.
class NodeIo {
public:
    // Function libraries named by a record are looked for in these folders, by file name only.
    explicit NodeIo(std::vector<std::string> libraryFolders = DefaultLibraryFolders());
    virtual ~NodeIo() = default;

    static std::vector<std::string> DefaultLibraryFolders();

    void WriteNode(const Node::Ptr& node, BinaryWriter& writer);
    // The record's type id has been read already.
    Node::Ptr ReadNode(const int& typeId, BinaryReader& reader);

    void WriteNodeMap(const NodeMap::Ptr& map, BinaryWriter& writer);
    // The tag has been read already.
    NodeMap::Ptr ReadNodeMap(BinaryReader& reader);

    void WriteMathMap(const MathMap::Ptr& model, BinaryWriter& writer);
    // The tag has been read already.
    MathMap::Ptr ReadMathMap(BinaryReader& reader);

    // File operations: failures are shown in a message box; they return false or null.
    bool WritePrototypeFile(const std::string& path, const Node::Ptr& node);
    Node::Ptr LoadPrototype(const std::string& path);
    bool WriteCapsuleFile(const std::string& path, const MathMap::Ptr& model,
                          const std::string& name);

    // What the reads so far dropped or changed, one line each.
    const std::vector<std::string>& GetNotes() const { return notes_; }
    // Shows the notes in one box, when there are any, and forgets them.
    void ReportNotes();
    void ForgetNotes() { notes_.clear(); }
    void AddLibraryFolder(const std::string& folder) { libraryFolders_.push_back(folder); }
    const std::vector<std::string>& GetLibraryFolders() const { return libraryFolders_; }
    void SetLibraryFolders(const std::vector<std::string>& folders) { libraryFolders_ = folders; }

private:
    void WritePayload(const Node::Ptr& node, BinaryWriter& writer);
    // A new node of the type with what its payload stores.
    Node::Ptr ReadPayload(int typeId, BinaryReader& reader);
    Node::Ptr ReadDllCapsule(BinaryReader& reader);
    void ReadVariadicChildren(const Node::Ptr& node, int typeId, BinaryReader& reader);
    void ReadFixedChildren(const Node::Ptr& node, int typeId, BinaryReader& reader);
    void Note(const std::string& text);

    std::vector<std::string> libraryFolders_;
    std::vector<std::string> notes_;
    int depth_ = 0;
};

// Model records and model files.
class NodeMapIo {
public:
    explicit NodeMapIo(std::vector<std::string> libraryFolders = NodeIo::DefaultLibraryFolders())
        : nodes_(std::move(libraryFolders)) {}
    virtual ~NodeMapIo() = default;

    void WriteMathMap(const MathMap::Ptr& model, BinaryWriter& writer) {
        nodes_.WriteMathMap(model, writer);
    }
    MathMap::Ptr ReadMathMap(BinaryReader& reader) { return nodes_.ReadMathMap(reader); }

    bool WriteModelFile(const MathMap::Ptr& model, const std::string& path);
    // Libraries are looked for in the library folders only, not beside the model file.
    MathMap::Ptr ReadModelFile(const std::string& path);
    // The same from a model file's bytes, already opened.
    MathMap::Ptr ReadModelFile(BinaryReader& reader);

    const std::vector<std::string>& GetNotes() const { return nodes_.GetNotes(); }
    void ReportNotes() { nodes_.ReportNotes(); }

private:
    // The model file's bytes after opening: its tag and its model record.
    MathMap::Ptr ReadModel(BinaryReader& reader);

    NodeIo nodes_;
};

}  // namespace Core
