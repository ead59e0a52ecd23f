// The "My Groups" page's rules in front of a fake view that records what the
// page does to its controls, on a real library in a fresh folder.

#include "library/GroupsPage.h"
#include "tests/library/LibraryTestFiles.h"
#include "tests/library/TestAccess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

namespace pastimo {
namespace {

using Names = std::vector<std::string>;
using test::ExistsRaw;
using test::kSep;
using test::ListFolder;
using test::MakeFolderRaw;
using test::ReadRaw;
using test::WriteRaw;

const char* const kItemNamePrompt = "Enter new item name...";
const char* const kItemTextPrompt = "Type or paste (CTRL-V) your text for this new item here...";
const char* const kGroupNamePrompt = "New group name here..";

// The page's controls as plain values. Selections are what the test sets, as
// a user would; the page only reads them.
class FakeView final : public GroupsPageView {
public:
    int selectedGroup = -1;
    int selectedItem = -1;
    Names groupRows;
    Names itemRows;
    std::string newGroupName = kGroupNamePrompt;
    std::string itemName = kItemNamePrompt;
    std::string itemText = kItemTextPrompt;
    bool fieldsEnabled = true;
    bool saveVisible = false;
    Names messages;
    Names clipboardCopies;  // the field's text at each copy
    int minimized = 0;
    bool autoMinimize = false;
    // Like a text field with a size limit: a longer text is cut to the limit
    // and the setter throws. npos: no limit.
    size_t textCapacity = std::string::npos;

    int SelectedGroup() const override { return selectedGroup; }
    void SelectGroup(int row) override { selectedGroup = row; }
    void ShowGroups(const NameList& groups) override { groupRows = groups.Names(); }
    int SelectedItem() const override { return selectedItem; }
    void SelectItem(int row) override { selectedItem = row; }
    void ShowItems(const NameList& items) override { itemRows = items.Names(); }
    std::string NewGroupName() const override { return newGroupName; }
    void SetNewGroupName(const std::string& text) override { newGroupName = text; }
    std::string ItemName() const override { return itemName; }
    void SetItemName(const std::string& text) override { itemName = text; }
    std::string ItemText() const override { return itemText; }
    void SetItemText(const std::string& text) override {
        itemText = text.substr(0, textCapacity);
        if (text.size() > textCapacity) throw Exception("The text is too large for the field");
    }
    void SetItemFieldsEnabled(bool enabled) override { fieldsEnabled = enabled; }
    void SetSaveChangedVisible(bool visible) override { saveVisible = visible; }
    void ShowInformation(const std::string& message) override { messages.push_back(message); }
    void CopyItemTextToClipboard() override { clipboardCopies.push_back(itemText); }
    void MinimizeToTray() override { ++minimized; }
    bool AutoMinimizeEnabled() const override { return autoMinimize; }
};

// The columns of the page's state table.
struct PageState {
    std::string currentGroup;
    Names items;
    std::string itemName, itemText;
    bool fieldsEnabled;
    bool saveVisible;

    bool operator==(const PageState& o) const {
        return currentGroup == o.currentGroup && items == o.items && itemName == o.itemName && itemText == o.itemText &&
               fieldsEnabled == o.fieldsEnabled && saveVisible == o.saveVisible;
    }
};

void PrintTo(const PageState& s, std::ostream* out) {
    *out << "{group \"" << s.currentGroup << "\", items [";
    for (const std::string& item : s.items) *out << '"' << item << "\" ";
    *out << "], name \"" << s.itemName << "\", text \"" << s.itemText << "\", "
         << (s.fieldsEnabled ? "enabled" : "disabled") << ", save " << (s.saveVisible ? "shown" : "hidden") << "}";
}

using test::MessageOf;

class GroupsPageTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    LibraryStore store{folder.Path()};
    FakeView view;
    GroupsPage page{store, view};

    std::string Data() const { return folder.Path() + "data" + kSep; }
    std::string GroupList() const { return Data() + "categories.dat"; }
    std::string GroupFolder(const std::string& g) const { return Data() + g; }
    std::string ItemList(const std::string& g) const { return Data() + g + kSep + g + ".dat"; }
    std::string ItemText(const std::string& g, const std::string& i) const { return Data() + g + kSep + i + ".itm"; }

    // A library written byte by byte, bypassing the code under test; then
    // start-up as the window does it.
    struct Item {
        std::string name, text;
    };
    void MakeGroup(const std::string& group, const std::vector<Item>& items) {
        ASSERT_TRUE(MakeFolderRaw(GroupFolder(group)));
        std::string list;
        for (const Item& item : items) {
            list += item.name + "\r\n";
            ASSERT_TRUE(WriteRaw(ItemText(group, item.name), item.text));
        }
        ASSERT_TRUE(WriteRaw(ItemList(group), list));
    }
    void Library(const std::string& groupList) {
        ASSERT_TRUE(MakeFolderRaw(Data()));
        ASSERT_TRUE(WriteRaw(GroupList(), groupList));
    }
    void StandardLibrary() {
        Library("beta\r\nalpha\r\n");
        MakeGroup("alpha", {{"one", "first\ntext"}, {"two", "second"}});
        MakeGroup("beta", {{"three", "third"}});
    }
    void Start() {
        page.LoadGroups();
        store.EnsureDataFolder();
    }

