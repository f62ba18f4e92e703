#include "io/sml_markup.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "foundation/sha256.h"
#include "io/sml_vocabulary.h"

namespace {

using namespace Core::Sml;
using Core::Sml::Element;  // not the formula's

const std::string kHead = "<?xml version=\"1.0\" ?>\n";

Document ReadBody(const std::string& body) {
    return ReadText(kHead + body);
}

std::string Written(const Element::Ptr& element) {
    std::string out;
    WriteElement(*element, out);
    return out;
}

// The first child of the single top-level osml element of a document that must read.
Element::Ptr FirstChild(const std::string& inner) {
    Document document = ReadBody("<osml version=\"2.0\">\n" + inner + "</osml>\n");
    EXPECT_TRUE(document.ok) << document.Report();
    if (!document.ok || document.elements.empty()) return Element::Ptr();
    return document.elements.back()->GetChild(0);
}

TEST(MarkupVocabulary, NamesAndIds) {
    EXPECT_EQ(MarkupId("greather-than"), 112);
    EXPECT_EQ(MarkupId("greater-than"), -1);
    EXPECT_EQ(MarkupId("Osml"), -1);
    EXPECT_EQ(MarkupId("osml"), 10);
    EXPECT_EQ(MarkupName(603), "fritsh-carlson");
    EXPECT_EQ(MarkupName(604), "positive-fritsh-carlson");
    EXPECT_EQ(MarkupName(9000), "");
    EXPECT_EQ(MarkupName(20005), "C2");
    // Completed: the power with an integer exponent and the functions that had no form.
    EXPECT_EQ(MarkupName(235), "pow");
    EXPECT_EQ(GetType(MarkupId("pow")), 335);
    EXPECT_EQ(GetType(MarkupId("gaussian-distribution-sqo")), 920);
    EXPECT_EQ(GetType(MarkupId("rational-line")), 802);
    EXPECT_EQ(GetCode(923), 523);
    EXPECT_EQ(GetCode(925), 525);
    // A type with two codes writes the lower one.
    EXPECT_EQ(GetCode(230), 130);
    EXPECT_EQ(GetType(131), 230);
    EXPECT_EQ(GetCode(650), -1);
    EXPECT_EQ(GetType(9000), 12);
}

TEST(MarkupSyntax, ElementsReadAsWritten) {
    Element::Ptr definition = FirstChild("<definition name=\"x\">\n</definition>\n");
    ASSERT_TRUE(definition);
    EXPECT_EQ(definition->name, "definition");
    EXPECT_EQ(definition->GetAttribute("name"), "x");
    EXPECT_EQ(definition->ChildCount(), 0);
    EXPECT_EQ(definition->text, "");
    EXPECT_EQ(Written(definition), "<definition name=\"x\">\n  </definition>\n");

    for (const char* form : {"<constant name=\"pi\" source=\"core\"/>",
                             "<constant source=\"core\" name=\"pi\">"}) {
        Element::Ptr constant = FirstChild(std::string(form) + "\n");
        ASSERT_TRUE(constant) << form;
        EXPECT_TRUE(constant->empty);
        EXPECT_EQ(Written(constant), "<constant name=\"pi\" source=\"core\"/>\n");
    }
    Element::Ptr math = FirstChild("<math><constant name=\"pi\" source=\"core\">"
                                   "</constant></math>");
    ASSERT_TRUE(math);
    ASSERT_EQ(math->ChildCount(), 2);
    EXPECT_TRUE(math->GetChild(1)->attributes.empty());

    Element::Ptr number = FirstChild("<number type=\"complex\"> 1.5<sep/> 2.5 </number>\n");
    ASSERT_TRUE(number);
    EXPECT_EQ(number->text, "1.5");
    EXPECT_EQ(number->secondText, "2.5");
    EXPECT_EQ(Written(number), "<number type=\"complex\"> 1.5<sep/> 2.5 </number>\n");

    // A closing tag of another name is a child, and reading goes on.
    Element::Ptr mixed = FirstChild("<definition name=\"d\"></math><link> a </link>"
                                    "</definition>");
    ASSERT_TRUE(mixed);
    ASSERT_EQ(mixed->ChildCount(), 2);
    EXPECT_EQ(mixed->GetChild(0)->name, "math");
    EXPECT_EQ(mixed->GetChild(1)->text, "a");

    auto function = FunctionElement("plus", "core", "");
    EXPECT_EQ(Written(function), "<function name=\"plus\" source=\"core\"/>\n");
}

TEST(MarkupSyntax, LinesCountEveryKindOfLineBreak) {
    for (const char* br : {"\n", "\r\n", "\r"}) {
        const std::string b = br;
        Document document = ReadText("<?xml version=\"1.0\" ?>" + b + b + "<osml>" + b + b +
                                     "<math>" + b + "</math></osml>" + b);
        ASSERT_TRUE(document.ok);
        ASSERT_EQ(document.elements.size(), 1u);
        EXPECT_EQ(document.elements[0]->line, 3);
        EXPECT_EQ(document.elements[0]->GetChild(0)->line, 5);
    }
}

TEST(MarkupSyntax, FailuresNameTheirReason) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"<osml>\n<apply k=v></apply></osml>", "Error at line : 3\nInvalid markup attribute"},
        {"<osml>\n\n<foo></foo></osml>", "Error at line : 4\nUnknown markup."},
        {"<osml><math x </osml>", "Error at line : 2\nMissing close angle bracket (>)."},
        {"<osml><>x</osml>", "Error at line : 2\nUnknown markup."},
        {"<osml><number type=\"rational\">1<math/>2</number></osml>",
         "Error at line : 2\nInvalid markup"},
        {"<osml></osml>\n<foo/>", "Error at line : 3\nUnknown markup."},
        {"<osml><definition name></definition></osml>",
         "Error at line : 2\nInvalid markup attribute"},
    };
    for (const auto& [body, report] : cases) {
        Document document = ReadBody(body);
        EXPECT_FALSE(document.ok) << body;
        EXPECT_TRUE(document.elements.empty());
        EXPECT_EQ(document.Report(), "Error at line : " + std::to_string(document.line) + "\n" +
                                         document.error);
        EXPECT_EQ(ReadBody(body).Report(), report) << body;
    }
}

