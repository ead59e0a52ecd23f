// The user's own slips on the "My Groups" page, end to end: an item name the
// group lists already, items with no group to go into, and a group name too
// long for its files. Each is refused with a box; nothing is written.

#include "tests/e2e/Fixture.h"
#include "tests/e2e/MyGroupsPage.h"

namespace e2e {
namespace {

constexpr const char* kSelectGroupFirst = "You must first select a Group from the Group list.";

using MyGroupsSlips = MyGroupsPageTest;

TEST_F(MyGroupsSlips, AnItemNameTheGroupListsIsRefusedAndItsTextKept) {
    AddGroup("G");
    FProgram->Select(FPage->groups, 0);
    AddItem("a", "first");
    for (const char* name : {"a", "A"}) {
        FProgram->SetText(FPage->itemName, name);
        FProgram->SetText(FPage->itemText, "second");
        EXPECT_EQ(ExpectBox([&] { FProgram->ClickNoSync(FPage->addItem); }),
                  std::string("The group already has an item named \"") + name + "\". Please enter another name.");
        EXPECT_EQ(Program::Text(FPage->itemName), name) << "the fields keep what was typed";
        EXPECT_EQ(Program::Text(FPage->itemText), "second");
    }
    EXPECT_EQ(Program::Rows(FPage->items), std::vector<std::string>{"a"});
    EXPECT_EQ(ReadFileBytes(Data("G\\G.dat")), "a\r\n");
    EXPECT_EQ(ReadFileBytes(Data("G\\a.itm")), "first");
}

// An older copy listed a name twice: the list loads, and deleting one row
// keeps the text the other row still shows.
TEST_F(MyGroupsSlips, ANameListedTwiceKeepsItsTextWhenOneRowIsDeleted) {
    AddGroup("G");
    WriteFileBytes(Data("G\\dup.itm"), "shared");
    WriteFileBytes(Data("G\\G.dat"), "dup\r\ndup\r\n");
    FProgram->Select(FPage->groups, 0);
    EXPECT_EQ(Program::Rows(FPage->items), (std::vector<std::string>{"dup", "dup"}));
    FProgram->Select(FPage->items, 1);
    FProgram->Click(FPage->deleteItem);
    EXPECT_EQ(Program::Rows(FPage->items), std::vector<std::string>{"dup"});
    EXPECT_EQ(ReadFileBytes(Data("G\\G.dat")), "dup\r\n");
    EXPECT_EQ(ReadFileBytes(Data("G\\dup.itm")), "shared");
    FProgram->Select(FPage->items, 0);
    EXPECT_EQ(Program::Text(FPage->itemText), "shared");
}

// Before any group was selected no group is current: an item has nowhere to
// go (it used to land in a hidden list in the data folder itself).
TEST_F(MyGroupsSlips, WithNoGroupSelectedAddItemAsksForOneAndWritesNothing) {
    FProgram->SetText(FPage->itemName, "loose");
    FProgram->SetText(FPage->itemText, "no group");
    EXPECT_EQ(ExpectBox([&] { FProgram->ClickNoSync(FPage->addItem); }), kSelectGroupFirst);
    EXPECT_FALSE(FileExists(Data(".dat")));
    EXPECT_FALSE(FileExists(Data("loose.itm")));
    EXPECT_EQ(Program::Text(FPage->itemName), "loose");
}

// After Delete Group its items are no longer listed and nothing goes into
// its folder, which nothing could reach.
TEST_F(MyGroupsSlips, AfterDeleteGroupNoGroupIsCurrentAndItemsAskForOne) {
    AddGroup("Old");
    FProgram->Select(FPage->groups, 0);
    AddItem("kept", "text");
    FProgram->Select(FPage->items, 0);
    ASSERT_TRUE(IsWindowVisible(FPage->saveChanged));
    FProgram->Click(FPage->deleteGroup);
    EXPECT_TRUE(Program::Rows(FPage->items).empty());
    EXPECT_FALSE(IsWindowVisible(FPage->saveChanged));

    FProgram->SetText(FPage->itemName, "new");
    FProgram->SetText(FPage->itemText, "lost");
    EXPECT_EQ(ExpectBox([&] { FProgram->ClickNoSync(FPage->addItem); }), kSelectGroupFirst);
    EXPECT_FALSE(FileExists(Data("Old\\new.itm")));
    EXPECT_EQ(ReadFileBytes(Data("Old\\Old.dat")), "kept\r\n");
    EXPECT_EQ(ReadFileBytes(Data("Old\\kept.itm")), "text");
    EXPECT_EQ(FProgram->MessageBoxNow(), nullptr);
}

// The item list's path holds the group name twice: a name whose files
// Windows could not store is refused, with nothing made.
TEST_F(MyGroupsSlips, AGroupNameTooLongForItsFilesIsRefusedWithABoxSayingSo) {
    const std::string name(150, 'n');
    FProgram->SetText(FPage->groupName, name);
    EXPECT_EQ(ExpectBox([&] { FProgram->ClickNoSync(FPage->addGroup); }),
              "The group name is too long: Windows could not store the group's files under it. Please enter a "
              "shorter name.");
    EXPECT_EQ(Program::Text(FPage->groupName), name);
    EXPECT_TRUE(Program::Rows(FPage->groups).empty());
    EXPECT_FALSE(FolderExists(Data(name)));
    EXPECT_EQ(ReadFileBytes(Data("categories.dat")), "");
}

}  // namespace
}  // namespace e2e
