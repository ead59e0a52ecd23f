// The hotkey option in a real OPTION1.INI, and the Help page's lines.
#include "shell/HotkeyOption.h"
#include "shell/options/IniEncoding.h"
#include "shell/options/Options.h"
#include "tests/library/LibraryTestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace pastimo {
namespace {

using test::ReadRaw;
using test::WriteRaw;

class HotkeyOptionTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    const std::string path = OptionsFilePath(folder.Path());

    // Loads the option from `file` and checks that loading left it as it was.
    HotkeyOption LoadFrom(const std::string& file) {
        EXPECT_TRUE(WriteRaw(path, file));
        const HotkeyOption option = LoadHotkeyOption(folder.Path());
        EXPECT_EQ(ReadRaw(path), file);
        return option;
    }
};

TEST_F(HotkeyOptionTest, AbsentGivesTheDefaultAndWritesNothing) {
    const HotkeyOption noFile = LoadHotkeyOption(folder.Path());
    EXPECT_EQ(noFile.hotkey, DefaultHotkey());
    EXPECT_EQ(noFile.problem, "");
    EXPECT_FALSE(PlatformFileSystem().Exists(path));

    for (const char* file : {"[CLIP]\r\nAUTO=1\r\n", "[HOTKEY]\r\nOTHER=Ctrl+Q\r\n", "[HOTKEY]\r\nSHOW\r\n",
                             "SHOW=Ctrl+Q\r\n[CLIP]\r\nSHOW=Ctrl+Q\r\n"}) {
        SCOPED_TRACE(file);
        const HotkeyOption option = LoadFrom(file);
        EXPECT_EQ(option.hotkey, DefaultHotkey());
        EXPECT_EQ(option.problem, "");
    }
}

TEST_F(HotkeyOptionTest, EmptyValueTurnsTheHotkeyOff) {
    for (const char* file : {"[HOTKEY]\r\nSHOW=\r\n", "[hotkey]\nshow =  \t\n[CLIP]\nAUTO=0\n"}) {
        SCOPED_TRACE(file);
        const HotkeyOption option = LoadFrom(file);
        EXPECT_FALSE(option.hotkey);
        EXPECT_EQ(option.problem, "");
    }
}

TEST_F(HotkeyOptionTest, WrittenValueIsReadOrExplained) {
    const HotkeyOption read = LoadFrom("[CLIP]\r\nAUTO=1\r\n[Hotkey]\r\nShow = alt+SHIFT+f7\r\n");
    ASSERT_TRUE(read.hotkey);
    EXPECT_EQ(FormatHotkey(*read.hotkey), "Alt+Shift+F7");
    EXPECT_EQ(read.problem, "");

    const HotkeyOption unreadable = LoadFrom("[HOTKEY]\r\nSHOW=Ctrl+Shfit+F11\r\n");
    EXPECT_FALSE(unreadable.hotkey);
    EXPECT_EQ(unreadable.problem,
              "The hotkey \"Ctrl+Shfit+F11\" could not be read: \"Shfit\" is not the name of a modifier or a key.");
}

TEST_F(HotkeyOptionTest, ANulEndsTheValueAndNeverReachesTheHelpLine) {
    const HotkeyOption cut = LoadFrom(std::string("[HOTKEY]\r\nSHOW=Ctrl+Shift+F11\0garbage\r\n", 39));
    ASSERT_TRUE(cut.hotkey) << cut.problem;
    EXPECT_EQ(FormatHotkey(*cut.hotkey), "Ctrl+Shift+F11");
    EXPECT_EQ(cut.problem, "");

    const HotkeyOption damaged = LoadFrom(std::string("[HOTKEY]\r\nSHOW=Ctrl+Shfit\0+F11\r\n", 32));
    EXPECT_FALSE(damaged.hotkey);
    EXPECT_EQ(damaged.problem,
              "The hotkey \"Ctrl+Shfit\" could not be read: \"Shfit\" is not the name of a modifier or a key.");
    EXPECT_EQ(damaged.problem.find('\0'), std::string::npos);
}

TEST_F(HotkeyOptionTest, ACharacterKeyIsReadInEveryEncodingAnEditorSaves) {
    if (!test::AnsiCodePageIs1252()) GTEST_SKIP() << "spells out Windows-1252 bytes";
    Hotkey expected;
    expected.modifiers = hmCtrl | hmAlt;
    expected.character = u'\u00FC';
    // ANSI, UTF-8 without and with the mark, Notepad's "Unicode".
    const std::string utf8 = "[HOTKEY]\r\nSHOW=Ctrl+Alt+\xC3\xBC\r\n";
    for (const std::string& file : {std::string("[HOTKEY]\r\nSHOW=Ctrl+Alt+\xFC\r\n"), utf8,
                                    EncodeIniFile({ieUtf8, utf8}), EncodeIniFile({ieUtf16Le, utf8})}) {
        SCOPED_TRACE(file);
        const HotkeyOption option = LoadFrom(file);
        EXPECT_EQ(option.hotkey, expected) << option.problem;
        EXPECT_EQ(option.problem, "");
    }
}

TEST(HotkeyLines, SayWhichHotkeyCouldNotBeUsedAndWhy) {
    const Hotkey hotkey = *ParseHotkey("shift+ctrl+f11").hotkey;
    EXPECT_EQ(HotkeyUnusableLine(hotkey, HotkeyRefusalReason(1409)),
              "The hotkey Ctrl+Shift+F11 could not be used: another program holds it.");
    EXPECT_EQ(HotkeyUnusableLine(hotkey, HotkeyRefusalReason(87)),
              "The hotkey Ctrl+Shift+F11 could not be used: Windows refused it (error 87).");
}

}  // namespace
}  // namespace pastimo
