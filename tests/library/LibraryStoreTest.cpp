#include "library/LibraryStore.h"
#include "tests/library/FakeDoubleByteCodePage.h"
#include "tests/library/LibraryTestFiles.h"
#include "tests/library/TestAccess.h"
#include "toolkit/Unicode.h"

#include <gtest/gtest.h>

#include <chrono>
#include <set>

namespace pastimo {
namespace {

using Names = std::vector<std::string>;
using test::ExistsRaw;
using test::kSep;
using test::ListFolder;
using test::ReadRaw;
using test::WriteRaw;

using test::MessageOf;

size_t Utf16Units(const std::string& utf8) { return Utf8ToUtf16(utf8).size(); }

// The real file system, except that writes to chosen paths fail: for the
// steps whose failure no real file can cause (a file in a folder just made).
// Whole-file reads are counted.
class FailingWrites final : public FileSystem {
public:
    std::set<std::string> failing;
    int reads = 0;
    bool ReadWholeFile(const std::string& path, std::string& bytes) override {
        ++reads;
        return PlatformFileSystem().ReadWholeFile(path, bytes);
    }
    bool ReplaceWholeFile(const std::string& path, const std::string& bytes) override {
        return !failing.count(path) && PlatformFileSystem().ReplaceWholeFile(path, bytes);
    }
    bool CreateFolder(const std::string& path) override { return PlatformFileSystem().CreateFolder(path); }
    bool RemoveFile(const std::string& path) override { return PlatformFileSystem().RemoveFile(path); }
    bool Exists(const std::string& path) override { return PlatformFileSystem().Exists(path); }
    bool IsFolder(const std::string& path) override { return PlatformFileSystem().IsFolder(path); }
    bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) override {
        return PlatformFileSystem().ListFolder(folder, entries);
    }
    bool Stamp(const std::string& path, FileStamp& stamp) override { return PlatformFileSystem().Stamp(path, stamp); }
};

class LibraryStoreTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    LibraryStore store{folder.Path()};

    std::string Data() const { return folder.Path() + "data" + kSep; }
    std::string GroupList() const { return Data() + "categories.dat"; }
    std::string ItemList(const std::string& g) const { return Data() + g + kSep + g + ".dat"; }
    std::string ItemText(const std::string& g, const std::string& i) const { return Data() + g + kSep + i + ".itm"; }

    // A data folder holding the given groups, each with its folder and an
    // empty item list.
    NameList WithGroups(const Names& names) {
        store.EnsureDataFolder();
        NameList groups = store.LoadGroups();
        for (const std::string& name : names) store.AddGroup(groups, name);
        return groups;
    }
};

TEST_F(LibraryStoreTest, PathsArePlainConcatenation) {
    EXPECT_EQ(store.DataFolder(), folder.Path() + "data");
    EXPECT_EQ(store.GroupListPath(), GroupList());
    EXPECT_EQ(store.GroupFolderPath("G x"), Data() + "G x");
    EXPECT_EQ(store.ItemListPath("G x"), Data() + "G x" + kSep + "G x.dat");
    EXPECT_EQ(store.ItemTextPath("G x", " i "), Data() + "G x" + kSep + " i .itm");
    EXPECT_EQ(store.ItemListPath(""), Data() + kSep + ".dat");
    EXPECT_EQ(store.ItemTextPath("", ""), Data() + kSep + ".itm");
}

TEST_F(LibraryStoreTest, FirstStartGivesEmptyListAndCreatesDataFolder) {
    EXPECT_EQ(store.LoadGroups().Count(), 0);
    EXPECT_FALSE(ExistsRaw(store.DataFolder()));
    store.EnsureDataFolder();
    EXPECT_TRUE(ExistsRaw(store.DataFolder()));
    store.EnsureDataFolder();  // exists already: ignored
    EXPECT_TRUE(ListFolder(Data()).empty());

    LibraryStore nowhere(folder.Path() + "missing" + kSep);
    EXPECT_NO_THROW(nowhere.EnsureDataFolder());
    EXPECT_EQ(nowhere.LoadGroups().Count(), 0);
    EXPECT_FALSE(ExistsRaw(folder.Path() + "missing"));
}

TEST_F(LibraryStoreTest, NameListFilesAreWrittenByteExact) {
    store.EnsureDataFolder();
    NameList list;
    list.Insert("Beta");
    list.Insert("alpha");
    LibraryStoreTestAccess::WriteNameList(store, Data() + "l.dat", list);
    EXPECT_EQ(ReadRaw(Data() + "l.dat"), "alpha\r\nBeta\r\n");
    LibraryStoreTestAccess::WriteNameList(store, Data() + "l.dat", NameList());
    EXPECT_EQ(ReadRaw(Data() + "l.dat"), "");
    EXPECT_EQ(ListFolder(Data()), Names{"l.dat"});
}

TEST_F(LibraryStoreTest, NameListFilesAreReadByEveryRule) {
    store.EnsureDataFolder();
    const std::pair<std::string, Names> cases[] = {
        {"B\nA", {"A", "B"}},
        {"A\r\n\r\n", {"", "A"}},
        {"A\n\rB", {"", "A", "B"}},
        {std::string("b\r\na\0c\r\n", 8), {"a", "b"}},
        {"", {}},
        {"x\ry\r", {"x", "y"}},
    };
    for (const auto& [bytes, names] : cases) {
        ASSERT_TRUE(WriteRaw(Data() + "l.dat", bytes));
        EXPECT_EQ(LibraryStoreTestAccess::ReadNameList(store, Data() + "l.dat").Names(), names);
    }
    EXPECT_EQ(MessageOf<EFOpenError>([&] { LibraryStoreTestAccess::ReadNameList(store, Data() + "none.dat"); }),
              "Cannot open file " + Data() + "none.dat");
}

TEST_F(LibraryStoreTest, WriteFailureNamesTheTarget) {
    store.EnsureDataFolder();
    NameList list;
    list.Insert("a");
    const std::string missingFolder = Data() + "nope" + kSep + "l.dat";
    EXPECT_EQ(MessageOf<EFCreateError>([&] { LibraryStoreTestAccess::WriteNameList(store, missingFolder, list); }),
              "Cannot create file " + missingFolder);
    ASSERT_TRUE(WriteRaw(Data() + "held.dat", "keep\r\n"));
    {
        test::ExclusiveHold hold(Data() + "held.dat");
        EXPECT_EQ(
            MessageOf<EFCreateError>([&] { LibraryStoreTestAccess::WriteNameList(store, Data() + "held.dat", list); }),
            "Cannot create file " + Data() + "held.dat");
    }
    EXPECT_EQ(ReadRaw(Data() + "held.dat"), "keep\r\n");
    EXPECT_EQ(ListFolder(Data()), Names{"held.dat"});
}

TEST_F(LibraryStoreTest, AddGroupCreatesFolderListAndEmptyItemList) {
    NameList groups = WithGroups({"Beta", "alpha"});
    EXPECT_EQ(groups.Names(), (Names{"alpha", "Beta"}));
    EXPECT_EQ(ReadRaw(GroupList()), "alpha\r\nBeta\r\n");
    EXPECT_EQ(ReadRaw(ItemList("Beta")), "");
    EXPECT_EQ(ListFolder(Data()), (Names{"Beta", "alpha", "categories.dat"}));
    EXPECT_EQ(ListFolder(Data() + "Beta" + kSep), Names{"Beta.dat"});
    EXPECT_EQ(store.LoadGroups().Names(), groups.Names());
    EXPECT_EQ(store.LoadItems("alpha").Count(), 0);
}

