#pragma once
// OSML markup documents: element trees with line numbers, the tokenizer and reader that make
// them from text, the writer with its fixed layout, and the SHA-256 digest of an osml root
// (its secure block). Readers keep their state in themselves, so reads may run at once.
#include <map>
#include <string>
#include <vector>

#include "foundation/countable.h"

namespace Core::Sml {

class Element : public Safe::Countable {
public:
    using Ptr = Safe::XPtr<Element>;

    explicit Element(std::string name = std::string(), std::string text = std::string())
        : name(std::move(name)), text(std::move(text)) {}

    // Inserts the attribute; an existing one of that name stays and the result is false.
    bool SetAttribute(const std::string& key, const std::string& value) {
        return attributes.emplace(key, value).second;
    }
    std::string GetAttribute(const std::string& key) const;
    bool AddChild(const Ptr& child);
    Ptr GetChild(const int& index) const;
    int ChildCount() const { return static_cast<int>(children.size()); }
    // Self-closing when written; clears the end flag.
    void SetEmpty(const bool& isEmpty) {
        end = false;
        empty = isEmpty;
    }
    // " name=\"value\"" for each attribute in name order, then one blank.
    std::string AttributesText() const;

    std::string name;
    std::string text;
    std::string secondText;  // after the separator of a complex or rational number
    bool end = false;        // a closing tag, or one ending in "/>"
    bool empty = false;
    int line = 0;  // of the element's "<", from 1
    std::map<std::string, std::string> attributes;
    std::vector<Ptr> children;
};

// Element makers of the model writer.
Element::Ptr OsmlElement(const std::string& version);
Element::Ptr DefinitionElement(const std::string& name);
Element::Ptr ArgumentElement(const std::string& name);
Element::Ptr ConstantSymbolElement(const std::string& name);
Element::Ptr FunctionSymbolElement(const std::string& name, const std::string& encoding);
Element::Ptr FunctionElement(const std::string& name, const std::string& source,
                             const std::string& sourcetype);
Element::Ptr ConstantElement(const std::string& name, const std::string& source);
Element::Ptr SequenceElement(const std::string& name, const std::string& source);
Element::Ptr ItemElement(const std::string& name, const std::string& source);

// The name of the declaration element that starts every document.
extern const char* const kDeclaration;

// Elements nested deeper than this are refused. Every tree a model record holds (kMaxRecordDepth
// levels, the model one of them) fits: below the osml root, the math and definition elements put
// a root one level deeper than its record, and the deepest apply's function and closing tag, or
// a number's separator, are one more.
constexpr int kMaxMarkupDepth = 202;

// A document read: its top-level elements, or on failure the line and the reason ("Unknown
// markup.", "Invalid markup", ...). Not being an OSML document is a failure without a reason.
struct Document {
    bool ok = false;
    std::vector<Element::Ptr> elements;
    int line = 0;
    std::string error;
    // "Error at line : N", a line break and the reason.
    std::string Report() const;
};

Document ReadText(const std::string& text);
Document ReadFile(const std::string& path);
bool IsOsmlText(const std::string& text);
bool IsOsmlFile(const std::string& path);

// The id of the markup item that follows a "<": 2 for a comment, -1 outside the vocabulary.
int TagId(const std::string& item);

// An element and its subtree as the writer lays them out ("\n" line ends), indented by depth
// blanks.
void WriteElement(const Element& element, std::string& out, int depth = 0);
// The writer's layout of the element up to its children: false when that is the whole element,
// true when its children and closing tag are still to be written.
bool WriteHead(const Element& element, std::string& out, int depth);
// The whole document text, "\n" line ends.
std::string WriteText(const std::vector<Element::Ptr>& elements);
// Saves the document with CR LF line ends (Platform::SaveFile): a failed write, or a read-only
// target, leaves an existing file as it was. False on failure.
bool WriteDocument(const std::string& path, const std::vector<Element::Ptr>& elements);

// Digests (io/sml_digest.cpp). The algorithm the writer uses.
extern const char* const kDigestAlgorithm;
// The digest text of text without its blanks and line breaks; empty for an algorithm other
// than "SHA-256".
std::string Digest(const std::string& text, const std::string& algorithm);
// The secure element the writer puts first in an osml element, at depth.
std::string SecureText(const std::string& digest, int depth);
// -1 when the root's children carry a secure block that does not match the children after it.
int VerifySecure(const std::vector<Element::Ptr>& children);
// The line of the first osml root within element (itself included, the innermost first) whose
// secure block does not match the children after it; 0 when every one matches. Each element is
// laid out once, however deeply the roots nest.
int FirstDigestMismatch(const Element& element);

// Texts as written inside markup: "&", "<", ">" and quotation marks as references, and every
// character the reader would change (line breaks and tabs anywhere, blanks at either end) as a
// numeric reference.
std::string Escape(const std::string& text);
// Resolves the references Escape writes; anything else stays as it stands.
std::string Unescape(const std::string& text);

}  // namespace Core::Sml
