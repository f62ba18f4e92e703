#include "scenario.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <tuple>

#include "menu_choice.h"

namespace {

// Scenario files to include, by name.
bool ReadIncluded(const std::string& name, std::string& text) {
    static const std::map<std::string, std::string> files = {
        {"setup.txt", "# shared\nkey a\ninclude inner.txt\n"},
        {"inner.txt", "type ${work}\n"},
        {"wrong.txt", "key a\nstrat\n"},
        {"loop.txt", "include loop.txt\n"}};
    const auto found = files.find(name);
    if (found != files.end()) text = found->second;
    return found != files.end();
}

TEST(Scenario, StepsWithQuotedWordsVariablesAndComments) {
    std::string error;
    const auto steps = E2e::ParseScenario(
        "# a comment\n"
        "\n"
        "  start \"${data}\\two phonons.dat\"\r\n"
        "expect-box Message \"Invalid Data File\"\n"
        "expect-state \"status fit\" ~ \"Step = \"\n",
        {{"data", "Z:\\e2e data"}}, error);
    EXPECT_EQ(error, "");
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0].line, 3);
    EXPECT_EQ(steps[0].name, "start");
    EXPECT_EQ(steps[0].words, std::vector<std::string>{"Z:\\e2e data\\two phonons.dat"});
    EXPECT_EQ(steps[1].words, (std::vector<std::string>{"Message", "Invalid Data File"}));
    EXPECT_EQ(steps[2].words, (std::vector<std::string>{"status fit", "~", "Step = "}));
}

// A missing included file, a mistake inside one and a file that includes itself are named too.
TEST(Scenario, AMistakeNamesItsLineAndGivesNoSteps) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"start\nstrat x\n", "line 2: unknown step strat"},
        {"menu\n", "line 1: menu takes 1 to 6 words"},
        {"context-menu LayersClass/SysTreeView32 \"View Layers\"\n",
         "line 1: context-menu takes 3 to 8 words"},
        {"drag main 1 2 3 4 5 queued x\n", "line 1: drag takes 5 to 7 words"},
        {"click main 1 2 right queued x\n", "line 1: click takes 3 to 5 words"},
        {"patience\n", "line 1: patience takes 1 to 1 words"},
        {"click DefinitionClass/SysTreeView32 30 24 right\nkey Down\n",
         "line 2: key right after a right click may reach the window before its menu opens: "
         "choose from the menu with context-menu WINDOW ITEM TEXT..."},
        {"click main 5 5 right queued\ntype x\n",
         "line 2: type right after a right click may reach the window before its menu opens: "
         "choose from the menu with context-menu WINDOW ITEM TEXT..."},
        {"expect-box \"Message\n", "line 1: unclosed quote"},
        {"start ${nothing}/a.dat\n", "line 1: unknown variable in ${nothing}/a.dat"},
        {"start\ninclude none.txt\n", "line 2: no file none.txt to include"},
        {"include wrong.txt\n", "line 1: wrong.txt: line 2: unknown step strat"},
        {"include loop.txt\n",
         "line 1: loop.txt: line 1: loop.txt: line 1: loop.txt: line 1: loop.txt: line 1: "
         "loop.txt: line 1: loop.txt: line 1: loop.txt: line 1: loop.txt: line 1: includes nest "
         "deeper than 8"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_TRUE(E2e::ParseScenario(c.text, {}, error, ReadIncluded).empty()) << c.text;
        EXPECT_EQ(error, c.error);
    }
}

// An included file's steps take the include step's place, each with its own file and line.
TEST(Scenario, IncludedStepsTakeTheIncludeStepsPlace) {
    std::string error;
    const auto steps = E2e::ParseScenario("start\ninclude setup.txt\nclose\n", {{"work", "W"}},
                                          error, ReadIncluded);
    EXPECT_EQ(error, "");
    ASSERT_EQ(steps.size(), 4u);
    const std::vector<std::tuple<std::string, int, std::string>> expected = {
        {"", 1, "start"}, {"setup.txt", 2, "key"}, {"inner.txt", 1, "type"}, {"", 3, "close"}};
    for (std::size_t i = 0; i < steps.size(); ++i)
        EXPECT_EQ(std::tie(steps[i].file, steps[i].line, steps[i].name), expected[i]) << i;
    EXPECT_EQ(steps[2].words, std::vector<std::string>{"W"});
}

// The scenarios that the Windows build runs, with their set-ups, as the driver reads them.
TEST(Scenario, EveryScenarioReads) {
    const std::filesystem::path folder = SORIX_SOURCE_DIR "/tests/e2e/scenarios";
    const auto read = [](const std::filesystem::path& path, std::string& text) {
        std::ifstream in(path, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), {});
        return in.is_open();
    };
    const E2e::IncludeReader include = [&](const std::string& name, std::string& text) {
        return read(folder / name, text);
    };
    int scenarios = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".txt") continue;
        std::string text, error;
        ASSERT_TRUE(read(entry.path(), text));
        EXPECT_FALSE(E2e::ParseScenario(text, {{"data", "D"}, {"work", "W"}, {"program", "P"}},
                                        error, include)
                         .empty());
        EXPECT_EQ(error, "") << entry.path().filename();
        ++scenarios;
    }
    EXPECT_GE(scenarios, 20);
}

TEST(Scenario, StateDumpLinesAndComparisons) {
    auto state = E2e::ParseState("painted: yes\nstatus fit: \nlayer 1 limits: x 0 to 1: y\n");
    EXPECT_EQ(state["painted"], "yes");
    EXPECT_EQ(state["status fit"], "");
    EXPECT_EQ(state["layer 1 limits"], "x 0 to 1: y");
    EXPECT_TRUE(E2e::Compare("Best Chi2 = 0.1", "~", "Chi2 = "));
    EXPECT_FALSE(E2e::Compare("Best Chi2 = 0.1", "=", "Best Chi2"));
    EXPECT_TRUE(E2e::Compare("a", "!=", "b"));
    EXPECT_TRUE(E2e::Compare("201 points; 200 1 2", ">", "200"));
    EXPECT_FALSE(E2e::Compare("201 points", "<", "201"));
    EXPECT_FALSE(E2e::Compare("many", "<", "3"));
    EXPECT_FALSE(E2e::Compare("a", "like", "a"));
}

// Items are named by what a person reads on them; a missing or greyed one is named in the error.
TEST(Scenario, MenuItemsByTheirShownTexts) {
    EXPECT_EQ(E2e::ShownText("Save&As..."), "SaveAs...");
    EXPECT_EQ(E2e::ShownText("Fish && &Chips\tCtrl+F"), "Fish & Chips");
    const std::vector<E2e::MenuEntry> entries = {
        {"&New Project"}, {"", false, true}, {"&Load Data File..."}, {"&Save", true}};
    std::string error;
    EXPECT_EQ(E2e::FindMenuEntry(entries, "Load Data File...", error), 2);
    EXPECT_EQ(E2e::FindMenuEntry(entries, "Save", error), -1);
    EXPECT_EQ(error, "the menu item \"Save\" is greyed");
    EXPECT_EQ(E2e::FindMenuEntry(entries, "Open...", error), -1);
    EXPECT_EQ(error,
              "no menu item \"Open...\" (the menu has \"New Project\", \"Load Data File...\", "
              "\"Save\")");
}

}  // namespace
