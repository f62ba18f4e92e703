#include "io/osml_reader.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "formula/formula.h"
#include "foundation/exception.h"
#include "foundation/module.h"
#include "io/dll_file.h"
#include "io/node_io.h"
#include "io/sml_vocabulary.h"
#include "model/factory.h"
#include "model/formula_capsule.h"
#include "model/map_capsule.h"
#include "model/versatile_capsule.h"

namespace Core::Sml {

namespace {

constexpr const char* kDocument = "document";
constexpr const char* kCore = "core";
constexpr int kStringNodeId = 610;
// A read makes at most this many nodes, copies of symbols included: a small document whose
// symbols each use the one before several times would otherwise grow without bound.
constexpr std::size_t kMaxNodes = 200000;
// What the model records could not hold: a model whose nodes and capsules nest deeper.
constexpr const char* kTooDeep = "Functions nested too deeply.";
static_assert(kMaxMarkupDepth == kMaxRecordDepth + 2, "every model a record holds has a document");
// Libraries reached through references to libraries, at most this deep.
constexpr std::size_t kMaxIncludeDepth = 16;

[[noreturn]] void Fail(const Element& element, const std::string& reason) {
    throw Winplus::Exception("At line : " + std::to_string(element.line) + "\n" + reason);
}

bool IsPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("\\/:") == std::string::npos;
}

// Digits with an optional minus sign, read as a double so that values beyond 32 bits stay whole.
bool ParseInteger(const std::string& text, double& value) {
    const std::string t = Trim(text);
    const std::size_t digits = !t.empty() && t[0] == '-' ? 1 : 0;
    if (t.size() == digits || t.find_first_not_of("0123456789", digits) != std::string::npos)
        return false;
    return ToDouble(t, &value);
}

// "nan", "inf" or "infinity" in any case, signed or not.
bool NamesNonFinite(const std::string& text) {
    std::string word = Trim(text);
    if (!word.empty() && (word[0] == '+' || word[0] == '-')) word.erase(0, 1);
    for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return word == "nan" || word == "inf" || word == "infinity";
}

Document Opened(const std::string& path) {
    if (!IsOsmlFile(path)) throw Winplus::Exception("Invalid file");
    Document document = ReadFile(path);
    if (!document.ok) throw Winplus::Exception(document.Report());
    return document;
}

const Element* FirstOsml(const Document& document) {
    for (const auto& element : document.elements)
        if (element->name == "osml") return element.Get();
    return nullptr;
}

}  // namespace

MathMap::Ptr OsmlReader::LoadModel(const std::string& path) {
    return ReadModel(Opened(path));
}

std::vector<Node::Ptr> OsmlReader::LoadLibrary(const std::string& path) {
    return ReadLibrary(Opened(path), SplitPath(path));
}

MathMap::Ptr OsmlReader::ReadModel(const Document& document) {
    made_ = 0;
    constants_.clear();
    formulas_.clear();
    versatiles_.clear();
    for (const auto& top : document.elements) {
        if (top->name != "osml") continue;
        for (const auto& child : top->children) {
            if (child->name == "semantics") {
                for (const auto& item : child->children) {
                    if (item->name != "symbol") continue;
                    Node::Ptr capsule = ReadSymbol(*item, kDocument);
                    const int type = capsule->GetTypeId();
                    // The first symbol of a name and kind is the one found.
                    (type == kConstantCapsuleId  ? constants_
                     : type == kFormulaCapsuleId ? formulas_
                                                 : versatiles_)
                        .try_emplace(Safe::DynamicCast<UserCapsule>(capsule)->GetSymbolName(),
                                     capsule);
                }
            } else if (child->name == "math") {
                return ReadMath(*child);
            }
        }
    }
    return MathMap::Ptr();
}

std::vector<Node::Ptr> OsmlReader::ReadLibrary(const Document& document,
                                               const std::string& source) {
    made_ = 0;
    std::vector<Node::Ptr> capsules;
    const Element* root = FirstOsml(document);
    if (!root) return capsules;
    for (const auto& child : root->children)
        if (child->name == "semantics")
            for (const auto& item : child->children)
                if (item->name == "symbol") capsules.push_back(ReadSymbol(*item, source));
    return capsules;
}