    PageState State() const {
        return {GroupsPageTestAccess::CurrentGroup(page),
                view.itemRows,
                view.itemName,
                view.itemText,
                view.fieldsEnabled,
                view.saveVisible};
    }
    void SelectGroup(int row) {
        view.selectedGroup = row;
        view.selectedItem = -1;  // a new list has no selection
        page.ListBox1Click();
    }
    void PickItem(int row) {
        view.selectedItem = row;
        page.ListBoxItemsClick();
    }
    // The rows the view shows and the page's own lists agree at every step.
    void ExpectViewMatchesPage() {
        EXPECT_EQ(view.groupRows, GroupsPageTestAccess::Groups(page).Names());
        EXPECT_EQ(view.itemRows, GroupsPageTestAccess::Items(page).Names());
    }
};

// --- state and lifecycle, row by row

TEST_F(GroupsPageTest, StartShowsTheStoredGroupsSortedAndThePrompts) {
    StandardLibrary();
    Start();
    EXPECT_EQ(view.groupRows, (Names{"alpha", "beta"}));
    EXPECT_EQ(State(), (PageState{"", {}, kItemNamePrompt, kItemTextPrompt, true, false}));
    EXPECT_EQ(view.newGroupName, kGroupNamePrompt);
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(GroupsPageTest, FirstStartWithNoLibraryShowsNoGroups) {
    Start();
    EXPECT_TRUE(view.groupRows.empty());
    EXPECT_TRUE(ExistsRaw(Data()));
    EXPECT_EQ(State(), (PageState{"", {}, kItemNamePrompt, kItemTextPrompt, true, false}));
}

TEST_F(GroupsPageTest, SelectingAGroupListsItsItemsAndEmptiesAndEnablesTheFields) {
    StandardLibrary();
    Start();
    SelectGroup(1);
    PickItem(0);
    page.EditNewItemEnter();  // a group is selected: nothing happens
    view.selectedGroup = -1;
    page.EditNewItemEnter();  // fields now disabled, save button still shown
    ASSERT_FALSE(view.fieldsEnabled);
    ASSERT_TRUE(view.saveVisible);

    SelectGroup(0);
    EXPECT_EQ(State(), (PageState{"alpha", {"one", "two"}, "", "", true, false}));
    ExpectViewMatchesPage();
}

TEST_F(GroupsPageTest, SelectingNothingDoesNothing) {
    StandardLibrary();
    Start();
    SelectGroup(0);
    PickItem(1);
    const PageState before = State();
    SelectGroup(-1);
    EXPECT_EQ(State(), before);
}

TEST_F(GroupsPageTest, AGroupWhoseItemListCannotBeReadShowsNoItemsQuietly) {
    StandardLibrary();
    MakeFolderRaw(GroupFolder("gamma"));  // no item list file
    ASSERT_TRUE(WriteRaw(GroupList(), "alpha\r\nbeta\r\ngamma\r\n"));
    Start();
    SelectGroup(0);
    SelectGroup(2);
    EXPECT_EQ(State(), (PageState{"gamma", {}, "", "", true, false}));

    {
        test::ExclusiveHold hold(ItemList("alpha"));
        SelectGroup(0);
    }
    EXPECT_EQ(State(), (PageState{"alpha", {}, "", "", true, false}));
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(GroupsPageTest, PickingAnItemShowsItAndCopiesExactlyItsText) {
    StandardLibrary();
    Start();
    SelectGroup(0);
    PickItem(0);
    EXPECT_EQ(State(), (PageState{"alpha", {"one", "two"}, "one", "first\r\ntext", true, true}));
    EXPECT_EQ(view.clipboardCopies, (Names{"first\r\ntext"}));
    EXPECT_EQ(view.minimized, 0);

    PickItem(1);
    EXPECT_EQ(State(), (PageState{"alpha", {"one", "two"}, "two", "second", true, true}));
    EXPECT_EQ(view.clipboardCopies, (Names{"first\r\ntext", "second"}));
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(GroupsPageTest, AnEmptyTextIsCopiedAsEmpty) {
    Library("g\r\n");
    MakeGroup("g", {{"blank", ""}});
    Start();
    SelectGroup(0);
    PickItem(0);
    EXPECT_EQ(State(), (PageState{"g", {"blank"}, "blank", "", true, true}));
    EXPECT_EQ(view.clipboardCopies, (Names{""}));
}

TEST_F(GroupsPageTest, AutoMinimizeHidesAfterEveryPickAndOnlyWhenSet) {
    StandardLibrary();
    Start();
    SelectGroup(0);
    view.autoMinimize = true;
    PickItem(0);
    EXPECT_EQ(view.minimized, 1);
    EXPECT_EQ(view.clipboardCopies.size(), 1u);

    // No item selected: nothing is shown or copied, but the window still hides.
    const PageState before = State();
    PickItem(-1);
    EXPECT_EQ(view.minimized, 2);
    EXPECT_EQ(State(), before);
    EXPECT_EQ(view.clipboardCopies.size(), 1u);

    view.autoMinimize = false;
    PickItem(1);
    EXPECT_EQ(view.minimized, 2);
}

TEST_F(GroupsPageTest, PickingAnItemWithoutItsTextFileShowsTheNameOnly) {
    StandardLibrary();
    std::remove(ItemText("alpha", "two").c_str());
    Start();
    SelectGroup(0);
    PickItem(0);
    view.autoMinimize = true;
    PickItem(1);
    EXPECT_EQ(State(), (PageState{"alpha", {"one", "two"}, "two", "", true, true}));
    EXPECT_EQ(view.clipboardCopies, (Names{"first\r\ntext"}));  // only the first pick copied
    EXPECT_EQ(view.minimized, 1);
    EXPECT_TRUE(view.messages.empty());

    // A text file another program holds reads the same way.
    test::ExclusiveHold hold(ItemText("alpha", "one"));
    PickItem(0);
    EXPECT_EQ(State(), (PageState{"alpha", {"one", "two"}, "one", "", true, true}));
    EXPECT_EQ(view.clipboardCopies.size(), 1u);
    EXPECT_EQ(view.minimized, 2);
}

// A text too large for the field ends the pick like a missing file: the field
// is left empty, not holding the part that fitted, and nothing is copied.
TEST_F(GroupsPageTest, ATextTooLargeForTheFieldLeavesItEmptyAndCopiesNothing) {
    Library("g\r\n");
    MakeGroup("g", {{"big", std::string(100, 'x')}, {"small", "fits"}});
    Start();
    view.textCapacity = 64;
    view.autoMinimize = true;
    SelectGroup(0);
    PickItem(0);
    EXPECT_EQ(State(), (PageState{"g", {"big", "small"}, "big", "", true, true}));
    EXPECT_TRUE(view.clipboardCopies.empty());
    EXPECT_EQ(view.minimized, 1);
    EXPECT_TRUE(view.messages.empty());

    PickItem(1);
    EXPECT_EQ(view.itemText, "fits");
    EXPECT_EQ(view.clipboardCopies, (Names{"fits"}));
}

TEST_F(GroupsPageTest, EnteringTheItemFieldsWithNoGroupSelectedAsksForOne) {
    StandardLibrary();
    Start();
    page.EditNewItemEnter();
    EXPECT_EQ(view.messages, (Names{GroupsPage::kSelectGroupFirst}));
    EXPECT_EQ(view.messages[0], "You must first select a Group from the Group list.");
    EXPECT_EQ(State(),
              (PageState{"", {}, "Select a Group first (above)", "Select a Group first (above)", false, false}));

    // Selecting a group is what enables and empties them again.
    SelectGroup(1);
    EXPECT_EQ(State(), (PageState{"beta", {"three"}, "", "", true, false}));
    page.EditNewItemEnter();
    EXPECT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(State(), (PageState{"beta", {"three"}, "", "", true, false}));
}

// A group just added is highlighted as well as current: the item fields are
// for it, and fields disabled for want of a group are enabled and emptied.
TEST_F(GroupsPageTest, AfterAddingAGroupTheItemFieldsAreForIt) {
    Library("alpha\r\n");
    MakeGroup("alpha", {});
    Start();
    page.EditNewItemEnter();
    ASSERT_FALSE(view.fieldsEnabled);
    view.newGroupName = "fresh";
    page.ButtonAddGroupClick();
    EXPECT_EQ(view.selectedGroup, 1);
    page.EditNewItemEnter();
    EXPECT_EQ(view.messages, (Names{GroupsPage::kSelectGroupFirst}));  // the one before the add
    EXPECT_EQ(State(), (PageState{"fresh", {}, "", "", true, false}));
}

TEST_F(GroupsPageTest, ClickingTheGroupNameFieldEmptiesItEveryTime) {
    Start();
    page.EditAddCategoryClick();
    EXPECT_EQ(view.newGroupName, "");
    view.newGroupName = "typed by the user";
    page.EditAddCategoryClick();
    EXPECT_EQ(view.newGroupName, "");
}

TEST_F(GroupsPageTest, AddingAGroupWithAnEmptyNameAsksForOne) {
    StandardLibrary();
    Start();
    SelectGroup(0);
    PickItem(0);
    const PageState before = State();
    const std::string listBefore = ReadRaw(GroupList());
    view.newGroupName = "";
    page.ButtonAddGroupClick();
    EXPECT_EQ(view.messages, (Names{"Enter a name for this group first."}));
    EXPECT_EQ(State(), before);
    EXPECT_EQ(view.groupRows, (Names{"alpha", "beta"}));
    EXPECT_EQ(ReadRaw(GroupList()), listBefore);
}

TEST_F(GroupsPageTest, AddingAGroupHighlightsItAndItTakesTheNextItems) {
    StandardLibrary();
    Start();
    SelectGroup(1);
    PickItem(0);  // beta's "three": fields filled, save shown
    view.newGroupName = "Aardvark";
    page.ButtonAddGroupClick();

    EXPECT_EQ(State(), (PageState{"Aardvark", {}, "three", "third", true, false}));
    EXPECT_EQ(view.newGroupName, "");
    EXPECT_EQ(view.groupRows, (Names{"Aardvark", "alpha", "beta"}));
    EXPECT_EQ(view.selectedGroup, 0) << "the highlight is on the new, current group";
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(ReadRaw(GroupList()), "Aardvark\r\nalpha\r\nbeta\r\n");
    EXPECT_EQ(ReadRaw(ItemList("Aardvark")), "");
    ExpectViewMatchesPage();

    // The next item goes into the new group.
    view.itemName = "four";
    view.itemText = "fourth";
    page.ButtonAddNewItemClick();
    EXPECT_EQ(ReadRaw(ItemList("Aardvark")), "four\r\n");
    EXPECT_EQ(ReadRaw(ItemText("Aardvark", "four")), "fourth");
    EXPECT_EQ(ReadRaw(ItemList("beta")), "three\r\n");
    EXPECT_EQ(view.itemRows, (Names{"four"}));
}

TEST_F(GroupsPageTest, RefusedGroupNamesShowTheIllegalNameBoxAndChangeNothing) {
    StandardLibrary();
    Start();
    SelectGroup(0);
    PickItem(1);
    const PageState before = State();
    const std::string listBefore = ReadRaw(GroupList());
    const Names dataBefore = ListFolder(Data());

    for (const char* name : {"alpha", "ALPHA", "Beta", "a*b", "x/y", "what?", "<tag>", "  "}) {
        SCOPED_TRACE(name);
        view.messages.clear();
        view.newGroupName = name;
        page.ButtonAddGroupClick();
        EXPECT_EQ(view.messages,
                  (Names{"ERROR: Group names cannot contain any illegal filename characters, like * or / or ? or <. "
                         "Please enter a new name using only alphanumeric characters (spaces are OK)."}));
        EXPECT_EQ(view.newGroupName, name);  // the typed name stays
        EXPECT_EQ(State(), before);
        EXPECT_EQ(view.groupRows, (Names{"alpha", "beta"}));
    }
    EXPECT_EQ(ReadRaw(GroupList()), listBefore);
    EXPECT_EQ(ListFolder(Data()), dataBefore);
}

// The deleted group's folder and files stayed on disk: adding its name again
// lists it with its items, current and highlighted. Delete Group is undone.
TEST_F(GroupsPageTest, AddingTheNameOfADeletedGroupBringsItBackWithItsItems) {
    StandardLibrary();
    Start();
    SelectGroup(0);
    page.ButtonDeleteGroupClick();
    ASSERT_EQ(view.groupRows, Names{"beta"});
    view.newGroupName = "alpha";
    page.ButtonAddGroupClick();
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(view.groupRows, (Names{"alpha", "beta"}));
    EXPECT_EQ(view.selectedGroup, 0);
    EXPECT_EQ(State(), (PageState{"alpha", {"one", "two"}, "", "", true, false}));
    EXPECT_EQ(view.newGroupName, "");
    EXPECT_EQ(ReadRaw(GroupList()), "alpha\r\nbeta\r\n");
    EXPECT_EQ(ReadRaw(ItemList("alpha")), "one\r\ntwo\r\n");
    ExpectViewMatchesPage();
    PickItem(1);
    EXPECT_EQ(view.clipboardCopies, (Names{"second"}));
}

// The item list's path holds the group name twice: a name whose files
// Windows could not store is refused with a box of its own.
TEST_F(GroupsPageTest, AGroupNameTooLongForItsFilesIsRefusedWithItsOwnBox) {
    StandardLibrary();
    Start();
    SelectGroup(1);
    const PageState before = State();
    const Names dataBefore = ListFolder(Data());
    const std::string name(200, 'x');
    view.newGroupName = name;
    page.ButtonAddGroupClick();
    EXPECT_EQ(view.messages, (Names{"The group name is too long: Windows could not store the group's files under "
                                    "it. Please enter a shorter name."}));
    EXPECT_EQ(view.newGroupName, name);
    EXPECT_EQ(State(), before);
    EXPECT_EQ(view.groupRows, (Names{"alpha", "beta"}));
    EXPECT_EQ(view.selectedGroup, 1);
    EXPECT_EQ(ListFolder(Data()), dataBefore);
}

TEST_F(GroupsPageTest, GroupNamesAreTakenAsTypedWithoutTrimming) {
    Library("");
    Start();
    view.newGroupName = " lead";
    page.ButtonAddGroupClick();
    view.newGroupName = kGroupNamePrompt;  // the prompt is not recognised: it ends in ".", refused
    page.ButtonAddGroupClick();
    EXPECT_EQ(view.groupRows, (Names{" lead"}));
    EXPECT_EQ(GroupsPageTestAccess::CurrentGroup(page), " lead");
    EXPECT_TRUE(ExistsRaw(ItemList(" lead")));
    EXPECT_EQ(view.messages, (Names{GroupsPage::kIllegalGroupName}));
}

// Its folder stays on disk, but nothing may be written there any more: the
// deleted group is no longer current, and its items are no longer shown.
TEST_F(GroupsPageTest, DeletingTheCurrentGroupLeavesNoGroupCurrent) {
    StandardLibrary();
    Start();
    SelectGroup(0);
    PickItem(0);
    page.ButtonDeleteGroupClick();
    EXPECT_FALSE(GroupsPageTestAccess::HasCurrentGroup(page));
    EXPECT_EQ(State(), (PageState{"", {}, "one", "first\r\ntext", true, false}));
    EXPECT_EQ(view.groupRows, (Names{"beta"}));
    EXPECT_EQ(view.selectedGroup, -1);
    EXPECT_EQ(ReadRaw(GroupList()), "beta\r\n");
    EXPECT_EQ(ListFolder(GroupFolder("alpha") + kSep), (Names{"alpha.dat", "one.itm", "two.itm"}));
    EXPECT_TRUE(view.messages.empty());
    ExpectViewMatchesPage();

    // With no group current, items are refused and nothing is written.
    view.itemName = "added";
    view.itemText = "later";
    page.ButtonAddNewItemClick();
    page.ButtonSaveChangedClick();
    EXPECT_EQ(view.messages, (Names{GroupsPage::kSelectGroupFirst, GroupsPage::kSelectGroupFirst}));
    EXPECT_EQ(State(), (PageState{"", {}, "added", "later", true, false}));
    EXPECT_EQ(ListFolder(GroupFolder("alpha") + kSep), (Names{"alpha.dat", "one.itm", "two.itm"}));
    EXPECT_EQ(ReadRaw(ItemList("alpha")), "one\r\ntwo\r\n");
    EXPECT_EQ(ListFolder(Data()), (Names{"alpha", "beta", "categories.dat"}));
}

TEST_F(GroupsPageTest, DeletingWithNoGroupSelectedRewritesTheListUnchanged) {
    Library("beta\nalpha");  // not as the program writes it
    MakeGroup("alpha", {});
    MakeGroup("beta", {});
    Start();
    const PageState before = State();
    page.ButtonDeleteGroupClick();
    EXPECT_EQ(ReadRaw(GroupList()), "alpha\r\nbeta\r\n");
    EXPECT_EQ(view.groupRows, (Names{"alpha", "beta"}));
    EXPECT_EQ(State(), before);
}

TEST_F(GroupsPageTest, AddingAnItemListsItAndEmptiesTheFields) {
    StandardLibrary();
    Start();
    SelectGroup(0);
    PickItem(1);  // save button shown, "two" highlighted
    view.itemName = "middle";
    view.itemText = "line 1\r\nline 2";
    page.ButtonAddNewItemClick();
    EXPECT_EQ(State(), (PageState{"alpha", {"middle", "one", "two"}, "", "", true, true}));
    EXPECT_EQ(view.selectedItem, 1);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(ReadRaw(ItemList("alpha")), "middle\r\none\r\ntwo\r\n");
    EXPECT_EQ(ReadRaw(ItemText("alpha", "middle")), "line 1\r\nline 2");
    ExpectViewMatchesPage();
}

TEST_F(GroupsPageTest, ItemNamesAreNotCheckedOrTrimmed) {
    Library("g\r\n");
    MakeGroup("g", {});
    Start();
    SelectGroup(0);
    view.itemName = kItemNamePrompt;  // the prompt itself
    view.itemText = kItemTextPrompt;
    page.ButtonAddNewItemClick();
    view.itemName = " spaced ";
    view.itemText = "s";
    page.ButtonAddNewItemClick();
    view.itemName = "";
    view.itemText = "nameless";
    page.ButtonAddNewItemClick();
    Names rows = view.itemRows;
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, (Names{"", " spaced ", kItemNamePrompt}));
    ExpectViewMatchesPage();
    EXPECT_EQ(ReadRaw(ItemText("g", kItemNamePrompt)), kItemTextPrompt);
    EXPECT_EQ(ReadRaw(ItemText("g", " spaced ")), "s");
    EXPECT_EQ(ReadRaw(ItemText("g", "")), "nameless");
    EXPECT_TRUE(view.messages.empty());
}

// Before any group was selected or added no group is current: an item has
// nowhere to go, and nothing is written (no hidden list in the data folder).
TEST_F(GroupsPageTest, WithNoGroupCurrentItemsAreRefusedAndNothingIsWritten) {
    StandardLibrary();
    Start();
    EXPECT_FALSE(GroupsPageTestAccess::HasCurrentGroup(page));
    view.itemName = "loose";
    view.itemText = "no group";
    page.ButtonAddNewItemClick();
    EXPECT_EQ(view.messages, (Names{"You must first select a Group from the Group list."}));
    view.saveVisible = true;
    page.ButtonSaveChangedClick();
    EXPECT_EQ(view.messages.size(), 2u);
    EXPECT_EQ(State(), (PageState{"", {}, "loose", "no group", true, true}));
    EXPECT_EQ(ListFolder(Data()), (Names{"alpha", "beta", "categories.dat"}));
    EXPECT_EQ(ReadRaw(GroupList()), "beta\r\nalpha\r\n");  // untouched
}

TEST_F(GroupsPageTest, SavingAChangedItemReplacesItsRow) {
    StandardLibrary();
    Start();
    SelectGroup(0);
    PickItem(0);
    view.itemText = "edited";
    page.ButtonSaveChangedClick();
    EXPECT_EQ(State(), (PageState{"alpha", {"one", "two"}, "", "", true, false}));
    EXPECT_EQ(view.selectedItem, -1) << "the rows did not change, and still no row stays selected";
    EXPECT_EQ(ReadRaw(ItemText("alpha", "one")), "edited");
    EXPECT_EQ(ReadRaw(ItemList("alpha")), "one\r\ntwo\r\n");
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(GroupsPageTest, SavingUnderANewNameListsOnlyTheNewNameAndKeepsTheOldFile) {
    StandardLibrary();
    Start();
    SelectGroup(0);
    PickItem(0);
    view.itemName = "zulu";
    page.ButtonSaveChangedClick();
    EXPECT_EQ(State(), (PageState{"alpha", {"two", "zulu"}, "", "", true, false}));
    EXPECT_EQ(ReadRaw(ItemList("alpha")), "two\r\nzulu\r\n");
    EXPECT_EQ(ReadRaw(ItemText("alpha", "zulu")), "first\r\ntext");
    EXPECT_EQ(ReadRaw(ItemText("alpha", "one")), "first\ntext");  // left on disk as it was
    ExpectViewMatchesPage();

    // A new name that sorts before the old one: the row that goes is still the picked one.
    PickItem(1);
    view.itemName = "able";
    page.ButtonSaveChangedClick();
    EXPECT_EQ(State(), (PageState{"alpha", {"able", "two"}, "", "", true, false}));
    EXPECT_EQ(ReadRaw(ItemList("alpha")), "able\r\ntwo\r\n");
    EXPECT_EQ(view.selectedItem, -1);
}

TEST_F(GroupsPageTest, SavingWithNoItemSelectedAddsTheItem) {
    StandardLibrary();
    Start();
    SelectGroup(0);
    PickItem(1);
    view.selectedItem = -1;
    view.itemName = "new";
    view.itemText = "n";
    page.ButtonSaveChangedClick();
    EXPECT_EQ(State(), (PageState{"alpha", {"new", "one", "two"}, "", "", true, false}));
    EXPECT_EQ(ReadRaw(ItemText("alpha", "new")), "n");
}

TEST_F(GroupsPageTest, DeletingAnItemRemovesItsRowAndFileAndLeavesTheFields) {
    StandardLibrary();
    Start();
    SelectGroup(0);
    PickItem(0);
    page.Button2Click();
    EXPECT_EQ(State(), (PageState{"alpha", {"two"}, "one", "first\r\ntext", true, true}));
    EXPECT_FALSE(ExistsRaw(ItemText("alpha", "one")));
    EXPECT_EQ(ReadRaw(ItemList("alpha")), "two\r\n");
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(GroupsPageTest, DeletingWithNoItemSelectedDoesNothing) {
    Library("g\r\n");
    MakeGroup("g", {});
    ASSERT_TRUE(WriteRaw(ItemList("g"), "b\na\n"));  // would be rewritten as "a\r\nb\r\n"
    ASSERT_TRUE(WriteRaw(ItemText("g", "a"), "A"));
    Start();
    SelectGroup(0);
    const PageState before = State();
    page.Button2Click();
    EXPECT_EQ(State(), before);
    EXPECT_EQ(ReadRaw(ItemList("g")), "b\na\n");
    EXPECT_TRUE(ExistsRaw(ItemText("g", "a")));
}

TEST_F(GroupsPageTest, SaveChangedAfterDeleteItemPutsTheItemBack) {
    StandardLibrary();
    Start();
    SelectGroup(0);
    PickItem(1);
    page.Button2Click();
    ASSERT_FALSE(ExistsRaw(ItemText("alpha", "two")));
    ASSERT_TRUE(view.saveVisible);
    view.selectedItem = -1;  // its row is gone
    page.ButtonSaveChangedClick();
    EXPECT_EQ(State(), (PageState{"alpha", {"one", "two"}, "", "", true, false}));
    EXPECT_EQ(ReadRaw(ItemList("alpha")), "one\r\ntwo\r\n");
    EXPECT_EQ(ReadRaw(ItemText("alpha", "two")), "second");
}

// --- item names the group lists already: one name, one text file

TEST_F(GroupsPageTest, AddingANameTheGroupListsIsRefusedWithTheFieldsKept) {
    Library("g\r\n");
    MakeGroup("g", {{"same", "first"}});
    Start();
    SelectGroup(0);
    view.itemName = "Same";
    view.itemText = "second";
    page.ButtonAddNewItemClick();
    EXPECT_EQ(view.messages, (Names{"The group already has an item named \"Same\". Please enter another name."}));
    EXPECT_EQ(State(), (PageState{"g", {"same"}, "Same", "second", true, false}));
    EXPECT_EQ(ReadRaw(ItemList("g")), "same\r\n");
    EXPECT_EQ(ReadRaw(ItemText("g", "same")), "first");
    EXPECT_EQ(ListFolder(GroupFolder("g") + kSep), (Names{"g.dat", "same.itm"}));
}

TEST_F(GroupsPageTest, SavingAnItemUnderAnotherItemsNameIsRefusedWithTheEditKept) {
    StandardLibrary();
    Start();
    SelectGroup(0);
    PickItem(0);  // one
    view.itemName = "two";
    view.itemText = "edited";
    page.ButtonSaveChangedClick();
    EXPECT_EQ(view.messages, (Names{"The group already has an item named \"two\". Please enter another name."}));
    EXPECT_EQ(State(), (PageState{"alpha", {"one", "two"}, "two", "edited", true, true}));
    EXPECT_EQ(view.selectedItem, 0) << "still on the item being edited";
    EXPECT_EQ(ReadRaw(ItemText("alpha", "two")), "second");
    EXPECT_EQ(ReadRaw(ItemText("alpha", "one")), "first\ntext");
    EXPECT_EQ(ReadRaw(ItemList("alpha")), "one\r\ntwo\r\n");
}

// Another program added "b" with its text while the page showed the group:
// the user's "b" is refused, the list read again is shown, and the typed
// fields stay for another name.
TEST_F(GroupsPageTest, AnItemAnotherProgramAddedIsShownAndNotWrittenOver) {
    StandardLibrary();
    Start();
    SelectGroup(0);
    PickItem(1);  // two
    ASSERT_TRUE(WriteRaw(ItemText("alpha", "b"), "theirs"));
    ASSERT_TRUE(WriteRaw(ItemList("alpha"), "one\r\ntwo\r\nb\r\n"));
    view.itemName = "b";
    view.itemText = "mine";
    page.ButtonAddNewItemClick();
    EXPECT_EQ(view.messages, (Names{"Another program has just added an item named \"b\" to this group. Its text is "
                                    "kept; please enter another name."}));
    EXPECT_EQ(State(), (PageState{"alpha", {"b", "one", "two"}, "b", "mine", true, true}));
    EXPECT_EQ(view.selectedItem, 2) << "still on two";
    EXPECT_EQ(ReadRaw(ItemText("alpha", "b")), "theirs");
    EXPECT_EQ(ReadRaw(ItemList("alpha")), "one\r\ntwo\r\nb\r\n");
    ExpectViewMatchesPage();
}

// --- write failures end the handler at the failing step

TEST_F(GroupsPageTest, AFailedItemTextWriteLeavesTheRowListedAndTheFieldsFilled) {
    StandardLibrary();
    Start();
    SelectGroup(0);
    view.itemName = "held";
    view.itemText = "text";
    test::ExclusiveHold hold(ItemText("alpha", "held"));
    EXPECT_EQ(MessageOf<EFCreateError>([&] { page.ButtonAddNewItemClick(); }),
              "Cannot create file " + ItemText("alpha", "held"));
    EXPECT_EQ(State(), (PageState{"alpha", {"held", "one", "two"}, "held", "text", true, false}));
    EXPECT_EQ(ReadRaw(ItemList("alpha")), "held\r\none\r\ntwo\r\n");
    ExpectViewMatchesPage();
}

TEST_F(GroupsPageTest, AFailedItemListWriteStopsEachItemHandler) {
    StandardLibrary();
    Start();
    SelectGroup(0);
    PickItem(0);
    const std::string list = ItemList("alpha");
    const std::string failure = "Cannot create file " + list;
    test::ExclusiveHold hold(list);

    view.itemName = "renamed";
    EXPECT_EQ(MessageOf<EFCreateError>([&] { page.ButtonSaveChangedClick(); }), failure);
    EXPECT_EQ(State(), (PageState{"alpha", {"renamed", "two"}, "renamed", "first\r\ntext", true, true}));
    EXPECT_FALSE(ExistsRaw(ItemText("alpha", "renamed")));
    ExpectViewMatchesPage();

    view.selectedItem = 1;  // "two"
    EXPECT_EQ(MessageOf<EFCreateError>([&] { page.Button2Click(); }), failure);
    EXPECT_EQ(view.itemRows, (Names{"renamed"}));
    EXPECT_FALSE(ExistsRaw(ItemText("alpha", "two")));  // deleted before the list write
    ExpectViewMatchesPage();
}

TEST_F(GroupsPageTest, AFailedGroupListWriteLeavesTheGroupListedButNotCurrent) {
    StandardLibrary();
    Start();
    SelectGroup(1);
    {
        test::ExclusiveHold hold(GroupList());
        view.newGroupName = "gamma";
        EXPECT_EQ(MessageOf<EFCreateError>([&] { page.ButtonAddGroupClick(); }), "Cannot create file " + GroupList());
        EXPECT_EQ(view.groupRows, (Names{"alpha", "beta", "gamma"}));
        EXPECT_TRUE(ExistsRaw(GroupFolder("gamma")));
        EXPECT_EQ(State(), (PageState{"beta", {"three"}, "", "", true, false}));
        EXPECT_EQ(view.newGroupName, "gamma");

        view.selectedGroup = 0;
        EXPECT_EQ(MessageOf<EFCreateError>([&] { page.ButtonDeleteGroupClick(); }),
                  "Cannot create file " + GroupList());
        EXPECT_EQ(view.groupRows, (Names{"beta", "gamma"}));
        ExpectViewMatchesPage();
    }
    EXPECT_EQ(ReadRaw(GroupList()), "beta\r\nalpha\r\n");
    EXPECT_TRUE(view.messages.empty());
}

// --- a group list that could not be read at start-up

TEST_F(GroupsPageTest, AGroupListUnreadableAtStartIsReadAgainAndShownBeforeItIsWritten) {
    StandardLibrary();
    {
        test::ExclusiveHold hold(GroupList());
        Start();
        EXPECT_TRUE(view.groupRows.empty());

        // Still unreadable: nothing is written, made or shown.
        view.newGroupName = "gamma";
        EXPECT_EQ(MessageOf<EFOpenError>([&] { page.ButtonAddGroupClick(); }), "Cannot open file " + GroupList());
        EXPECT_FALSE(ExistsRaw(GroupFolder("gamma")));
        EXPECT_TRUE(view.groupRows.empty());
        EXPECT_EQ(GroupsPageTestAccess::CurrentGroup(page), "");
        EXPECT_EQ(view.newGroupName, "gamma");
    }
    EXPECT_EQ(ReadRaw(GroupList()), "beta\r\nalpha\r\n");

    page.ButtonAddGroupClick();
    EXPECT_EQ(view.groupRows, (Names{"alpha", "beta", "gamma"}));
    EXPECT_EQ(ReadRaw(GroupList()), "alpha\r\nbeta\r\ngamma\r\n");
    EXPECT_EQ(GroupsPageTestAccess::CurrentGroup(page), "gamma");
    ExpectViewMatchesPage();
}

TEST_F(GroupsPageTest, ARefusedNameAfterAnUnreadableStartShowsTheGroupsReadAgain) {
    StandardLibrary();
    {
        test::ExclusiveHold hold(GroupList());
        Start();
    }
    ASSERT_TRUE(view.groupRows.empty());
    view.newGroupName = "alpha";
    page.ButtonAddGroupClick();
    EXPECT_EQ(view.messages, (Names{GroupsPage::kIllegalGroupName}));
    EXPECT_EQ(view.groupRows, (Names{"alpha", "beta"}));
    EXPECT_EQ(ReadRaw(GroupList()), "beta\r\nalpha\r\n");
    ExpectViewMatchesPage();
}

TEST_F(GroupsPageTest, DeletingAfterAnUnreadableStartShowsTheGroupsReadAgain) {
    StandardLibrary();
    {
        test::ExclusiveHold hold(GroupList());
        Start();
    }
    page.ButtonDeleteGroupClick();  // nothing could be highlighted
    EXPECT_EQ(view.groupRows, (Names{"alpha", "beta"}));
    EXPECT_EQ(ReadRaw(GroupList()), "alpha\r\nbeta\r\n");

    view.selectedGroup = 1;
    page.ButtonDeleteGroupClick();
    EXPECT_EQ(view.groupRows, (Names{"alpha"}));
    EXPECT_EQ(ReadRaw(GroupList()), "alpha\r\n");
}

// --- lists another program changed while the page was shown

// The list read again is shown; the highlight stays on its group through an
// add and is on no row after a delete; the current group is the page's own.
TEST_F(GroupsPageTest, GroupsAnotherProgramChangedAreShownWithTheHighlightOnTheCurrentGroup) {
    StandardLibrary();
    Start();
    SelectGroup(1);  // beta
    ASSERT_TRUE(WriteRaw(GroupList(), "alpha\r\nbeta\r\nAardvark\r\nzulu\r\n"));
    view.newGroupName = "gamma";
    page.ButtonAddGroupClick();
    EXPECT_EQ(view.groupRows, (Names{"Aardvark", "alpha", "beta", "gamma", "zulu"}));
    EXPECT_EQ(view.selectedGroup, 3) << "on gamma";
    EXPECT_EQ(State(), (PageState{"gamma", {}, "", "", true, false}));
    ExpectViewMatchesPage();

    SelectGroup(2);                                                      // beta
    ASSERT_TRUE(WriteRaw(GroupList(), "zulu\nalpha\nAardvark\ngamma"));  // beta removed
    page.ButtonDeleteGroupClick();
    EXPECT_EQ(view.groupRows, (Names{"Aardvark", "alpha", "gamma", "zulu"}));
    EXPECT_EQ(view.selectedGroup, -1);
    EXPECT_FALSE(GroupsPageTestAccess::HasCurrentGroup(page)) << "beta is gone";
    ExpectViewMatchesPage();
}

TEST_F(GroupsPageTest, ItemsAnotherProgramChangedAreShownWithTheHighlightKept) {
    StandardLibrary();
    Start();
    SelectGroup(0);  // alpha: one, two
    PickItem(1);     // two
    ASSERT_TRUE(WriteRaw(ItemList("alpha"), "one\r\ntwo\r\naaa\r\n"));
    view.itemName = "three";
    page.ButtonAddNewItemClick();
    EXPECT_EQ(view.selectedItem, 3) << "still on two";
    EXPECT_EQ(State(), (PageState{"alpha", {"aaa", "one", "three", "two"}, "", "", true, true}));
    ExpectViewMatchesPage();

    PickItem(1);                                                  // one
    ASSERT_TRUE(WriteRaw(ItemList("alpha"), "two\nthree\naaa"));  // one removed
    page.Button2Click();
    EXPECT_EQ(view.selectedItem, -1);
    EXPECT_EQ(State(), (PageState{"alpha", {"aaa", "three", "two"}, "one", "first\r\ntext", true, true}));
    ExpectViewMatchesPage();
}

}  // namespace
}  // namespace pastimo
