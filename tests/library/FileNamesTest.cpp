#include "library/FileNames.h"

#include <gtest/gtest.h>

namespace pastimo {
namespace {

TEST(FileNames, OrdinaryNamesPass) {
    for (const char* name : {"",
                             "Work",
                             "my snippets",
                             " leading",
                             "x(1) - y_z 'q', r; s & t! #5 %",
                             "UPPER lower",
                             "\xC3\x84rger \xC3\xBC\xC3\x9F",
                             "a.b",
                             ".hidden",
                             "NULL",
                             "CONSOLE",
                             "COM10",
                             "LPT",
                             "Auxiliary",
                             "xCON",
                             "con-x",
                             "[brackets]{}",
                             "~tilde",
                             "a=b+c",
                             "$"}) {
        EXPECT_TRUE(IsSafeGroupName(name)) << name;
        EXPECT_TRUE(IsSafeItemName(name)) << name;
    }
}

TEST(FileNames, NamesThatLeaveTheirFolderOrReachAStreamAreRefused) {
    for (const char* name :
         {".",   "..",  "a\\b", "a/b", "..\\x", "../x", "\\x",       "/x",       "c:x",  "a:stream", "file::$DATA",
          "a<b", "a>b", "a\"b", "a|b", "a?b",   "a*b",  "tab\there", "bell\x07", "\x1F", "del\x7F"}) {
        EXPECT_FALSE(IsSafeGroupName(name)) << name;
        EXPECT_FALSE(IsSafeItemName(name)) << name;
    }
}

TEST(FileNames, DeviceNamesAreRefusedInAnyCaseAndWithExtensions) {
    for (const char* name :
         {"CON", "con", "Prn", "AUX", "nul", "COM1", "com9", "LPT1", "lpt9", "COM0", "NUL.txt", "nul.tar.gz", "Con ",
          "NUL  .txt", "CONIN$", "conout$", "COM\xC2\xB9", "LPT\xC2\xB2", "lpt\xC2\xB3.txt"}) {
        EXPECT_FALSE(IsSafeGroupName(name)) << name;
        EXPECT_FALSE(IsSafeItemName(name)) << name;
    }
}

TEST(FileNames, AnyCharacterOutsideTheRefusedOnesPasses) {
    for (const char* name :
         {"Kaffee \xE2\x98\x95", "\xE6\x9D\xB1\xE4\xBA\xAC", "a \xE2\x86\x92 b", "\xF0\x9F\x99\x82", "1 \xE2\x88\x9E",
          "Wroc\xC5\x82\x61w", "COM\xC2\xB9\xC2\xB2", "COM\xE2\x81\xB4", "\xC2\xB9"}) {
        EXPECT_TRUE(IsSafeGroupName(name)) << name;
        EXPECT_TRUE(IsSafeItemName(name)) << name;
    }
}

// Text inside the program is valid UTF-8; malformed bytes name no file.
TEST(FileNames, MalformedUtf8IsRefused) {
    for (const char* name : {"\xC4rger", "cut \xE2\x98", "\xED\xA0\x80", "\xC0\xAF", "\xFF"}) {
        EXPECT_FALSE(IsSafeGroupName(name)) << name;
        EXPECT_FALSE(IsSafeItemName(name)) << name;
    }
}

// Windows drops a folder name's trailing dots and spaces; an item's file name
// ends in ".itm", so only groups are affected.
TEST(FileNames, GroupNamesMustNotEndInDotOrSpace) {
    for (const char* name : {"abc.", "abc ", "abc. ", "...", " "}) {
        EXPECT_FALSE(IsSafeGroupName(name)) << name;
    }
    for (const char* name : {"abc.", "abc ", "abc. ", "...", " "}) {
        EXPECT_TRUE(IsSafeItemName(name)) << name;
    }
}

// MAX_PATH counts UTF-16 units with the closing NUL.
TEST(FileNames, PathsFitWindowsWithinMaxPath) {
    EXPECT_TRUE(FitsPathLimit(std::string(259, 'p')));
    EXPECT_FALSE(FitsPathLimit(std::string(260, 'p')));
    EXPECT_TRUE(FitsPathLimit(std::string(257, 'p') + "\xC3\xA9"));           // é: one unit, two bytes
    EXPECT_FALSE(FitsPathLimit(std::string(258, 'p') + "\xF0\x9F\x99\x82"));  // 🙂: two units
    EXPECT_TRUE(FitsTemporaryFolderLimit(std::string(246, 'f')));
    EXPECT_FALSE(FitsTemporaryFolderLimit(std::string(247, 'f')));
}

TEST(FileNames, TemporaryFilesAreTheOnesASafeWriteMakes) {
    for (const char* name : {"~pm1A2B.tmp", "~pm12345-6.tmp", "~PM7F.TMP", "~pm.tmp"})
        EXPECT_TRUE(IsTemporaryFileName(name)) << name;
    for (const char* name :
         {"", "~pm", ".tmp", "~pmtmp", "pm1.tmp", "x~pm1.tmp", "~pm1.tmp.itm", "~pm1.dat", "notes.tmp"})
        EXPECT_FALSE(IsTemporaryFileName(name)) << name;
}

}  // namespace
}  // namespace pastimo