MathMap::Ptr OsmlReader::ReadMath(const Element& element) {
    auto model = Safe::MakeX<MathMap>();
    std::vector<NodeMap::Ptr> maps;
    for (const auto& child : element.children) {
        const int id = MarkupId(child->name);
        if (id == kAnnotationId) continue;
        if (id != kDefinitionId) Fail(*child, "Invalid element in <math> markup");
        maps.push_back(ReadDefinition(*child));
    }
    model->AddMaps(maps);  // ordered once
    if (!maps.empty()) {
        model->RelinkMaps();
        model->ReplaceDanglingMaps();
    }
    if (RecordDepth(model) > kMaxRecordDepth) Fail(element, kTooDeep);
    return model;
}

NodeMap::Ptr OsmlReader::ReadDefinition(const Element& element) {
    const std::string name = element.GetAttribute("name");
    if (name.empty()) Fail(element, "<definition> markup must have a valid name");
    NodeMap::Ptr map = NodeMap::CreateFunction(name);
    bool rooted = false;
    for (const auto& child : element.children) {
        const int id = MarkupId(child->name);
        if (id == kAnnotationId) continue;
        // Links and strings too: the writer writes any root node as it stands.
        if (id != kApplyId && id != kConstantId && id != kNumberId && id != kLinkId &&
            id != kStringId)
            Fail(*child, "Invalid element in <definition> markup");
        if (rooted) Fail(*child, "Too many initialization elements in <definition> markup");
        rooted = true;
        // A root that yields no node (a number of an unknown type) leaves the definition as if
        // it had none.
        if (Node::Ptr root = ReadNode(*child)) {
            map->SetRoot(root);
        } else {
            rooted = false;
        }
    }
    map->ForgetHistory();
    if (!rooted) map->SetActive(false);
    return map;
}

Node::Ptr OsmlReader::ReadNode(const Element& element) {
    Charge(element, 1);
    const int id = MarkupId(element.name);
    switch (id) {
        case kNumberId: return ReadNumber(element);
        case kStringId: {
            Node::Ptr string = Node::Create(kStringNodeId);
            if (string) string->SetName(element.GetAttribute("file"));
            return string;
        }
        case kLinkId: {
            auto link = Safe::MakeX<MapCapsule>();
            auto target = Safe::MakeX<NodeMap>();
            target->SetName(element.text);
            link->SetMap(target);
            return link;
        }
        case kFunctionId: return ReadFunction(element);
        case kSequenceId:
        case kElementId: {
            const std::string source = element.GetAttribute("source");
            if (!source.empty() && source != kCore) Fail(element, "Invalid external definition");
            return CoreNode(element, element.GetAttribute("name"));
        }
        case kConstantId: {
            const std::string source = element.GetAttribute("source");
            const std::string name = element.GetAttribute("name");
            if (source == kDocument) {
                if (Node::Ptr found = FindSymbol(constants_, name)) return Copy(element, found);
                Fail(element, "definition not present in the semantic block");
            }
            if (!source.empty() && source != kCore)
                Fail(element, "External definitions not supported");
            return CoreNode(element, name);
        }
        case kApplyId: return ReadApply(element);
        case kAnnotationId: return Node::Ptr();
        default: return CoreNode(element, element.name);
    }
}

Node::Ptr OsmlReader::CoreNode(const Element& element, const std::string& name) {
    const int type = GetType(MarkupId(name));
    // User functions and references have names of the vocabulary too, but what they are comes
    // from their symbol or their link: alone, such a name makes a capsule of nothing.
    if (type >= kMapCapsuleId && type <= kDllCapsuleId)
        Fail(element, "<" + name + "> names no function of its own: user functions are named "
                      "by their symbols");
    Node::Ptr node = type == -1 ? Node::Ptr() : Node::Create(type);
    if (!node) Fail(element, "Unknown markup symbol : <" + name + (element.empty ? "/>" : ">"));
    return node;
}

Node::Ptr OsmlReader::ReadFunction(const Element& element) {
    const std::string source = element.GetAttribute("source");
    const std::string name = element.GetAttribute("name");
    if (source == kDocument) {
        Node::Ptr found = FindSymbol(formulas_, name);
        if (!found) found = FindSymbol(versatiles_, name);
        if (!found) Fail(element, "definition not present in the semantic block");
        return Copy(element, found);
    }
    if (source.empty() || source == kCore) return CoreNode(element, name);
    Node::Ptr external = element.GetAttribute("sourcetype") == "dll" ? LoadDll(source, name)
                                                                     : LoadInclude(source, name);
    if (!external) Fail(element, "Invalid external definition");
    return external;
}

