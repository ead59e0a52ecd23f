// The running program when its files fail under it: a group list another
// program holds open, a read-only item file, a group folder removed while the
// group is shown. Each time the error box names the full path, the program
// keeps running, and the library on disk still reads back whole.

#include "tests/e2e/Fixture.h"
#include "tests/e2e/MyGroupsPage.h"

#include <map>

namespace e2e {
namespace {

// Every file under a folder with its bytes, and every folder as "<folder>",
// by path relative to it.
void Walk(const std::string& folder, const std::string& relative, std::map<std::string, std::string>& tree) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            tree[relative + name] = "<folder>";
            Walk(folder + name + "\\", relative + name + "\\", tree);
        } else {
            tree[relative + name] = ReadFileBytes(folder + name);
        }
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

using Tree = std::map<std::string, std::string>;

class Faults : public MyGroupsPageTest {
protected:
    // Presses the button, expects the error box, answers it; returns its text.
    std::string ErrorBoxOf(HWND button) {
        return ExpectBox([&] { FProgram->ClickNoSync(button); }, "Pastimo");
    }
    // The main window still handles messages.
    bool Answers() {
        DWORD_PTR result = 0;
        return SendMessageTimeoutA(FProgram->MainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 30000, &result) != 0;
    }
    Tree Library() const {
        Tree tree;
        Walk(FFolder.File("data\\"), "", tree);
        return tree;
    }
};

TEST_F(Faults, AGroupListHeldByAnotherProgramFailsAddGroupAndStaysAsItWas) {
    AddGroup("Kept");
    ASSERT_EQ(ReadFileBytes(Data("categories.dat")), "Kept\r\n");
    const Tree before = Library();

    HANDLE held = CreateFileA(Data("categories.dat").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    FProgram->SetText(FPage->groupName, "New");
    const std::string text = ErrorBoxOf(FPage->addGroup);
    CloseHandle(held);

    EXPECT_EQ(text, "Cannot create file " + Data("categories.dat") + ".");
    EXPECT_TRUE(FProgram->Running());
    EXPECT_TRUE(Answers());
    EXPECT_EQ(ReadFileBytes(Data("categories.dat")), "Kept\r\n");
    // The folder was made before the list could not be written; nothing
    // else is new, no temporary file is left.
    Tree expected = before;
    expected["New"] = "<folder>";
    EXPECT_EQ(Library(), expected);

    // Once the file is free again, the next change writes the whole list.
    AddGroup("Later");
    EXPECT_EQ(ReadFileBytes(Data("categories.dat")), "Kept\r\nLater\r\nNew\r\n");
}

TEST_F(Faults, AReadOnlyItemFileFailsSaveChangedItemAndKeepsItsText) {
    AddGroup("G");
    FProgram->Select(FPage->groups, 0);
    AddItem("note", "old text");
    FProgram->Select(FPage->items, 0);
    ASSERT_EQ(Program::Text(FPage->itemText), "old text");
    ASSERT_TRUE(IsWindowVisible(FPage->saveChanged));
    const Tree before = Library();

    ASSERT_TRUE(SetFileAttributesA(Data("G\\note.itm").c_str(), FILE_ATTRIBUTE_READONLY));
    FProgram->SetText(FPage->itemText, "new text");
    const std::string text = ErrorBoxOf(FPage->saveChanged);
    SetFileAttributesA(Data("G\\note.itm").c_str(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_EQ(text, "Cannot create file " + Data("G\\note.itm") + ".");
    EXPECT_TRUE(FProgram->Running());
    EXPECT_TRUE(Answers());
    EXPECT_EQ(Library(), before) << "the item list is rewritten with the same names, the text stays";
    EXPECT_EQ(ReadFileBytes(Data("G\\note.itm")), "old text");
    EXPECT_EQ(Program::Rows(FPage->items), (std::vector<std::string>{"note"}));
}

TEST_F(Faults, AGroupFolderRemovedUnderTheProgramFailsAddItem) {
    AddGroup("Gone");
    AddGroup("Stays");
    FProgram->Select(FPage->groups, 0);
    ASSERT_TRUE(DeleteFileA(Data("Gone\\Gone.dat").c_str()));
    ASSERT_TRUE(RemoveDirectoryA(Data("Gone").c_str()));
    const Tree before = Library();

    FProgram->SetText(FPage->itemName, "i");
    FProgram->SetText(FPage->itemText, "text");
    const std::string text = ErrorBoxOf(FPage->addItem);

    EXPECT_EQ(text, "Cannot create file " + Data("Gone\\Gone.dat") + ".");
    EXPECT_TRUE(FProgram->Running());
    EXPECT_TRUE(Answers());
    EXPECT_EQ(Library(), before) << "the folder is not made again, nothing else is written";
    EXPECT_EQ(ReadFileBytes(Data("categories.dat")), "Gone\r\nStays\r\n");

    // The other group still works.
    FProgram->Select(FPage->groups, 1);
    AddItem("j", "fine");
    EXPECT_EQ(ReadFileBytes(Data("Stays\\Stays.dat")), "j\r\n");
    EXPECT_EQ(ReadFileBytes(Data("Stays\\j.itm")), "fine");
}

}  // namespace
}  // namespace e2e
