#include <gtest/gtest.h>

#include <filesystem>

#include "foundation/event_bus.h"
#include "foundation/platform.h"
#include "foundation/platform_thread_internal.h"
#include "foundation/random.h"
#include "tests/io/reader_support.h"

namespace {

TEST(Platform, AnsiRoundTripKeepsWindows1252Characters) {
    std::string text = "a\xE9\x80z";  // a, e acute, euro sign, z
    std::wstring wide;
    ASSERT_TRUE(Platform::AnsiToWide(text, wide));
    ASSERT_EQ(wide.size(), 4u);
    EXPECT_EQ(static_cast<unsigned>(wide[1]), 0xE9u);
    EXPECT_EQ(static_cast<unsigned>(wide[2]), 0x20ACu);
    std::string back;
    ASSERT_TRUE(Platform::WideToAnsi(wide, back));
    EXPECT_EQ(back, text);
}

const std::filesystem::perms kReadOnly = std::filesystem::perms::owner_read |
                                         std::filesystem::perms::group_read |
                                         std::filesystem::perms::others_read;

TEST(PlatformFiles, ASaveGoesThroughAFreshTemporaryFileAndNeverReplacesAReadOnlyOne) {
    namespace fs = std::filesystem;
    using Platform::SaveStatus;
    test::ScratchFolder folder{"platform-save"};
    const std::string target = folder.Write("t.txt", "old");
    const std::string part = target + ".part";

    // A file left where the temporary file goes is removed first: the creation is exclusive.
    folder.Write("t.txt.part", "stale");
    EXPECT_EQ(Platform::SaveFile(target, "a\nb\n", true), SaveStatus::Saved);
#ifdef _WIN32
    EXPECT_EQ(test::ReadAll(target), "a\r\nb\r\n");
#else
    EXPECT_EQ(test::ReadAll(target), "a\nb\n");
#endif
    EXPECT_FALSE(fs::exists(part));
    EXPECT_EQ(Platform::SaveFile(target, std::string("\0\n\r", 3), false), SaveStatus::Saved);
    EXPECT_EQ(test::ReadAll(target), std::string("\0\n\r", 3));

    // The mark itself is looked at: a process that could write anyway (root) is refused too.
    fs::permissions(target, kReadOnly);
    EXPECT_TRUE(Platform::IsReadOnlyFile(target));
    EXPECT_EQ(Platform::SaveFile(target, "new", false), SaveStatus::ReadOnly);
    EXPECT_EQ(Platform::SaveFailureMessage(target), "The file \"" + target + "\" is read-only.");
    fs::permissions(target, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_FALSE(Platform::IsReadOnlyFile(target));
    EXPECT_FALSE(Platform::IsReadOnlyFile(folder.Path()));
    EXPECT_EQ(Platform::SaveFailureMessage(target), "File write failed");

    // A folder where the temporary file goes stays, and fails the save.
    fs::create_directory(part);
    EXPECT_EQ(Platform::SaveFile(target, "new", false), SaveStatus::CannotCreate);
    EXPECT_TRUE(fs::is_directory(part));
    fs::remove(part);
    EXPECT_EQ(test::ReadAll(target), std::string("\0\n\r", 3));

    // A save that is not committed takes its temporary file with it.
    {
        Platform::FileSave save(target, false);
        EXPECT_EQ(save.Status(), SaveStatus::Ready);
        EXPECT_TRUE(fs::is_regular_file(part));
    }
    EXPECT_FALSE(fs::exists(part));
    EXPECT_EQ(test::ReadAll(target), std::string("\0\n\r", 3));
}

TEST(PlatformFiles, AWholeFileReadsAsItsBytesAndAFolderDoesNotOpen) {
    using Platform::ReadStatus;
    test::ScratchFolder folder{"platform-read"};
    const std::string bytes("x\r\n\0\x1A y", 7);
    std::string read = "before";
    EXPECT_EQ(Platform::ReadWholeFile(folder.Write("f.bin", bytes), read), ReadStatus::Read);
    EXPECT_EQ(read, bytes);
    read = "before";
    EXPECT_EQ(Platform::ReadWholeFile(folder.Path(), read), ReadStatus::CannotOpen);
    EXPECT_EQ(Platform::ReadWholeFile(folder.File("missing"), read), ReadStatus::CannotOpen);
    EXPECT_EQ(read, "before");
}

}  // namespace

// The process reset also puts back the thread seam and the random generator of start-up: after
// it, a refused creation is allowed again and the draws no longer follow the seed a test gave (a
// generator seeded from the time draws the same first word once in 2^32 starts).
TEST(ProcessReset, RestoresTheThreadSeamAndTheGenerator) {
    Platform::SetCreationRefusal([](Platform::Resource) { return true; });
    ASSERT_TRUE(Platform::CreationRefused(Platform::Resource::Thread));
    Random::SeedWith(5489);
    const std::uint32_t first = Random::Integer();
    Random::SeedWith(5489);
    ResetProcessState();
    EXPECT_FALSE(Platform::CreationRefused(Platform::Resource::Thread));
    EXPECT_NE(Random::Integer(), first);
    Random::SeedWith(5489);
    EXPECT_EQ(Random::Integer(), first);
}
