#pragma once
// Command lines and their arguments as Windows splits them: the C runtime's documented
// examples and the cases that the quoting of a program path or a file path meets. The Windows
// tests hold CommandLineToArgvW to the same table.
#include <string>
#include <vector>

namespace test {

struct CommandLineCase {
    std::string line;
    std::vector<std::string> arguments;
};

inline const std::vector<CommandLineCase> kCommandLineCases{
    {R"(p "a b c" d e)", {"p", "a b c", "d", "e"}},
    {R"(p "ab\"c" "\\" d)", {"p", R"(ab"c)", R"(\)", "d"}},
    {R"(p a\\\b d"e f"g h)", {"p", R"(a\\\b)", "de fg", "h"}},
    {R"(p a\\\"b c d)", {"p", R"(a\"b)", "c", "d"}},
    {R"(p a\\\\"b c" d e)", {"p", R"(a\\b c)", "d", "e"}},
    // A doubled quote inside a group is literal and ends the group; three outside one, too.
    {R"(p a"b"" c d)", {"p", R"(ab")", "c", "d"}},
    {R"(p """a b)", {"p", R"("a)", "b"}},
    {R"(p "" x)", {"p", "", "x"}},
    // The program path: to the next quote (a backslash before it is part of it), or to a blank.
    {R"("C:\Program Files\Sorix\" file.dat)", {R"(C:\Program Files\Sorix\)", "file.dat"}},
    {"\"C:\\Sorix\\Sorix.exe\"\t \"Z:\\work\\two phonons.dat\"",
     {R"(C:\Sorix\Sorix.exe)", R"(Z:\work\two phonons.dat)"}},
    {R"(C:\Sorix\Sorix.exe Z:\data\run.dat)", {R"(C:\Sorix\Sorix.exe)", R"(Z:\data\run.dat)"}},
    {R"("C:\Sorix.exe"x y)", {R"(C:\Sorix.exe)", "x", "y"}},
    {R"(p "unclosed \\ path)", {"p", R"(unclosed \\ path)"}},
};

}  // namespace test
