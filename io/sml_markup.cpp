#include "io/sml_markup.h"

#include <new>

#include "foundation/platform.h"
#include "io/sml_vocabulary.h"

namespace Core::Sml {

const char* const kDeclaration = "?xml version=\"1.0\" ?";

namespace {

constexpr const char* kEof = "EOF";

bool IsBlankOrTab(char c) {
    return c == ' ' || c == '\t';
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

std::string TrimBlanks(const std::string& text) {
    std::size_t first = 0, last = text.size();
    while (first < last && IsBlankOrTab(text[first])) ++first;
    while (last > first && IsBlankOrTab(text[last - 1])) --last;
    return text.substr(first, last - first);
}

std::size_t SkipSpace(const std::string& text, std::size_t at) {
    while (at < text.size() && IsSpace(text[at])) ++at;
    return at;
}

// Turns each line break (CR LF, LF or CR alone) into a blank; returns how many there were.
int CountLines(std::string& text) {
    int lines = 0;
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            ++lines;
            out += ' ';
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    text.swap(out);
    return lines;
}

Element::Ptr Make(const char* name, std::initializer_list<std::pair<const char*, std::string>> attributes,
                  bool empty) {
    auto element = Safe::MakeX<Element>(name);
    for (const auto& [key, value] : attributes) element->SetAttribute(key, value);
    element->SetEmpty(empty);
    return element;
}

// The tokenizer and element reader over one document held in memory.
class Reader {
public:
    explicit Reader(const std::string& text) : text_(text) {}

    Document Read() {
        Document document;
        SkipDeclaration();
        while (true) {
            auto element = Safe::MakeX<Element>();
            if (!ParseElement(*element, 0)) break;
            document.elements.push_back(element);
        }
        if (error_ == kEof) {
            document.ok = true;
        } else {
            document.elements.clear();
            document.line = errorLine_;
            document.error = error_;
        }
        return document;
    }

private:
    // Drops the text before the first "<", and the item after it when that is a declaration.
    void SkipDeclaration() {
        std::string lead;
        if (!NextItem(lead)) return;
        const std::size_t at = pos_;
        std::string item;
        if (NextItem(item) && !TrimBlanks(item).empty() && TrimBlanks(item)[0] == '?') return;
        pos_ = at;
        line_ = lineAt_;
    }

    // The text up to the next "<" (consumed), line breaks counted and turned into blanks.
    // False when nothing is left.
    bool NextItem(std::string& item) {
        if (pos_ >= text_.size()) return false;
        lineAt_ = line_;
        std::size_t next = text_.find('<', pos_);
        if (next == std::string::npos) next = text_.size();
        item.assign(text_, pos_, next - pos_);
        pos_ = next + 1;
        line_ += CountLines(item);
        return true;
    }

    // By default the line of the "<" of the item being read.
    bool Fail(const char* reason, int line = -1) {
        error_ = reason;
        errorLine_ = line < 0 ? lineAt_ + 1 : line;
        return false;
    }

    // [name, key 1, value 1, ..., character data]; empty on failure, with the reason kept.
    std::vector<std::string> ReadTag(bool& end) {
        std::string item;
        if (!NextItem(item)) {
            Fail(kEof);
            return {};
        }
        const int id = TagId(item);
        if (id == -1) {
            Fail("Unknown markup.");
            return {};
        }
        if (id == kCommentId) {
            std::size_t first = 0, last = item.size();
            while (first < last && (IsSpace(item[first]) || item[first] == '!' || item[first] == '-'))
                ++first;
            while (last > first && (IsSpace(item[last - 1]) || item[last - 1] == '-' ||
                                    item[last - 1] == '>'))
                --last;
            return {"xml-comment", Unescape(item.substr(first, last - first))};
        }
        item = TrimBlanks(item);
        const std::size_t close = item.rfind('>');
        if (close == std::string::npos) {
            Fail("Missing close angle bracket (>).");
            return {};
        }
        if (close == 0) {
            Fail("Invalid markup");
            return {};
        }
        std::vector<std::string> tag;
        std::size_t from = 0, to = close;
        if (item[to - 1] == '/') {
            end = true;
            --to;
        }
        if (from < to && item[from] == '/') {
            end = true;
            ++from;
        }
        std::size_t at = SkipSpace(item, from);
        std::size_t nameEnd = at;
        while (nameEnd < to && !IsSpace(item[nameEnd])) ++nameEnd;
        tag.push_back(item.substr(at, nameEnd - at));
        at = nameEnd;
        while (at < to) {
            at = SkipSpace(item, at);
            std::size_t keyEnd = at;
            while (keyEnd < to && !IsSpace(item[keyEnd]) && item[keyEnd] != '=') ++keyEnd;
            if (keyEnd == at) break;
            std::string key = item.substr(at, keyEnd - at);
            at = keyEnd;
            while (at < to && (IsSpace(item[at]) || item[at] == '=')) ++at;
            ++at;  // the opening quotation mark, whatever it is
            const std::size_t quote = at < to ? item.find('"', at) : std::string::npos;
            if (quote == std::string::npos || quote >= to) {
                Fail("Invalid markup attribute");
                return {};
            }
            tag.push_back(std::move(key));
            tag.push_back(Unescape(item.substr(at, quote - at)));
            at = quote + 1;
        }
        tag.push_back(Unescape(TrimBlanks(item.substr(close + 1))));
        return tag;
    }

    bool ParseElement(Element& element, int depth) {
        if (depth > kMaxMarkupDepth) return Fail("Markup nested too deeply.", line_ + 1);
        element.line = line_ + 1;
        std::vector<std::string> tag = ReadTag(element.end);
        if (tag.empty()) return false;
        element.name = tag.front();
        element.text = tag.back();
        for (std::size_t i = 1; i + 2 <= tag.size() - 1; i += 2)
            element.SetAttribute(tag[i], tag[i + 1]);
        if (element.name == "xml-comment") return true;
        const int id = MarkupId(element.name);
        if (id >= kFunctionId && id <= kElementId) {
            element.SetEmpty(true);
            return true;
        }
        if (element.end) return true;
        if (id == kNumberId) {
            const std::string type = element.GetAttribute("type");
            if (type == "complex" || type == "rational") {
                Element separator;
                if (!ParseElement(separator, depth + 1)) return false;
                if (separator.name != "sep") return Fail("Invalid markup");
                element.secondText = separator.text;
            }
        }
        const bool outermost = id == kOsmlId && !insideOsml_;
        if (outermost) insideOsml_ = true;
        while (true) {
            auto child = Safe::MakeX<Element>();
            if (!ParseElement(*child, depth + 1)) return false;
            if (child->end && child->name == element.name) break;
            element.children.push_back(child);
        }
        // The outermost osml root checks its own digest and those of the roots nested in it, in
        // one pass over its content.
        if (outermost) {
            insideOsml_ = false;
            const int line = FirstDigestMismatch(element);
            if (line > 0) return Fail("The document does not match its digest.", line);
        }
        return true;
    }

    const std::string& text_;
    std::size_t pos_ = 0;
    int line_ = 0;
    int lineAt_ = 0;
    std::string error_;
    int errorLine_ = 0;
    bool insideOsml_ = false;
};

std::string Indentation(int depth) {
    return std::string(static_cast<std::size_t>(depth), ' ');
}

bool ReadWhole(const std::string& path, std::string& text) {
    try {
        return Platform::ReadWholeFile(path, text) == Platform::ReadStatus::Read;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace

std::string Element::GetAttribute(const std::string& key) const {
    const auto found = attributes.find(key);
    return found == attributes.end() ? std::string() : found->second;
}

bool Element::AddChild(const Ptr& child) {
    if (!child) return false;
    children.push_back(child);
    return true;
}

Element::Ptr Element::GetChild(const int& index) const {
    return index >= 0 && index < ChildCount() ? children[static_cast<std::size_t>(index)] : Ptr();
}

std::string Element::AttributesText() const {
    std::string text;
    for (const auto& [key, value] : attributes) text += ' ' + key + "=\"" + Escape(value) + '"';
    return text + ' ';
}

Element::Ptr OsmlElement(const std::string& version) {
    return Make("osml", {{"version", version}}, false);
}
Element::Ptr DefinitionElement(const std::string& name) {
    return Make("definition", {{"name", name}}, false);
}
Element::Ptr ArgumentElement(const std::string& name) {
    return Make("argument", {{"name", name}}, false);
}
Element::Ptr ConstantSymbolElement(const std::string& name) {
    return Make("symbol", {{"name", name}, {"type", "constant"}}, false);
}
Element::Ptr FunctionSymbolElement(const std::string& name, const std::string& encoding) {
    return Make("symbol", {{"name", name}, {"type", "function"}, {"encoding", encoding}}, false);
}
Element::Ptr FunctionElement(const std::string& name, const std::string& source,
                             const std::string& sourcetype) {
    Element::Ptr element = Make("function", {{"name", name}, {"source", source}}, true);
    if (!sourcetype.empty()) element->SetAttribute("sourcetype", sourcetype);
    return element;
}
Element::Ptr ConstantElement(const std::string& name, const std::string& source) {
    return Make("constant", {{"name", name}, {"source", source}}, true);
}
Element::Ptr SequenceElement(const std::string& name, const std::string& source) {
    return Make("sequence", {{"name", name}, {"source", source}}, true);
}
Element::Ptr ItemElement(const std::string& name, const std::string& source) {
    return Make("element", {{"name", name}, {"source", source}}, true);
}

std::string Document::Report() const {
    return "Error at line : " + std::to_string(line) + "\n" + error;
}

int TagId(const std::string& item) {
    const std::string text = TrimBlanks(item);
    if (!text.empty() && text[0] == '!') {
        const std::size_t at = SkipSpace(text, 1);
        if (at < text.size() && text[at] == '-') return kCommentId;
    }
    std::size_t from = !text.empty() && text[0] == '/' ? 1 : 0;
    std::size_t to = from;
    while (to < text.size() && !IsSpace(text[to]) && text[to] != '>' &&
           text.compare(to, 2, "/>") != 0)
        ++to;
    const std::string name = text.substr(from, to - from);
    return name == "annotation" ? kAnnotationId : MarkupId(name);
}

Document ReadText(const std::string& text) {
    if (!IsOsmlText(text)) return Document();
    return Reader(text).Read();
}

Document ReadFile(const std::string& path) {
    std::string text;
    if (!ReadWhole(path, text)) return Document();
    return ReadText(text);
}

bool IsOsmlText(const std::string& text) {
    std::size_t at = text.find('<');
    while (at != std::string::npos) {
        const std::size_t next = text.find('<', at + 1);
        std::string item = text.substr(at + 1, next == std::string::npos ? std::string::npos
                                                                        : next - at - 1);
        CountLines(item);
        if (TagId(item) == kOsmlId) return true;
        at = next;
    }
    return false;
}

bool IsOsmlFile(const std::string& path) {
    std::string text;
    return ReadWhole(path, text) && IsOsmlText(text);
}

bool WriteHead(const Element& element, std::string& out, int depth) {
    const std::string indent = Indentation(depth);
    out += indent + '<' + element.name;
    std::string attributes = element.AttributesText();
    attributes.pop_back();
    out += attributes;
    if (element.name == kDeclaration) {
        out += ">\n";
        return false;
    }
    if (element.empty) {
        out += "/>\n";
        return false;
    }
    const int id = MarkupId(element.name);
    if (id == kNumberId) {
        out += '>';
        const std::string type = element.GetAttribute("type");
        if (type == "complex" || type == "rational") {
            out += ' ' + Escape(element.text) + "<sep/> " + Escape(element.secondText) +
                   " </number>\n";
            return false;
        }
    } else if (id == kLinkId || id == kStringId) {
        out += '>';
    } else {
        out += ">\n";
    }
    if (element.children.empty()) {
        if (id == kSymbolId || id == kAnnotationId || id == kFormulaId)
            out += indent + ' ' + Escape(element.text) + '\n' + indent + "</" + element.name +
                   ">\n";
        else
            out += ' ' + Escape(element.text) + " </" + element.name + ">\n";
        return false;
    }
    return true;
}

void WriteElement(const Element& element, std::string& out, int depth) {
    if (!WriteHead(element, out, depth)) return;
    const std::string indent = Indentation(depth);
    const int id = MarkupId(element.name);
    if (id == kOsmlId) {
        std::string content;
        for (const auto& child : element.children) WriteElement(*child, content, depth + 1);
        out += SecureText(Digest(content, kDigestAlgorithm), depth + 1) + content;
    } else {
        for (const auto& child : element.children) WriteElement(*child, out, depth + 1);
    }
    out += indent + "</" + element.name + ">\n";
}

std::string WriteText(const std::vector<Element::Ptr>& elements) {
    std::string out;
    for (const auto& element : elements) {
        if (element->name == "xml-comment")
            out += "<!-- " + Escape(element->text) + element->AttributesText() + " -->\n";
        else
            WriteElement(*element, out);
    }
    return out;
}

bool WriteDocument(const std::string& path, const std::vector<Element::Ptr>& elements) {
    std::string text;
    for (char c : WriteText(elements)) {
        if (c == '\n') text += '\r';
        text += c;
    }
    return Platform::SaveFile(path, text, false) == Platform::SaveStatus::Saved;
}

std::string Escape(const std::string& text) {
    std::size_t first = 0, last = text.size();
    while (first < last && text[first] == ' ') ++first;
    while (last > first && text[last - 1] == ' ') --last;
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        switch (text[i]) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\t': out += "&#9;"; break;
            case '\n': out += "&#10;"; break;
            case '\r': out += "&#13;"; break;
            case ' ': out += i < first || i >= last ? "&#32;" : " "; break;
            default: out += text[i];
        }
    }
    return out;
}

std::string Unescape(const std::string& text) {
    static const std::pair<const char*, char> kReferences[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'},
        {"&#9;", '\t'}, {"&#10;", '\n'}, {"&#13;", '\r'}, {"&#32;", ' '},
    };
    if (text.find('&') == std::string::npos) return text;
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        if (text[i] == '&')
            for (const auto& [reference, c] : kReferences)
                if (text.compare(i, std::char_traits<char>::length(reference), reference) == 0) {
                    out += c;
                    i += std::char_traits<char>::length(reference);
                    replaced = true;
                    break;
                }
        if (!replaced) out += text[i++];
    }
    return out;
}

}  // namespace Core::Sml