Node::Ptr OsmlReader::ReadApply(const Element& element) {
    const int n = element.ChildCount();
    if (n == 0) Fail(element, "Empty <apply> markup");
    Node::Ptr function = ReadNode(*element.children[0]);
    if (!function) Fail(*element.children[0], "Invalid element in <apply> markup");
    const bool list = function->IsVariadic();
    if (!list && function->ChildCount() != n - 1) Fail(element, "Invalid number of arguments");
    if (list) function->ClearChildren();
    for (int j = 1; j < n; ++j) {
        const Element& markup = *element.children[static_cast<std::size_t>(j)];
        Node::Ptr argument = ReadNode(markup);
        if (!argument) Fail(markup, "Invalid element in <apply> markup");
        bool taken;
        if (list) {
            taken = static_cast<bool>(function->AddChild(argument));
        } else if (function->HasListArity()) {
            // A string node's name is its text.
            if (argument->GetTypeId() != kStringNodeId)
                argument->SetName(function->GetChild(j - 1)->Name());
            taken = static_cast<bool>(function->ReplaceChildAt(j - 1, argument));
        } else {
            function->GetChild(j - 1)->SetValue(argument->GetValue(), 0);
            taken = true;
        }
        if (!taken) Fail(markup, "Invalid element in <apply> markup");
    }
    return function;
}

Node::Ptr OsmlReader::ReadNumber(const Element& element) {
    const std::string type = element.GetAttribute("type");
    const bool integral = type == "integer" || type == "rational";
    // A text that does not parse leaves the node's own value; one that names or reaches a value
    // that is not finite (nan, inf, 1e999) is refused, as the writer never writes one.
    auto set = [&](const Node::Ptr& node, const std::string& text) {
        double value = 0.0;
        const bool parsed = integral ? ParseInteger(text, value) : ToDouble(text, &value);
        if ((parsed && !std::isfinite(value)) || NamesNonFinite(text))
            Fail(element, "Invalid value");
        if (node && parsed) node->SetValue(Complex(value, 0.0), 0);
    };
    Node::Ptr node;
    if (type.empty() || type == "real" || type == "integer") {
        node = Node::Create(type.empty() ? kBasicId : type == "real" ? 602 : 600);
        set(node, element.text);
    } else if (type == "boolean") {
        node = Node::Create(604);
        if (node) node->SetValue(Complex(element.text == "1" ? 1.0 : 0.0, 0.0), 0);
    } else if (type == "rational" || type == "complex") {
        node = Node::Create(type == "rational" ? 601 : 603);
        if (node && node->ChildCount() >= 2) {
            set(node->GetChild(0), element.text);
            set(node->GetChild(1), element.secondText);
        }
    }
    return node;
}

Node::Ptr OsmlReader::ReadSymbol(const Element& element, const std::string& source) {
    const std::size_t before = made_;
    Node::Ptr symbol = ReadSymbolContent(element, source);
    // Room for the model whose definition it becomes.
    if (RecordDepth(symbol) + 1 > kMaxRecordDepth) Fail(element, kTooDeep);
    weights_[symbol.Get()] = made_ - before;
    return symbol;
}

void OsmlReader::Charge(const Element& element, std::size_t nodes) {
    made_ += nodes;
    if (made_ > kMaxNodes) Fail(element, "The document makes too many nodes.");
}

Node::Ptr OsmlReader::Copy(const Element& element, const Node::Ptr& symbol) {
    const auto weight = weights_.find(symbol.Get());
    Charge(element, weight == weights_.end() ? 1 : weight->second);
    return symbol->Clone();
}

Node::Ptr OsmlReader::ReadSymbolContent(const Element& element, const std::string& source) {
    const bool constant = element.GetAttribute("type") == "constant";
    const std::string encoding = element.GetAttribute("encoding");
    if (!constant && !encoding.empty() && encoding != "OSML" && encoding != "formula")
        Fail(element, "Invalid encoding format in <symbol> markup");
    const std::string name = element.GetAttribute("name");
    if (name.empty()) Fail(element, "<symbol> markup must have a valid name attribute");
    Safe::XPtr<UserCapsule> capsule;
    if (constant) {
        capsule = Safe::MakeX<ConstantCapsule>();
        bool valued = false;
        for (const auto& child : element.children) {
            const int id = MarkupId(child->name);
            if (id == kAnnotationId) continue;
            if (id != kNumberId) Fail(*child, "Invalid declaration");
            double value = 0.0;
            if (!ToDouble(child->text, &value) || !std::isfinite(value))
                Fail(*child, "Invalid value");
            capsule->SetValue(Complex(value, 0.0), 0);
            valued = true;
        }
        if (!valued) Fail(element, "Invalid declaration");
    } else {
        capsule = Safe::DynamicCast<UserCapsule>(
            encoding == "formula" ? ReadFormulaSymbol(element) : ReadFunctionSymbol(element));
    }
    capsule->SetSymbolName(name);
    capsule->SetName(name);
    capsule->SetSource(source);
    return capsule;
}

