#pragma once
// The stored layout of the quick-pick window: the field the user types into,
// labelled, and below it the list of every item and recent entry, labelled.
// Places and sizes are pixels at 96 DPI. Each label comes just before its
// control, so that it names the control for accessibility tools.

#include "toolkit/Layout.h"

namespace pastimo {

enum QuickPickControl : int {
    kLabelFind = 300,
    kEditFind,
    kLabelPickList,
    kListPick,
    kEditPickText,
};

inline constexpr LayoutFont kQuickPickFonts[] = {
    {"MS Sans Serif", -11, false},
};

// clang-format off
inline constexpr ControlLayout kQuickPickControls[] = {
    {kLabelFind, 0, ControlKind::Label, {8, 11, 36, 13}, "&Find:", nullptr, 0, csAccessKey, 0},
    {kEditFind, 0, ControlKind::Edit, {46, 8, 386, 21}, "", nullptr, 0, csNone, 1},
    {kLabelPickList, 0, ControlKind::Label, {8, 37, 300, 13}, "&Items and recent clipboard entries:", nullptr, 0,
     csAccessKey, 2},
    {kListPick, 0, ControlKind::ListView, {8, 53, 424, 259}, "", nullptr, 0, csNone, 3},
    // Never shown: the picked text goes through it onto the clipboard, the
    // same way a pick on "My Groups" puts it there.
    {kEditPickText, 0, ControlKind::Edit, {8, 8, 20, 20}, "", nullptr, 0, csMultiLine | csHidden, kNoTabStop},
};

// The list's columns, widths at 96 DPI: the item (or the recent entry's
// first line) and its group.
inline constexpr struct {
    const char* caption;  // not owned: static text
    int width;
} kQuickPickColumns[] = {
    {"Item", 250},
    {"Group", 150},
};

// Shown for a recent entry in the group column.
inline constexpr const char* kRecentEntryMark = "(recent clipboard entry)";

inline constexpr FormLayout kQuickPickLayout = {
    "Pastimo Quick Pick", 440, 320, kNoColor,
    kQuickPickFonts, sizeof kQuickPickFonts / sizeof kQuickPickFonts[0],
    kQuickPickControls, sizeof kQuickPickControls / sizeof kQuickPickControls[0],
};
// clang-format on

}  // namespace pastimo
