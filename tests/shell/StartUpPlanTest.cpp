// Start-up's decisions on the files a user's folder really holds.

#include "shell/LaunchCounter.h"
#include "shell/StartUpPlan.h"
#include "shell/options/Options.h"
#include "tests/library/LibraryTestFiles.h"

#include <gtest/gtest.h>

namespace pastimo {
namespace {

std::string Keys(const HotkeyOption& option) { return option.hotkey ? FormatHotkey(*option.hotkey) : "off"; }

class StartUpPlanTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    const std::string counter = folder.Path() + kLaunchCounterFileName;
};

// The first launch shows the box and the window on Help, the second the box
// alone, later ones nothing; a fresh folder runs on the defaults and start-up
// writes no options file of its own accord.
TEST_F(StartUpPlanTest, AFreshFolderThroughItsFirstThreeLaunches) {
    struct Launch {
        bool box, window;
        MainPage page;
    } expected[] = {{true, true, kHelpPage}, {true, false, kMyGroupsPage}, {false, false, kMyGroupsPage}};
    for (int n = 0; n < 3; ++n) {
        SCOPED_TRACE(n + 1);
        const StartUpPlan plan = PlanStartUp(folder.Path());
        EXPECT_EQ(plan.runCount, n + 1);
        EXPECT_EQ(plan.showFirstRunBox, expected[n].box);
        EXPECT_EQ(plan.showWindow, expected[n].window);
        EXPECT_EQ(plan.shownPage, expected[n].page);
        EXPECT_TRUE(plan.captureEnabled);
        EXPECT_FALSE(plan.autoMinimizeEnabled);
        EXPECT_EQ(Keys(plan.showHotkey), FormatHotkey(DefaultHotkey()));
        EXPECT_EQ(Keys(plan.pickHotkey), FormatHotkey(DefaultPickHotkey()));
    }
    EXPECT_FALSE(test::ExistsRaw(OptionsFilePath(folder.Path())));
}

// A counter another program holds counts 0: the box shows (the user is told
// where the program went) but the window stays hidden, and the file keeps its count.
TEST_F(StartUpPlanTest, ACounterThatCannotBeReadShowsTheBoxButNotTheWindow) {
    ASSERT_TRUE(test::WriteRaw(counter, "7\r\n"));
    test::ExclusiveHold hold(counter);
    const StartUpPlan plan = PlanStartUp(folder.Path());
    EXPECT_EQ(plan.runCount, 0);
    EXPECT_TRUE(plan.showFirstRunBox);
    EXPECT_FALSE(plan.showWindow);
    EXPECT_EQ(plan.shownPage, kMyGroupsPage);
}

TEST_F(StartUpPlanTest, EveryOptionComesFromTheFile) {
    ASSERT_TRUE(test::WriteRaw(counter, "9\r\n"));
    ASSERT_TRUE(
        test::WriteRaw(OptionsFilePath(folder.Path()),
                       "[CLIP]\r\nAUTO=0\r\n[MINIM]\r\nAUTO=1\r\n[HOTKEY]\r\nSHOW=\r\nPICK=Ctrl+Shift+F12\r\n"));
    const StartUpPlan plan = PlanStartUp(folder.Path());
    EXPECT_EQ(plan.runCount, 10);
    EXPECT_FALSE(plan.captureEnabled);
    EXPECT_TRUE(plan.autoMinimizeEnabled);
    EXPECT_EQ(Keys(plan.showHotkey), "off");
    EXPECT_TRUE(plan.showHotkey.problem.empty());
    EXPECT_EQ(Keys(plan.pickHotkey), "Ctrl+Shift+F12");
}

}  // namespace
}  // namespace pastimo