TEST(MarkupSyntax, DocumentsCutShortOrWithoutOsml) {
    Document cut = ReadBody("<!-- note -->\n<osml><math>");
    ASSERT_TRUE(cut.ok);
    ASSERT_EQ(cut.elements.size(), 1u);
    EXPECT_EQ(cut.elements[0]->name, "xml-comment");
    EXPECT_EQ(cut.elements[0]->text, "note");

    Document none = ReadBody("<math></math>");
    EXPECT_FALSE(none.ok);
    EXPECT_EQ(none.error, "");
    EXPECT_FALSE(IsOsmlText("no markup at all"));
    EXPECT_TRUE(IsOsmlText("text <  /osml >"));

    // Without a declaration the osml element is the first item and is kept.
    Document bare = ReadText("<osml><math></math></osml>");
    ASSERT_TRUE(bare.ok);
    ASSERT_EQ(bare.elements.size(), 1u);
    EXPECT_EQ(bare.elements[0]->name, "osml");
}

TEST(MarkupSyntax, NestingIsCapped) {
    std::string deep;
    for (int i = 0; i < 100000; ++i) deep += "<apply>\n";
    Document document = ReadBody("<osml>" + deep);
    EXPECT_FALSE(document.ok);
    EXPECT_EQ(document.error, "Markup nested too deeply.");
    EXPECT_EQ(document.line, kMaxMarkupDepth + 2);
}

TEST(MarkupSyntax, TextsSurviveWritingAndReading) {
    const std::string odd = "\ta <b> & \"c\"\r\n d \t";
    auto root = OsmlElement("2.0");
    auto symbol = ConstantSymbolElement(odd);
    symbol->text = odd;
    root->AddChild(symbol);
    auto number = Safe::MakeX<Element>("number", "  1");
    number->SetAttribute("type", "rational");
    number->secondText = "2 ";
    root->AddChild(number);
    Document document = ReadText(WriteText({root}));
    ASSERT_TRUE(document.ok) << document.Report();
    Element::Ptr read = document.elements[0];
    EXPECT_EQ(read->GetChild(1)->GetAttribute("name"), odd);
    EXPECT_EQ(read->GetChild(1)->text, odd);
    EXPECT_EQ(read->GetChild(2)->text, "  1");
    EXPECT_EQ(read->GetChild(2)->secondText, "2 ");
    EXPECT_EQ(Unescape("&amp;lt; &unknown; &"), "&lt; &unknown; &");
}

