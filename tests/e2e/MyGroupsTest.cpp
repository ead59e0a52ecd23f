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
    EXPECT_EQ(Program::Rows(FPage->groups), (std::vector<std::string>{"alpha", "Beta"}));
    EXPECT_EQ(ReadFileBytes(Data("categories.dat")), "alpha\r\nBeta\r\n");
    EXPECT_TRUE(FolderExists(Data("Beta")));
    EXPECT_TRUE(FileExists(Data("Beta\\Beta.dat")));
    EXPECT_EQ(ReadFileBytes(Data("Beta\\Beta.dat")), "");
    EXPECT_EQ(Program::Text(FPage->groupName), "") << "the field is emptied after an add";
    // A click into the field empties it, also of what the user typed.
    FProgram->SetText(FPage->groupName, "typed");
    FProgram->Focus(FPage->groupName);
    FProgram->Sync();
    EXPECT_EQ(Program::Text(FPage->groupName), "");
}

TEST_F(MyGroups, RefusedGroupNamesShowTheirBoxesAndChangeNothing) {
    FProgram->SetText(FPage->groupName, "");
    EXPECT_EQ(ExpectBox([&] { FProgram->ClickNoSync(FPage->addGroup); }), "Enter a name for this group first.");
    AddGroup("TEST");
    const std::string stored = ReadFileBytes(Data("categories.dat"));
    for (const char* name : {"TEST", "test", "a*b", "..\\outside", "NUL", "trailing."}) {
        FProgram->SetText(FPage->groupName, name);
        EXPECT_EQ(ExpectBox([&] { FProgram->ClickNoSync(FPage->addGroup); }), kIllegalName) << name;
        EXPECT_EQ(Program::Text(FPage->groupName), name) << "the typed name stays";
    }
    EXPECT_EQ(ReadFileBytes(Data("categories.dat")), stored);
    EXPECT_EQ(Program::Rows(FPage->groups), (std::vector<std::string>{"TEST"}));
    EXPECT_FALSE(FolderExists(FFolder.File("outside")));
}

TEST_F(MyGroups, ItemsAreAddedPickedEditedAndDeleted) {
    AddGroup("Letters");
    FProgram->Select(FPage->groups, 0);
    EXPECT_TRUE(IsWindowEnabled(FPage->itemName));
    EXPECT_EQ(Program::Text(FPage->itemName), "");
    AddItem("Greeting", "Hello,\r\n\tthank you.");
    AddItem("Address", "1 Example Road");
    EXPECT_EQ(Program::Rows(FPage->items), (std::vector<std::string>{"Address", "Greeting"}));
    EXPECT_EQ(ReadFileBytes(Data("Letters\\Letters.dat")), "Address\r\nGreeting\r\n");
    EXPECT_EQ(ReadFileBytes(Data("Letters\\Greeting.itm")), "Hello,\r\n\tthank you.");
    EXPECT_EQ(Program::Text(FPage->itemName), "");
    EXPECT_EQ(Program::Text(FPage->itemText), "");

    // A pick shows the item and puts exactly its text on the clipboard.
    FProgram->Select(FPage->items, 1);
    EXPECT_EQ(Program::Text(FPage->itemName), "Greeting");
    EXPECT_EQ(Program::Text(FPage->itemText), "Hello,\r\n\tthank you.");
    EXPECT_TRUE(IsWindowVisible(FPage->saveChanged));
    EXPECT_EQ(ClipboardText(), "Hello,\r\n\tthank you.");
    DWORD start = 0, end = 0;
    SendMessageA(FPage->itemText, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u) << "the selection is collapsed to the start";

    // Saving under a new name lists only the new name; the old file stays.
    FProgram->SetText(FPage->itemName, "Welcome");
    FProgram->SetText(FPage->itemText, "Hi!");
    FProgram->Click(FPage->saveChanged);
    EXPECT_EQ(Program::Rows(FPage->items), (std::vector<std::string>{"Address", "Welcome"}));
    EXPECT_EQ(ReadFileBytes(Data("Letters\\Letters.dat")), "Address\r\nWelcome\r\n");
    EXPECT_EQ(ReadFileBytes(Data("Letters\\Welcome.itm")), "Hi!");
    EXPECT_TRUE(FileExists(Data("Letters\\Greeting.itm")));
    EXPECT_FALSE(IsWindowVisible(FPage->saveChanged));
    EXPECT_EQ(Program::Selected(FPage->items), -1);

    // Delete removes the row and the text file; the fields keep the item.
    FProgram->Select(FPage->items, 0);
    FProgram->Click(FPage->deleteItem);
    EXPECT_EQ(Program::Rows(FPage->items), (std::vector<std::string>{"Welcome"}));
    EXPECT_FALSE(FileExists(Data("Letters\\Address.itm")));
    EXPECT_EQ(Program::Text(FPage->itemName), "Address");
    // ... and the still visible Save Changed Item puts it back.
    FProgram->Click(FPage->saveChanged);
    EXPECT_EQ(Program::Rows(FPage->items), (std::vector<std::string>{"Address", "Welcome"}));
    EXPECT_EQ(ReadFileBytes(Data("Letters\\Address.itm")), "1 Example Road");
}

