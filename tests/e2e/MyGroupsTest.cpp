// The "My Groups" page driven from outside: groups, items, picks, the
// information boxes, the error box, and the files on disk after each step.

#include "tests/e2e/Fixture.h"
#include "tests/e2e/MyGroupsPage.h"

namespace e2e {
namespace {

constexpr const char* kIllegalName =
    "ERROR: Group names cannot contain any illegal filename characters, like * or / or ? or <. Please enter a "
    "new name using only alphanumeric characters (spaces are OK).";

using MyGroups = MyGroupsPageTest;

TEST_F(MyGroups, GroupsAreListedSortedAndStored) {
    AddGroup("Beta");
    AddGroup("alpha");
    EXPECT_EQ(Program::Rows(page_->groups), (std::vector<std::string>{"alpha", "Beta"}));
    EXPECT_EQ(ReadFileBytes(Data("categories.dat")), "alpha\r\nBeta\r\n");
    EXPECT_TRUE(FolderExists(Data("Beta")));
    EXPECT_TRUE(FileExists(Data("Beta\\Beta.dat")));
    EXPECT_EQ(ReadFileBytes(Data("Beta\\Beta.dat")), "");
    EXPECT_EQ(Program::Text(page_->groupName), "") << "the field is emptied after an add";
    // A click into the field empties it, also of what the user typed.
    program_->SetText(page_->groupName, "typed");
    program_->Focus(page_->groupName);
    program_->Sync();
    EXPECT_EQ(Program::Text(page_->groupName), "");
}

TEST_F(MyGroups, RefusedGroupNamesShowTheirBoxesAndChangeNothing) {
    program_->SetText(page_->groupName, "");
    EXPECT_EQ(ExpectBox([&] { program_->ClickNoSync(page_->addGroup); }), "Enter a name for this group first.");
    AddGroup("TEST");
    const std::string stored = ReadFileBytes(Data("categories.dat"));
    for (const char* name : {"TEST", "test", "a*b", "..\\outside", "NUL", "trailing."}) {
        program_->SetText(page_->groupName, name);
        EXPECT_EQ(ExpectBox([&] { program_->ClickNoSync(page_->addGroup); }), kIllegalName) << name;
        EXPECT_EQ(Program::Text(page_->groupName), name) << "the typed name stays";
    }
    EXPECT_EQ(ReadFileBytes(Data("categories.dat")), stored);
    EXPECT_EQ(Program::Rows(page_->groups), (std::vector<std::string>{"TEST"}));
    EXPECT_FALSE(FolderExists(folder_.File("outside")));
}

TEST_F(MyGroups, ItemsAreAddedPickedEditedAndDeleted) {
    AddGroup("Letters");
    program_->Select(page_->groups, 0);
    EXPECT_TRUE(IsWindowEnabled(page_->itemName));
    EXPECT_EQ(Program::Text(page_->itemName), "");
    AddItem("Greeting", "Hello,\r\n\tthank you.");
    AddItem("Address", "1 Example Road");
    EXPECT_EQ(Program::Rows(page_->items), (std::vector<std::string>{"Address", "Greeting"}));
    EXPECT_EQ(ReadFileBytes(Data("Letters\\Letters.dat")), "Address\r\nGreeting\r\n");
    EXPECT_EQ(ReadFileBytes(Data("Letters\\Greeting.itm")), "Hello,\r\n\tthank you.");
    EXPECT_EQ(Program::Text(page_->itemName), "");
    EXPECT_EQ(Program::Text(page_->itemText), "");

    // A pick shows the item and puts exactly its text on the clipboard.
    program_->Select(page_->items, 1);
    EXPECT_EQ(Program::Text(page_->itemName), "Greeting");
    EXPECT_EQ(Program::Text(page_->itemText), "Hello,\r\n\tthank you.");
    EXPECT_TRUE(IsWindowVisible(page_->saveChanged));
    EXPECT_EQ(ClipboardText(), "Hello,\r\n\tthank you.");
    DWORD start = 0, end = 0;
    SendMessageA(page_->itemText, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u) << "the selection is collapsed to the start";

    // Saving under a new name lists only the new name; the old file stays.
    program_->SetText(page_->itemName, "Welcome");
    program_->SetText(page_->itemText, "Hi!");
    program_->Click(page_->saveChanged);
    EXPECT_EQ(Program::Rows(page_->items), (std::vector<std::string>{"Address", "Welcome"}));
    EXPECT_EQ(ReadFileBytes(Data("Letters\\Letters.dat")), "Address\r\nWelcome\r\n");
    EXPECT_EQ(ReadFileBytes(Data("Letters\\Welcome.itm")), "Hi!");
    EXPECT_TRUE(FileExists(Data("Letters\\Greeting.itm")));
    EXPECT_FALSE(IsWindowVisible(page_->saveChanged));
    EXPECT_EQ(Program::Selected(page_->items), -1);

    // Delete removes the row and the text file; the fields keep the item.
    program_->Select(page_->items, 0);
    program_->Click(page_->deleteItem);
    EXPECT_EQ(Program::Rows(page_->items), (std::vector<std::string>{"Welcome"}));
    EXPECT_FALSE(FileExists(Data("Letters\\Address.itm")));
    EXPECT_EQ(Program::Text(page_->itemName), "Address");
    // ... and the still visible Save Changed Item puts it back.
    program_->Click(page_->saveChanged);
    EXPECT_EQ(Program::Rows(page_->items), (std::vector<std::string>{"Address", "Welcome"}));
    EXPECT_EQ(ReadFileBytes(Data("Letters\\Address.itm")), "1 Example Road");
}

TEST_F(MyGroups, AddingAGroupKeepsTheHighlightAndTakesTheNewItems) {
    AddGroup("m-group");
    program_->Select(page_->groups, 0);
    AddItem("one", "1");
    AddGroup("a-group");  // sorts before the highlighted group
    EXPECT_EQ(Program::Rows(page_->groups), (std::vector<std::string>{"a-group", "m-group"}));
    EXPECT_EQ(Program::Selected(page_->groups), 1) << "the highlight stays on m-group";
    EXPECT_TRUE(Program::Rows(page_->items).empty());
    AddItem("two", "2");
    EXPECT_EQ(ReadFileBytes(Data("a-group\\a-group.dat")), "two\r\n");
    EXPECT_EQ(ReadFileBytes(Data("m-group\\m-group.dat")), "one\r\n");
}

TEST_F(MyGroups, DeletingAGroupKeepsItsFilesAndItsItemsShown) {
    AddGroup("Old");
    program_->Select(page_->groups, 0);
    AddItem("kept", "text");
    program_->Click(page_->deleteGroup);
    EXPECT_TRUE(Program::Rows(page_->groups).empty());
    EXPECT_EQ(ReadFileBytes(Data("categories.dat")), "");
    EXPECT_EQ(Program::Rows(page_->items), (std::vector<std::string>{"kept"}));
    EXPECT_TRUE(FileExists(Data("Old\\kept.itm")));
}

TEST_F(MyGroups, EnteringTheItemFieldsWithoutAGroupAsksForOne) {
    EXPECT_EQ(ExpectBox([&] { program_->Focus(page_->itemName); }),
              "You must first select a Group from the Group list.");
    EXPECT_EQ(Program::Text(page_->itemName), "Select a Group first (above)");
    EXPECT_EQ(Program::Text(page_->itemText), "Select a Group first (above)");
    EXPECT_FALSE(IsWindowEnabled(page_->itemName));
    EXPECT_FALSE(IsWindowEnabled(page_->itemText));
    AddGroup("G");
    program_->Select(page_->groups, 0);
    EXPECT_TRUE(IsWindowEnabled(page_->itemName));
    EXPECT_EQ(Program::Text(page_->itemText), "");
}

TEST_F(MyGroups, AnItemNameTheFileSystemRefusesShowsTheErrorBox) {
    AddGroup("G");
    program_->Select(page_->groups, 0);
    program_->SetText(page_->itemName, "a:b");
    program_->SetText(page_->itemText, "secret");
    const std::string text = ExpectBox([&] { program_->ClickNoSync(page_->addItem); }, "Pastimo");
    EXPECT_EQ(text, "Cannot create file " + Data("G\\a:b.itm") + ".");
    EXPECT_TRUE(Program::Rows(page_->items).empty()) << "nothing is listed";
    EXPECT_EQ(ReadFileBytes(Data("G\\G.dat")), "");
    EXPECT_EQ(Program::Text(page_->itemName), "a:b") << "the fields stay filled";
    EXPECT_TRUE(program_->Running());
}

TEST_F(MyGroups, EnterPressesMinimizeOnlyOnTheMyGroupsPage) {
    HWND main = program_->MainWindow();
    program_->ShowPage(2);
    PostMessageA(main, WM_KEYDOWN, VK_RETURN, 0);
    program_->Sync();
    EXPECT_TRUE(IsWindowVisible(main)) << "Enter on the Help page does not minimise";
    program_->ShowPage(0);
    program_->Focus(page_->groupName);
    program_->Sync();
    PostMessageA(page_->groupName, WM_KEYDOWN, VK_RETURN, 0);
    program_->Sync();
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); })) << "Enter in a one-line field minimises";
}

}  // namespace
}  // namespace e2e
