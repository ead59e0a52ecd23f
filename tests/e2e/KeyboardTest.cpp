// The window driven from the keyboard, with keys that go through the
// program's own message loop: posted key messages where no modifier is
// held, real keys from the X server (xdotool) where Shift, Ctrl or Alt
// matter, since only those set the keyboard state the program reads.

#include "tests/e2e/Fixture.h"
#include "tests/e2e/MyGroupsPage.h"

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace e2e {
namespace {

class Keyboard : public MyGroupsPageTest {
protected:
    void SetUp() override {
        MyGroupsPageTest::SetUp();
        FTabs = FindWindowExA(FProgram->MainWindow(), nullptr, WC_TABCONTROLA, nullptr);
        FViewer = FProgram->Control("Edit", 483, 128);
        FCopyBack = FProgram->Control("Button", 220, 28);
        FRecentList = FProgram->Control("ListBox", 431, 80);
        FHelp = FProgram->Control("Edit", 493, 350);
        ASSERT_TRUE(FTabs && FViewer && FCopyBack && FRecentList && FHelp);
        // Each page is the window that holds its controls.
        FPages = {GetParent(FPage->groups), GetParent(FViewer), GetParent(FHelp)};
    }
    int ActivePage() const { return static_cast<int>(SendMessageA(FTabs, TCM_GETCURSEL, 0, 0)); }
    HWND Focus() const { return FocusOf(FProgram->MainWindow()); }
    // A group selected, so that the item fields take input.
    void SelectAGroup() {
        AddGroup("G");
        FProgram->Select(FPage->groups, 0);
    }
    // Gives `control` the focus with a click and waits until it has it.
    void FocusOn(HWND control) {
        FProgram->Focus(control);
        FProgram->Sync();
        ASSERT_EQ(Focus(), control);
    }

    HWND FTabs = nullptr, FViewer = nullptr, FCopyBack = nullptr, FRecentList = nullptr, FHelp = nullptr;
    std::vector<HWND> FPages;
};

TEST_F(Keyboard, EscapeInAMultiLineFieldLeavesItsPageWhole) {
    SelectAGroup();
    struct Field {
        int page;
        HWND field;
    };
    for (const Field& f : {Field{0, FPage->itemText}, Field{1, FViewer}, Field{2, FHelp}}) {
        FProgram->ShowPage(f.page);
        FocusOn(f.field);
        FProgram->PostKey(f.field, VK_ESCAPE);
        EXPECT_TRUE(IsWindow(FPages[f.page]) && IsWindowVisible(FPages[f.page])) << "page " << f.page;
        EXPECT_TRUE(IsWindow(f.field) && IsWindowVisible(f.field)) << "page " << f.page;
    }
}

TEST_F(Keyboard, TabTypesATabInTheItemTextAndMovesOnEverywhereElse) {
    SelectAGroup();
    FocusOn(FPage->itemName);
    FProgram->PostKey(FPage->itemName, VK_TAB);
    EXPECT_EQ(Focus(), FPage->itemText) << "a one-line field passes the focus on";

    FProgram->SetText(FPage->itemText, "a");
    SendMessageA(FPage->itemText, EM_SETSEL, 1, 1);
    FProgram->PostKey(FPage->itemText, VK_TAB);
    FProgram->PostKey(FPage->itemText, 'B');
    EXPECT_EQ(Program::Text(FPage->itemText), "a\tb") << "the Tab key types a tab there";
    EXPECT_EQ(Focus(), FPage->itemText);
    FProgram->TypeKeys(FPage->itemText, "shift+Tab");
    EXPECT_EQ(Focus(), FPage->itemName) << "Shift+Tab leaves it backwards";

    // The other multi-line fields: Tab and Shift+Tab move on.
    FProgram->ShowPage(1);
    FocusOn(FViewer);
    FProgram->PostKey(FViewer, VK_TAB);
    EXPECT_EQ(Focus(), FCopyBack);
    FocusOn(FViewer);
    FProgram->TypeKeys(FViewer, "shift+Tab");
    EXPECT_EQ(Focus(), FRecentList);
    FProgram->ShowPage(2);
    FocusOn(FHelp);
    FProgram->PostKey(FHelp, VK_TAB);
    EXPECT_NE(Focus(), FHelp) << "the Help text is no trap";
    EXPECT_TRUE(IsChild(FProgram->MainWindow(), Focus()));
}

TEST_F(Keyboard, OnlyAPlainEnterPressesMinimize) {
    HWND main = FProgram->MainWindow();
    FocusOn(FPage->groupName);
    for (const char* keys : {"shift+Return", "ctrl+Return"}) {
        FProgram->TypeKeys(FPage->groupName, keys);
        EXPECT_TRUE(IsWindowVisible(main)) << keys;
        EXPECT_EQ(Focus(), FPage->groupName) << keys;
    }
    FProgram->TypeKeys(FPage->groupName, "Return");
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); })) << "a plain Enter minimises";
}

