#pragma once
// What start-up does on this launch, decided from the files beside the
// program before the window acts on any of it: the launch count, whether the
// first-run box shows, both options, both hotkeys and whether the window
// comes up, on which page. Counting the launch is the only file it writes.
// Portable: no Windows headers; FormCreate applies the plan in its order.

#include "library/FileSystem.h"
#include "shell/HotkeyOption.h"

#include <string>

namespace pastimo {

// The main window's pages, in the order of their tabs.
enum MainPage : int { kMyGroupsPage = 0, kRecentPage = 1, kHelpPage = 2 };

// The box shows on the first two launches and whenever the counter could not
// be read (a count of 0).
constexpr int kFirstRunBoxLaunches = 2;

struct StartUpPlan {
    int runCount = 0;                    // this launch's number; 0 when the counter cannot be read
    bool showFirstRunBox = false;        // the first-run message, before anything else is seen
    bool captureEnabled = true;          // [CLIP] AUTO
    bool autoMinimizeEnabled = false;    // [MINIM] AUTO
    HotkeyOption showHotkey;             // [HOTKEY] SHOW: brings the window up
    HotkeyOption pickHotkey;             // [HOTKEY] PICK: opens the quick-pick window
    bool showWindow = false;             // the window comes up (the first launch only) ...
    MainPage shownPage = kMyGroupsPage;  // ... on this page; otherwise it starts hidden on "My Groups"
};

// Counts this launch in the counter file (a count that cannot be stored
// still stands for this run) and reads the options file of `programFolder`.
// Never throws for a file that is missing, unreadable or malformed: each
// such value takes its default.
StartUpPlan PlanStartUp(const std::string& programFolder, FileSystem& fileSystem = PlatformFileSystem());

}  // namespace pastimo
