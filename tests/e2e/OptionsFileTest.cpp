// OPTION1.INI as users leave it: saved by Notepad in each of its encodings,
// held open by another program while the program starts, a value in quotes,
// a hotkey value that an ANSI editor saved or a fault damaged.

#include "tests/e2e/Fixture.h"

#include <windows.h>

#include <string>

namespace e2e {
namespace {

constexpr const char* kOptions = "OPTION1.INI";

// The two option boxes: "Capture all clipboard activity" and "Auto-minimize".
bool CaptureChecked(Program& program) {
    return SendMessageA(program.Control("Button", 291, 17), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
bool AutoMinimizeChecked(Program& program) {
    return SendMessageA(program.Control("Button", 149, 17), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

constexpr const char* kUtf8Mark = "\xEF\xBB\xBF";

// Notepad's "Unicode": the mark FF FE, then UTF-16 little-endian.
std::string NotepadUnicode(const std::string& utf8) {
    const std::wstring text = Wide(utf8);
    std::string bytes = "\xFF\xFE";
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    return bytes;
}

std::string HelpText(Program& program) { return Program::Text(program.Control("Edit", 493, 350)); }

// Another program that has the file open, reading and writing, as an editor
// or a sync client keeps it.
class Holder {
public:
    explicit Holder(const std::string& path)
        : FHandle(CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr)) {
        if (FHandle == INVALID_HANDLE_VALUE) ADD_FAILURE() << "cannot hold " << path << ": " << GetLastError();
    }
    ~Holder() {
        if (FHandle != INVALID_HANDLE_VALUE) CloseHandle(FHandle);
    }
    Holder(const Holder&) = delete;
    Holder& operator=(const Holder&) = delete;

private:
    HANDLE FHandle;
};

TEST_F(ProgramTest, NotepadsUtf8WithItsMarkHasItsFirstSectionObeyedAndKeepsTheMark) {
    WriteFileBytes(FFolder.File(kOptions), std::string(kUtf8Mark) + "[CLIP]\r\nAUTO=0\r\n");
    Program& program = StartHidden();
    EXPECT_FALSE(CaptureChecked(program)) << "[CLIP] on the first line is read";
    EXPECT_EQ(ReadFileBytes(FFolder.File(kOptions)), std::string(kUtf8Mark) + "[CLIP]\r\nAUTO=0\r\n")
        << "nothing written at start, no second [CLIP]";
    program.Click(program.Control("Button", 149, 17));  // auto-minimize on
    EXPECT_EQ(ReadFileBytes(FFolder.File(kOptions)),
              std::string(kUtf8Mark) + "[CLIP]\r\nAUTO=0\r\n[MINIM]\r\nAUTO=1\r\n");
}

TEST_F(ProgramTest, NotepadsUnicodeIsObeyedAndWrittenInUnicode) {
    WriteFileBytes(FFolder.File(kOptions), NotepadUnicode("[CLIP]\r\nAUTO=0\r\n[MINIM]\r\nAUTO=1\r\n"));
    Program& program = StartHidden();
    EXPECT_FALSE(CaptureChecked(program));
    EXPECT_TRUE(AutoMinimizeChecked(program));
    EXPECT_EQ(ReadFileBytes(FFolder.File(kOptions)), NotepadUnicode("[CLIP]\r\nAUTO=0\r\n[MINIM]\r\nAUTO=1\r\n"));
    program.Click(program.Control("Button", 291, 17));  // capture on
    EXPECT_EQ(ReadFileBytes(FFolder.File(kOptions)), NotepadUnicode("[CLIP]\r\nAUTO=1\r\n[MINIM]\r\nAUTO=1\r\n"));
}

TEST_F(ProgramTest, OptionsThatAnotherProgramHoldsOpenAtStartUpAreObeyed) {
    const std::string options = "[CLIP]\r\nAUTO=0\r\n[MINIM]\r\nAUTO=1\r\n";
    WriteFileBytes(FFolder.File(kOptions), options);
    {
        Holder syncClient(FFolder.File(kOptions));
        Program& program = StartHidden();
        EXPECT_FALSE(CaptureChecked(program)) << "the user's capture setting, not the default";
        EXPECT_TRUE(AutoMinimizeChecked(program)) << "the user's auto-minimize setting, not the default";
    }
    EXPECT_EQ(ReadFileBytes(FFolder.File(kOptions)), options);
}

TEST_F(ProgramTest, AHotkeyInQuotesIsTheKeysInsideThem) {
    WriteFileBytes(FFolder.File(kOptions), "[HOTKEY]\r\nSHOW=\"Ctrl+Shift+F11\"\r\n");
    Program& program = StartHidden();
    EXPECT_EQ(HelpText(program).rfind("Welcome to Pastimo.", 0), 0u) << HelpText(program).substr(0, 120);
    // The program holds the keys, so no other program can have them.
    const BOOL free = RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_SHIFT, VK_F11);
    const DWORD error = GetLastError();
    if (free) UnregisterHotKey(nullptr, 1);
    EXPECT_FALSE(free);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_HOTKEY_ALREADY_REGISTERED));
}

TEST_F(ProgramTest, ADamagedHotkeyValueKeepsTheWholeHelpText) {
    const char options[] = "[HOTKEY]\r\nSHOW=Ctrl+Shfit\0+F11\r\n";
    WriteFileBytes(FFolder.File(kOptions), std::string(options, sizeof options - 1));
    Program& program = StartHidden();
    const std::string help = HelpText(program);
    EXPECT_EQ(help.rfind("The hotkey \"Ctrl+Shfit\" could not be read: \"Shfit\" is not the name of a modifier or a "
                         "key.\r\n\r\nWelcome to Pastimo.",
                         0),
              0u)
        << help.substr(0, 160);
    EXPECT_NE(help.find("Commonly asked questions:"), std::string::npos) << "the Help text goes on to its end";
}

TEST_F(ProgramTest, AHotkeyCharacterAnAnsiEditorSavedIsRead) {
    // "ü" in the system's ANSI code page, as Notepad's "ANSI" saves it.
    char u[4] = {};
    BOOL lossy = FALSE;
    if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, L"\u00FC", 1, u, sizeof u, nullptr, &lossy) != 1 || lossy)
        GTEST_SKIP() << "the ANSI code page has no one-byte \"\u00FC\"";
    WriteFileBytes(FFolder.File(kOptions), std::string("[HOTKEY]\r\nSHOW=Ctrl+Alt+") + u + "\r\n");
    Program& program = StartHidden();
    // Read as Ctrl+Alt+ü: registered, or named as a hotkey this keyboard
    // layout has no key for, never as an unreadable value.
    const std::string help = HelpText(program);
    const bool registered = help.rfind("Welcome to Pastimo.", 0) == 0;
    const bool named = help.rfind("The hotkey Ctrl+Alt+\xC3\xBC could not be used: ", 0) == 0;
    EXPECT_TRUE(registered || named) << help.substr(0, 160);
}

}  // namespace
}  // namespace e2e
