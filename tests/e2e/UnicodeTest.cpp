// Text beyond the ANSI code page end to end: copied by another program,
// listed, viewed and copied back; items named and filled with it; and a
// library in ANSI bytes that keeps its bytes when nothing needs more.

#include "tests/e2e/Fixture.h"
#include "tests/e2e/MyGroupsPage.h"

namespace e2e {
namespace {

// CJK, an arrow, a check mark and an emoji outside the BMP.
const std::string kTokyo = "Tokyo \xE6\x9D\xB1\xE4\xBA\xAC \xE2\x86\x92 \xE2\x9C\x93 \xF0\x9F\x99\x82";
const std::string kCoffee = "Kaffee \xE2\x98\x95";
const std::string kBom = "\xEF\xBB\xBF";

using Unicode = MyGroupsPageTest;

TEST_F(Unicode, ACopyOfAnyTextIsListedViewedAndCopiedBackExactly) {
    HWND list = FProgram->Control("ListBox", 431, 80);
    HWND viewer = FProgram->Control("Edit", 483, 128);
    HWND copyBack = FProgram->Control("Button", 220, 28);
    SetClipboardText(kTokyo + "\r\nline two");
    ASSERT_TRUE(WaitUntil([&] { return !Program::Rows(list).empty() && Program::Rows(list)[0] == kTokyo; }));
    FProgram->Select(list, 0);
    EXPECT_EQ(Program::Text(viewer), kTokyo + "\r\nline two\r\n");
    SetClipboardText("something else");
    FProgram->Click(copyBack);
    EXPECT_EQ(ClipboardText(), kTokyo + "\r\nline two\r\n");
}

TEST_F(Unicode, ItemsWithSuchNamesAndTextsAreAddedPickedRenamedAndDeleted) {
    const std::string group = "Caf\xC3\xA9 \xE6\x9D\xB1\xE4\xBA\xAC";  // "Café 東京"
    AddGroup(group);
    EXPECT_EQ(Program::Rows(FPage->groups), std::vector<std::string>{group});
    EXPECT_TRUE(FolderExists(Data(group)));
    EXPECT_EQ(ReadFileBytes(Data("categories.dat")), kBom + group + "\r\n") << "UTF-8: 東京 is not in the code page";

    FProgram->Select(FPage->groups, 0);
    AddItem(kCoffee, kTokyo);
    EXPECT_EQ(Program::Rows(FPage->items), std::vector<std::string>{kCoffee});
    EXPECT_EQ(ReadFileBytes(Data(group + "\\" + kCoffee + ".itm")), kBom + kTokyo);

    FProgram->Select(FPage->items, 0);
    EXPECT_EQ(Program::Text(FPage->itemName), kCoffee);
    EXPECT_EQ(Program::Text(FPage->itemText), kTokyo);
    EXPECT_EQ(ClipboardText(), kTokyo) << "a pick puts exactly the text on the clipboard";

    const std::string renamed = "\xE2\x9C\x93 done";  // "✓ done"
    FProgram->SetText(FPage->itemName, renamed);
    FProgram->Click(FPage->saveChanged);
    EXPECT_EQ(Program::Rows(FPage->items), std::vector<std::string>{renamed});
    EXPECT_EQ(ReadFileBytes(Data(group + "\\" + group + ".dat")), kBom + renamed + "\r\n");

    FProgram->Select(FPage->items, 0);
    FProgram->Click(FPage->deleteItem);
    EXPECT_TRUE(Program::Rows(FPage->items).empty());
    EXPECT_FALSE(FileExists(Data(group + "\\" + renamed + ".itm")));
}

// A library another copy of the program wrote in the code page's bytes.
TEST_F(ProgramTest, AnAnsiLibraryReadsAndKeepsItsBytes) {
    MakeFolder(FFolder.File("data"));
    MakeFolder(Data("Caf\xC3\xA9"));
    WriteFileBytes(Data("categories.dat"), "Caf\xE9\r\n");
    WriteFileBytes(Data("Caf\xC3\xA9\\Caf\xC3\xA9.dat"), "Cr\xE8me\r\n");
    WriteFileBytes(Data("Caf\xC3\xA9\\Cr\xC3\xA8me.itm"), "Br\xFBl\xE9\x65");
    Program& program = StartShown();
    program.ShowPage(0);
    MyGroupsPage page(program);
    EXPECT_EQ(Program::Rows(page.groups), std::vector<std::string>{"Caf\xC3\xA9"});
    program.Select(page.groups, 0);
    EXPECT_EQ(Program::Rows(page.items), std::vector<std::string>{"Cr\xC3\xA8me"});
    program.Select(page.items, 0);
    EXPECT_EQ(Program::Text(page.itemText), "Br\xC3\xBBl\xC3\xA9\x65");

    program.SetText(page.groupName, "Zebra");
    program.Click(page.addGroup);
    EXPECT_EQ(ReadFileBytes(Data("categories.dat")), "Caf\xE9\r\nZebra\r\n") << "still the code page's bytes";
}

}  // namespace
}  // namespace e2e
