#include "io/osml_writer.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <map>
#include <set>
#include <tuple>
#include <utility>

#include "foundation/exception.h"
#include "foundation/platform.h"
#include "foundation/unique_name.h"
#include "functions/file_table.h"
#include "io/dll_file.h"
#include "io/sml_vocabulary.h"
#include "model/factory.h"
#include "model/formula_capsule.h"
#include "model/map_capsule.h"
#include "model/versatile_capsule.h"

namespace Core::Sml {

namespace {

constexpr const char* kVersion = "2.0";
constexpr const char* kDocument = "document";

enum NumberTypes { kInteger = 600, kRational = 601, kReal = 602, kComplex = 603, kBoolean = 604 };
constexpr int kStringNodeId = 610;
constexpr int kFileTableId = 230;

[[noreturn]] void Fail(const std::string& message) {
    throw Winplus::Exception(message);
}

template <class T>
Safe::XPtr<T> As(const Node::Ptr& node) {
    Safe::XPtr<T> typed = Safe::DynamicCast<T>(node);
    if (!typed) Fail("internal error");
    return typed;
}

double ChildValue(const Node::Ptr& node, int index) {
    Node::Ptr child = node->GetChild(index);
    return child ? child->GetValue().real() : 0.0;
}

Element::Ptr WithText(const char* name, const std::string& text) {
    return Safe::MakeX<Element>(name, text);
}

class Writer {
public:
    explicit Writer(bool embedSymbols) : embed_(embedSymbols) {}

    Element::Ptr ModelRoot(const MathMap::Ptr& model) {
        Collect(model);
        Element::Ptr root = OsmlElement(kVersion);
        if (!constants_.empty() || !formulas_.empty() || !versatiles_.empty()) {
            auto semantics = Safe::MakeX<Element>("semantics");
            for (const auto* list : {&constants_, &formulas_, &versatiles_})
                for (const Element::Ptr& symbol : *list) semantics->AddChild(symbol);
            root->AddChild(semantics);
        }
        root->AddChild(MakeMath(model));
        return root;
    }

    Element::Ptr LibraryRoot(const std::vector<MathMap::Ptr>& models) {
        Element::Ptr root = OsmlElement(kVersion);
        if (!models.empty()) {
            auto semantics = Safe::MakeX<Element>("semantics");
            for (const MathMap::Ptr& model : models)
                semantics->AddChild(MakeFunctionSymbol(model, model->GetNameA(), model->GetNameA()));
            root->AddChild(semantics);
        }
        return root;
    }

private:
    // The symbols of the user capsules to embed, by kind, each distinct symbol once; constants
    // and formulas use no other symbol, and a versatile capsule's symbol comes after those of
    // the capsules inside its model, so that a reader meets every symbol before its use. A
    // reader binds every use of a name to its first symbol of any kind: a capsule whose name an
    // earlier symbol already bears with another content (another formula, another kind, a
    // capsule around it or inside it) is written under a name of its own (the name, "@" and a
    // count), at every depth. Copies of one capsule, of the same name and content, share one.
    void Collect(const MathMap::Ptr& model) {
        for (const NodeMap::Ptr& map : model->GetMaps())
            for (int type : {kConstantCapsuleId, kFormulaCapsuleId, kVersatileCapsuleId})
                for (const Node::Ptr& node : map->FindNodesByType(type)) {
                    auto capsule = As<UserCapsule>(node);
                    if (!embed_ && capsule->GetSource() != kDocument) continue;
                    if (type == kVersatileCapsuleId) {
                        MathMap::Ptr inner = As<VersatileCapsule>(node)->GetMathMap();
                        if (inner) Collect(inner);
                    }
                    names_[node.Get()] = Register(type, MakeSymbol(node));
                }
    }