TEST_F(MyGroups, AddingAGroupHighlightsItAndItTakesTheNewItems) {
    AddGroup("m-group");
    FProgram->Select(FPage->groups, 0);
    AddItem("one", "1");
    AddGroup("a-group");  // sorts before the highlighted group
    EXPECT_EQ(Program::Rows(FPage->groups), (std::vector<std::string>{"a-group", "m-group"}));
    EXPECT_EQ(Program::Selected(FPage->groups), 0) << "the highlight is on the new, current group";
    EXPECT_TRUE(Program::Rows(FPage->items).empty());
    AddItem("two", "2");
    EXPECT_EQ(ReadFileBytes(Data("a-group\\a-group.dat")), "two\r\n");
    EXPECT_EQ(ReadFileBytes(Data("m-group\\m-group.dat")), "one\r\n");
}

// Another program adds a group to the list file while the window shows it:
// the user's next add keeps it, and the highlight goes to the new group.
TEST_F(MyGroups, AGroupAnotherProgramAddedIsKeptByTheNextAdd) {
    AddGroup("m-group");
    FProgram->Select(FPage->groups, 0);
    ASSERT_EQ(ReadFileBytes(Data("categories.dat")), "m-group\r\n");
    WriteFileBytes(Data("categories.dat"), "m-group\r\nfrom-outside\r\n");
    AddGroup("a-group");
    EXPECT_EQ(Program::Rows(FPage->groups), (std::vector<std::string>{"a-group", "from-outside", "m-group"}));
    EXPECT_EQ(ReadFileBytes(Data("categories.dat")), "a-group\r\nfrom-outside\r\nm-group\r\n");
    EXPECT_TRUE(FolderExists(Data("a-group")));
    EXPECT_EQ(Program::Selected(FPage->groups), 0) << "the highlight is on a-group";
}

// Delete Group keeps the group's files; adding its name again brings it back.
TEST_F(MyGroups, DeletingAGroupKeepsItsFilesAndAddingItsNameBringsItBack) {
    AddGroup("Old");
    FProgram->Select(FPage->groups, 0);
    AddItem("kept", "text");
    FProgram->Click(FPage->deleteGroup);
    EXPECT_TRUE(Program::Rows(FPage->groups).empty());
    EXPECT_EQ(ReadFileBytes(Data("categories.dat")), "");
    EXPECT_TRUE(Program::Rows(FPage->items).empty()) << "its items are no longer listed";
    EXPECT_TRUE(FileExists(Data("Old\\kept.itm")));

    AddGroup("Old");
    EXPECT_EQ(FProgram->MessageBoxNow(), nullptr) << "no refusal";
    EXPECT_EQ(Program::Rows(FPage->groups), (std::vector<std::string>{"Old"}));
    EXPECT_EQ(Program::Selected(FPage->groups), 0);
    EXPECT_EQ(Program::Rows(FPage->items), (std::vector<std::string>{"kept"}));
    EXPECT_EQ(ReadFileBytes(Data("categories.dat")), "Old\r\n");
    EXPECT_EQ(ReadFileBytes(Data("Old\\Old.dat")), "kept\r\n");

    // Listed again, the name is taken in any case.
    FProgram->SetText(FPage->groupName, "OLD");
    EXPECT_EQ(ExpectBox([&] { FProgram->ClickNoSync(FPage->addGroup); }), kIllegalName);
    EXPECT_EQ(Program::Rows(FPage->groups), (std::vector<std::string>{"Old"}));
}

