// The launch counter in its file beside the program, on real files.

#include "shell/LaunchCounter.h"
#include "tests/library/LibraryTestFiles.h"
#include "toolkit/Errors.h"

#include <gtest/gtest.h>

namespace pastimo {
namespace {

using test::ReadRaw;
using test::WriteRaw;

// The real file system, except that replacing a file fails: reading works
// while storing does not, which no file can be made to do for root.
class RefusingWrites final : public FileSystem {
public:
    bool ReadWholeFile(const std::string& path, std::string& bytes) override {
        return PlatformFileSystem().ReadWholeFile(path, bytes);
    }
    bool ReplaceWholeFile(const std::string&, const std::string&) override { return false; }
    bool CreateFolder(const std::string& path) override { return PlatformFileSystem().CreateFolder(path); }
    bool RemoveFile(const std::string& path) override { return PlatformFileSystem().RemoveFile(path); }
    bool Exists(const std::string& path) override { return PlatformFileSystem().Exists(path); }
    bool IsFolder(const std::string& path) override { return PlatformFileSystem().IsFolder(path); }
    bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) override {
        return PlatformFileSystem().ListFolder(folder, entries);
    }
    bool Stamp(const std::string& path, FileStamp& stamp) override { return PlatformFileSystem().Stamp(path, stamp); }
};

class LaunchCounterTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    FileSystem& files = PlatformFileSystem();
    const std::string path = folder.Path() + kLaunchCounterFileName;

    // As start-up does it: a failure is swallowed and the run keeps what was
    // counted, 0 when nothing was.
    int StartUpCount(FileSystem& fileSystem, std::string* failure = nullptr) {
        int runCount = 0;
        try {
            CountLaunch(fileSystem, path, runCount);
        } catch (const std::exception& e) {
            if (failure) *failure = e.what();
        }
        return runCount;
    }
};

TEST_F(LaunchCounterTest, AFreshFolderCountsOneTwoThree) {
    EXPECT_EQ(ReadLaunchCount(files, path), 0);
    for (int launch = 1; launch <= 3; ++launch) {
        int counted = -1;
        CountLaunch(files, path, counted);
        EXPECT_EQ(counted, launch);
        EXPECT_EQ(ReadLaunchCount(files, path), launch);
        EXPECT_EQ(ReadRaw(path), std::to_string(launch) + "\r\n");
    }
}

TEST_F(LaunchCounterTest, AStoredCountGoesOn) {
    for (const char* stored : {"41", "41\r\n", "41\n", "41  \r\n"}) {
        SCOPED_TRACE(stored);
        ASSERT_TRUE(WriteRaw(path, stored));
        EXPECT_EQ(ReadLaunchCount(files, path), 41);
        EXPECT_EQ(StartUpCount(files), 42);
        EXPECT_EQ(ReadRaw(path), "42\r\n");
    }
}

TEST_F(LaunchCounterTest, ContentsThatAreNoCountCountAsZero) {
    for (const char* stored : {"", "abc", "-3", "+3", " 3", "3x", "3 4", "1.5", "99999999999999999999", "\r\n"}) {
        SCOPED_TRACE(stored);
        ASSERT_TRUE(WriteRaw(path, stored));
        EXPECT_EQ(ReadLaunchCount(files, path), 0);
        EXPECT_EQ(StartUpCount(files), 1);
        EXPECT_EQ(ReadRaw(path), "1\r\n");
    }
}

TEST_F(LaunchCounterTest, ACounterThatCannotBeReadCountsZeroAndIsLeftAlone) {
    ASSERT_TRUE(WriteRaw(path, "5\r\n"));
    {
        test::ExclusiveHold hold(path);
        int counted = 0;
        try {
            CountLaunch(files, path, counted);
            ADD_FAILURE() << "no exception";
        } catch (const EFOpenError& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot open file " + path);
        }
        EXPECT_EQ(counted, 0);
        EXPECT_EQ(StartUpCount(files), 0);
        EXPECT_EQ(ReadLaunchCount(files, path), 0);
    }
    EXPECT_EQ(ReadRaw(path), "5\r\n");
    EXPECT_EQ(StartUpCount(files), 6);
}

TEST_F(LaunchCounterTest, AFailedStoreKeepsTheCountMade) {
    RefusingWrites refusing;
    std::string failure;
    EXPECT_EQ(StartUpCount(refusing, &failure), 1);
    EXPECT_EQ(failure, "Cannot create file " + path);
    EXPECT_FALSE(test::ExistsRaw(path));

    ASSERT_TRUE(WriteRaw(path, "2\r\n"));
    failure.clear();
    EXPECT_EQ(StartUpCount(refusing, &failure), 3);
    EXPECT_EQ(failure, "Cannot create file " + path);
    EXPECT_EQ(ReadRaw(path), "2\r\n");
}

#ifdef _WIN32
// A read-only counter file: readable, but the new count cannot replace it.
TEST_F(LaunchCounterTest, AReadOnlyCounterFileIsCountedButNotStored) {
    ASSERT_TRUE(WriteRaw(path, "2\r\n"));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    std::string failure;
    EXPECT_EQ(StartUpCount(files, &failure), 3);
    EXPECT_EQ(failure, "Cannot create file " + path);
    EXPECT_EQ(ReadRaw(path), "2\r\n");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}
#endif

}  // namespace
}  // namespace pastimo
