#include "shell/StartUpPlan.h"

#include "shell/LaunchCounter.h"
#include "shell/options/Options.h"
#include "toolkit/Errors.h"

#include <exception>

namespace pastimo {

StartUpPlan PlanStartUp(const std::string& programFolder, FileSystem& fileSystem) {
    StartUpPlan plan;
    try {
        CountLaunch(fileSystem, programFolder + kLaunchCounterFileName, plan.runCount);
    } catch (const std::exception&) {
        IgnoreFailure("an unreadable launch counter counts 0 for this run; a failed store keeps the count made");
    }
    plan.showFirstRunBox = plan.runCount <= kFirstRunBoxLaunches;
    plan.captureEnabled = LoadOption(programFolder, kCaptureOption, fileSystem);
    plan.autoMinimizeEnabled = LoadOption(programFolder, kAutoMinimizeOption, fileSystem);
    plan.showHotkey = LoadHotkeyOption(programFolder, fileSystem, kShowHotkeyKey);
    plan.pickHotkey = LoadHotkeyOption(programFolder, fileSystem, kPickHotkeyKey);
    plan.showWindow = plan.runCount == 1;
    plan.shownPage = plan.showWindow ? kHelpPage : kMyGroupsPage;
    return plan;
}

}  // namespace pastimo