TEST_F(Keyboard, CtrlTabAndCtrlPageKeysSwitchPagesFromAnyControl) {
    FocusOn(FPage->groupName);
    struct Step {
        const char* keys;
        int page;
    };
    for (const Step& step : {Step{"ctrl+Tab", 1}, Step{"ctrl+Tab", 2}, Step{"ctrl+Tab", 0}, Step{"ctrl+shift+Tab", 2},
                             Step{"ctrl+Next", 0}, Step{"ctrl+Prior", 2}, Step{"ctrl+Prior", 1}}) {
        FProgram->TypeKeys(FProgram->MainWindow(), step.keys);
        EXPECT_EQ(ActivePage(), step.page) << step.keys;
        EXPECT_TRUE(IsWindowVisible(FPages[step.page])) << step.keys;
    }
    FocusOn(FViewer);  // from inside a multi-line field too
    FProgram->TypeKeys(FViewer, "ctrl+Tab");
    EXPECT_EQ(ActivePage(), 2);
}

TEST_F(Keyboard, SaveChangedItemPressedFromTheKeyboardLeavesTheFocusOnTheItemList) {
    SelectAGroup();
    AddItem("one", "text");
    FProgram->Select(FPage->items, 0);
    ASSERT_TRUE(IsWindowVisible(FPage->saveChanged));
    // Tabbed to, as a keyboard user reaches it, then pressed with the space bar.
    PostMessageA(FProgram->MainWindow(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(FPage->saveChanged), TRUE);
    FProgram->Sync();
    ASSERT_EQ(Focus(), FPage->saveChanged);
    FProgram->PostKey(FPage->saveChanged, VK_SPACE);
    EXPECT_FALSE(IsWindowVisible(FPage->saveChanged));
    EXPECT_EQ(Focus(), FPage->items) << "not on the hidden button, nor on no control";
    EXPECT_EQ(Program::Selected(FPage->items), -1);
}

// As in a dialog: Enter presses the focused button, which looks like the
// default one while it has the focus; elsewhere Enter is "Minimize"'s again.
TEST_F(Keyboard, EnterPressesTheFocusedButton) {
    HWND main = FProgram->MainWindow();
    SelectAGroup();
    FProgram->SetText(FPage->itemName, "one");
    FProgram->SetText(FPage->itemText, "text");
    auto isDefault = [](HWND button) { return (GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON; };
    auto tabTo = [&](HWND control) {
        PostMessageA(main, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
        FProgram->Sync();
        ASSERT_EQ(Focus(), control);
    };
    tabTo(FPage->addItem);
    EXPECT_TRUE(isDefault(FPage->addItem));
    EXPECT_FALSE(isDefault(FPage->minimize));
    FProgram->PostKey(FPage->addItem, VK_RETURN);
    FProgram->Sync();
    EXPECT_TRUE(IsWindowVisible(main)) << "not Minimize";
    EXPECT_EQ(Program::Rows(FPage->items), std::vector<std::string>{"one"}) << "Add Item was pressed";

    tabTo(FPage->groups);
    EXPECT_TRUE(isDefault(FPage->minimize)) << "the default again once the focus left the buttons";
    EXPECT_FALSE(isDefault(FPage->addItem));

    // "Copy Contents to Clipboard", focused, on a page with no default button.
    SetClipboardText("older");
    PumpMessages();
    FProgram->Sync();
    SetClipboardText("newer");
    PumpMessages();
    FProgram->Sync();
    FProgram->ShowPage(1);
    ASSERT_GE(Program::Rows(FRecentList).size(), 2u);
    FProgram->Select(FRecentList, 1);
    ASSERT_EQ(Program::Text(FViewer).rfind("older", 0), 0u);
    tabTo(FCopyBack);
    FProgram->PostKey(FCopyBack, VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return ClipboardText().rfind("older", 0) == 0; })) << ClipboardText();
}

// The window first shown has the focus on the page tabs (the first control
// of the tab order), not on "Delete Group", where a Space would delete.
TEST_F(ProgramTest, TheFirstFocusIsOnThePageTabs) {
    Program& program = StartHidden();
    HWND main = program.MainWindow();
    HWND tabs = FindWindowExA(main, nullptr, WC_TABCONTROLA, nullptr);
    Program second(FFolder.Path(), false);  // brings the window up
    ASSERT_TRUE(second.WaitForExit());
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
    program.Sync();
    EXPECT_EQ(FocusOf(main), tabs);
}

}  // namespace
}  // namespace e2e