    // The name a capsule's symbol (named after the capsule) is written under: that of an equal
    // symbol written before, else a name of its own, under which the symbol joins its kind's
    // list.
    std::string Register(int type, const Element::Ptr& symbol) {
        const std::string name = symbol->GetAttribute("name");
        symbol->attributes.erase("name");
        std::string content;
        WriteElement(*symbol, content);
        const auto [known, added] = symbols_.emplace(SymbolKey{type, name, content}, "");
        if (!added) return known->second;
        // A document's names are never empty: a capsule without one gets one of its own too.
        const auto taken = [this](const std::string& other) {
            return other.empty() || takenNames_.count(other) > 0;
        };
        const auto forEach = [this](auto&& f) {
            for (const std::string& other : takenNames_) f(other);
        };
        known->second = CountedUniqueName(name, '@', taken, forEach);
        takenNames_.insert(known->second);
        symbol->attributes["name"] = known->second;
        (type == kConstantCapsuleId  ? constants_
         : type == kFormulaCapsuleId ? formulas_
                                     : versatiles_)
            .push_back(symbol);
        return known->second;
    }

    // The name a user capsule's symbol is written under.
    std::string SymbolName(const Node::Ptr& node) const {
        auto capsule = As<UserCapsule>(node);
        if (!embed_ && capsule->GetSource() != kDocument) return capsule->GetSymbolName();
        auto found = names_.find(node.Get());
        return found == names_.end() ? capsule->GetSymbolName() : found->second;
    }

    // Definitions are written and linked to by name, and a document's names are never empty:
    // a definition without one is written under a name of its own in its model ("@1").
    void NameDefinitions(const MathMap::Ptr& model) {
        const auto taken = [&model](const std::string& name) {
            return name.empty() || model->HasMapName(name);
        };
        const auto forEach = [&model](auto&& f) {
            for (const NodeMap::Ptr& map : model->GetMaps()) f(map->Name());
        };
        for (const NodeMap::Ptr& map : model->GetMaps())
            if (map->Name().empty())
                definitionNames_[map.Get()] = CountedUniqueName("", '@', taken, forEach);
    }

    std::string DefinitionName(const NodeMap::Ptr& map) const {
        const auto found = definitionNames_.find(map.Get());
        return found == definitionNames_.end() ? map->Name() : found->second;
    }

    Element::Ptr MakeMath(const MathMap::Ptr& model) {
        NameDefinitions(model);
        auto math = Safe::MakeX<Element>("math");
        for (const NodeMap::Ptr& map : model->GetMaps()) math->AddChild(MakeDefinition(map));
        return math;
    }

    // An inactive definition is a variable, whose value the program sets: it is written empty
    // and reads back with a new definition's parameter. One whose root is anything else, which
    // references to it would evaluate, is refused.
    Element::Ptr MakeDefinition(const NodeMap::Ptr& map) {
        Element::Ptr definition = DefinitionElement(DefinitionName(map));
        const Node::Ptr& root = map->GetRoot();
        if (map->IsActive() && root)
            definition->AddChild(WriteNode(root));
        else if (root && root->GetTypeId() != kBasicId)
            Fail("The inactive definition \"" + map->Name() +
                 "\" holds more than a parameter; OSML documents cannot hold it.");
        return definition;
    }

    Element::Ptr MakeSymbol(const Node::Ptr& node) {
        const std::string& name = As<UserCapsule>(node)->GetSymbolName();
        switch (node->GetTypeId()) {
            case kConstantCapsuleId: {
                Element::Ptr symbol = ConstantSymbolElement(name);
                symbol->AddChild(
                    WithText("number", NumberText(node->Evaluate().real(), node->Name())));
                return symbol;
            }
            case kFormulaCapsuleId: {
                auto capsule = As<FormulaCapsule>(node);
                Element::Ptr symbol = FunctionSymbolElement(name, "formula");
                symbol->AddChild(WithText("formula", capsule->GetFormulaText()));
                return symbol;
            }
            case kVersatileCapsuleId: {
                auto capsule = As<VersatileCapsule>(node);
                if (!capsule->GetMathMap()) Fail("internal error");
                return MakeFunctionSymbol(capsule->GetMathMap(), capsule->GetDefinitionName(), name);
            }
            default: Fail("internal error");
        }
    }

