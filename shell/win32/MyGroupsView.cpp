#include "shell/win32/MyGroupsView.h"

#include "capture/win32/Clipboard.h"
#include "shell/win32/InformationBox.h"
#include "toolkit/Errors.h"
#include "toolkit/Unicode.h"
#include "toolkit/win32/Application.h"

namespace pastimo {

MyGroupsView::MyGroupsView(const MyGroupsControls& controls, std::function<void()> minimizeToTray,
                           std::function<bool()> autoMinimize)
    : FControls(controls), FMinimizeToTray(std::move(minimizeToTray)), FAutoMinimize(std::move(autoMinimize)) {}

int MyGroupsView::SelectedGroup() const { return FControls.ListBox1.ItemIndex(); }

void MyGroupsView::SelectGroup(int row) { FControls.ListBox1.SetItemIndex(row); }

void MyGroupsView::ShowGroups(const NameList& groups) { FControls.ListBox1.Sync(groups.Names()); }

int MyGroupsView::SelectedItem() const { return FControls.ListBoxItems.ItemIndex(); }

void MyGroupsView::SelectItem(int row) { FControls.ListBoxItems.SetItemIndex(row); }

void MyGroupsView::ShowItems(const NameList& items) { FControls.ListBoxItems.Sync(items.Names()); }

std::string MyGroupsView::NewGroupName() const { return FControls.EditAddCategory.Text(); }

void MyGroupsView::SetNewGroupName(const std::string& text) { FControls.EditAddCategory.SetText(text); }

std::string MyGroupsView::ItemName() const { return FControls.EditNewItem.Text(); }

void MyGroupsView::SetItemName(const std::string& text) { FControls.EditNewItem.SetText(text); }

std::string MyGroupsView::ItemText() const { return FControls.MemoNewItem.Text(); }

void MyGroupsView::SetItemText(const std::string& text) {
    FControls.MemoNewItem.SetText(text);
    // The field counts UTF-16 units; one that took less than the whole text
    // would let Save Changed Item cut the item's file down to it.
    if (FControls.MemoNewItem.TextUnits() != Utf16Length(text)) throw Exception("The text is too large for the field");
}

void MyGroupsView::SetItemFieldsEnabled(bool enabled) {
    FControls.EditNewItem.SetEnabled(enabled);
    FControls.MemoNewItem.SetEnabled(enabled);
}

void MyGroupsView::SetSaveChangedVisible(bool visible) {
    // Pressed from the keyboard, the button hides while it has the focus:
    // the focus moves on to the item list rather than to no control at all.
    if (!visible && GetFocus() == FControls.ButtonSaveChanged.Handle()) SetFocus(FControls.ListBoxItems.Handle());
    FControls.ButtonSaveChanged.SetVisible(visible);
}

void MyGroupsView::ShowInformation(const std::string& message) { ShowInformationBox(message); }

// The field's own copy selects the whole text and collapses it back; on
// screen Wine's edit would scroll to the end of a long text and back, drawing
// its scroll bar at each step. The field goes unseen meanwhile (Wine's edit
// ignores WM_SETREDRAW, so DefWindowProc's handling is asked directly) and is
// drawn once after, where it was.
void MyGroupsView::CopyItemTextToClipboard() {
    const HWND field = FControls.MemoNewItem.Handle();
    const bool shown = IsWindowVisible(field) != FALSE;
    if (shown) DefWindowProcW(field, WM_SETREDRAW, FALSE, 0);
    PutEditTextOnClipboard(Application->Handle(), field);
    if (shown) {
        DefWindowProcW(field, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(field, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
}

void MyGroupsView::MinimizeToTray() { FMinimizeToTray(); }

bool MyGroupsView::AutoMinimizeEnabled() const { return FAutoMinimize(); }

}  // namespace pastimo
