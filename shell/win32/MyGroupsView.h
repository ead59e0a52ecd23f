#pragma once
// The "My Groups" page's controls as the page's rules see them.

#include "library/GroupsPage.h"
#include "toolkit/win32/Buttons.h"
#include "toolkit/win32/Edit.h"
#include "toolkit/win32/ListBox.h"

#include <functional>

namespace pastimo {

struct MyGroupsControls {
    TListBox& ListBox1;
    TListBox& ListBoxItems;
    TEdit& EditAddCategory;
    TEdit& EditNewItem;
    TEdit& MemoNewItem;
    TButton& ButtonSaveChanged;
};

class MyGroupsView : public GroupsPageView {
public:
    // `minimizeToTray` is the Minimize button's action; `autoMinimize` tells
    // whether a pick hides the window.
    MyGroupsView(const MyGroupsControls& controls, std::function<void()> minimizeToTray,
                 std::function<bool()> autoMinimize);

    int SelectedGroup() const override;
    void SelectGroup(int row) override;
    void ShowGroups(const NameList& groups) override;
    int SelectedItem() const override;
    void SelectItem(int row) override;
    void ShowItems(const NameList& items) override;
    std::string NewGroupName() const override;
    void SetNewGroupName(const std::string& text) override;
    std::string ItemName() const override;
    void SetItemName(const std::string& text) override;
    std::string ItemText() const override;
    void SetItemText(const std::string& text) override;
    void SetItemFieldsEnabled(bool enabled) override;
    void SetSaveChangedVisible(bool visible) override;
    void ShowInformation(const std::string& message) override;
    void CopyItemTextToClipboard() override;
    void MinimizeToTray() override;
    bool AutoMinimizeEnabled() const override;

private:
    MyGroupsControls FControls;
    std::function<void()> FMinimizeToTray;
    std::function<bool()> FAutoMinimize;
};

}  // namespace pastimo