// A listed name is refused in any case, as Windows file names ignore case
// (on every platform: the library's files are Windows files); so is a name
// of a file that is no folder.
TEST_F(LibraryStoreTest, AddGroupOfAListedNameOrAFileChangesNothing) {
    NameList groups = WithGroups({"Work"});
    ASSERT_TRUE(WriteRaw(Data() + "plainfile", "x"));
    for (const char* name : {"Work", "WORK", "work", "plainfile"}) {
        EXPECT_THROW(store.AddGroup(groups, name), GroupFolderError) << name;
    }
    EXPECT_EQ(groups.Names(), Names{"Work"});
    EXPECT_EQ(ReadRaw(GroupList()), "Work\r\n");
    EXPECT_EQ(ListFolder(Data()), (Names{"Work", "categories.dat", "plainfile"}));
    EXPECT_EQ(ListFolder(Data() + "Work" + kSep), Names{"Work.dat"});
}

TEST_F(LibraryStoreTest, AddGroupWithoutDataFolderChangesNothing) {
    NameList groups;
    EXPECT_THROW(store.AddGroup(groups, "Work"), GroupFolderError);
    EXPECT_EQ(groups.Count(), 0);
    EXPECT_TRUE(ListFolder(folder.Path()).empty());
}

TEST_F(LibraryStoreTest, AddGroupStopsWhereWritingFails) {
    NameList groups = WithGroups({"a"});
    {
        // Step 3: the group list cannot be written; folder and row stay.
        test::ExclusiveHold hold(GroupList());
        EXPECT_EQ(MessageOf<EFCreateError>([&] { store.AddGroup(groups, "b"); }), "Cannot create file " + GroupList());
    }
    EXPECT_EQ(groups.Names(), (Names{"a", "b"}));
    EXPECT_EQ(ReadRaw(GroupList()), "a\r\n");
    EXPECT_TRUE(ExistsRaw(Data() + "b"));
    EXPECT_FALSE(ExistsRaw(ItemList("b")));

    // Step 4: the new group's item list cannot be written.
    FailingWrites fs;
    fs.failing.insert(ItemList("c"));
    LibraryStore failing(folder.Path(), fs);
    EXPECT_EQ(MessageOf<EFCreateError>([&] { failing.AddGroup(groups, "c"); }), "Cannot create file " + ItemList("c"));
    EXPECT_EQ(ReadRaw(GroupList()), "a\r\nb\r\nc\r\n");
    EXPECT_FALSE(ExistsRaw(ItemList("c")));
    EXPECT_TRUE(ListFolder(Data() + "c" + kSep).empty());
}

