#include "runner.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "input.h"
#include "menus.h"
#include "remote_controls.h"

namespace E2e {

namespace {

// How long a step waits for what it expects: 30 s unless a patience step said otherwise. A step
// that passes waits no longer than it must; with every core busy twice over, a start's first
// paint through software Direct2D took over 15 s.
DWORD waitMs = 30000;

// Polls check until it gives an empty text or the time is up; its last answer.
template <class Check>
std::string WaitFor(const Check& check, DWORD timeoutMs = waitMs) {
    const DWORD start = GetTickCount();
    std::string failure = check();
    while (!failure.empty() && GetTickCount() - start < timeoutMs) {
        Sleep(100);
        failure = check();
    }
    return failure;
}

std::string ReadFile(const std::string& path, bool& found) {
    std::ifstream in(path, std::ios::binary);
    found = in.is_open();
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Seconds(DWORD ms) {
    return std::to_string(ms / 1000) + " s";
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

}  // namespace

HWND Runner::Main() {
    return program_.MainWindow(waitMs);
}

std::string Runner::Run(const Step& step) {
    const std::string& n = step.name;
    if (n == "start") return Start(step);
    if (n == "menu") return Menu(step);
    if (n == "context-menu") return ContextMenu(step);
    if (n == "key" || n == "type" || n == "click" || n == "dblclick" || n == "drag" ||
        n == "pointer")
        return Input(step);
    if (n == "expect-box") return ExpectBox(step);
    if (n == "answer-box") return AnswerBox(step);
    if (n == "fill-dialog") return FillDialog(step);
    if (n == "expect-tree") return ExpectTree(step);
    if (n == "expect-state") return ExpectState(step);
    if (n == "expect-file") return ExpectFile(step);
    if (n == "expect-window") return ExpectWindow(step);
    if (n == "close") return Close(step);
    if (n == "expect-exit") return ExpectExit(step);
    if (n == "resize") return Resize(step);
    if (n == "measure") return Measure(step);
    if (n == "expect-flat") return ExpectFlat(step);
    if (n == "close-window") return CloseWindow(step);
    if (n == "spectrum") return WriteSpectrum(step);
    if (n == "patience") {
        const long seconds = std::atol(step.words[0].c_str());
        if (seconds < 1) return "not a number of seconds: " + step.words[0];
        waitMs = static_cast<DWORD>(seconds) * 1000;
        return "";
    }
    if (n == "expect-repaint") return ExpectRepaint(step);
    if (n == "copy")
        return CopyFileA(step.words[0].c_str(), step.words[1].c_str(), FALSE)
                   ? ""
                   : "cannot copy " + step.words[0] + " to " + step.words[1];
    if (n == "mark") {
        lastDump_ = program_.StateDump(waitMs);
        marked_ = ParseState(lastDump_);
        return lastDump_.empty() ? "no state dump" : "";
    }
    if (n == "expect-banner")
        return program_.BannerCameAndWent(waitMs) ? "" : "the splash banner did not come and go";
    if (n == "screenshot")
        return SaveScreenshot(work_ + "\\" + step.words[0] + ".bmp") ? "" : "no screenshot";
    return "unknown step " + n;
}

// A text spectrum of N points from 100 to 1000: one Lorentzian line at 550, from -0.4 to 0.4 (in
// the start-up layer's limits).
std::string Runner::WriteSpectrum(const Step& step) {
    const long points = std::atol(step.words[1].c_str());
    if (points < 2) return "not a number of points: " + step.words[1];
    std::ofstream out(step.words[0], std::ios::binary);
    char line[96];
    for (long i = 0; i < points; ++i) {
        const double x = 100.0 + 900.0 * static_cast<double>(i) / static_cast<double>(points - 1);
        const double u = (x - 550.0) / 30.0;
        std::snprintf(line, sizeof line, "%.6f %.9g 0\n", x, 0.8 / (1.0 + u * u) - 0.4);
        out << line;
    }
    return out ? "" : "cannot write " + step.words[0];
}

std::string Runner::Start(const Step& step) {
    lastDump_.clear();
    bool quoteProgram = true;
    std::string arguments;
    for (const std::string& word : step.words) {
        if (&word == &step.words.front() && word == "unquoted") {
            quoteProgram = false;
            continue;
        }
        // As Wine passes arguments on: quoted only when they hold a blank.
        const std::string argument = word.find(' ') != std::string::npos ? Quoted(word) : word;
        arguments += arguments.empty() ? argument : " " + argument;
    }
    return program_.Start(arguments, quoteProgram, 30000);
}

std::string Runner::Input(const Step& step) {
    if (!Main()) return "no main window";
    if (step.name == "key")
        return PressKeys(Main(), step.words[0]) ? "" : "unknown key " + step.words[0];
    if (step.name == "type")
        return TypeText(Main(), step.words[0]) ? "" : "no key types " + step.words[0];
    std::string failure;
    HWND window = WaitForWindow(step.words[0], failure);
    if (!window) return failure;
    // The pointer rests where a queued drag will begin: once the program has laid out and painted
    // what the steps before changed (a splitter's drag moves the windows beside it after its own),
    // so that the window lies where it stays.
    if (step.name == "pointer" && !(failure = WaitForPainted()).empty()) return failure;
    POINT at{};
    if (!ScreenPoint(window, step.words[1], step.words[2], at)) return "no window " + step.words[0];
    if (std::string covered = Uncover(at); !covered.empty()) return covered;
    if (step.name == "pointer") {
        MovePointer(program_.Handle(), at);
        return "";
    }
    // A click's options follow its place, a drag's its distance and number of moves.
    const std::size_t options = step.name == "drag" ? 5 : 3;
    const bool queued = step.words.size() > options && step.words.back() == "queued";
    const std::size_t given = step.words.size() - (queued ? 1 : 0);
    bool right = false;
    for (std::size_t i = options; step.name == "click" && i < given; ++i) {
        if (step.words[i] != "right") return "unknown click option " + step.words[i];
        right = true;
    }
    if (step.name == "click") {
        Click(program_.Handle(), at, right, !queued);
    } else if (step.name == "dblclick") {
        DoubleClick(program_.Handle(), at);
    } else {
        const int moves = given > 5 ? std::atoi(step.words[5].c_str()) : 8;
        if (moves < 1) return "not a number of moves: " + step.words[5];
        if (queued && given > 5) return "a queued drag moves once";
        const POINT delta{std::stol(step.words[3]), std::stol(step.words[4])};
        if (!queued)
            Drag(program_.Handle(), at, delta, moves);
        else if (!QueuedDrag(at, delta))
            return "the pointer is not at the drag's start: a queued drag sends the gesture alone "
                   "(pointer WINDOW X Y first)";
    }
    // The program says it has painted only once no input waits and nothing is left to paint: it
    // has taken the whole gesture and drawn what it opened or changed, so that no later step (a
    // resize, a click on a window the gesture showed) overtakes it. A queued click or
    // drag waits for nothing: the steps after it pile up behind it, as a quick hand's input does.
    return queued ? "" : WaitForPainted();
}

// Another program's window (a test running beside) may lie over the point: the main window is
// raised above it. A popup of the program (a drop-down list) belongs to the main window.
std::string Runner::Uncover(POINT at) {
    if (GetAncestor(WindowFromPoint(at), GA_ROOTOWNER) == Main()) return "";
    SetWindowPos(Main(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (GetAncestor(WindowFromPoint(at), GA_ROOTOWNER) == Main()) return "";
    return "another window lies over the program at " + std::to_string(at.x) + "," +
           std::to_string(at.y);
}

// menu TEXT...: the first text on the menu bar, each further one in the menu the one before
// opened, with the mouse.
std::string Runner::Menu(const Step& step) {
    HWND main = Main();
    if (!main) return "no main window";
    // The menu bar lies just above the client area.
    POINT bar{10, -2};
    ClientToScreen(main, &bar);
    if (std::string covered = Uncover(bar); !covered.empty()) return covered;
    return ChooseFromMenuBar(program_.Handle(), main, step.words, waitMs);
}

// context-menu WINDOW ITEM TEXT...: a right click on the item of a tree or list view, then the
// texts chosen from the menu that opens.
std::string Runner::ContextMenu(const Step& step) {
    const std::string& path = step.words[1];
    RECT place{};
    const std::string found = WaitFor([&]() -> std::string {
        HWND control = FindWindowByPattern(Main(), step.words[0]);
        if (!control) return "no control " + step.words[0];
        for (const ControlItem& item : ReadItems(control))
            if (item.path == path) place = item.place;
        return IsRectEmpty(&place) ? "no item " + Quoted(path) + " in sight" : "";
    });
    if (!found.empty()) return found;
    const POINT at{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
    if (std::string covered = Uncover(at); !covered.empty()) return covered;
    Click(program_.Handle(), at, true);
    return ChooseFromPopup(program_.Handle(), {step.words.begin() + 2, step.words.end()}, waitMs);
}

std::string Runner::WaitForPainted() {
    return WaitFor([&] {
        return ParseState(program_.StateDump(5000))["painted"] == "yes" ? "" : "not painted";
    });
}

HWND Runner::WaitForWindow(const std::string& pattern, std::string& failure) {
    HWND window = nullptr;
    failure = WaitFor([&] {
        window = FindWindowByPattern(Main(), pattern);
        return window ? "" : "no window " + pattern;
    });
    return window;
}

HWND Runner::WaitForBox(const std::string& caption) {
    HWND found = nullptr;
    WaitFor([&] {
        for (const Box& box : program_.Boxes())
            if (box.caption == caption) found = box.window;
        return found ? "" : "none";
    });
    return found;
}

std::string Runner::ExpectBox(const Step& step) {
    if (!WaitForBox(step.words[0])) return "no box " + Quoted(step.words[0]);
    if (step.words.size() < 2) return "";
    for (const Box& box : program_.Boxes())
        if (box.caption == step.words[0] && box.text == step.words[1]) return "";
    return "the box " + Quoted(step.words[0]) + " does not say " + Quoted(step.words[1]);
}

std::string Runner::AnswerBox(const Step& step) {
    HWND box = WaitForBox(step.words[0]);
    if (!box) return "no box " + Quoted(step.words[0]);
    if (!PressButton(box, step.words[1])) return "no button " + Quoted(step.words[1]);
    return WaitFor([&] { return IsWindow(box) && IsWindowVisible(box) ? "the box stays" : ""; });
}

std::string Runner::FillDialog(const Step& step) {
    HWND dialog = WaitForBox(step.words[0]);
    if (!dialog) return "no dialog " + Quoted(step.words[0]);
    const std::string& answer = step.words[3];
    if (answer != "ok" && answer != "cancel") return "fill-dialog ends with ok or cancel";
    // The dialog shows before its controls are all made.
    const std::string filled = WaitFor([&]() -> std::string {
        return FillFileDialog(dialog, step.words[1], step.words[2], answer == "ok")
                   ? ""
                   : "no file name field";
    });
    if (!filled.empty()) return filled;
    return WaitFor([&] { return IsWindow(dialog) ? "the dialog stays" : ""; });
}

std::string Runner::ExpectTree(const Step& step) {
    const std::string& path = step.words[1];
    const std::string state = step.words.size() > 2 ? step.words[2] : "";
    return WaitFor([&]() -> std::string {
        HWND control = FindWindowByPattern(Main(), step.words[0]);
        if (!control) return "no control " + step.words[0];
        for (const ControlItem& item : ReadItems(control)) {
            if (item.path != path) continue;
            const bool matches = state.empty() || (state == "checked" && item.checked) ||
                                 (state == "unchecked" && !item.checked) ||
                                 (state == "selected" && item.selected) ||
                                 state == "image=" + std::to_string(item.image);
            return matches ? "" : "item " + Quoted(path) + " is not " + state;
        }
        return "no item " + Quoted(path);
    });
}

std::string Runner::ExpectState(const Step& step) {
    const std::string& key = step.words[0];
    const bool changed = step.words.size() == 2;
    if (changed && step.words[1] != "changed") return "expect-state KEY changed, or KEY OP VALUE";
    return WaitFor([&]() -> std::string {
        lastDump_ = program_.StateDump(5000);
        if (lastDump_.empty()) return "no state dump";
        const auto state = ParseState(lastDump_);
        const auto found = state.find(key);
        if (found == state.end()) return "no " + Quoted(key) + " in the state dump";
        if (changed) {
            const auto old = marked_.find(key);
            return old == marked_.end() || old->second != found->second
                       ? ""
                       : Quoted(key) + " is still " + Quoted(found->second);
        }
        return Compare(found->second, step.words[1], step.words[2])
                   ? ""
                   : Quoted(key) + " is " + Quoted(found->second) + ", not " + step.words[1] + " " +
                         Quoted(step.words[2]);
    });
}

std::string Runner::ExpectFile(const Step& step) {
    // A command posted before (Save) may still be writing the file, and a reader holding it
    // open would keep the program from replacing it.
    if (!program_.WaitTaken(waitMs)) return "the program did not take the steps before";
    const std::string& path = step.words[0];
    bool found = false;
    const std::string bytes = ReadFile(path, found);
    if (!found) return "no file " + path;
    if (step.words.size() == 2)
        return step.words[1] == "exists" ? "" : "expect-file PATH exists, = FILE or ~ TEXT";
    if (step.words[1] == "~")
        return bytes.find(step.words[2]) != std::string::npos ? ""
                                                              : path + " lacks " + step.words[2];
    if (step.words[1] == "begins") {
        // Bytes in hexadecimal, apart by blanks.
        std::istringstream hex(step.words[2]);
        std::string expected;
        for (unsigned byte = 0; hex >> std::hex >> byte;) expected += static_cast<char>(byte);
        return bytes.compare(0, expected.size(), expected) == 0 ? "" : path + " begins otherwise";
    }
    bool referenceFound = false;
    const std::string reference = ReadFile(step.words[2], referenceFound);
    if (step.words[1] != "=" || !referenceFound) return "no reference file " + step.words[2];
    return bytes == reference ? "" : path + " differs from " + step.words[2];
}

std::string Runner::ExpectWindow(const Step& step) {
    return WaitFor([&]() -> std::string {
        HWND window = FindWindowByPattern(Main(), step.words[0]);
        RECT r{};
        if (!window || !GetWindowRect(window, &r)) return "no window " + step.words[0];
        const std::string& property = step.words[1];
        std::string actual;
        if (property == "title") actual = WindowText(window);
        if (property == "left") actual = std::to_string(r.left);
        if (property == "top") actual = std::to_string(r.top);
        if (property == "right") actual = std::to_string(r.right);
        if (property == "bottom") actual = std::to_string(r.bottom);
        if (property == "width") actual = std::to_string(r.right - r.left);
        if (property == "height") actual = std::to_string(r.bottom - r.top);
        if (actual.empty() && property != "title") return "no window property " + property;
        return Compare(actual, step.words[2], step.words[3])
                   ? ""
                   : step.words[0] + " " + property + " is " + Quoted(actual);
    });
}

std::string Runner::Close(const Step& step) {
    // The main window may be gone already: the program is on its way out.
    if (HWND main = program_.MainWindow(0)) PostMessageA(main, WM_CLOSE, 0, 0);
    return WaitForEnd(step, "at close",
                      "the program did not end within " + Seconds(waitMs) + " of WM_CLOSE");
}

// The program ends by itself, with nothing sent to it: the key or menu item of the step before
// must have ended it.
std::string Runner::ExpectExit(const Step& step) {
    return WaitForEnd(step, "instead of the end",
                      "the program did not end by itself within " + Seconds(waitMs));
}

std::string Runner::WaitForEnd(const Step& step, const std::string& boxCame,
                               const std::string& stillRuns) {
    char* end = nullptr;
    const long expected = step.words.empty() ? 0 : std::strtol(step.words[0].c_str(), &end, 10);
    if (end && *end) return "not an exit code: " + step.words[0];
    if (!program_.Handle()) return "the program was not started";
    const DWORD start = GetTickCount();
    do {
        for (const Box& box : program_.Boxes())
            return "a box came " + boxCame + ": " + Quoted(box.caption) + " " + Quoted(box.text);
        const long code = program_.WaitForExit(50);
        if (code >= 0) return code == expected ? "" : "exit code " + std::to_string(code);
    } while (GetTickCount() - start < waitMs);
    return stillRuns;
}

std::string Runner::Resize(const Step& step) {
    HWND main = Main();
    RECT original{};
    if (!main || !GetWindowRect(main, &original)) return "no main window";
    const int count = std::stoi(step.words[0]);
    for (int i = 0; i < count; ++i) {
        // Sizes from small to larger than the screen, none twice in a row.
        const int width = 300 + (i * 37) % 1100, height = 200 + (i * 53) % 900;
        SetWindowPos(main, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
        if (!program_.Running()) return "the program ended at resize " + std::to_string(i + 1);
    }
    SetWindowPos(main, nullptr, 0, 0, original.right - original.left,
                 original.bottom - original.top, SWP_NOMOVE | SWP_NOZORDER);
    return "";
}

std::string Runner::Measure(const Step& step) {
    // Measured when the program is idle with everything painted.
    const std::string painted = WaitForPainted();
    if (!painted.empty()) return painted;
    const Resources r = program_.Measure();
    measured_[step.words[0]] = r;
    std::printf("measure %s: GDI %u, USER %u, private bytes %llu (%s)\n", step.words[0].c_str(),
                r.gdi, r.user, r.privateBytes, r.how.c_str());
    return "";
}

std::string Runner::ExpectFlat(const Step& step) {
    const auto from = measured_.find(step.words[0]), to = measured_.find(step.words[1]);
    if (from == measured_.end() || to == measured_.end()) return "measure both first";
    const auto grew = [](unsigned long long a, unsigned long long b) {
        return b > a ? static_cast<long long>(b - a) : 0LL;
    };
    const Resources &a = from->second, &b = to->second;
    if (grew(a.gdi, b.gdi) > std::stoll(step.words[2])) return "GDI objects grew";
    if (grew(a.user, b.user) > std::stoll(step.words[3])) return "USER objects grew";
    if (grew(a.privateBytes, b.privateBytes) > 1024 * std::stoll(step.words[4]))
        return "private bytes grew";
    return "";
}

// A top-level window of any process (a program Sorix.exe started), found by its title.
std::string Runner::CloseWindow(const Step& step) {
    const std::string& title = step.words[0];
    HWND window = nullptr;
    const std::string shown = WaitFor([&]() -> std::string {
        window = FindWindowA(nullptr, title.c_str());
        return window && IsWindowVisible(window) ? "" : "no window titled " + Quoted(title);
    });
    if (!shown.empty()) return shown;
    PostMessageA(window, WM_CLOSE, 0, 0);
    return WaitFor(
        [&] { return IsWindow(window) ? "the window " + Quoted(title) + " stays" : ""; });
}

// The picture of the window on the screen once two captures a moment apart agree: the
// program's drawing reaches the screen a little after it has painted. Empty when it keeps
// changing.
Pixels Runner::SteadyPicture(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    Pixels last = CaptureScreen(r);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < waitMs) {
        Sleep(150);
        Pixels now = CaptureScreen(r);
        if (now == last) return now;
        last = std::move(now);
    }
    return {};
}

// The pointer is moved to the main window's title bar first, so that nothing under it (a
// tooltip, a button's hover look) changes the picture between the two captures.
std::string Runner::ExpectRepaint(const Step& step) {
    std::string failure;
    HWND window = WaitForWindow(step.words[0], failure);
    if (!window) return failure;
    RECT main{};
    GetWindowRect(Main(), &main);
    const POINT title{(main.left + main.right) / 2, main.top + GetSystemMetrics(SM_CYSIZEFRAME) +
                                                        GetSystemMetrics(SM_CYCAPTION) / 2};
    DWORD_PTR hit = 0;
    SendMessageTimeoutA(Main(), WM_NCHITTEST, 0, MAKELPARAM(title.x, title.y), SMTO_ABORTIFHUNG,
                        waitMs, &hit);
    if (hit != HTCAPTION) return "no title bar to rest the pointer on";
    MovePointer(program_.Handle(), title);
    SetWindowPos(Main(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    failure = WaitForPainted();
    if (!failure.empty()) return failure;
    const Pixels drawn = SteadyPicture(window);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    failure = WaitForPainted();
    if (!failure.empty()) return failure;
    const Pixels repainted = SteadyPicture(window);
    if (drawn.pixels.empty() || repainted.pixels.empty())
        return "the picture of " + step.words[0] + " does not settle";
    if (drawn == repainted) return "";
    // Where they differ, in the window's coordinates, and both pictures beside the test.
    int differing = 0, left = drawn.width, top = drawn.height, right = -1, bottom = -1;
    for (int y = 0; y < drawn.height && drawn.width == repainted.width; ++y)
        for (int x = 0; x < drawn.width; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * drawn.width + x;
            if (drawn.pixels[at] == repainted.pixels[at]) continue;
            ++differing;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    const std::string stem = work_ + "\\repaint-line" + std::to_string(step.line);
    SaveBitmap(stem + "-drawn.bmp", drawn);
    SaveBitmap(stem + "-repainted.bmp", repainted);
    return std::to_string(differing) + " pixels of " + step.words[0] +
           " differ from a full repaint, from " + std::to_string(left) + "," + std::to_string(top) +
           " to " + std::to_string(right) + "," + std::to_string(bottom) + " (" + stem +
           "-drawn.bmp, -repainted.bmp)";
}

void Runner::LeaveEvidence(bool fromWatchdog) {
    if (SaveScreenshot(work_ + "\\failure.bmp"))
        std::fprintf(stderr, "screenshot: %s\\failure.bmp\n", work_.c_str());
    if (program_.Handle() && !program_.Running())
        std::fprintf(stderr, "the program ended with exit code %ld\n", program_.WaitForExit(0));
    const std::string dump = program_.Running() ? program_.StateDump(3000) : "";
    // The last one read when the program no longer answers (the watchdog leaves it to the
    // steps' thread, which may be writing it).
    std::ofstream(work_ + "\\state.txt", std::ios::binary)
        << (!dump.empty()                       ? dump
            : fromWatchdog || lastDump_.empty() ? "no state dump: the program did not answer\n"
                                                : lastDump_);
    std::fprintf(stderr, "state dump: %s\\state.txt\n", work_.c_str());
    for (const Box& box : program_.Boxes())
        std::fprintf(stderr, "box of the program: \"%s\" \"%s\"\n", box.caption.c_str(),
                     box.text.c_str());
}

}  // namespace E2e
