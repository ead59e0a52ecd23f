#pragma once
// The stored layout of the main window, Form1: the tab control, its three
// pages and every control on them. Places and sizes are pixels at 96 DPI,
// relative to the page (or the group box) that holds the control.

#include "toolkit/Layout.h"

namespace pastimo {

enum MainWindowControl : int {
    kPageControl1 = 200,
    kButtonDeleteGroup,
    kListBox1,
    kListBoxItems,
    kButtonAddGroup,
    kEditAddCategory,
    kGroupBox1,
    kEditNewItem,
    kMemoNewItem,
    kButtonAddNewItem,
    kButtonSaveChanged,
    kButton3,
    kCheckAutoMinimize,
    kButton2,
    kListBoxRecentList,
    kMemoClipText,
    kButton1,
    kCheckCaptureClip2,
    kMemo1,
    kLabel1,
    kLabel2,
    kLabel3,
    kLabel4,
    kLabel5,
    kLabel6,
    kLabel7,
    kShape1,
    kTabSheet1 = 300,
    kTabSheet2,
    kTabSheetHelp,
};

enum MainWindowFont : uint8_t { kFormFont, kBoldFont, kButton3Font };

inline constexpr LayoutFont kMainWindowFonts[] = {
    {"MS Sans Serif", -11, false},
    {"MS Sans Serif", -11, true},
    {"System", -13, false},
};

inline constexpr uint32_t kYellow = Rgb(255, 255, 0);
inline constexpr uint32_t kBlack = Rgb(0, 0, 0);

// clang-format off
inline constexpr ControlLayout kMainWindowControls[] = {
    {kPageControl1, 0, ControlKind::PageControl, {4, 6, 510, 413}, "", nullptr, kFormFont, csNone, 0},
    {kTabSheet1, kPageControl1, ControlKind::Page, {}, "My Groups", nullptr, kFormFont, csNone, kNoTabStop},
    {kTabSheet2, kPageControl1, ControlKind::Page, {}, "Last Clipboard Entries", nullptr, kFormFont, csNone, kNoTabStop},
    {kTabSheetHelp, kPageControl1, ControlKind::Page, {}, "Help", nullptr, kFormFont, csNone, kNoTabStop},

    // "My Groups"
    {kLabel1, kTabSheet1, ControlKind::Label, {10, 6, 45, 13}, "Groups:", nullptr, kBoldFont, csNone, kNoTabStop},
    {kButtonDeleteGroup, kTabSheet1, ControlKind::Button, {67, 2, 77, 21}, "Delete &Group",
     "Click to delete selected Group", kFormFont, csNone, 0},
    {kListBox1, kTabSheet1, ControlKind::ListBox, {8, 25, 159, 145}, "", nullptr, kFormFont, csNone, 1, RowHeight(13)},
    {kLabel2, kTabSheet1, ControlKind::Label, {180, 6, 87, 13}, "Items in Group:", nullptr, kBoldFont, csNone, kNoTabStop},
    {kButton2, kTabSheet1, ControlKind::Button, {272, 2, 71, 21}, "&Delete Item", "Click to delete selected Item",
     kFormFont, csNone, 8},
    {kListBoxItems, kTabSheet1, ControlKind::ListBox, {178, 25, 165, 145}, "", nullptr, kFormFont, csNone, 2,
     RowHeight(13)},
    {kButtonAddGroup, kTabSheet1, ControlKind::Button, {368, 26, 104, 23}, "&Add New Group", "Click to add a new Group",
     kFormFont, csNone, 3},
    {kEditAddCategory, kTabSheet1, ControlKind::Edit, {357, 52, 122, 21}, "New group name here..",
     "Enter name of new group here", kFormFont, csNone, 4},
    {kShape1, kTabSheet1, ControlKind::Shape, {360, 85, 117, 64}, "", nullptr, kFormFont, csBehind, kNoTabStop,
     Outlined(kYellow, kBlack)},
    {kButton3, kTabSheet1, ControlKind::Button, {371, 98, 94, 38}, "&Minimize", "Click to hide this window",
     kButton3Font, csDefault, 6},
    {kCheckAutoMinimize, kTabSheet1, ControlKind::CheckBox, {350, 153, 149, 17}, "Auto-minimize upon select",
     "Auto-hide window -- see HELP tab for details", kFormFont, csNone, 7},
    {kLabel3, kTabSheet1, ControlKind::Label, {9, 178, 386, 29},
     "TO ADD A NEW ITEM: Select a Group first (above), then enter the new item and item name below, and click the "
     "ADD ITEM button", nullptr, kFormFont, csNone, kNoTabStop},
    {kGroupBox1, kTabSheet1, ControlKind::GroupBox, {6, 206, 486, 171}, "", nullptr, kFormFont, csBehind, 5},
    {kEditNewItem, kGroupBox1, ControlKind::Edit, {9, 14, 225, 21}, "Enter new item name...", nullptr, kFormFont,
     csNone, 0},
    {kLabel6, kGroupBox1, ControlKind::Label, {241, 12, 230, 32},
     "Enter Name of Item here (will be displayed in Item list above)", nullptr, kFormFont, csNone, kNoTabStop},
    {kLabel5, kGroupBox1, ControlKind::Label, {12, 48, 373, 13},
     "New Item (enter full text you want to store -- type it in or paste it using CTRL-V)):", nullptr, kFormFont,
     csNone, kNoTabStop},
    {kMemoNewItem, kGroupBox1, ControlKind::Edit, {10, 66, 463, 65},
     "Type or paste (CTRL-V) your text for this new item here...", nullptr, kFormFont,
     csMultiLine | csScrollV | csWantTab, 1},
    {kButtonAddNewItem, kGroupBox1, ControlKind::Button, {32, 135, 120, 25}, "Add &Item",
     "Add new item above to the Item list", kFormFont, csNone, 2},
    {kButtonSaveChanged, kGroupBox1, ControlKind::Button, {159, 135, 120, 25}, "Save &Changed Item",
     "Click to save changes to this Item", kFormFont, csHidden, 3},

    // "Last Clipboard Entries"
    {kLabel4, kTabSheet2, ControlKind::Label, {9, 8, 475, 38},
     "These are the 5 most recent clipboard entries.  A blank line indicates an overflow when the clipboard "
     "contents were too large. Click to see formatted text below.", nullptr, kBoldFont, csNone, kNoTabStop},
    {kListBoxRecentList, kTabSheet2, ControlKind::ListBox, {11, 46, 431, 80}, "", nullptr, kFormFont, csNone, 5,
     RowHeight(13)},
    {kButton1, kTabSheet2, ControlKind::Button, {124, 147, 220, 28}, "Copy Contents to Clipboard",
     "Click to add selected text to clipboard", kFormFont, csNone, 7},
    {kMemoClipText, kTabSheet2, ControlKind::Edit, {7, 178, 483, 128}, "", nullptr, kFormFont,
     csMultiLine | csScrollV | csScrollH, 6},
    {kLabel7, kTabSheet2, ControlKind::Label, {4, 311, 475, 44},
     "NOTE: If you need to turn off the auto-capture feature, for example, when you want to copy and paste the "
     "items above over to your groups tab, just uncheck the option below to turn off auto Clipboard capture (turn "
     "it back on when done).", nullptr, kBoldFont, csNone, kNoTabStop},
    {kCheckCaptureClip2, kTabSheet2, ControlKind::CheckBox, {37, 357, 291, 17},
     "Capture all clipboard activity to \"Last Clipboard\" tab", nullptr, kFormFont, csNone, 8},

    // "Help": the text comes from the resources at start-up.
    {kMemo1, kTabSheetHelp, ControlKind::Edit, {2, 25, 493, 350}, "", nullptr, kFormFont,
     csMultiLine | csScrollV | csReadOnly, 0, Background(kYellow)},
};

inline constexpr FormLayout kMainWindowLayout = {
    "Varnel Pastimo", 519, 424, kNoColor,
    kMainWindowFonts, sizeof kMainWindowFonts / sizeof kMainWindowFonts[0],
    kMainWindowControls, sizeof kMainWindowControls / sizeof kMainWindowControls[0],
};
// clang-format on

}  // namespace pastimo
