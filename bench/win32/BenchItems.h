#pragma once
// The item texts the window benchmarks pick and type into.

#include <string>

// 32 KiB in lines of 58 letters (a different letter each line) and CR LF.
inline std::string AsciiItemText() {
    std::string text;
    while (text.size() < 32768) text += std::string(58, static_cast<char>('a' + text.size() / 60 % 26)) + "\r\n";
    text.resize(32768);
    return text;
}
constexpr int kAsciiItemUnits = 32768;

// 992 lines of 28 characters and CR LF in UTF-8: CJK, arrows, check marks and
// an emoji (a UTF-16 pair) in every eighth place, none of which the layout's
// face draws. 33 UTF-16 units a line, 32,736 in all: short enough for the
// recent entries to record whole.
inline std::string CjkItemText() {
    static const char* const pool[] = {"\xE6\x9D\xB1", "\xE4\xBA\xAC", "\xE2\x86\x92", "\xE2\x9C\x93",
                                       "\xE6\x97\xA5", "\xE6\x9C\xAC", "\xE8\xAA\x9E", "\xF0\x9F\x99\x82"};
    std::string text;
    for (int line = 0; line < 992; ++line) {
        for (int column = 0; column < 28; ++column) text += pool[column % 8];
        text += "\r\n";
    }
    return text;
}
constexpr int kCjkItemUnits = 32736;