TEST(MarkupDigest, CanonicalTextAndSecureBlock) {
    EXPECT_EQ(Digest("a b\nc", "SHA-256"), Sha256::Hex("abc"));
    EXPECT_EQ(Digest("a b\nc", "MD5"), "");
    EXPECT_EQ(Digest("a\tb", "SHA-256"), Sha256::Hex("a\tb"));

    auto root = OsmlElement("2.0");
    auto math = Safe::MakeX<Element>("math");
    auto definition = DefinitionElement("f");
    auto number = Safe::MakeX<Element>("number", "1.25");
    definition->AddChild(number);
    math->AddChild(definition);
    root->AddChild(math);
    const std::string text = kHead + WriteText({root});
    const std::string body = "<definition name=\"f\">\n   <number> 1.25 </number>\n  </definition>\n";
    EXPECT_EQ(text, kHead + "<osml version=\"2.0\">\n <secure algorithm=\"SHA-256\">\n  " +
                        Sha256::Hex("<math><definitionname=\"f\"><number>1.25</number>"
                                    "</definition></math>") +
                        "\n </secure>\n <math>\n  " + body + " </math>\n</osml>\n");
    ASSERT_TRUE(ReadText(text).ok);
    Document changed = ReadText(text.substr(0, text.find("1.25")) + "1.26" +
                                text.substr(text.find("1.25") + 4));
    EXPECT_FALSE(changed.ok);
    EXPECT_EQ(changed.error, "The document does not match its digest.");

    // A secure block alone, or last, is not checked.
    EXPECT_TRUE(ReadBody("<osml><secure algorithm=\"SHA-256\"> 0 </secure></osml>").ok);
    EXPECT_TRUE(
        ReadBody("<osml><math></math><secure algorithm=\"SHA-256\"> 0 </secure></osml>").ok);
    EXPECT_FALSE(
        ReadBody("<osml><secure algorithm=\"SHA-256\"> 0 </secure><math></math></osml>").ok);
}

// Roots nested in roots, each a secure block, a note of `fill` letters and the next root. A
// root's digest covers the writer's layout of what follows its secure block, blanks and line
// breaks left out; the writer lays out a nested root with a secure block of its own over all
// its children, then the children (the secure block read included).
std::string NestedRoots(int depth, std::size_t fill) {
    const std::string letters(fill, 'n');
    const std::string note = "<annotation>\n" + letters + "\n</annotation>\n";
    const std::string noteLaid = "<annotation>" + letters + "</annotation>";
    const auto hex = [](const std::string& canonical) { return Sha256::Hex(canonical); };
    const auto secureLaid = [](std::string digest) {
        digest.erase(std::remove(digest.begin(), digest.end(), ' '), digest.end());
        return "<securealgorithm=\"SHA-256\">" + digest + "</secure>";
    };
    std::string text, laid;  // the innermost roots so far, as written and as laid out
    for (int level = depth; level >= 1; --level) {
        const std::string digest = hex(noteLaid + laid);
        const std::string children = secureLaid(digest) + noteLaid + laid;
        laid = "<osml>" + secureLaid(hex(children)) + children + "</osml>";
        text = "<osml>\n<secure algorithm=\"SHA-256\"> " + digest + " </secure>\n" + note + text +
               "</osml>\n";
    }
    return text;
}

TEST(MarkupDigest, NestedRootsAreCheckedEachAndOnce) {
    const std::string text = NestedRoots(199, 600);  // some 135 KB
    ASSERT_GT(text.size(), 130000u);
    Document document = ReadText(text);
    ASSERT_TRUE(document.ok) << document.Report();
    // A changed note is found by the root that holds it, the innermost first.
    for (int root : {199, 100, 1}) {
        std::size_t at = 0;
        for (int i = 0; i < root; ++i) at = text.find("<annotation>", at + 1);
        std::string changed = text;
        changed[at + 20] = 'm';
        Document damaged = ReadText(changed);
        EXPECT_FALSE(damaged.ok);
        EXPECT_EQ(damaged.error, "The document does not match its digest.");
        EXPECT_EQ(damaged.line, 1 + 5 * (root - 1)) << root;  // five lines a root
    }
}

}  // namespace
