#include "library/FileSystem.h"
#include "tests/library/LibraryTestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

namespace pastimo {
namespace {

using test::ExistsRaw;
using test::ListFolder;
using test::ReadRaw;
using test::WriteRaw;

class FileSystemTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    FileSystem& fs = PlatformFileSystem();
    std::string At(const std::string& name) const { return folder.Path() + name; }
};

TEST_F(FileSystemTest, ReadsWholeFileBytes) {
    const std::string bytes("a\0b\r\n\xFF", 6);
    ASSERT_TRUE(WriteRaw(At("f.dat"), bytes));
    std::string read = "old";
    ASSERT_TRUE(fs.ReadWholeFile(At("f.dat"), read));
    EXPECT_EQ(read, bytes);

    ASSERT_TRUE(WriteRaw(At("empty.dat"), ""));
    ASSERT_TRUE(fs.ReadWholeFile(At("empty.dat"), read));
    EXPECT_EQ(read, "");

    std::string big(300000, 'x');
    big[123456] = '\n';
    ASSERT_TRUE(WriteRaw(At("big.dat"), big));
    ASSERT_TRUE(fs.ReadWholeFile(At("big.dat"), read));
    EXPECT_EQ(read, big);
}

TEST_F(FileSystemTest, ReadFailsForMissingFileFolderAndHeldFile) {
    std::string read = "unchanged";
    EXPECT_FALSE(fs.ReadWholeFile(At("missing.dat"), read));
    EXPECT_FALSE(fs.ReadWholeFile(At("nofolder") + test::kSep + "f.dat", read));
    ASSERT_TRUE(test::MakeFolderRaw(At("dir")));
    EXPECT_FALSE(fs.ReadWholeFile(At("dir"), read));
    ASSERT_TRUE(WriteRaw(At("held.dat"), "x"));
    {
        test::ExclusiveHold hold(At("held.dat"));
        EXPECT_FALSE(fs.ReadWholeFile(At("held.dat"), read));
    }
    EXPECT_EQ(read, "unchanged");
    EXPECT_TRUE(fs.ReadWholeFile(At("held.dat"), read));
    EXPECT_EQ(read, "x");
}

TEST_F(FileSystemTest, SharedReadGetsPastAnEditorsHoldButNotAnExclusiveOne) {
    const std::string bytes("[CLIP]\r\nAUTO=0\r\n\0\xFF", 18);
    ASSERT_TRUE(WriteRaw(At("shared.ini"), bytes));
    std::string read = "unchanged";
    {
        test::SharedHold editor(At("shared.ini"));
        EXPECT_FALSE(fs.ReadWholeFile(At("shared.ini"), read)) << "the exclusive read still waits its turn";
        ASSERT_TRUE(fs.ReadSharedFile(At("shared.ini"), read));
        EXPECT_EQ(read, bytes);
    }
    read = "unchanged";
    {
        test::ExclusiveHold hold(At("shared.ini"));
        EXPECT_FALSE(fs.ReadSharedFile(At("shared.ini"), read));
    }
    EXPECT_EQ(read, "unchanged");
    EXPECT_FALSE(fs.ReadSharedFile(At("missing.ini"), read));
    ASSERT_TRUE(test::MakeFolderRaw(At("dir")));
    EXPECT_FALSE(fs.ReadSharedFile(At("dir"), read));
    EXPECT_EQ(read, "unchanged");
}

TEST_F(FileSystemTest, ReplaceCreatesOrReplacesWholeAndLeavesNoTemporaryFile) {
    ASSERT_TRUE(fs.ReplaceWholeFile(At("f.dat"), "first, longer content"));
    EXPECT_EQ(ReadRaw(At("f.dat")), "first, longer content");
    ASSERT_TRUE(fs.ReplaceWholeFile(At("f.dat"), "second"));
    EXPECT_EQ(ReadRaw(At("f.dat")), "second");
    ASSERT_TRUE(fs.ReplaceWholeFile(At("f.dat"), ""));
    EXPECT_EQ(ReadRaw(At("f.dat")), "");
    EXPECT_EQ(ListFolder(folder.Path()), std::vector<std::string>{"f.dat"});
}

TEST_F(FileSystemTest, FailedReplaceKeepsOriginalAndLeavesNoTemporaryFile) {
    ASSERT_TRUE(WriteRaw(At("held.dat"), "original"));
    {
        test::ExclusiveHold hold(At("held.dat"));
        EXPECT_FALSE(fs.ReplaceWholeFile(At("held.dat"), "new"));
    }
    EXPECT_EQ(ReadRaw(At("held.dat")), "original");

    // A folder where the file should be cannot be replaced by a file.
    ASSERT_TRUE(test::MakeFolderRaw(At("dir")));
    EXPECT_FALSE(fs.ReplaceWholeFile(At("dir"), "new"));
    EXPECT_TRUE(ExistsRaw(At("dir")));

    EXPECT_FALSE(fs.ReplaceWholeFile(At("nofolder") + test::kSep + "f.dat", "new"));
    EXPECT_FALSE(ExistsRaw(At("nofolder")));

    EXPECT_EQ(ListFolder(folder.Path()), (std::vector<std::string>{"dir", "held.dat"}));
    EXPECT_TRUE(ListFolder(At("dir") + test::kSep).empty());
}

TEST_F(FileSystemTest, CreateFolderIsOneLevelAndFailsWhenTaken) {
    EXPECT_TRUE(fs.CreateFolder(At("one")));
    EXPECT_TRUE(ExistsRaw(At("one")));
    EXPECT_FALSE(fs.CreateFolder(At("one")));
    EXPECT_FALSE(fs.CreateFolder(At("a") + test::kSep + "b"));
    EXPECT_FALSE(ExistsRaw(At("a")));
    ASSERT_TRUE(WriteRaw(At("file"), "x"));
    EXPECT_FALSE(fs.CreateFolder(At("file")));
}

TEST_F(FileSystemTest, RemoveFileAndExists) {
    ASSERT_TRUE(WriteRaw(At("f.itm"), "x"));
    EXPECT_TRUE(fs.Exists(At("f.itm")));
    EXPECT_TRUE(fs.RemoveFile(At("f.itm")));
    EXPECT_FALSE(fs.Exists(At("f.itm")));
    EXPECT_FALSE(ExistsRaw(At("f.itm")));
    EXPECT_FALSE(fs.RemoveFile(At("f.itm")));
    EXPECT_TRUE(fs.Exists(folder.Path()));
}

TEST_F(FileSystemTest, FoldersAreToldFromFilesAndListed) {
    ASSERT_TRUE(test::MakeFolderRaw(At("sub")));
    const std::string cafe = "caf\xC3\xA9 \xE2\x98\x95";  // beyond the ANSI code page
    ASSERT_TRUE(WriteRaw(At(cafe), ""));
    EXPECT_TRUE(fs.IsFolder(At("sub")));
    EXPECT_FALSE(fs.IsFolder(At(cafe)));
    EXPECT_FALSE(fs.IsFolder(At("missing")));

    std::vector<FolderEntry> entries = {{"stale", false}};
    ASSERT_TRUE(fs.ListFolder(folder.Path(), entries));
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_TRUE(entries[0].name == cafe && !entries[0].folder);
    EXPECT_TRUE(entries[1].name == "sub" && entries[1].folder);
    ASSERT_TRUE(fs.ListFolder(At("sub"), entries));  // without the closing separator
    EXPECT_TRUE(entries.empty());
    EXPECT_FALSE(fs.ListFolder(At("missing"), entries));
    EXPECT_FALSE(fs.ListFolder(At(cafe), entries));
}

// The stamp shows another handle's writes, and it can be taken while another
// program holds the file exclusively: the store must tell a held file from a
// changed one.
TEST_F(FileSystemTest, StampShowsAnotherHandlesWritesAlsoWhileTheFileIsHeld) {
    FileStamp stamp, rewritten;
    EXPECT_FALSE(fs.Stamp(At("missing.dat"), stamp));
    ASSERT_TRUE(WriteRaw(At("f.dat"), "abc"));
    const int64_t time = 1'600'000'000'123'456'700;  // 2020, in nanoseconds since 1970
    ASSERT_TRUE(test::SetWriteTimeRaw(At("f.dat"), time));
    {
        test::ExclusiveHold hold(At("f.dat"));
        ASSERT_TRUE(fs.Stamp(At("f.dat"), stamp));
    }
    EXPECT_EQ(stamp.size, 3u);
    EXPECT_EQ(stamp.lastWrite, time);
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    EXPECT_LT(std::abs(stamp.takenAt - std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
              60'000'000'000LL);

    ASSERT_TRUE(WriteRaw(At("f.dat"), "xyz"));
    ASSERT_TRUE(test::SetWriteTimeRaw(At("f.dat"), time + 1'000'000'000));
    ASSERT_TRUE(fs.Stamp(At("f.dat"), rewritten));
    EXPECT_EQ(rewritten.lastWrite, time + 1'000'000'000);
    EXPECT_FALSE(SameSizeAndTime(rewritten, stamp));
    ASSERT_TRUE(WriteRaw(At("f.dat"), "abcd"));
    ASSERT_TRUE(fs.Stamp(At("f.dat"), rewritten));
    EXPECT_EQ(rewritten.size, 4u);
}

#ifdef _WIN32
// Windows takes no folder longer than MAX_PATH - 14 for a temporary file.
// Wine does, and would write the temporary file's name past the end of a
// MAX_PATH buffer: such a folder is refused before that.
TEST_F(FileSystemTest, AReplaceInAFolderTooLongForItsTemporaryFileFailsAndMakesNothing) {
    std::string deep = folder.Path();
    while (deep.size() <= 250) {
        deep += std::string(40, 'd') + "\\";
        if (!test::MakeFolderRaw(deep)) GTEST_SKIP() << "the system refuses such a folder itself";
    }
    EXPECT_FALSE(fs.ReplaceWholeFile(deep + "f.dat", "x"));
    EXPECT_TRUE(ListFolder(deep).empty());
}

// Windows refuses to replace a read-only file; it must stay as it was.
TEST_F(FileSystemTest, ReplaceOfReadOnlyFileFailsAndKeepsIt) {
    ASSERT_TRUE(WriteRaw(At("ro.dat"), "original"));
    ASSERT_TRUE(SetFileAttributesA(At("ro.dat").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(fs.ReplaceWholeFile(At("ro.dat"), "new"));
    EXPECT_EQ(ReadRaw(At("ro.dat")), "original");
    EXPECT_EQ(ListFolder(folder.Path()), std::vector<std::string>{"ro.dat"});
    SetFileAttributesA(At("ro.dat").c_str(), FILE_ATTRIBUTE_NORMAL);
}
#else
TEST_F(FileSystemTest, ReplaceInReadOnlyFolderFailsAndKeepsOriginal) {
    if (test::RunningAsRoot()) GTEST_SKIP() << "root ignores folder permissions";
    ASSERT_TRUE(WriteRaw(At("f.dat"), "original"));
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0555), 0);
    EXPECT_FALSE(fs.ReplaceWholeFile(At("f.dat"), "new"));
    ::chmod(folder.Path().c_str(), 0755);
    EXPECT_EQ(ReadRaw(At("f.dat")), "original");
    EXPECT_EQ(ListFolder(folder.Path()), std::vector<std::string>{"f.dat"});
}
#endif

}  // namespace
}  // namespace pastimo
