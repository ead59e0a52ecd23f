// The library's files as other programs leave them, end to end: an editor's
// UTF-8 without the byte-order mark, a line an ANSI tool appended to a list
// with the mark, an item another program added while the window showed its
// group, and the temporary files of a write that was killed.

#include "tests/e2e/Fixture.h"
#include "tests/e2e/MyGroupsPage.h"

namespace e2e {
namespace {

const std::string kMark = "\xEF\xBB\xBF";
const std::string kCafe = "caf\xC3\xA9 \xE2\x82\xAC";  // "café €"
const std::string kCreme = "Cr\xC3\xA8me";             // "Crème"
const std::string kCoffee = "Kaffee \xE2\x98\x95";     // "Kaffee ☕"

class LibraryFiles : public ProgramTest {
protected:
    // A library written by other programs, then the program started on it
    // and shown on the "My Groups" page.
    void Start() {
        Program& program = StartShown();
        program.ShowPage(0);
        FPage = std::make_unique<MyGroupsPage>(program);
        ASSERT_TRUE(FPage->AllFound());
    }
    void WriteLibrary(const std::string& groupList) {
        MakeFolder(FFolder.File("data"));
        WriteFileBytes(Data("categories.dat"), groupList);
    }
    void WriteGroup(const std::string& group, const std::string& itemList) {
        MakeFolder(Data(group));
        WriteFileBytes(Data(group + "\\" + group + ".dat"), itemList);
    }
    // Runs an action that must answer with an information box; answers it
    // and returns its text.
    std::string InformationBoxOf(const std::function<void()>& action) {
        action();
        HWND box = FProgram->WaitForMessageBox();
        if (!box) return "(no box)";
        EXPECT_EQ(Program::Caption(box), "Information");
        const std::string text = Program::MessageBoxText(box);
        Program::PressOk(box);
        FProgram->Sync();
        return text;
    }
    std::unique_ptr<MyGroupsPage> FPage;
};

// Editors save UTF-8 without the mark by default: the names and the text
// show as written, and each file is written back the way it was.
TEST_F(LibraryFiles, Utf8WithoutTheMarkIsShownAsWrittenAndWrittenBackSo) {
    WriteLibrary(kCafe + "\r\n");
    WriteGroup(kCafe, kCreme + "\r\n");
    WriteFileBytes(Data(kCafe + "\\" + kCreme + ".itm"), "br\xC3\xBBl\xC3\xA9"
                                                         "e\r\n\xE2\x82\xAC 5");
    Start();
    EXPECT_EQ(Program::Rows(FPage->groups), std::vector<std::string>{kCafe});
    FProgram->Select(FPage->groups, 0);
    EXPECT_EQ(Program::Rows(FPage->items), std::vector<std::string>{kCreme});
    FProgram->Select(FPage->items, 0);
    EXPECT_EQ(Program::Text(FPage->itemText), "br\xC3\xBBl\xC3\xA9"
                                              "e\r\n\xE2\x82\xAC 5");
    EXPECT_EQ(ClipboardText(), "br\xC3\xBBl\xC3\xA9"
                               "e\r\n\xE2\x82\xAC 5");

    FProgram->SetText(FPage->itemText, "cr\xC3\xA8me br\xC3\xBBl\xC3\xA9"
                                       "e");
    FProgram->Click(FPage->saveChanged);
    EXPECT_EQ(ReadFileBytes(Data(kCafe + "\\" + kCreme + ".itm")), "cr\xC3\xA8me br\xC3\xBBl\xC3\xA9"
                                                                   "e");
    EXPECT_EQ(ReadFileBytes(Data(kCafe + "\\" + kCafe + ".dat")), kCreme + "\r\n");

    FProgram->SetText(FPage->groupName, "Zebra");
    FProgram->Click(FPage->addGroup);
    EXPECT_EQ(ReadFileBytes(Data("categories.dat")), kCafe + "\r\nZebra\r\n") << "UTF-8, still without the mark";
}

// An ANSI tool appended "Café" to a group list with the mark: it shows as
// Café, leads to its folder, and is never written back as "Caf\uFFFD".
TEST_F(LibraryFiles, AnAnsiLineInAListWithTheMarkIsShownAndKept) {
    if (GetACP() != 1252) GTEST_SKIP() << "the ANSI code page is not 1252";
    const std::string cafe = "Caf\xC3\xA9";
    WriteLibrary(kMark + kCoffee + "\r\nCaf\xE9\r\n");
    WriteGroup(kCoffee, "");
    WriteGroup(cafe, kCreme + "\r\n");
    WriteFileBytes(Data(cafe + "\\" + kCreme + ".itm"), "sweet");
    Start();
    EXPECT_EQ(Program::Rows(FPage->groups), (std::vector<std::string>{cafe, kCoffee}));
    FProgram->Select(FPage->groups, 0);
    EXPECT_EQ(Program::Rows(FPage->items), std::vector<std::string>{kCreme});
    FProgram->Select(FPage->items, 0);
    EXPECT_EQ(Program::Text(FPage->itemText), "sweet");

    FProgram->SetText(FPage->groupName, "x");
    FProgram->Click(FPage->addGroup);
    EXPECT_EQ(ReadFileBytes(Data("categories.dat")), kMark + cafe + "\r\n" + kCoffee + "\r\nx\r\n");
}

// Another program adds item "b" with its text while the window shows the
// group; the user, who cannot see "b" yet, adds "b" too. The other
// program's text stays, the list as it now is shows, and the user's fields
// keep what was typed.
TEST_F(LibraryFiles, AnItemAnotherProgramAddedIsShownAndNotWrittenOver) {
    WriteLibrary("G\r\n");
    WriteGroup("G", "a\r\n");
    WriteFileBytes(Data("G\\a.itm"), "A");
    Start();
    FProgram->Select(FPage->groups, 0);
    ASSERT_EQ(Program::Rows(FPage->items), std::vector<std::string>{"a"});

    WriteFileBytes(Data("G\\b.itm"), "theirs");
    WriteFileBytes(Data("G\\G.dat"), "a\r\nb\r\n");
    FProgram->SetText(FPage->itemName, "b");
    FProgram->SetText(FPage->itemText, "mine");
    const std::string text = InformationBoxOf([&] { FProgram->ClickNoSync(FPage->addItem); });
    EXPECT_NE(text.find("\"b\""), std::string::npos) << text;
    EXPECT_EQ(Program::Rows(FPage->items), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(ReadFileBytes(Data("G\\b.itm")), "theirs");
    EXPECT_EQ(ReadFileBytes(Data("G\\G.dat")), "a\r\nb\r\n");
    EXPECT_EQ(Program::Text(FPage->itemName), "b");
    EXPECT_EQ(Program::Text(FPage->itemText), "mine");
    EXPECT_EQ(FProgram->MessageBoxNow(), nullptr);
}

// A write killed half-way leaves its temporary copy ("~pm....tmp") beside
// the file; the next start removes those, in the data folder and in the
// group folders, and nothing else.
TEST_F(LibraryFiles, TemporaryFilesOfAKilledWriteAreRemovedAtTheNextStart) {
    WriteLibrary("G\r\n");
    WriteGroup("G", "");
    MakeFolder(Data("Deleted"));
    WriteFileBytes(Data("~pm1A2B.tmp"), "half a list");
    WriteFileBytes(Data("G\\~pm3C4D.tmp"), "half a text");
    WriteFileBytes(Data("Deleted\\~pm5E6F.tmp"), "half a text");
    WriteFileBytes(Data("notes.tmp"), "someone else's");
    StartHidden();
    EXPECT_FALSE(FileExists(Data("~pm1A2B.tmp")));
    EXPECT_FALSE(FileExists(Data("G\\~pm3C4D.tmp")));
    EXPECT_FALSE(FileExists(Data("Deleted\\~pm5E6F.tmp")));
    EXPECT_EQ(ReadFileBytes(Data("notes.tmp")), "someone else's");
    EXPECT_EQ(ReadFileBytes(Data("categories.dat")), "G\r\n");
    EXPECT_TRUE(FileExists(Data("G\\G.dat")));
}

}  // namespace
}  // namespace e2e