// Delete Group leaves the group's folder and files; adding the name again
// lists the group again with its items, so a deletion can be undone.
TEST_F(LibraryStoreTest, DeleteGroupKeepsFilesAndAddingTheNameBringsItBack) {
    NameList groups = WithGroups({"a", "b"});
    NameList items = store.LoadItems("b");
    store.AddItem("b", items, "i", "text");
    store.DeleteGroup(groups, 1);
    EXPECT_EQ(groups.Names(), Names{"a"});
    EXPECT_EQ(ReadRaw(GroupList()), "a\r\n");
    EXPECT_EQ(ReadRaw(ItemList("b")), "i\r\n");
    EXPECT_EQ(ReadRaw(ItemText("b", "i")), "text");

    EXPECT_FALSE(store.AddGroup(groups, "b"));
    EXPECT_EQ(groups.Names(), (Names{"a", "b"}));
    EXPECT_EQ(ReadRaw(GroupList()), "a\r\nb\r\n");
    EXPECT_EQ(ReadRaw(ItemList("b")), "i\r\n") << "its items stay";
    EXPECT_EQ(store.LoadItems("b").Names(), Names{"i"});
    EXPECT_EQ(store.ReadItemText("b", "i"), "text");

    // A folder without its item list (a write that failed, a folder made by
    // hand) is given an empty one.
    ASSERT_TRUE(test::MakeFolderRaw(Data() + "c"));
    store.AddGroup(groups, "c");
    EXPECT_EQ(ReadRaw(GroupList()), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(ReadRaw(ItemList("c")), "");
}

TEST_F(LibraryStoreTest, DeleteGroupWithoutSelectionRewritesTheList) {
    store.EnsureDataFolder();
    ASSERT_TRUE(WriteRaw(GroupList(), "b\na"));
    NameList groups = store.LoadGroups();
    store.DeleteGroup(groups, -1);
    store.DeleteGroup(groups, 7);
    EXPECT_EQ(groups.Names(), (Names{"a", "b"}));
    EXPECT_EQ(ReadRaw(GroupList()), "a\r\nb\r\n");
}

TEST_F(LibraryStoreTest, DeleteGroupRemovesBeforeWriting) {
    NameList groups = WithGroups({"a", "b"});
    {
        test::ExclusiveHold hold(GroupList());
        EXPECT_EQ(MessageOf<EFCreateError>([&] { store.DeleteGroup(groups, 0); }), "Cannot create file " + GroupList());
    }
    EXPECT_EQ(groups.Names(), Names{"b"});
    EXPECT_EQ(ReadRaw(GroupList()), "a\r\nb\r\n");
}

TEST_F(LibraryStoreTest, LoadItemsFailsForMissingOrHeldList) {
    WithGroups({"g"});
    EXPECT_EQ(MessageOf<EFOpenError>([&] { store.LoadItems("other"); }), "Cannot open file " + ItemList("other"));
    test::ExclusiveHold hold(ItemList("g"));
    EXPECT_EQ(MessageOf<EFOpenError>([&] { store.LoadItems("g"); }), "Cannot open file " + ItemList("g"));
}

TEST_F(LibraryStoreTest, AddItemWritesListAndExactText) {
    WithGroups({"g"});
    NameList items = store.LoadItems("g");
    store.AddItem("g", items, "two", "one\r\ntwo");
    store.AddItem("g", items, "One", "\tx");
    store.AddItem("g", items, "empty", "");
    EXPECT_EQ(items.Names(), (Names{"empty", "One", "two"}));
    EXPECT_EQ(ReadRaw(ItemList("g")), "empty\r\nOne\r\ntwo\r\n");
    EXPECT_EQ(ReadRaw(ItemText("g", "two")), "one\r\ntwo");
    EXPECT_EQ(ReadRaw(ItemText("g", "two")).size(), 8u);
    EXPECT_EQ(ReadRaw(ItemText("g", "One")), "\tx");
    EXPECT_EQ(ReadRaw(ItemText("g", "empty")), "");
    EXPECT_EQ(store.ReadItemText("g", "two"), "one\r\ntwo");
    EXPECT_EQ(store.LoadItems("g").Names(), items.Names());
    EXPECT_EQ(ListFolder(Data() + "g" + kSep), (Names{"One.itm", "empty.itm", "g.dat", "two.itm"}));
}

// Two rows of one name would share one text file: a name the group lists
// (in any case, as Windows file names ignore it) is refused before anything
// is listed or written, by Add Item and by saving another row under it.
TEST_F(LibraryStoreTest, AListedItemNameIsRefusedBeforeAnythingIsWritten) {
    WithGroups({"g"});
    NameList items = store.LoadItems("g");
    store.AddItem("g", items, "dup", "first");
    store.AddItem("g", items, "other", "o");
    for (const char* name : {"dup", "DUP"}) {
        EXPECT_EQ(MessageOf<ItemNameTakenError>([&] { store.AddItem("g", items, name, "second"); }),
                  std::string("The group already has an item named \"") + name + "\"");
        EXPECT_THROW(store.ReplaceItem("g", items, 1, name, "o2"), ItemNameTakenError) << name;
        EXPECT_THROW(store.ReplaceItem("g", items, -1, name, "o2"), ItemNameTakenError) << name;
    }
    EXPECT_EQ(items.Names(), (Names{"dup", "other"}));
    EXPECT_EQ(ReadRaw(ItemList("g")), "dup\r\nother\r\n");
    EXPECT_EQ(ListFolder(Data() + "g" + kSep), (Names{"dup.itm", "g.dat", "other.itm"}));
    EXPECT_EQ(ReadRaw(ItemText("g", "dup")), "first");
    EXPECT_EQ(ReadRaw(ItemText("g", "other")), "o");

    // A row saved under its own name is no other item's.
    EXPECT_FALSE(store.ReplaceItem("g", items, 0, "dup", "edited"));
    EXPECT_EQ(ReadRaw(ItemText("g", "dup")), "edited");
    EXPECT_EQ(items.Names(), (Names{"dup", "other"}));
}

// An older copy may have listed a name twice: the list loads as it is, the
// rows share the text, and deleting one row keeps the text for the other.
TEST_F(LibraryStoreTest, ANameListedTwiceKeepsItsTextWhileARowNamesIt) {
    WithGroups({"g"});
    ASSERT_TRUE(WriteRaw(ItemList("g"), "dup\r\nx\r\ndup\r\n"));
    ASSERT_TRUE(WriteRaw(ItemText("g", "dup"), "shared"));
    NameList items = store.LoadItems("g");
    EXPECT_EQ(items.Names(), (Names{"dup", "dup", "x"}));
    EXPECT_FALSE(store.ReplaceItem("g", items, 1, "dup", "edited"));
    EXPECT_EQ(items.Names(), (Names{"dup", "dup", "x"}));

    store.DeleteItem("g", items, 0);
    EXPECT_EQ(items.Names(), (Names{"dup", "x"}));
    EXPECT_EQ(ReadRaw(ItemList("g")), "dup\r\nx\r\n");
    EXPECT_EQ(store.ReadItemText("g", items[0]), "edited");

    store.DeleteItem("g", items, 0);  // the last row of that name: its text goes with it
    EXPECT_EQ(ReadRaw(ItemList("g")), "x\r\n");
    EXPECT_FALSE(ExistsRaw(ItemText("g", "dup")));
}

// Another program added item "b" with its text; the user, who has not seen
// it yet, adds "b" too. The change is refused: the caller's list is the one
// read again, and the other program's text stays. So with saving a row
// under a name another program added.
TEST_F(LibraryStoreTest, AnItemAnotherProgramAddedIsNeverWrittenOver) {
    WithGroups({"g"});
    NameList items = store.LoadItems("g");
    store.AddItem("g", items, "a", "A");
    ASSERT_TRUE(WriteRaw(ItemText("g", "b"), "theirs"));
    ASSERT_TRUE(WriteRaw(ItemList("g"), "a\r\nb\r\n"));
    try {
        store.AddItem("g", items, "b", "mine");
        ADD_FAILURE() << "no refusal";
    } catch (const ItemNameTakenError& error) {
        EXPECT_EQ(error.Name(), "b");
        EXPECT_TRUE(error.AddedElsewhere());
    }
    EXPECT_EQ(items.Names(), (Names{"a", "b"}));
    EXPECT_EQ(ReadRaw(ItemList("g")), "a\r\nb\r\n");
    EXPECT_EQ(ReadRaw(ItemText("g", "b")), "theirs");

    ASSERT_TRUE(WriteRaw(ItemText("g", "c"), "theirs too"));
    ASSERT_TRUE(WriteRaw(ItemList("g"), "a\r\nb\r\nc\r\n"));
    try {
        store.ReplaceItem("g", items, 0, "C", "mine");
        ADD_FAILURE() << "no refusal";
    } catch (const ItemNameTakenError& error) {
        EXPECT_EQ(error.Name(), "C");
        EXPECT_TRUE(error.AddedElsewhere());
    }
    EXPECT_EQ(items.Names(), (Names{"a", "b", "c"}));
    EXPECT_EQ(ReadRaw(ItemText("g", "a")), "A");
    EXPECT_EQ(ReadRaw(ItemText("g", "c")), "theirs too");
}

TEST_F(LibraryStoreTest, AddItemStopsWhereWritingFails) {
    WithGroups({"g"});
    NameList items = store.LoadItems("g");
    {
        test::ExclusiveHold hold(ItemList("g"));
        EXPECT_EQ(MessageOf<EFCreateError>([&] { store.AddItem("g", items, "i", "t"); }),
                  "Cannot create file " + ItemList("g"));
    }
    EXPECT_EQ(items.Names(), Names{"i"});  // step 1 done
    EXPECT_EQ(ReadRaw(ItemList("g")), "");
    EXPECT_FALSE(ExistsRaw(ItemText("g", "i")));

    ASSERT_TRUE(WriteRaw(ItemText("g", "j"), "old"));
    {
        test::ExclusiveHold hold(ItemText("g", "j"));
        EXPECT_EQ(MessageOf<EFCreateError>([&] { store.AddItem("g", items, "j", "new"); }),
                  "Cannot create file " + ItemText("g", "j"));
    }
    EXPECT_EQ(ReadRaw(ItemList("g")), "i\r\nj\r\n");
    EXPECT_EQ(ReadRaw(ItemText("g", "j")), "old");

    // A deleted group's folder: the list cannot be written.
    NameList none;
    EXPECT_EQ(MessageOf<EFCreateError>([&] { store.AddItem("gone", none, "i", "t"); }),
              "Cannot create file " + ItemList("gone"));
    EXPECT_FALSE(ExistsRaw(Data() + "gone"));
}

TEST_F(LibraryStoreTest, ReplaceItemWithNewNameLeavesOldTextFile) {
    WithGroups({"g"});
    NameList items = store.LoadItems("g");
    store.AddItem("g", items, "a", "A text");
    store.AddItem("g", items, "b", "B text");
    store.ReplaceItem("g", items, 0, "c", "C text");
    EXPECT_EQ(items.Names(), (Names{"b", "c"}));
    EXPECT_EQ(ReadRaw(ItemList("g")), "b\r\nc\r\n");
    EXPECT_EQ(ReadRaw(ItemText("g", "a")), "A text");
    EXPECT_EQ(ReadRaw(ItemText("g", "c")), "C text");

    store.ReplaceItem("g", items, -1, "d", "D text");  // nothing selected: added
    EXPECT_EQ(items.Names(), (Names{"b", "c", "d"}));
    store.ReplaceItem("g", items, 1, "c", "C again");
    EXPECT_EQ(items.Names(), (Names{"b", "c", "d"}));
    EXPECT_EQ(store.ReadItemText("g", "c"), "C again");
}

TEST_F(LibraryStoreTest, ReplaceItemStopsWhereWritingFails) {
    WithGroups({"g"});
    NameList items = store.LoadItems("g");
    store.AddItem("g", items, "a", "A");
    {
        test::ExclusiveHold hold(ItemList("g"));
        EXPECT_THROW(store.ReplaceItem("g", items, 0, "b", "B"), EFCreateError);
    }
    EXPECT_EQ(items.Names(), Names{"b"});
    EXPECT_EQ(ReadRaw(ItemList("g")), "a\r\n");
    EXPECT_FALSE(ExistsRaw(ItemText("g", "b")));
}

TEST_F(LibraryStoreTest, DeleteItemSteps) {
    WithGroups({"g"});
    NameList items = store.LoadItems("g");
    store.AddItem("g", items, "a", "A");
    store.AddItem("g", items, "b", "B");
    ASSERT_TRUE(store.LoadItems("g").Count() == 2);

    store.DeleteItem("g", items, -1);  // no selection: nothing, not even a write
    ASSERT_TRUE(WriteRaw(ItemList("g"), "b\na"));
    store.DeleteItem("g", items, -1);
    EXPECT_EQ(ReadRaw(ItemList("g")), "b\na");
    EXPECT_EQ(items.Count(), 2);

    // The store has to see the file as it now is before the held list can
    // be changed at all: one it has not seen would be read again first.
    items = store.LoadItems("g");
    {
        test::ExclusiveHold hold(ItemList("g"));
        EXPECT_EQ(MessageOf<EFCreateError>([&] { store.DeleteItem("g", items, 0); }),
                  "Cannot create file " + ItemList("g"));
    }
    EXPECT_EQ(items.Names(), Names{"b"});
    EXPECT_FALSE(ExistsRaw(ItemText("g", "a")));
    EXPECT_EQ(ReadRaw(ItemList("g")), "b\na");
}

TEST_F(LibraryStoreTest, ReadItemTextMakesBreaksCrLf) {
    WithGroups({"g"});
    ASSERT_TRUE(WriteRaw(ItemText("g", "t"), "one\ntwo"));
    EXPECT_EQ(store.ReadItemText("g", "t"), "one\r\ntwo");
    ASSERT_TRUE(WriteRaw(ItemText("g", "t"), std::string("a\rb\0c", 5)));
    EXPECT_EQ(store.ReadItemText("g", "t"), "a\r\nb");
    EXPECT_EQ(MessageOf<EFOpenError>([&] { store.ReadItemText("g", "none"); }),
              "Cannot open file " + ItemText("g", "none"));
    test::ExclusiveHold hold(ItemText("g", "t"));
    EXPECT_EQ(MessageOf<EFOpenError>([&] { store.ReadItemText("g", "t"); }), "Cannot open file " + ItemText("g", "t"));
}

TEST_F(LibraryStoreTest, ReadItemTextUsesTheCodePagesLeadBytes) {
    WithGroups({"g"});
    ASSERT_TRUE(WriteRaw(ItemText("g", "t"), "\x81\nx\n"));
    const test::FakeDoubleByteCodePage codePage;
    LibraryStore dbcs(folder.Path(), PlatformFileSystem(), PlatformCollator(), codePage);
    EXPECT_EQ(dbcs.ReadItemText("g", "t"), "\xE3\x80\x8Ax\r\n");  // U+300A is 0x81 0x0A
}

TEST_F(LibraryStoreTest, EmptyGroupNameUsesTheDataFolderItself) {
    store.EnsureDataFolder();
    NameList items;
    store.AddItem("", items, "", "no name");
    store.AddItem("", items, "x", "x text");
    EXPECT_EQ(ReadRaw(Data() + ".dat"), "\r\nx\r\n");
    EXPECT_EQ(ReadRaw(Data() + ".itm"), "no name");
    EXPECT_EQ(ReadRaw(Data() + "x.itm"), "x text");
    EXPECT_EQ(store.LoadItems("").Names(), (Names{"", "x"}));
    EXPECT_EQ(store.ReadItemText("", ""), "no name");
    NameList groups;
    EXPECT_THROW(store.AddGroup(groups, ""), GroupFolderError);  // no folder of its own
    EXPECT_EQ(ListFolder(Data()), (Names{".dat", ".itm", "x.itm"}));
}

// Each file is written in the ANSI code page when that holds all of it; one
// text outside it changes neither the list nor the other texts.
TEST_F(LibraryStoreTest, EachFileIsWrittenInTheCodePageWhenItCan) {
    if (!test::AnsiCodePageIs1252()) GTEST_SKIP() << "the ANSI code page is not 1252";
    WithGroups({"g"});
    NameList items = store.LoadItems("g");
    const std::string coffee = "Kaffee \xE2\x98\x95";
    store.AddItem("g", items, "greeting",
                  "Gr\xC3\xBC\xC3\x9F"
                  "e");
    store.AddItem("g", items, "tea", coffee + "\r\nhot");
    EXPECT_EQ(ReadRaw(ItemList("g")), "greeting\r\ntea\r\n");
    EXPECT_EQ(ReadRaw(ItemText("g", "greeting")), "Gr\xFC\xDF"
                                                  "e");
    EXPECT_EQ(ReadRaw(ItemText("g", "tea")), "\xEF\xBB\xBF" + coffee + "\r\nhot");
    EXPECT_EQ(store.ReadItemText("g", "greeting"), "Gr\xC3\xBC\xC3\x9F"
                                                   "e");
    EXPECT_EQ(store.ReadItemText("g", "tea"), coffee + "\r\nhot");

    // Saved again within the code page, the text keeps the form it has.
    store.ReplaceItem("g", items, 1, "tea", "Tee");
    EXPECT_EQ(ReadRaw(ItemText("g", "tea")), "\xEF\xBB\xBFTee");
}

// A name outside the ANSI code page names its own folder and files (on
// Windows through the wide file API) and makes UTF-8 only of the lists that
// hold it.
TEST_F(LibraryStoreTest, NamesOutsideTheCodePageGetTheirOwnFiles) {
    const std::string mark = "\xEF\xBB\xBF";
    const std::string coffee = "Kaffee \xE2\x98\x95";                                    // Kaffee ☕
    const std::string tokyo = "\xE6\x9D\xB1\xE4\xBA\xAC \xE2\x86\x92 \xF0\x9F\x99\x82";  // 東京 → 🙂
    NameList groups = WithGroups({coffee, "plain"});
    EXPECT_EQ(ReadRaw(GroupList()), mark + coffee + "\r\nplain\r\n");
    EXPECT_EQ(ListFolder(Data()), (Names{coffee, "categories.dat", "plain"}));
    EXPECT_EQ(ListFolder(Data() + coffee + kSep), Names{coffee + ".dat"});

    NameList items = store.LoadItems(coffee);
    store.AddItem(coffee, items, tokyo, "text of " + tokyo);
    store.AddItem(coffee, items, "ascii", "a");
    NameList plainItems = store.LoadItems("plain");
    store.AddItem("plain", plainItems, "x", "y");
    EXPECT_EQ(ReadRaw(ItemList(coffee)), mark + "ascii\r\n" + tokyo + "\r\n");
    EXPECT_EQ(ReadRaw(ItemList("plain")), "x\r\n");
    EXPECT_EQ(ReadRaw(ItemText(coffee, tokyo)), mark + "text of " + tokyo);
    EXPECT_EQ(ListFolder(Data() + coffee + kSep), (Names{coffee + ".dat", "ascii.itm", tokyo + ".itm"}));

    EXPECT_EQ(store.LoadGroups().Names(), groups.Names());
    EXPECT_EQ(store.LoadItems(coffee).Names(), items.Names());
    EXPECT_EQ(store.ReadItemText(coffee, tokyo), "text of " + tokyo);

    store.DeleteItem(coffee, items, items.IndexOf(tokyo));
    EXPECT_FALSE(ExistsRaw(ItemText(coffee, tokyo)));
    EXPECT_EQ(ReadRaw(ItemList(coffee)), mark + "ascii\r\n");  // the form it has, though the code page holds it
    store.DeleteGroup(groups, groups.IndexOf(coffee));
    EXPECT_EQ(ReadRaw(GroupList()), mark + "plain\r\n");
    store.AddGroup(groups, coffee);  // its folder stays: it comes back
    EXPECT_EQ(store.LoadItems(coffee).Names(), Names{"ascii"});
}

// A library written in the ANSI code page keeps its bytes through changes
// that bring in nothing the code page lacks.
TEST_F(LibraryStoreTest, AnsiLibraryKeepsItsBytes) {
    if (!test::AnsiCodePageIs1252()) GTEST_SKIP() << "the ANSI code page is not 1252";
    const std::string aerger = "\xC3\x84rger";  // Ärger, 1252: C4 72 67 65 72
    const std::string gruesse = "Gr\xC3\xBC\xC3\x9F"
                                "e";  // Grüße, 1252: 47 72 FC DF 65
    store.EnsureDataFolder();
    ASSERT_TRUE(test::MakeFolderRaw(Data() + aerger));
    ASSERT_TRUE(WriteRaw(GroupList(), "\xC4rger\r\n\xDC"
                                      "ber\r\n"));
    ASSERT_TRUE(WriteRaw(ItemList(aerger), "Gr\xFC\xDF"
                                           "e\r\n"));
    ASSERT_TRUE(WriteRaw(ItemText(aerger, gruesse), "Gr\xFC\xDF"
                                                    "e \x80 5\r\n"));

    NameList groups = store.LoadGroups();
    store.AddGroup(groups, "\xC3\x96l");  // Öl
    EXPECT_EQ(ReadRaw(GroupList()), "\xC4rger\r\n\xD6l\r\n\xDC"
                                    "ber\r\n");

    NameList items = store.LoadItems(aerger);
    const std::string text = store.ReadItemText(aerger, gruesse);
    EXPECT_EQ(text, gruesse + " \xE2\x82\xAC 5\r\n");
    store.AddItem(aerger, items, "Apfel", "");
    store.ReplaceItem(aerger, items, items.IndexOf(gruesse), gruesse, text);
    EXPECT_EQ(ReadRaw(ItemList(aerger)), "Apfel\r\nGr\xFC\xDF"
                                         "e\r\n");
    EXPECT_EQ(ReadRaw(ItemText(aerger, gruesse)), "Gr\xFC\xDF"
                                                  "e \x80 5\r\n");
}

// --- Each file keeps the form it was read in

// Editors save UTF-8 without the mark: such a library reads as the UTF-8 it
// is and is written back in the same form, list and text alike.
TEST_F(LibraryStoreTest, Utf8WithoutTheMarkIsReadAsUtf8AndWrittenBackSo) {
    const std::string cafe = "caf\xC3\xA9 \xE2\x82\xAC";  // café €
    const std::string creme = "Cr\xC3\xA8me";             // Crème
    store.EnsureDataFolder();
    ASSERT_TRUE(test::MakeFolderRaw(Data() + cafe));
    ASSERT_TRUE(WriteRaw(GroupList(), cafe + "\r\n"));
    ASSERT_TRUE(WriteRaw(ItemList(cafe), creme + "\r\n"));
    ASSERT_TRUE(WriteRaw(ItemText(cafe, creme), "br\xC3\xBBl\xC3\xA9"
                                                "e\n\xE2\x82\xAC 5"));

    NameList groups = store.LoadGroups();
    EXPECT_EQ(groups.Names(), Names{cafe});
    NameList items = store.LoadItems(cafe);
    EXPECT_EQ(items.Names(), Names{creme});
    const std::string text = store.ReadItemText(cafe, creme);
    EXPECT_EQ(text, "br\xC3\xBBl\xC3\xA9"
                    "e\r\n\xE2\x82\xAC 5");

    store.AddGroup(groups, "Zebra");
    EXPECT_EQ(ReadRaw(GroupList()), cafe + "\r\nZebra\r\n") << "UTF-8, still without the mark";
    store.ReplaceItem(cafe, items, 0, creme, text + "!");
    EXPECT_EQ(ReadRaw(ItemList(cafe)), creme + "\r\n");
    EXPECT_EQ(ReadRaw(ItemText(cafe, creme)), text + "!");
    store.AddItem(cafe, items, "\xC3\x96l",
                  "Gr\xC3\xBC\xC3\x9F"
                  "e");  // Öl: Grüße
    EXPECT_EQ(ReadRaw(ItemList(cafe)), creme + "\r\n\xC3\x96l\r\n");
    EXPECT_EQ(ReadRaw(ItemText(cafe, "\xC3\x96l")), "Gr\xFC\xDF"
                                                    "e")
        << "a new file takes the code page";

    // Saved under a new name, the text keeps the form it was read in.
    store.ReplaceItem(cafe, items, 0, "Cr\xC3\xA8me 2", text);
    EXPECT_EQ(ReadRaw(ItemText(cafe, "Cr\xC3\xA8me 2")), text);
}

// A file with the mark keeps it though the code page would hold its text;
// a list in UTF-8 without the mark stays so with only ASCII names left.
TEST_F(LibraryStoreTest, AFileWithTheMarkKeepsItAndOneWithoutStaysWithout) {
    WithGroups({"g"});
    ASSERT_TRUE(WriteRaw(ItemList("g"), "a\r\n\xC3\xA9t\xC3\xA9\r\n"));  // a, été
    ASSERT_TRUE(WriteRaw(ItemText("g", "a"), "\xEF\xBB\xBF"
                                             "A"));
    NameList items = store.LoadItems("g");
    ASSERT_EQ(store.ReadItemText("g", "a"), "A");
    store.ReplaceItem("g", items, 0, "a", "B");
    EXPECT_EQ(ReadRaw(ItemText("g", "a")), "\xEF\xBB\xBF"
                                           "B");
    store.DeleteItem("g", items, 1);
    store.AddItem("g", items, "caf\xC3\xA9", "");
    EXPECT_EQ(ReadRaw(ItemList("g")), "a\r\ncaf\xC3\xA9\r\n") << "UTF-8 without the mark, as it was read";
}

// An ANSI tool appended a line to a list with the mark: that line is read
// from the code page, and no name the user did not change is written back
// with a replacement character.
TEST_F(LibraryStoreTest, AnAnsiLineInAListWithTheMarkIsReadFromTheCodePage) {
    if (!test::AnsiCodePageIs1252()) GTEST_SKIP() << "the ANSI code page is not 1252";
    const std::string mark = "\xEF\xBB\xBF";
    const std::string coffee = "Kaffee \xE2\x98\x95";
    const std::string cafe = "Caf\xC3\xA9";
    store.EnsureDataFolder();
    ASSERT_TRUE(test::MakeFolderRaw(Data() + cafe));
    ASSERT_TRUE(WriteRaw(ItemList(cafe), mark + "Cr\xC3\xA8me\r\nCr\xE8me br\xFBl\xE9"
                                                "e\r\n"));
    ASSERT_TRUE(WriteRaw(GroupList(), mark + coffee + "\r\nCaf\xE9\r\n"));

    NameList groups = store.LoadGroups();
    EXPECT_EQ(groups.Names(), (Names{cafe, coffee}));
    EXPECT_EQ(store.LoadItems(cafe).Names(), (Names{"Cr\xC3\xA8me", "Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9"
                                                                    "e"}));
    store.AddGroup(groups, "x");
    EXPECT_EQ(ReadRaw(GroupList()), mark + cafe + "\r\n" + coffee + "\r\nx\r\n");
}

// Names that would leave their folder, open a stream or reach a device.
const char* const kUnsafeGroups[] = {"..",      ".",    "a/b", "a\\b", "x:y",  "NUL",
                                     "con.txt", "Com1", "a*",  "q?",   "end.", "end "};
const char* const kUnsafeItems[] = {"..",  "../../escape", "..\\..\\escape", "s:stream", "NUL", "lpt1.log",
                                    "a|b", "<x>"};

TEST_F(LibraryStoreTest, UnsafeGroupNameIsRefusedLikeAFolderThatCannotBeMade) {
    NameList groups = WithGroups({"ok"});
    for (const char* name : kUnsafeGroups) {
        EXPECT_THROW(store.AddGroup(groups, name), GroupFolderError) << name;
    }
    EXPECT_EQ(groups.Names(), Names{"ok"});
    EXPECT_EQ(ReadRaw(GroupList()), "ok\r\n");
    EXPECT_EQ(ListFolder(Data()), (Names{"categories.dat", "ok"}));
    EXPECT_EQ(ListFolder(folder.Path()), Names{"data"});
}

TEST_F(LibraryStoreTest, UnsafeItemNameFailsBeforeAnythingIsListedOrWritten) {
    WithGroups({"g"});
    NameList items = store.LoadItems("g");
    store.AddItem("g", items, "kept", "K");
    for (const char* name : kUnsafeItems) {
        EXPECT_EQ(MessageOf<EFCreateError>([&] { store.AddItem("g", items, name, "t"); }),
                  "Cannot create file " + ItemText("g", name))
            << name;
        EXPECT_EQ(MessageOf<EFCreateError>([&] { store.ReplaceItem("g", items, 0, name, "t"); }),
                  "Cannot create file " + ItemText("g", name))
            << name;
        EXPECT_EQ(MessageOf<EFOpenError>([&] { store.ReadItemText("g", name); }),
                  "Cannot open file " + ItemText("g", name))
            << name;
    }
    EXPECT_EQ(items.Names(), Names{"kept"});
    EXPECT_EQ(ReadRaw(ItemList("g")), "kept\r\n");
    EXPECT_EQ(ListFolder(Data() + "g" + kSep), (Names{"g.dat", "kept.itm"}));
    EXPECT_EQ(ListFolder(folder.Path()), Names{"data"});
    EXPECT_EQ(ListFolder(Data()), (Names{"categories.dat", "g"}));
}

// categories.dat may be edited by hand: a group named ".." must not reach
// the files above the data folder.
TEST_F(LibraryStoreTest, UnsafeGroupNameFromTheListReachesNoFile) {
    store.EnsureDataFolder();
    const std::string outside = folder.Path() + "...dat";  // data/../...dat
    ASSERT_TRUE(WriteRaw(outside, "secret\r\n"));
    ASSERT_TRUE(WriteRaw(folder.Path() + "victim.itm", "keep"));
    NameList items;
    items.Insert("victim");
    for (const char* group : kUnsafeGroups) {
        EXPECT_EQ(MessageOf<EFOpenError>([&] { store.LoadItems(group); }), "Cannot open file " + ItemList(group))
            << group;
        EXPECT_EQ(MessageOf<EFOpenError>([&] { store.ReadItemText(group, "victim"); }),
                  "Cannot open file " + ItemText(group, "victim"))
            << group;
        EXPECT_EQ(MessageOf<EFCreateError>([&] { store.AddItem(group, items, "i", "t"); }),
                  "Cannot create file " + ItemList(group))
            << group;
        EXPECT_EQ(MessageOf<EFCreateError>([&] { store.ReplaceItem(group, items, 0, "i", "t"); }),
                  "Cannot create file " + ItemList(group))
            << group;
        EXPECT_EQ(MessageOf<EFCreateError>([&] { store.DeleteItem(group, items, 0); }),
                  "Cannot create file " + ItemList(group))
            << group;
    }
    EXPECT_EQ(items.Names(), Names{"victim"});
    EXPECT_EQ(ReadRaw(outside), "secret\r\n");
    EXPECT_EQ(ReadRaw(folder.Path() + "victim.itm"), "keep");
    EXPECT_TRUE(ListFolder(Data()).empty());
    EXPECT_EQ(ListFolder(folder.Path()), (Names{"...dat", "data", "victim.itm"}));
}

// An item list may be edited by hand too: deleting such a row deletes no file.
TEST_F(LibraryStoreTest, DeletingAnUnsafeItemRowRemovesOnlyTheRow) {
    WithGroups({"g"});
    ASSERT_TRUE(WriteRaw(folder.Path() + "victim.itm", "keep"));
    const std::string escape = ".." + kSep + ".." + kSep + "victim";
    ASSERT_TRUE(WriteRaw(ItemList("g"), escape + "\r\n"));
    NameList items = store.LoadItems("g");
    ASSERT_EQ(items.Names(), Names{escape});
    store.DeleteItem("g", items, 0);
    EXPECT_EQ(items.Count(), 0);
    EXPECT_EQ(ReadRaw(ItemList("g")), "");
    EXPECT_EQ(ReadRaw(folder.Path() + "victim.itm"), "keep");
}

TEST_F(LibraryStoreTest, OrdinaryNamesKeepWorking) {
    const Names names = {"x(1) - y_z 'q', r; s & t! #5 %", " Leading", "MiXeD case", "\xC3\x84rger \xC3\xBC\xC3\x9F",
                         "a.b"};
    NameList groups = WithGroups(names);
    EXPECT_EQ(groups.Count(), 5);
    for (const std::string& group : names) {
        NameList items = store.LoadItems(group);
        for (const std::string& item : names) store.AddItem(group, items, item, "text of " + item);
        store.AddItem(group, items, "trailing. ", "dots and spaces end item names");
        EXPECT_EQ(store.LoadItems(group).Count(), 6) << group;
        for (const std::string& item : names) EXPECT_EQ(store.ReadItemText(group, item), "text of " + item);
        EXPECT_EQ(store.ReadItemText(group, "trailing. "), "dots and spaces end item names");
    }
    EXPECT_EQ(store.LoadGroups().Names(), groups.Names());
}

// --- Long names

// Windows keeps paths under MAX_PATH (259 UTF-16 units, and 246 for the
// folder of a safe write's temporary file). The item list's path holds the
// group name twice: a group whose list could not be written there is
// refused before anything is made, and one that fits can hold items of a
// name as long as its own.
TEST_F(LibraryStoreTest, AGroupNameTooLongForItsFilesIsRefusedBeforeAnythingIsMade) {
    NameList groups = WithGroups({"kept"});
    const size_t base = Utf16Units(Data()) + 1 + 4;  // the separator and ".dat"
    ASSERT_LT(base, 200u) << "the test folder's path leaves no room to test";
    const size_t longest = (259 - base) / 2;
    const std::string fits(longest, 'g');
    const std::string tooLong = fits + "g";
    try {
        store.AddGroup(groups, tooLong);
        ADD_FAILURE() << "no refusal";
    } catch (const GroupNameTooLongError& error) {
        EXPECT_EQ(std::string(error.what()), "The path is too long: " + ItemList(tooLong));
    }
    // Each character beyond the code page counts as the UTF-16 units it takes.
    const std::string wide = std::string(longest - 1, 'g') + "\xF0\x9F\x99\x82";  // 🙂: two units
    EXPECT_THROW(store.AddGroup(groups, wide), GroupNameTooLongError);
    EXPECT_EQ(groups.Names(), Names{"kept"});
    EXPECT_EQ(ReadRaw(GroupList()), "kept\r\n");
    EXPECT_EQ(ListFolder(Data()), (Names{"categories.dat", "kept"}));

    store.AddGroup(groups, fits);
    NameList items = store.LoadItems(fits);
    store.AddItem(fits, items, std::string(longest, 'i'), "fits");
    EXPECT_EQ(ReadRaw(ItemText(fits, std::string(longest, 'i'))), "fits");
}

// An item name too long for its path is refused as a name the file system
// refuses, before it is listed.
TEST_F(LibraryStoreTest, AnItemNameTooLongForItsPathIsRefusedBeforeItIsListed) {
    WithGroups({"g"});
    NameList items = store.LoadItems("g");
    const std::string name(260, 'i');
    EXPECT_EQ(MessageOf<EFCreateError>([&] { store.AddItem("g", items, name, "t"); }),
              "Cannot create file " + ItemText("g", name));
    EXPECT_EQ(items.Count(), 0);
    EXPECT_EQ(ReadRaw(ItemList("g")), "");
    EXPECT_EQ(ListFolder(Data() + "g" + kSep), Names{"g.dat"});
}

// --- Temporary files of a killed write

// A write killed between making its temporary copy and moving it over the
// file leaves the copy beside it. The next start removes such copies from
// the data folder and from every folder in it, and nothing else.
TEST_F(LibraryStoreTest, TemporaryFilesLeftByKilledWritesAreRemovedAtStart) {
    WithGroups({"g"});
    NameList items = store.LoadItems("g");
    store.AddItem("g", items, "~pmx.tmp", "an item's text, not a temporary file");
    ASSERT_TRUE(test::MakeFolderRaw(Data() + "gone"));  // a deleted group's
    for (const std::string& path : {Data() + "~pm1A2B.tmp", Data() + "~PM7F.TMP", Data() + "g" + kSep + "~pm3.tmp",
                                    Data() + "gone" + kSep + "~pm12345-6.tmp"})
        ASSERT_TRUE(WriteRaw(path, "half a file"));
    for (const std::string& path :
         {Data() + "notes.tmp", Data() + "~pm.txt", Data() + "pm1.tmp", Data() + "gone" + kSep + "x"})
        ASSERT_TRUE(WriteRaw(path, "someone's"));
    ASSERT_TRUE(test::MakeFolderRaw(Data() + "~pmfolder.tmp"));

    LibraryStore startup(folder.Path());
    startup.EnsureDataFolder();
    startup.RemoveLeftoverTemporaryFiles();
    EXPECT_EQ(ListFolder(Data()),
              (Names{"categories.dat", "g", "gone", "notes.tmp", "pm1.tmp", "~pm.txt", "~pmfolder.tmp"}));
    EXPECT_EQ(ListFolder(Data() + "g" + kSep), (Names{"g.dat", "~pmx.tmp.itm"}));
    EXPECT_EQ(ListFolder(Data() + "gone" + kSep), Names{"x"});

    LibraryStore nowhere(folder.Path() + "missing" + kSep);
    EXPECT_NO_THROW(nowhere.RemoveLeftoverTemporaryFiles());
}

// A group list that exists but cannot be read is never overwritten by a
// list that was not read from it.
TEST_F(LibraryStoreTest, UnreadableGroupListIsNotOverwritten) {
    WithGroups({"keep1", "keep2"});
    const std::string before = ReadRaw(GroupList());
    {
        test::ExclusiveHold hold(GroupList());
        LibraryStore startup(folder.Path());
        NameList groups = startup.LoadGroups();
        EXPECT_EQ(groups.Count(), 0);
        EXPECT_EQ(MessageOf<EFOpenError>([&] { startup.AddGroup(groups, "new"); }), "Cannot open file " + GroupList());
        EXPECT_EQ(MessageOf<EFOpenError>([&] { startup.DeleteGroup(groups, -1); }), "Cannot open file " + GroupList());
        EXPECT_EQ(groups.Count(), 0);
        EXPECT_FALSE(ExistsRaw(Data() + "new"));
    }
    EXPECT_EQ(ReadRaw(GroupList()), before);
}

TEST_F(LibraryStoreTest, UnreadableGroupListIsReadAgainBeforeTheNextWrite) {
    WithGroups({"keep1", "keep2"});
    LibraryStore startup(folder.Path());
    NameList groups;
    {
        test::ExclusiveHold hold(GroupList());
        groups = startup.LoadGroups();
    }
    ASSERT_EQ(groups.Count(), 0);
    startup.AddGroup(groups, "new");
    EXPECT_EQ(groups.Names(), (Names{"keep1", "keep2", "new"}));
    EXPECT_EQ(ReadRaw(GroupList()), "keep1\r\nkeep2\r\nnew\r\n");

    // Delete: the read happens first; afterwards the list is trusted.
    LibraryStore again(folder.Path());
    {
        test::ExclusiveHold hold(GroupList());
        groups = again.LoadGroups();
    }
    again.DeleteGroup(groups, -1);
    EXPECT_EQ(groups.Names(), (Names{"keep1", "keep2", "new"}));
    EXPECT_EQ(ReadRaw(GroupList()), "keep1\r\nkeep2\r\nnew\r\n");
    again.DeleteGroup(groups, 0);
    EXPECT_EQ(ReadRaw(GroupList()), "keep2\r\nnew\r\n");
}

TEST_F(LibraryStoreTest, MissingGroupListIsNoReasonToRefuse) {
    store.EnsureDataFolder();
    NameList groups = store.LoadGroups();
    store.AddGroup(groups, "first");
    EXPECT_EQ(ReadRaw(GroupList()), "first\r\n");
}

// --- Another program writes the list files while the store runs

// Groups another program added or removed between two changes of the user's:
// the change is made on the list as the file holds it, no name comes twice
// for having been read again, and a delete acts on its row's name.
TEST_F(LibraryStoreTest, GroupsAnotherProgramChangedAreKeptAsItLeftThem) {
    NameList groups = WithGroups({"alpha", "beta"});
    ASSERT_TRUE(WriteRaw(GroupList(), "alpha\r\nbeta\r\ngamma\r\n"));
    EXPECT_TRUE(store.AddGroup(groups, "delta"));
    EXPECT_EQ(ReadRaw(GroupList()), "alpha\r\nbeta\r\ndelta\r\ngamma\r\n");

    ASSERT_TRUE(WriteRaw(GroupList(), ReadRaw(GroupList()) + "Aardvark\r\n"));
    EXPECT_TRUE(store.DeleteGroup(groups, 1));  // "beta" as the caller lists it
    EXPECT_EQ(groups.Names(), (Names{"Aardvark", "alpha", "delta", "gamma"}));
    EXPECT_EQ(ReadRaw(GroupList()), "Aardvark\r\nalpha\r\ndelta\r\ngamma\r\n");

    ASSERT_TRUE(WriteRaw(GroupList(), "gamma\nalpha"));  // "delta" removed; no writer of ours
    EXPECT_TRUE(store.DeleteGroup(groups, 2));
    EXPECT_EQ(groups.Names(), (Names{"alpha", "gamma"}));
    EXPECT_EQ(ReadRaw(GroupList()), "gamma\nalpha") << "nothing written";
}

TEST_F(LibraryStoreTest, ItemsAnotherProgramChangedAreKeptAsItLeftThem) {
    WithGroups({"g"});
    NameList items = store.LoadItems("g");
    store.AddItem("g", items, "b", "B");
    ASSERT_TRUE(WriteRaw(ItemText("g", "x"), "X"));
    ASSERT_TRUE(WriteRaw(ItemList("g"), "a\r\nb\r\nx\r\n"));
    EXPECT_TRUE(store.AddItem("g", items, "y", "Y"));
    EXPECT_EQ(ReadRaw(ItemList("g")), "a\r\nb\r\nx\r\ny\r\n");

    ASSERT_TRUE(WriteRaw(ItemList("g"), "0\r\n" + ReadRaw(ItemList("g"))));
    EXPECT_TRUE(store.ReplaceItem("g", items, 1, "c", "C"));  // "b", now a row further down
    EXPECT_EQ(ReadRaw(ItemList("g")), "0\r\na\r\nc\r\nx\r\ny\r\n");
    EXPECT_EQ(ReadRaw(ItemText("g", "c")), "C");

    // A row another program removed: Save Changed Item keeps the user's
    // edit as an item of its own, removing nothing; Delete Item deletes
    // nothing and writes nothing.
    ASSERT_TRUE(WriteRaw(ItemList("g"), "x\n0"));
    EXPECT_TRUE(store.ReplaceItem("g", items, 2, "d", "D"));  // "c", gone
    EXPECT_EQ(items.Names(), (Names{"0", "d", "x"}));
    EXPECT_EQ(ReadRaw(ItemText("g", "d")), "D");
    ASSERT_TRUE(WriteRaw(ItemList("g"), "0\nd\n"));
    EXPECT_TRUE(store.DeleteItem("g", items, 2));  // "x", gone
    EXPECT_EQ(items.Names(), (Names{"0", "d"}));
    EXPECT_EQ(ReadRaw(ItemList("g")), "0\nd\n") << "nothing written";
    EXPECT_EQ(ReadRaw(ItemText("g", "x")), "X");
}

// A list that changed and cannot be read again (another program holds it)
// refuses the change, naming the file: nothing is made, written or deleted.
TEST_F(LibraryStoreTest, AChangedListThatCannotBeReadAgainRefusesTheChange) {
    NameList groups = WithGroups({"g"});
    NameList items = store.LoadItems("g");
    store.AddItem("g", items, "a", "A");
    ASSERT_TRUE(WriteRaw(GroupList(), "g\r\nother\r\n"));
    ASSERT_TRUE(WriteRaw(ItemList("g"), "a\r\nother\r\n"));
    {
        test::ExclusiveHold holdGroups(GroupList());
        test::ExclusiveHold holdItems(ItemList("g"));
        EXPECT_EQ(MessageOf<EFOpenError>([&] { store.AddGroup(groups, "new"); }), "Cannot open file " + GroupList());
        EXPECT_EQ(MessageOf<EFOpenError>([&] { store.DeleteItem("g", items, 0); }),
                  "Cannot open file " + ItemList("g"));
    }
    EXPECT_EQ(groups.Names(), Names{"g"});
    EXPECT_EQ(items.Names(), Names{"a"});
    EXPECT_EQ(ListFolder(Data()), (Names{"categories.dat", "g"}));
    EXPECT_EQ(ReadRaw(ItemText("g", "a")), "A");
    EXPECT_EQ(ReadRaw(ItemList("g")), "a\r\nother\r\n");
}

// A clock that keeps write times to the second (or two) leaves size and time
// as they were when another program rewrites the file within that tick: the
// bytes tell. A stamp taken well after the last write vouches for the file
// alone, and nothing is read.
TEST_F(LibraryStoreTest, ASameSizedRewriteWithinOneTickIsFoundByItsBytes) {
    store.EnsureDataFolder();
    const int64_t now =
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
            .count();
    ASSERT_TRUE(WriteRaw(GroupList(), "alpha\r\n"));
    ASSERT_TRUE(test::SetWriteTimeRaw(GroupList(), now - 3600'000'000'000LL));
    FailingWrites files;
    LibraryStore counted(folder.Path(), files);
    NameList groups = counted.LoadGroups();
    EXPECT_FALSE(counted.AddGroup(groups, "beta"));
    EXPECT_EQ(files.reads, 1) << "read at start only";

    ASSERT_TRUE(WriteRaw(GroupList(), "alpha\r\nzeta\r\n"));  // as long as alpha, beta
    ASSERT_TRUE(test::SetWriteTimeRaw(GroupList(), now));
    groups = counted.LoadGroups();
    ASSERT_TRUE(WriteRaw(GroupList(), "alpha\r\nbeta\r\n"));
    ASSERT_TRUE(test::SetWriteTimeRaw(GroupList(), now));
    EXPECT_TRUE(counted.AddGroup(groups, "gamma"));
    EXPECT_EQ(ReadRaw(GroupList()), "alpha\r\nbeta\r\ngamma\r\n");
}

}  // namespace
}  // namespace pastimo