    Element::Ptr MakeFunctionSymbol(const MathMap::Ptr& model, const std::string& output,
                                    const std::string& symbolName) {
        NameDefinitions(model);
        Element::Ptr symbol = FunctionSymbolElement(symbolName, "OSML");
        // The capsule's inputs: every other definition whose root is a parameter. The output is
        // written once, as the first definition, also when its root is a parameter.
        auto parameter = [&output](const NodeMap::Ptr& map) {
            return map->Name() != output && map->GetRoot() && map->GetRoot()->IsActive();
        };
        for (const NodeMap::Ptr& map : model->GetMaps())
            if (parameter(map)) {
                Element::Ptr argument = ArgumentElement(DefinitionName(map));
                argument->AddChild(WriteNode(map->GetRoot()));
                symbol->AddChild(argument);
            }
        NodeMap::Ptr selected = model->FindMap(output);
        if (!selected)
            Fail("The function \"" + symbolName + "\" has no definition \"" + output + "\".");
        symbol->AddChild(MakeDefinition(selected));
        // Inactive ones too: one that is no parameter holds more than a variable, which the
        // document cannot, and is refused rather than left out under references to it.
        for (const NodeMap::Ptr& map : model->GetMaps())
            if (map->Name() != output && !parameter(map)) symbol->AddChild(MakeDefinition(map));
        return symbol;
    }

    Element::Ptr WriteNode(const Node::Ptr& node) {
        const int type = node->GetTypeId();
        if (type == kMapCapsuleId) {
            NodeMap::Ptr map = As<MapCapsule>(node)->GetMap();
            return WithText("link", map ? DefinitionName(map) : node->Name());
        }
        if (type == kBasicId || (type >= kInteger && type <= kBoolean)) return WriteNumber(node);
        if (type == kStringNodeId) {
            auto string = Safe::MakeX<Element>("string");
            string->SetAttribute("file", node->Name());
            return string;
        }
        const int code = GetCode(type);
        const std::string markup = MarkupName(code);
        const bool capsule = type == kFormulaCapsuleId || type == kVersatileCapsuleId ||
                             type == kConstantCapsuleId || type == kDllCapsuleId;
        if (code == -1 || (markup.empty() && !capsule))
            Fail("OSML documents have no form for the function \"" + node->Name() + "\" (type " +
                 std::to_string(type) + ").");
        // A table is written as its function and arguments: its points would be lost.
        if (type == kFileTableId && As<Capsule::File2C>(node)->Count() > 0)
            Fail("OSML documents have no form for the points of the table \"" + node->Name() +
                 "\".");
        if (code >= kFirstConstantCode) {
            if (type != kConstantCapsuleId) return ConstantElement(markup, "core");
            auto constant = As<UserCapsule>(node);
            return ConstantElement(SymbolName(node), embed_ ? kDocument : constant->GetSource());
        }
        auto apply = Safe::MakeX<Element>("apply");
        if (type == kPointListId) {
            apply->AddChild(SequenceElement(markup, "core"));
        } else if (type == kPointId) {
            apply->AddChild(ItemElement(markup, "core"));
        } else if (type == kFormulaCapsuleId || type == kVersatileCapsuleId) {
            auto user = As<UserCapsule>(node);
            apply->AddChild(embed_ ? FunctionElement(SymbolName(node), kDocument, "")
                                   : FunctionElement(SymbolName(node), user->GetSource(), "sml"));
        } else if (type == kDllCapsuleId) {
            auto dll = As<DllCapsule>(node);
            apply->AddChild(FunctionElement(dll->GetFunctionName(), dll->GetPath(), "dll"));
        } else {
            apply->AddChild(FunctionElement(markup, "core", ""));
        }
        for (const Node::Ptr& child : node->GetChildren()) apply->AddChild(WriteNode(child));
        return apply;
    }

