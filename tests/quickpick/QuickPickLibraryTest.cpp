// What the quick-pick window reads of the library when it opens: what is on
// disk, whoever wrote it, without reading again a list nothing changed.
#include "quickpick/QuickPickLibrary.h"
#include "tests/library/LibraryTestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace pastimo {
namespace {

using test::MakeFolderRaw;
using test::TempFolder;
using test::WriteRaw;

// Written by "another program" a while ago: a stamp old enough to vouch.
void WriteOld(const std::string& path, const std::string& bytes, int minutesAgo = 10) {
    ASSERT_TRUE(WriteRaw(path, bytes));
    std::filesystem::last_write_time(std::filesystem::u8path(path),
                                     std::filesystem::file_time_type::clock::now() - std::chrono::minutes(minutesAgo));
}

// The platform's file system, counting the files read since Reset().
class CountingFileSystem : public FileSystem {
public:
    int Reads() const { return FReads; }
    void Reset() { FReads = 0; }

    bool ReadWholeFile(const std::string& path, std::string& bytes) override {
        ++FReads;
        return FReal.ReadWholeFile(path, bytes);
    }
    bool ReadSharedFile(const std::string& path, std::string& bytes) override {
        ++FReads;
        return FReal.ReadSharedFile(path, bytes);
    }
    bool ReplaceWholeFile(const std::string& path, const std::string& bytes) override {
        return FReal.ReplaceWholeFile(path, bytes);
    }
    bool CreateFolder(const std::string& path) override { return FReal.CreateFolder(path); }
    bool RemoveFile(const std::string& path) override { return FReal.RemoveFile(path); }
    bool Exists(const std::string& path) override { return FReal.Exists(path); }
    bool IsFolder(const std::string& path) override { return FReal.IsFolder(path); }
    bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) override {
        return FReal.ListFolder(folder, entries);
    }
    bool Stamp(const std::string& path, FileStamp& stamp) override { return FReal.Stamp(path, stamp); }

private:
    FileSystem& FReal = PlatformFileSystem();
    int FReads = 0;
};

std::vector<std::string> Shown(const QuickPickRows& rows) {
    std::vector<std::string> shown;
    for (int row = 0; row < rows.Count(); ++row)
        shown.push_back(rows.IsRecent(row) ? "recent:" + std::string(rows.Name(row))
                                           : std::string(rows.Group(row)) + "/" + std::string(rows.Name(row)));
    return shown;
}

TEST(QuickPickLibrary, ReadsWhatIsOnDiskAndOnlyTheListsThatChanged) {
    TempFolder folder;
    const std::string data = folder.Path() + "data" + test::kSep;
    ASSERT_TRUE(MakeFolderRaw(folder.Path() + "data"));
    ASSERT_TRUE(MakeFolderRaw(data + "A"));
    ASSERT_TRUE(MakeFolderRaw(data + "B"));
    WriteOld(data + "categories.dat", "A\r\nB\r\n");
    WriteOld(data + "A" + test::kSep + "A.dat", "one\r\ntwo\r\n");
    WriteOld(data + "B" + test::kSep + "B.dat", "three\r\n");
    RecentEntries recents;
    recents.Capture("copied");

    CountingFileSystem files;
    QuickPickLibrary library(folder.Path(), files);
    EXPECT_EQ(Shown(library.Rows(recents)), (std::vector<std::string>{"A/one", "A/two", "B/three", "recent:copied"}));
    EXPECT_EQ(files.Reads(), 3);
    files.Reset();
    EXPECT_EQ(Shown(library.Rows(recents)).size(), 4u);
    EXPECT_EQ(files.Reads(), 0) << "nothing changed: nothing read";

    // Another program adds an item to B and a group C: those are read, A is not.
    WriteOld(data + "B" + test::kSep + "B.dat", "four\r\nthree\r\n", 5);
    ASSERT_TRUE(MakeFolderRaw(data + "C"));
    WriteOld(data + "C" + test::kSep + "C.dat", "five\r\n");
    WriteOld(data + "categories.dat", "A\r\nB\r\nC\r\n", 5);
    recents.Capture("newer");
    files.Reset();
    EXPECT_EQ(Shown(library.Rows(recents)), (std::vector<std::string>{"A/one", "A/two", "B/four", "B/three", "C/five",
                                                                      "recent:newer", "recent:copied"}));
    EXPECT_EQ(files.Reads(), 3) << "the group list, B and C";

    // A list written just now cannot vouch for itself by its stamp: read each time.
    ASSERT_TRUE(WriteRaw(data + "A" + test::kSep + "A.dat", "one\r\n"));
    EXPECT_EQ(Shown(library.Rows(recents)).front(), "A/one");
    files.Reset();
    EXPECT_EQ(Shown(library.Rows(recents))[1], "B/four");
    EXPECT_EQ(files.Reads(), 1);
}

}  // namespace
}  // namespace pastimo
