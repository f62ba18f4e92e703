#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "app/base/about_box.h"
#include "app/base/help_pages.h"
#include "app/base/project_comment.h"

namespace {

namespace Comment = Core::ProjectComment;

TEST(CommentEditor, HandsInItsWholeTextAndShowsTheComment) {
    std::string editorText;
    Comment::SetObserver(Comment::MakeEditor([&] { return editorText; },
                                             [&](const std::string& text) { editorText = text; }));
    // Longer than the 127 characters a window's text read-back gives.
    editorText = std::string(300, 'c') + "\r\nend";
    EXPECT_EQ(Comment::Get(true), editorText);
    EXPECT_EQ(Comment::Get(false).size(), 305u);

    Comment::Set("from a project", true);
    EXPECT_EQ(editorText, "from a project");
    Comment::Set("unshown", false);
    EXPECT_EQ(editorText, "from a project");
    Comment::Reset();
    EXPECT_EQ(editorText, "//Project comment and description");
    Comment::SetObserver(nullptr);
}

TEST(HelpPages, EachHelpItemOpensAPageShippedWithTheProgram) {
    const struct {
        int menuId;
        const char* path;
    } cases[] = {
        {178, "C:\\Sorix\\Help Files\\sorix.html"},
        {179, "C:\\Sorix\\Help Files\\functions.html"},
        {223, "C:\\Sorix\\Help Files\\osml.html"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.menuId);
        EXPECT_EQ(Core::HelpPages::PathFor(c.menuId, "C:\\Sorix"), c.path);
    }
    EXPECT_FALSE(Core::HelpPages::PathFor(181, "C:\\Sorix"));  // Notepad is no page
    for (const Core::HelpPages::Page& page : Core::HelpPages::kPages) {
        SCOPED_TRACE(page.fileName);
        std::ifstream in(std::string(SORIX_SOURCE_DIR) + "/app/resources/Help Files/" +
                         page.fileName);
        std::ostringstream text;
        text << in.rdbuf();
        EXPECT_EQ(text.str().rfind("<!DOCTYPE html>", 0), 0u);
        EXPECT_NE(text.str().find("<title>Sorix 2.0"), std::string::npos);
        EXPECT_NE(text.str().find("</html>"), std::string::npos);
    }
}

TEST(AboutBox, OnlyOkEndsTheDialog) {
    EXPECT_STREQ(Core::About::kTitle, "About Sorix...");
    EXPECT_STREQ(Core::About::kVersion, "Sorix version 2.0");
    EXPECT_EQ(Core::About::ResultOfCommand(1), 1);
    EXPECT_FALSE(Core::About::ResultOfCommand(2));
    EXPECT_FALSE(Core::About::ResultOfCommand(0));
}

}  // namespace
