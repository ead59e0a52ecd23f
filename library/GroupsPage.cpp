#include "library/GroupsPage.h"

namespace pastimo {

GroupsPage::GroupsPage(LibraryStore& store, GroupsPageView& view) : FStore(store), FView(view) {}

void GroupsPage::LoadGroups() {
    FGroups = FStore.LoadGroups();
    FView.ShowGroups(FGroups);
}

void GroupsPage::ListBox1Click() {
    const int selected = FView.SelectedGroup();
    if (selected < 0 || selected >= FGroups.Count()) return;
    FView.SetSaveChangedVisible(false);
    FView.SetItemFieldsEnabled(true);
    FView.SetItemName(std::string());
    FView.SetItemText(std::string());
    FCurrentGroup = FGroups[selected];
    FItems = NameList(FGroups.GetCollator());
    FView.ShowItems(FItems);
    try {
        FItems = FStore.LoadItems(FCurrentGroup);
    } catch (const std::exception&) {
        // A group whose item list cannot be read simply shows no items.
        FItems = NameList(FGroups.GetCollator());
    }
    FView.ShowItems(FItems);
}

void GroupsPage::ListBoxItemsClick() {
    const int selected = FView.SelectedItem();
    if (selected >= 0 && selected < FItems.Count()) {
        // A text that cannot be read ends the pick quietly: the name shows,
        // the text stays empty and the clipboard keeps what it held.
        try {
            FView.SetSaveChangedVisible(true);
            const std::string name = FItems[selected];
            FView.SetItemName(name);
            FView.SetItemText(std::string());
            const std::string text = FStore.ReadItemText(FCurrentGroup, name);
            try {
                FView.SetItemText(text);
            } catch (const std::exception&) {
                // The field may keep the part that fitted; Save Changed
                // would then cut the item's file down to it.
                FView.SetItemText(std::string());
                throw;
            }
            FView.CopyItemTextToClipboard();
        } catch (const std::exception&) {
        }
    }
    if (FView.AutoMinimizeEnabled()) FView.MinimizeToTray();
}

void GroupsPage::EditNewItemEnter() {
    if (FView.SelectedGroup() >= 0) return;
    FView.ShowInformation(kSelectGroupFirst);
    FView.SetItemName(kSelectGroupPrompt);
    FView.SetItemText(std::string());
    FView.SetItemText(kSelectGroupPrompt);
    FView.SetItemFieldsEnabled(false);
}

void GroupsPage::EditAddCategoryClick() { FView.SetNewGroupName(std::string()); }

void GroupsPage::ButtonAddGroupClick() {
    const std::string name = FView.NewGroupName();
    if (name.empty()) {
        FView.ShowInformation(kEnterGroupName);
        return;
    }
    try {
        FStore.AddGroup(FGroups, name);
    } catch (const GroupFolderError&) {
        FView.ShowGroups(FGroups);  // a re-read group list may have come in
        FView.ShowInformation(kIllegalGroupName);
        return;
    } catch (...) {
        // A write that failed after the name went in: show what is listed now.
        FView.ShowGroups(FGroups);
        throw;
    }
    FView.ShowGroups(FGroups);
    FCurrentGroup = name;
    FItems = NameList(FGroups.GetCollator());
    FView.ShowItems(FItems);
    FView.SetNewGroupName(std::string());
    FView.SetSaveChangedVisible(false);
}

void GroupsPage::ButtonDeleteGroupClick() {
    try {
        FStore.DeleteGroup(FGroups, FView.SelectedGroup());
    } catch (...) {
        FView.ShowGroups(FGroups);
        throw;
    }
    FView.ShowGroups(FGroups);
}

// Runs a change of the item list and shows the list as it then is, also when
// the change fails halfway (a name may have gone in before a write failed).
template <typename Change>
void GroupsPage::ChangeItems(Change change) {
    try {
        change();
    } catch (...) {
        FView.ShowItems(FItems);
        throw;
    }
    FView.ShowItems(FItems);
}

void GroupsPage::ButtonAddNewItemClick() {
    const std::string name = FView.ItemName();
    ChangeItems([&] { FStore.AddItem(FCurrentGroup, FItems, name, FView.ItemText()); });
    FView.SetItemText(std::string());
    FView.SetItemName(std::string());
}

void GroupsPage::ButtonSaveChangedClick() {
    ChangeItems([&] {
        FStore.ReplaceItem(FCurrentGroup, FItems, FView.SelectedItem(), FView.ItemName(), FView.ItemText());
    });
    FView.SetItemText(std::string());
    FView.SetItemName(std::string());
    FView.SetSaveChangedVisible(false);
    // Also when the rows did not change (only the text was edited), where the
    // list would keep its highlight: a Delete Item next must not find a row.
    FView.SelectNoItem();
}

void GroupsPage::Button2Click() {
    const int selected = FView.SelectedItem();
    if (selected < 0) return;
    ChangeItems([&] { FStore.DeleteItem(FCurrentGroup, FItems, selected); });
}

}  // namespace pastimo