TEST_F(MyGroups, EnteringTheItemFieldsWithoutAGroupAsksForOne) {
    EXPECT_EQ(ExpectBox([&] { FProgram->Focus(FPage->itemName); }),
              "You must first select a Group from the Group list.");
    EXPECT_EQ(Program::Text(FPage->itemName), "Select a Group first (above)");
    EXPECT_EQ(Program::Text(FPage->itemText), "Select a Group first (above)");
    EXPECT_FALSE(IsWindowEnabled(FPage->itemName));
    EXPECT_FALSE(IsWindowEnabled(FPage->itemText));
    AddGroup("G");
    FProgram->Select(FPage->groups, 0);
    EXPECT_TRUE(IsWindowEnabled(FPage->itemName));
    EXPECT_EQ(Program::Text(FPage->itemText), "");
}

TEST_F(MyGroups, AnItemNameTheFileSystemRefusesShowsTheErrorBox) {
    AddGroup("G");
    FProgram->Select(FPage->groups, 0);
    FProgram->SetText(FPage->itemName, "a:b");
    FProgram->SetText(FPage->itemText, "secret");
    const std::string text = ExpectBox([&] { FProgram->ClickNoSync(FPage->addItem); }, "Pastimo");
    EXPECT_EQ(text, "Cannot create file " + Data("G\\a:b.itm") + ".");
    EXPECT_TRUE(Program::Rows(FPage->items).empty()) << "nothing is listed";
    EXPECT_EQ(ReadFileBytes(Data("G\\G.dat")), "");
    EXPECT_EQ(Program::Text(FPage->itemName), "a:b") << "the fields stay filled";
    EXPECT_TRUE(FProgram->Running());
}

// A message box of the page belongs to the window: closed, it hands the
// keyboard back to the control that had it (not to nothing, where Alt+F
// would do nothing until a click).
TEST_F(MyGroups, InformationBoxesBelongToTheWindowAndGiveTheKeyboardBack) {
    HWND main = FProgram->MainWindow();
    FProgram->ClickNoSync(FPage->addGroup);  // with an empty name; the click gives the button the focus
    HWND box = FProgram->WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetWindow(box, GW_OWNER), main);
    RECT rect;
    GetWindowRect(box, &rect);
    EXPECT_NEAR((rect.left + rect.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 2) << "centred on the screen";
    EXPECT_NEAR((rect.top + rect.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 2);
    Program::PressOk(box);
    FProgram->Sync();
    EXPECT_TRUE(WaitUntil([&] { return ActiveOf(main) == main && FocusOf(main) == FPage->addGroup; }, 5000));
}

TEST_F(MyGroups, EnterPressesMinimizeOnlyOnTheMyGroupsPage) {
    HWND main = FProgram->MainWindow();
    FProgram->ShowPage(2);
    PostMessageA(main, WM_KEYDOWN, VK_RETURN, 0);
    FProgram->Sync();
    EXPECT_TRUE(IsWindowVisible(main)) << "Enter on the Help page does not minimise";
    FProgram->ShowPage(0);
    FProgram->Focus(FPage->groupName);
    FProgram->Sync();
    PostMessageA(FPage->groupName, WM_KEYDOWN, VK_RETURN, 0);
    FProgram->Sync();
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); })) << "Enter in a one-line field minimises";
}

}  // namespace
}  // namespace e2e
