#pragma once
// OSML documents read back into models and into the capsules of a function library. Malformed
// content is refused with Winplus::Exception "At line : N" and the reason on the next line.
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "foundation/text.h"
#include "io/sml_markup.h"
#include "model/math_map.h"

namespace Core::Sml {

struct ReadOptions {
    // Libraries a document names ("source" of a function) are files here: source + ".sml", and
    // DLLs by their file name.
    std::string libraryFolder = GetLibraryFolder();
    // DLLs the user loaded: a document may name these by their full path.
    std::vector<std::string> dlls;
};

class OsmlReader {
public:
    explicit OsmlReader(ReadOptions options = ReadOptions()) : options_(std::move(options)) {}

    // Null when the document holds no math element. "Invalid file" when the file is not an OSML
    // document; "Error at line : N" and the reason when its markup or digest is bad.
    MathMap::Ptr LoadModel(const std::string& path);
    // One user capsule per symbol of the document's semantics, its source the file's base name.
#ifdef _WIN32
#pragma push_macro("LoadLibrary")
#undef LoadLibrary
#endif
    std::vector<Node::Ptr> LoadLibrary(const std::string& path);
#ifdef _WIN32
    // windows.h renames LoadLibrary in the code that follows it: the reader answers under those
    // names too, whatever the order of the includes.
    std::vector<Node::Ptr> LoadLibraryA(const std::string& path) {
        return LoadLibrary(path);
    }
    std::vector<Node::Ptr> LoadLibraryW(const std::string& path) {
        return LoadLibrary(path);
    }
#pragma pop_macro("LoadLibrary")
#endif

    // The same from a document already read.
    MathMap::Ptr ReadModel(const Document& document);
    std::vector<Node::Ptr> ReadLibrary(const Document& document, const std::string& source);

private:
    Node::Ptr ReadNode(const Element& element);
    Node::Ptr ReadApply(const Element& element);
    Node::Ptr ReadFunction(const Element& element);
    Node::Ptr ReadNumber(const Element& element);
    Node::Ptr ReadSymbol(const Element& element, const std::string& source);
    Node::Ptr ReadSymbolContent(const Element& element, const std::string& source);
    // Counts nodes made; refuses the document beyond a fixed budget.
    void Charge(const Element& element, std::size_t nodes);
    // A copy of a symbol, charged with the nodes its reading made.
    Node::Ptr Copy(const Element& element, const Node::Ptr& symbol);
    Node::Ptr ReadFunctionSymbol(const Element& element);
    Node::Ptr ReadFormulaSymbol(const Element& element);
    // Given math and definition elements only.
    MathMap::Ptr ReadMath(const Element& element);
    NodeMap::Ptr ReadDefinition(const Element& element);
    Node::Ptr CoreNode(const Element& element, const std::string& name);
    // The document's symbols of one kind by name.
    using Symbols = std::unordered_map<std::string, Node::Ptr>;
    Node::Ptr FindSymbol(const Symbols& symbols, const std::string& name) const;
    Node::Ptr LoadDll(const std::string& source, const std::string& name);
    // The named symbol of the library source + ".sml"; null when it cannot be had.
    Node::Ptr LoadInclude(const std::string& source, const std::string& name);
    const Document& Parsed(const std::string& path);

    ReadOptions options_;
    Symbols constants_, formulas_, versatiles_;
    // Libraries being read for a reference, innermost last: a library that reaches itself again
    // is refused rather than read without end.
    std::vector<std::string> including_;
    std::map<std::string, Document> parsed_;
    std::size_t made_ = 0;
    std::map<const Node*, std::size_t> weights_;
};

}  // namespace Core::Sml
