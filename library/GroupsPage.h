#pragma once
// What the "My Groups" page does: its state (the current group, the two name
// lists) and its nine handlers, written against a small view interface so the
// rules run the same in front of the real window and in front of a test's fake.
// Portable: no Windows headers.

#include "library/LibraryStore.h"

#include <string>

namespace pastimo {

// The controls of the page, as the handlers see them.
class GroupsPageView {
public:
    virtual ~GroupsPageView() = default;
    virtual int SelectedGroup() const = 0;                // ListBox1, -1 for none
    virtual void SelectGroup(int row) = 0;                // ListBox1, -1 for none; no event
    virtual void ShowGroups(const NameList& groups) = 0;  // ListBox1 rows = groups
    virtual int SelectedItem() const = 0;                 // ListBoxItems, -1 for none
    virtual void SelectItem(int row) = 0;                 // ListBoxItems, -1 for none; no event
    virtual void ShowItems(const NameList& items) = 0;    // ListBoxItems rows = items
    virtual std::string NewGroupName() const = 0;         // EditAddCategory
    virtual void SetNewGroupName(const std::string& text) = 0;
    virtual std::string ItemName() const = 0;  // EditNewItem
    virtual void SetItemName(const std::string& text) = 0;
    virtual std::string ItemText() const = 0;  // MemoNewItem
    // Throws when the field cannot hold the whole text.
    virtual void SetItemText(const std::string& text) = 0;
    virtual void SetItemFieldsEnabled(bool enabled) = 0;           // EditNewItem and MemoNewItem
    virtual void SetSaveChangedVisible(bool visible) = 0;          // ButtonSaveChanged
    virtual void ShowInformation(const std::string& message) = 0;  // modal, waits
    // Empties the clipboard, then copies all of MemoNewItem's text with the
    // field's own copy and puts the caret back at the start.
    virtual void CopyItemTextToClipboard() = 0;
    // The Minimize button's action: hide the window to the tray.
    virtual void MinimizeToTray() = 0;
    // Whether picking an item hides the window (the program-wide option).
    virtual bool AutoMinimizeEnabled() const = 0;
};

class GroupsPage {
public:
    static constexpr const char* kEnterGroupName = "Enter a name for this group first.";
    static constexpr const char* kIllegalGroupName =
        "ERROR: Group names cannot contain any illegal filename characters, like * or / or ? or <. "
        "Please enter a new name using only alphanumeric characters (spaces are OK).";
    static constexpr const char* kGroupNameTooLong =
        "The group name is too long: Windows could not store the group's files under it. "
        "Please enter a shorter name.";
    static constexpr const char* kSelectGroupFirst = "You must first select a Group from the Group list.";
    static constexpr const char* kSelectGroupPrompt = "Select a Group first (above)";

    // An item name another row lists (the user's slip), or one another
    // program has just added (which the user has not seen).
    static std::string ItemNameTakenMessage(const std::string& name);
    static std::string ItemAddedElsewhereMessage(const std::string& name);

    GroupsPage(LibraryStore& store, GroupsPageView& view);

    // Start-up: the stored groups into ListBox1 (an unreadable list gives none).
    void LoadGroups();

    void ListBox1Click();
    void ListBoxItemsClick();
    void EditNewItemEnter();
    void EditAddCategoryClick();
    void ButtonAddGroupClick();
    void ButtonDeleteGroupClick();
    void ButtonAddNewItemClick();
    void ButtonSaveChangedClick();
    void Button2Click();

private:
    // What tests need past the public API goes through this friend alone (tests/library/TestAccess.h).
    friend struct GroupsPageTestAccess;

    bool RefusedWithoutGroup();
    void EnableItemFields();
    template <typename Change>
    bool ChangeItems(Change change, bool add);

    LibraryStore& FStore;
    GroupsPageView& FView;
    // The group item operations apply to, when there is one (none at start
    // and after its deletion); an empty name is a group's name too.
    bool FHasCurrentGroup = false;
    bool FItemFieldsAskForGroup = false;  // disabled, showing the prompt to select a group
    std::string FCurrentGroup;
    NameList FGroups;
    NameList FItems;
};

}  // namespace pastimo