    Element::Ptr WriteNumber(const Node::Ptr& node) {
        const double value = node->GetValue().real();
        const std::string& name = node->Name();
        auto number = Safe::MakeX<Element>("number");
        switch (node->GetTypeId()) {
            case kInteger:
                number->SetAttribute("type", "integer");
                number->text = IntegerText(value, name);
                break;
            case kRational:
                RequireNumberParts(node);
                number->SetAttribute("type", "rational");
                number->text = IntegerText(ChildValue(node, 0), name);
                number->secondText = IntegerText(ChildValue(node, 1), name);
                break;
            case kReal:
                number->SetAttribute("type", "real");
                number->text = NumberText(value, name);
                break;
            case kComplex:
                RequireNumberParts(node);
                number->SetAttribute("type", "complex");
                number->text = NumberText(ChildValue(node, 0), name);
                number->secondText = NumberText(ChildValue(node, 1), name);
                break;
            case kBoolean:
                number->SetAttribute("type", "boolean");
                NumberText(value, name);
                number->text = value == 0.0 ? "0" : "1";
                break;
            default: number->text = NumberText(value, name);
        }
        return number;
    }

    // A document holds a rational or complex number's two parts as their values: parts that are
    // not numbers of the kind the number makes (a reference, a function) would come back so.
    static void RequireNumberParts(const Node::Ptr& node) {
        const Node::Ptr made = Node::Create(node->GetTypeId());
        for (int i = 0; i < node->ChildCount(); ++i) {
            const Node::Ptr part = node->GetChild(i);
            const Node::Ptr madePart = made ? made->GetChild(i) : Node::Ptr();
            if (!madePart || part->GetTypeId() != madePart->GetTypeId() || part->ChildCount() != 0)
                Fail("The parts of \"" + node->Name() +
                     "\" are not numbers; OSML documents cannot hold them.");
        }
    }

    // Type id, the capsule's symbol name and the symbol's content without it.
    using SymbolKey = std::tuple<int, std::string, std::string>;

    bool embed_;
    std::vector<Element::Ptr> constants_, formulas_, versatiles_;
    std::map<SymbolKey, std::string> symbols_;  // the name each symbol is written under
    std::map<const Node*, std::string> names_;  // the name of each capsule's symbol
    std::set<std::string> takenNames_;
    std::map<const NodeMap*, std::string> definitionNames_;  // of definitions without a name
};

std::vector<Element::Ptr> WithDeclaration(const Element::Ptr& root) {
    return {Safe::MakeX<Element>(kDeclaration), root};
}

bool Save(const std::string& path, const std::function<std::vector<Element::Ptr>()>& make) {
    try {
        if (!WriteDocument(path, make())) Fail(Platform::SaveFailureMessage(path));
        return true;
    } catch (const Winplus::Exception& e) {
        Platform::MessageBoxRequest request;
        request.text = e.GetMessage();
        request.caption = "Message";
        request.icon = Platform::BoxIcon::Stop;
        Platform::ShowMessageBox(request);
        return false;
    }
}

}  // namespace

std::string NumberText(double value, const std::string& nodeName) {
    if (!std::isfinite(value))
        Fail("The value of \"" + nodeName + "\" is not a finite number; OSML documents cannot "
             "hold it.");
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string IntegerText(double value, const std::string& nodeName) {
    NumberText(value, nodeName);
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, std::trunc(value), std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

std::vector<Element::Ptr> ModelDocument(const MathMap::Ptr& model, bool embedSymbols) {
    return WithDeclaration(Writer(embedSymbols).ModelRoot(model));
}

std::vector<Element::Ptr> LibraryDocument(const std::vector<MathMap::Ptr>& models) {
    return WithDeclaration(Writer(false).LibraryRoot(models));
}

bool WriteModel(const std::string& path, const MathMap::Ptr& model, bool embedSymbols) {
    return Save(path, [&] { return ModelDocument(model, embedSymbols); });
}

bool WriteLibrary(const std::string& path, const std::vector<MathMap::Ptr>& models) {
    return Save(path, [&] { return LibraryDocument(models); });
}

}  // namespace Core::Sml
