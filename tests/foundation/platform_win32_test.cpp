// The Win32 file layer with the read-only attribute itself, as Explorer and attrib set it.
#include <windows.h>

#include <gtest/gtest.h>

#include "foundation/platform.h"
#include "tests/io/reader_support.h"

namespace {

using Platform::SaveStatus;

TEST(PlatformWin32Files, TheReadOnlyAttributeKeepsTheFile) {
    test::ScratchFolder folder{"win32-read-only"};
    const std::string target = folder.Write("t.pjt", "old");
    ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(Platform::IsReadOnlyFile(target));
    EXPECT_EQ(Platform::SaveFile(target, "new", false), SaveStatus::ReadOnly);
    EXPECT_EQ(test::ReadAll(target), "old");
    EXPECT_EQ(GetFileAttributesA((target + ".part").c_str()), INVALID_FILE_ATTRIBUTES);

    ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(Platform::SaveFile(target, "new", false), SaveStatus::Saved);
    EXPECT_EQ(test::ReadAll(target), "new");
}

}  // namespace