Node::Ptr OsmlReader::ReadFunctionSymbol(const Element& element) {
    auto capsule = Safe::MakeX<VersatileCapsule>();
    auto model = Safe::MakeX<MathMap>();
    std::vector<NodeMap::Ptr> maps;
    std::string output;
    bool selected = false;
    for (const auto& child : element.children) {
        const int id = MarkupId(child->name);
        if (id == kAnnotationId) continue;
        if (id == kArgumentId) {
            NodeMap::Ptr map = NodeMap::CreateFunction(child->GetAttribute("name"));
            for (const auto& part : child->children) {
                const int partId = MarkupId(part->name);
                if (partId == kAnnotationId) continue;
                if (partId != kNumberId && partId != kApplyId) Fail(*part, "Invalid declaration");
                if (Node::Ptr root = ReadNode(*part)) map->SetRoot(root);
            }
            map->ForgetHistory();
            maps.push_back(map);
        } else if (id == kDefinitionId) {
            NodeMap::Ptr map = ReadDefinition(*child);
            if (!selected) output = map->Name();
            selected = true;
            maps.push_back(map);
        } else {
            Fail(*child, "Invalid declaration");
        }
    }
    // The capsule evaluates the definition it selects and is written by its name.
    if (!selected) Fail(element, "<symbol> markup must have a <definition>");
    model->AddMaps(maps);  // ordered once, not once per argument
    model->RelinkMaps();
    model->ReplaceDanglingMaps();
    capsule->SelectDefinition(model, output);
    return capsule;
}

Node::Ptr OsmlReader::ReadFormulaSymbol(const Element& element) {
    auto capsule = Safe::MakeX<FormulaCapsule>();
    auto formula = Safe::MakeX<Formula>();
    bool defined = false;
    for (const auto& child : element.children) {
        const int id = MarkupId(child->name);
        if (id == kAnnotationId) continue;
        if (id != kFormulaId) Fail(*child, "Invalid declaration");
        if (child->text.empty()) continue;
        if (!formula->Define(child->text, true)) Fail(*child, "Invalid declaration");
        defined = true;
    }
    if (defined) capsule->SetFormula(formula);
    return capsule;
}

Node::Ptr OsmlReader::FindSymbol(const Symbols& symbols, const std::string& name) const {
    const auto found = symbols.find(name);
    return found == symbols.end() ? Node::Ptr() : found->second;
}

Node::Ptr OsmlReader::LoadDll(const std::string& source, const std::string& name) {
    const auto& dlls = options_.dlls;
    if (std::find(dlls.begin(), dlls.end(), source) != dlls.end())
        return DllFile::CreateCapsule(source, name);
    const std::string file = GetFileName(source);
    if (options_.libraryFolder.empty() || !IsPlainFileName(file)) return Node::Ptr();
    return DllFile::CreateCapsule(Platform::JoinPath(options_.libraryFolder, file), name);
}

Node::Ptr OsmlReader::LoadInclude(const std::string& source, const std::string& name) {
    if (options_.libraryFolder.empty() || !IsPlainFileName(source + ".sml")) return Node::Ptr();
    const std::string path = Platform::JoinPath(options_.libraryFolder, source + ".sml");
    if (including_.size() >= kMaxIncludeDepth ||
        std::find(including_.begin(), including_.end(), path) != including_.end())
        return Node::Ptr();
    including_.push_back(path);
    Node::Ptr found;
    try {
        if (const Element* root = FirstOsml(Parsed(path)))
            for (const auto& child : root->children)
                if (child->name == "semantics")
                    for (const auto& item : child->children)
                        if (!found && item->name == "symbol" && item->GetAttribute("name") == name)
                            found = ReadSymbol(*item, source);
    } catch (const Winplus::Exception&) {
        found = Node::Ptr();
    }
    including_.pop_back();
    return found;
}

const Document& OsmlReader::Parsed(const std::string& path) {
    auto known = parsed_.find(path);
    if (known == parsed_.end()) known = parsed_.emplace(path, ReadFile(path)).first;
    return known->second;
}

}  // namespace Core::Sml
