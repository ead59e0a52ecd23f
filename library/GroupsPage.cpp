#include "library/GroupsPage.h"

#include "toolkit/Errors.h"

namespace pastimo {
namespace {

// The entry a row shows: its name and how many rows of that name stand
// before it (rows of one name keep their order in a sorted list).
struct Entry {
    std::string name;
    int before = -1;  // -1: no row
};

Entry EntryAt(const NameList& list, int row) {
    if (row < 0 || row >= list.Count()) return Entry();
    Entry entry{list[row], 0};
    for (int i = 0; i < row; ++i)
        if (list[i] == entry.name) ++entry.before;
    return entry;
}

// The entry's row in the list as it now is: the same row of that name, or
// the last one when fewer are left; -1 when the name is gone.
int RowOf(const NameList& list, const Entry& entry) {
    if (entry.before < 0) return -1;
    int row = -1;
    int seen = 0;
    for (int i = 0; i < list.Count() && seen <= entry.before; ++i) {
        if (list[i] != entry.name) continue;
        row = i;
        ++seen;
    }
    return row;
}

}  // namespace

GroupsPage::GroupsPage(LibraryStore& store, GroupsPageView& view) : FStore(store), FView(view) {}

void GroupsPage::LoadGroups() {
    FGroups = FStore.LoadGroups();
    FView.ShowGroups(FGroups);
}

void GroupsPage::ListBox1Click() {
    const int selected = FView.SelectedGroup();
    if (selected < 0 || selected >= FGroups.Count()) return;
    FView.SetSaveChangedVisible(false);
    EnableItemFields();
    FCurrentGroup = FGroups[selected];
    FHasCurrentGroup = true;
    FItems = NameList(FGroups.GetCollator());
    FView.ShowItems(FItems);
    try {
        FItems = FStore.LoadItems(FCurrentGroup);
    } catch (const std::exception&) {
        IgnoreFailure("a group whose item list cannot be read shows no items");
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
            IgnoreFailure("an item whose text cannot be read or shown ends its pick quietly");
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
    FItemFieldsAskForGroup = true;
}

void GroupsPage::EditAddCategoryClick() { FView.SetNewGroupName(std::string()); }

void GroupsPage::ButtonAddGroupClick() {
    const std::string name = FView.NewGroupName();
    if (name.empty()) {
        FView.ShowInformation(kEnterGroupName);
        return;
    }
    // The store may read the group list again (another program changed it).
    // A refused name changes nothing the user chose: the list box keeps its
    // highlight on its entry through a change of one row only; through the
    // rows read again the page keeps it there itself.
    const Entry highlighted = EntryAt(FGroups, FView.SelectedGroup());
    try {
        FStore.AddGroup(FGroups, name);
    } catch (const GroupFolderError&) {
        FView.ShowGroups(FGroups);
        FView.SelectGroup(RowOf(FGroups, highlighted));
        FView.ShowInformation(kIllegalGroupName);
        return;
    } catch (const GroupNameTooLongError&) {
        FView.ShowGroups(FGroups);
        FView.SelectGroup(RowOf(FGroups, highlighted));
        FView.ShowInformation(kGroupNameTooLong);
        return;
    } catch (...) {
        // A write that failed after the name went in: show what is listed now.
        FView.ShowGroups(FGroups);
        FView.SelectGroup(RowOf(FGroups, highlighted));
        throw;
    }
    // The new group is current, and highlighted as such: the highlight
    // shows where the next item goes, and the item fields are for it.
    FView.ShowGroups(FGroups);
    FView.SelectGroup(FGroups.IndexOf(name));
    FCurrentGroup = name;
    FHasCurrentGroup = true;
    // A deleted group that came back shows the items it kept.
    try {
        FItems = FStore.LoadItems(name);
    } catch (const std::exception&) {
        IgnoreFailure("a new group whose old item list cannot be read shows no items");
        FItems = NameList(FGroups.GetCollator());
    }
    FView.ShowItems(FItems);
    FView.SetNewGroupName(std::string());
    FView.SetSaveChangedVisible(false);
    if (FItemFieldsAskForGroup) EnableItemFields();
}

// As selecting a group does: the fields that asked for one are emptied.
void GroupsPage::EnableItemFields() {
    FItemFieldsAskForGroup = false;
    FView.SetItemFieldsEnabled(true);
    FView.SetItemName(std::string());
    FView.SetItemText(std::string());
}

void GroupsPage::ButtonDeleteGroupClick() {
    const Entry highlighted = EntryAt(FGroups, FView.SelectedGroup());
    try {
        FStore.DeleteGroup(FGroups, FView.SelectedGroup());
    } catch (...) {
        FView.ShowGroups(FGroups);
        throw;
    }
    FView.ShowGroups(FGroups);
    // The highlighted group is gone, deleted now or by another program; no
    // other row may take its highlight.
    FView.SelectGroup(-1);
    // Its folder stays, but no row leads there any more: items written into
    // it could never be reached, so it stops being the current group.
    if (highlighted.before >= 0 && FHasCurrentGroup && highlighted.name == FCurrentGroup) {
        FHasCurrentGroup = false;
        FCurrentGroup.clear();
        FItems = NameList(FGroups.GetCollator());
        FView.ShowItems(FItems);
        FView.SetSaveChangedVisible(false);
    }
}

// An item needs a group to go into; with none current nothing is written.
bool GroupsPage::RefusedWithoutGroup() {
    if (FHasCurrentGroup) return false;
    FView.ShowInformation(kSelectGroupFirst);
    return true;
}

std::string GroupsPage::ItemNameTakenMessage(const std::string& name) {
    return "The group already has an item named \"" + name + "\". Please enter another name.";
}

std::string GroupsPage::ItemAddedElsewhereMessage(const std::string& name) {
    return "Another program has just added an item named \"" + name +
           "\" to this group. Its text is kept; please enter another name.";
}

// Runs a change of the item list and shows the list as it then is, also when
// the change fails halfway (a name may have gone in before a write failed).
// After an add the highlight stays on its entry, also through a list read
// again (see ButtonAddGroupClick); the other changes act on the highlighted
// row, which then is gone. A name refused changes no row: the highlight
// stays where it was, the fields keep what the user typed, and the result is
// false.
template <typename Change>
bool GroupsPage::ChangeItems(Change change, bool add) {
    const Entry highlighted = EntryAt(FItems, FView.SelectedItem());
    bool readAgain = false;
    try {
        readAgain = change();
    } catch (const ItemNameTakenError& refused) {
        FView.ShowItems(FItems);
        FView.SelectItem(RowOf(FItems, highlighted));
        FView.ShowInformation(refused.AddedElsewhere() ? ItemAddedElsewhereMessage(refused.Name())
                                                       : ItemNameTakenMessage(refused.Name()));
        return false;
    } catch (...) {
        FView.ShowItems(FItems);
        if (add) FView.SelectItem(RowOf(FItems, highlighted));
        throw;
    }
    FView.ShowItems(FItems);
    if (readAgain) FView.SelectItem(add ? RowOf(FItems, highlighted) : -1);
    return true;
}

void GroupsPage::ButtonAddNewItemClick() {
    if (RefusedWithoutGroup()) return;
    const std::string name = FView.ItemName();
    if (!ChangeItems([&] { return FStore.AddItem(FCurrentGroup, FItems, name, FView.ItemText()); }, true)) return;
    FView.SetItemText(std::string());
    FView.SetItemName(std::string());
}

void GroupsPage::ButtonSaveChangedClick() {
    if (RefusedWithoutGroup()) return;
    const bool saved = ChangeItems(
        [&] {
            return FStore.ReplaceItem(FCurrentGroup, FItems, FView.SelectedItem(), FView.ItemName(), FView.ItemText());
        },
        false);
    if (!saved) return;
    FView.SetItemText(std::string());
    FView.SetItemName(std::string());
    FView.SetSaveChangedVisible(false);
    // Also when the rows did not change (only the text was edited), where the
    // list would keep its highlight: a Delete Item next must not find a row.
    FView.SelectItem(-1);
}

void GroupsPage::Button2Click() {
    const int selected = FView.SelectedItem();
    if (selected < 0) return;
    ChangeItems([&] { return FStore.DeleteItem(FCurrentGroup, FItems, selected); }, false);
}

}  // namespace pastimo
