#pragma once
// Runs a scenario's steps against the program, one after the other; the first failing step
// ends the run.
#include <map>
#include <string>

#include "input.h"
#include "program.h"
#include "scenario.h"

namespace E2e {

class Runner {
public:
    Runner(Program& program, std::string work) : program_(program), work_(std::move(work)) {}

    // Empty when the step passed, otherwise why it failed.
    std::string Run(const Step& step);
    // The screenshot and the last state dump beside the test's output, and the program's boxes.
    void LeaveEvidence(bool fromWatchdog = false);

private:
    std::string Start(const Step& step);
    std::string Input(const Step& step);
    std::string Menu(const Step& step);
    std::string ContextMenu(const Step& step);
    // Empty when the point shows the program, raising its main window if need be.
    std::string Uncover(POINT at);
    std::string ExpectBox(const Step& step);
    std::string AnswerBox(const Step& step);
    std::string FillDialog(const Step& step);
    std::string ExpectTree(const Step& step);
    std::string ExpectState(const Step& step);
    std::string ExpectFile(const Step& step);
    std::string ExpectWindow(const Step& step);
    std::string Close(const Step& step);
    std::string ExpectExit(const Step& step);
    // Waits up to the patience for the program's end with the step's exit code (0 unless told);
    // a box of the program fails it ("a box came " + boxCame + ...), and so does a program that
    // still runs then (stillRuns).
    std::string WaitForEnd(const Step& step, const std::string& boxCame,
                           const std::string& stillRuns);
    std::string Resize(const Step& step);
    std::string Measure(const Step& step);
    std::string ExpectFlat(const Step& step);
    std::string CloseWindow(const Step& step);
    std::string WriteSpectrum(const Step& step);
    std::string ExpectRepaint(const Step& step);
    Pixels SteadyPicture(HWND window);
    // The window a step names, waiting for it: it may be one that the step before opened (an
    // edit box over a list, say). Null and failure set when it did not come.
    HWND WaitForWindow(const std::string& pattern, std::string& failure);
    // The program's box with that caption, waiting for it; null after the time-out.
    HWND WaitForBox(const std::string& caption);
    HWND Main();
    std::string WaitForPainted();

    Program& program_;
    std::string work_;
    std::string lastDump_;
    std::map<std::string, std::string> marked_;
    std::map<std::string, Resources> measured_;
};

}  // namespace E2e
