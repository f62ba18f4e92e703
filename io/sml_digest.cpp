// The digests of OSML roots: the writer's layout of what follows a root's secure block, without
// blanks and line breaks, hashed with SHA-256.
#include <algorithm>

#include "foundation/sha256.h"
#include "io/sml_markup.h"
#include "io/sml_vocabulary.h"

namespace Core::Sml {

const char* const kDigestAlgorithm = "SHA-256";

namespace {

void AppendCanonical(std::string& out, const std::string& text) {
    for (char c : text)
        if (c != ' ' && c != '\n') out += c;
}

std::size_t FirstSecure(const std::vector<Element::Ptr>& children) {
    std::size_t at = 0;
    while (at < children.size() && children[at]->name != "secure") ++at;
    return at;
}

// Appends the element's layout without blanks and line breaks, which is the same at any depth,
// and checks every osml root in it on the way: the first that fails gives mismatch its line.
void Canonical(const Element& element, std::string& out, int& mismatch) {
    std::string head;
    const bool open = WriteHead(element, head, 0);
    AppendCanonical(out, head);
    if (!open) return;
    if (MarkupId(element.name) != kOsmlId) {
        for (const auto& child : element.children) Canonical(*child, out, mismatch);
    } else {
        std::string content;
        std::vector<std::size_t> starts;
        for (const auto& child : element.children) {
            starts.push_back(content.size());
            Canonical(*child, content, mismatch);
        }
        const std::vector<Element::Ptr>& children = element.children;
        const std::size_t at = FirstSecure(children);
        if (mismatch == 0 && children.size() >= 2 && at + 1 < children.size() &&
            Digest(content.substr(starts[at + 1]), children[at]->GetAttribute("algorithm")) !=
                children[at]->text)
            mismatch = element.line;
        // As the writer lays it out: a secure block of its own over every child.
        AppendCanonical(out, SecureText(Digest(content, kDigestAlgorithm), 0));
        out += content;
    }
    AppendCanonical(out, "</" + element.name + ">");
}

}  // namespace

std::string Digest(const std::string& text, const std::string& algorithm) {
    if (algorithm != kDigestAlgorithm) return std::string();
    std::string canonical;
    AppendCanonical(canonical, text);
    return Sha256::Hex(canonical);
}

std::string SecureText(const std::string& digest, int depth) {
    const std::string inner(static_cast<std::size_t>(depth), ' ');
    return inner + "<secure algorithm=\"" + kDigestAlgorithm + "\">\n" + inner + ' ' + digest +
           '\n' + inner + "</secure>\n";
}

int VerifySecure(const std::vector<Element::Ptr>& children) {
    if (children.size() < 2) return static_cast<int>(children.size());
    const std::size_t at = FirstSecure(children);
    if (at + 1 >= children.size()) return 0;
    std::string content;
    for (std::size_t i = at + 1; i < children.size(); ++i) WriteElement(*children[i], content, 0);
    return Digest(content, children[at]->GetAttribute("algorithm")) == children[at]->text ? 1 : -1;
}

int FirstDigestMismatch(const Element& element) {
    std::string canonical;
    int mismatch = 0;
    Canonical(element, canonical, mismatch);
    return mismatch;
}

}  // namespace Core::Sml
