#pragma once
// The stored layout of the About box: a bevelled panel that fills the box,
// the OK button and the product's text. Places and sizes are pixels at 96
// DPI, relative to the panel.

#include "toolkit/Layout.h"

namespace pastimo {

enum AboutBoxControl : int {
    kPanel1 = 100,
    kButtonAboutOK,
    kAboutMemo1,
};

inline constexpr uint32_t kAboutGrey = Rgb(160, 160, 160);
inline constexpr uint32_t kAboutYellow = Rgb(255, 255, 0);

// A fixed 16-pixel line, whatever the screen's resolution: the memo's 220
// pixels hold its twelve lines only at that line height (a 16-pixel
// character height would clip the last one).
inline constexpr LayoutFont kAboutBoxFonts[] = {
    {"System", 16, false},
};

// The maker's details are example data: the street, the numbers (555-01xx is
// reserved for fiction) and the example.com addresses lead nowhere.
inline constexpr const char* kAboutText = "Pastimo v2.0\r\n"
                                          "Varnel Software\r\n"
                                          "\r\n"
                                          "1428 Example Crescent\r\n"
                                          "Suite 200\r\n"
                                          "Anytown, ST 00000\r\n"
                                          "\r\n"
                                          "Telephone: 555-0142\r\n"
                                          "Fax: 555-0143\r\n"
                                          "\r\n"
                                          "E-mail: pastimo@example.com\r\n"
                                          "Web: www.example.com";

// clang-format off
inline constexpr ControlLayout kAboutBoxControls[] = {
    {kPanel1, 0, ControlKind::Panel, {0, 0, 383, 304}, "", nullptr, 0, csNone, 0, Bevelled(kAboutGrey, 3, 2)},
    // The button comes first in the tab order, so it has the focus when the box opens.
    {kButtonAboutOK, kPanel1, ControlKind::Button, {130, 260, 101, 28}, "&OK", nullptr, 0, csDefault, 0},
    {kAboutMemo1, kPanel1, ControlKind::Edit, {14, 13, 351, 220}, kAboutText, nullptr, 0, csMultiLine, 1,
     Background(kAboutYellow)},
};

inline constexpr FormLayout kAboutBoxLayout = {
    "About", 383, 304, kAboutGrey,
    kAboutBoxFonts, sizeof kAboutBoxFonts / sizeof kAboutBoxFonts[0],
    kAboutBoxControls, sizeof kAboutBoxControls / sizeof kAboutBoxControls[0],
};
// clang-format on

}  // namespace pastimo
