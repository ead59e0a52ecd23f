#include "library/FileNames.h"

#include <gtest/gtest.h>

namespace pastimo {
namespace {

TEST(FileNames, OrdinaryNamesPass) {
    for (const char* name : {"", "Work", "my snippets", " leading", "x(1) - y_z 'q', r; s & t! #5 %",
                             "UPPER lower", "\xC4rger \xFC\xDF", "a.b", ".hidden", "NULL", "CONSOLE", "COM10",
                             "LPT", "Auxiliary", "xCON", "con-x", "[brackets]{}", "~tilde", "a=b+c", "$"}) {
        EXPECT_TRUE(IsSafeGroupName(name)) << name;
        EXPECT_TRUE(IsSafeItemName(name)) << name;
    }
}

TEST(FileNames, NamesThatLeaveTheirFolderOrReachAStreamAreRefused) {
    for (const char* name : {".", "..", "a\\b", "a/b", "..\\x", "../x", "\\x", "/x", "c:x", "a:stream", "file::$DATA",
                             "a<b", "a>b", "a\"b", "a|b", "a?b", "a*b", "tab\there", "bell\x07", "\x1F", "del\x7F"}) {
        EXPECT_FALSE(IsSafeGroupName(name)) << name;
        EXPECT_FALSE(IsSafeItemName(name)) << name;
    }
}

TEST(FileNames, DeviceNamesAreRefusedInAnyCaseAndWithExtensions) {
    for (const char* name : {"CON", "con", "Prn", "AUX", "nul", "COM1", "com9", "LPT1", "lpt9", "COM0", "NUL.txt",
                             "nul.tar.gz", "Con ", "NUL  .txt", "CONIN$", "conout$", "COM\xB9", "LPT\xB2"}) {
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

}  // namespace
}  // namespace pastimo
