// The file dialogs: their records and buffers through a replaced dialog call, and the real
// dialogs once each, answered by a timer.
#include <windows.h>

#include <cderr.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "foundation/platform.h"
#include "tests/winplus/gui_test_support.h"
#include "winplus/file_dialogs.h"

using namespace std::string_literals;

namespace {

void Write(OPENFILENAMEA& record, const std::string& selection, WORD fileOffset,
           WORD extensionOffset) {
    ASSERT_LT(selection.size(), record.nMaxFile);
    std::memcpy(record.lpstrFile, selection.data(), selection.size());
    record.nFileOffset = fileOffset;
    record.nFileExtension = extensionOffset;
}

struct RunnerScope {
    explicit RunnerScope(Winplus::FileDialogRunner runner) {
        Winplus::SetFileDialogRunner(std::move(runner));
    }
    ~RunnerScope() { Winplus::SetFileDialogRunner(nullptr); }
};

TEST(OpenFileDialog, RecordAndNamesOfTheChoice) {
    std::string filter, title, folder;
    DWORD flags = 0;
    RunnerScope scope([&](OPENFILENAMEA& record, bool save) {
        EXPECT_FALSE(save);
        filter.assign(record.lpstrFilter, 22);
        title = record.lpstrTitle;
        folder = record.lpstrInitialDir;
        flags = record.Flags;
        EXPECT_EQ(record.nMaxFile, 259u);
        Write(record, "C:\\data\\run.dat"s + '\0', 8, 12);
        return Winplus::FileDialogResult{true, 0};
    });
    Winplus::OpenFileDialog dialog(nullptr);
    ASSERT_TRUE(dialog.Run());
    // Without SetFilter the dialog still has a pattern.
    EXPECT_EQ(filter, "All Files (*.*)\0*.*\0\0\0"s);
    EXPECT_EQ(title, "Open File");
    EXPECT_EQ(folder, "C:");
    EXPECT_EQ(flags, 0x81804u);
    EXPECT_EQ(dialog.GetFileName(), "C:\\data\\run.dat");
    EXPECT_EQ(dialog.GetDirectory(), "C:\\data\\");
    EXPECT_EQ(dialog.GetBaseName(), "run");
}

TEST(SaveFileDialog, NameWithoutExtensionKeepsItsLastCharacter) {
    RunnerScope scope([&](OPENFILENAMEA& record, bool save) {
        EXPECT_TRUE(save);
        EXPECT_STREQ(record.lpstrFile, "proposal.pjt");
        EXPECT_STREQ(record.lpstrDefExt, "pjt");
        EXPECT_EQ(record.Flags, 0x80806u);
        // No extension typed: the dialog's extension offset points at the end of the path.
        Write(record, "C:\\data\\run"s + '\0', 8, 11);
        return Winplus::FileDialogResult{true, 0};
    });
    Winplus::SaveFileDialog dialog(nullptr);
    dialog.SetFileName("proposal.pjt");
    dialog.SetDefaultExtension("pjt");
    dialog.SetFilter("Project Files (*.pjt)-*.pjt-");
    ASSERT_TRUE(dialog.Run());
    EXPECT_EQ(dialog.GetBaseName(), "run");
}

TEST(MultiOpenFileDialog, SelectionTooLargeForTheBufferIsAskedForAgain) {
    int calls = 0;
    std::string names;
    for (int i = 0; i < 300; ++i) names += "spectrum" + std::to_string(i) + ".dat" + '\0';
    RunnerScope scope([&](OPENFILENAMEA& record, bool) {
        ++calls;
        if (record.nMaxFile < 5000) {
            EXPECT_EQ(record.nMaxFile, 2599u);
            record.lpstrFile[0] = static_cast<char>(5000 & 0xFF);
            record.lpstrFile[1] = static_cast<char>(5000 >> 8);
            return Winplus::FileDialogResult{false, FNERR_BUFFERTOOSMALL};
        }
        Write(record, "C:\\data"s + '\0' + names + '\0', 8, 0);
        return Winplus::FileDialogResult{true, 0};
    });
    Winplus::MultiOpenFileDialog dialog(nullptr);
    ASSERT_TRUE(dialog.Run());
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(dialog.GetDirectory(), "C:\\data");
    ASSERT_EQ(dialog.GetFileNames().size(), 300u);
    EXPECT_EQ(dialog.GetFileNames()[299], "spectrum299.dat");
}

TEST(MultiOpenFileDialog, CancelIsFalse) {
    RunnerScope scope([](OPENFILENAMEA&, bool) { return Winplus::FileDialogResult{false, 0}; });
    Winplus::MultiOpenFileDialog dialog(nullptr);
    EXPECT_FALSE(dialog.Run());
}

// The platform's dialogs (Platform::ChooseFiles, ChooseSaveFile) run through these classes once
// installed: full paths of every file chosen, the request's texts in the record.
TEST(RunFileDialog, ServesThePlatformsRequests) {
    Platform::SetSystemFileDialogs(Winplus::RunFileDialog);
    std::string title, extension;
    RunnerScope scope([&](OPENFILENAMEA& record, bool save) {
        title = record.lpstrTitle;
        extension = record.lpstrDefExt ? record.lpstrDefExt : "";
        if (save)
            Write(record, "C:\\data\\fit.pjt"s + '\0', 8, 12);
        else if (title == "One")
            Write(record, "C:\\data\\a.dat"s + '\0', 8, 10);
        else
            Write(record, "C:\\data"s + '\0' + "a.dat" + '\0' + "b.dat" + '\0' + '\0', 8, 0);
        return Winplus::FileDialogResult{true, 0};
    });
    Platform::FileDialogRequest request;
    request.title = "Load Data";
    request.filter = "Data Files (*.dat)-*.dat-";
    request.defaultExtension = "dat";
    EXPECT_EQ(Platform::ChooseFiles(request),
              (std::vector<std::string>{"C:\\data\\a.dat", "C:\\data\\b.dat"}));
    EXPECT_EQ(title, "Load Data");
    EXPECT_EQ(extension, "dat");
    request.title = "One";
    EXPECT_EQ(Platform::ChooseFiles(request), std::vector<std::string>{"C:\\data\\a.dat"});
    request.title = "Save Project";
    EXPECT_EQ(Platform::ChooseSaveFile(request), "C:\\data\\fit.pjt");
    Platform::SetSystemFileDialogs(nullptr);
    EXPECT_TRUE(Platform::ChooseFiles(request).empty());  // none installed: cancelled
}

// Answers the first visible dialog box of this thread, from a timer that the dialog's own
// message loop dispatches: types the name and presses OK, or cancels when name is empty.
std::string answerName;
int ticks = 0;

void CALLBACK Answer(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = GuiTest::VisibleDialog();
    if (!dialog) return;
    ++ticks;
    if (!answerName.empty() && ticks < 5) {
        for (int id : {cmb13, edt1})
            if (HWND field = GetDlgItem(dialog, id)) SetWindowTextA(field, answerName.c_str());
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    } else {
        KillTimer(nullptr, timer);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
}

TEST(RealDialogs, OpenDialogReturnsTheTypedFile) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "sorix-dialog-test";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::ofstream(folder + "\\run.dat") << "1 2\n";

    answerName = "run.dat";
    ticks = 0;
    GuiTest::Host host;
    const UINT_PTR timer = SetTimer(nullptr, 0, 300, Answer);
    Winplus::OpenFileDialog dialog(host.Handle());
    dialog.SetInitialDirectory(folder);
    dialog.SetFilter("Data Files (*.dat)-*.dat-All Files (*.*)-*.*-");
    const bool chosen = dialog.Run();
    KillTimer(nullptr, timer);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(dialog.GetBaseName(), "run");
    EXPECT_EQ(dialog.GetFileName(), dialog.GetDirectory() + "run.dat");
    EXPECT_EQ(dialog.GetDirectory().back(), '\\');
    DeleteFileA((folder + "\\run.dat").c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST(RealDialogs, CancelledSaveAndMultipleSelectionAreFalse) {
    answerName.clear();
    GuiTest::Host host;
    ticks = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 300, Answer);
    Winplus::SaveFileDialog save(host.Handle());
    save.SetFileName("proposal.pjt");
    EXPECT_FALSE(save.Run());
    KillTimer(nullptr, timer);
    ticks = 0;
    timer = SetTimer(nullptr, 0, 300, Answer);
    Winplus::MultiOpenFileDialog open(host.Handle());
    EXPECT_FALSE(open.Run());
    KillTimer(nullptr, timer);
    EXPECT_GE(ticks, 1);
}

TEST(RealDialogs, CancelledFolderPickerIsFalse) {
    answerName.clear();
    ticks = 0;
    std::string path = "unchanged";
    const UINT_PTR timer = SetTimer(nullptr, 0, 300, Answer);
    EXPECT_FALSE(Winplus::PickFolder(path));
    KillTimer(nullptr, timer);
    EXPECT_EQ(path, "unchanged");
}

}  // namespace
