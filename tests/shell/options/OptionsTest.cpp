// The options file on disk: one complete access per read or write.
#include "shell/options/IniEncoding.h"
#include "shell/options/IniFile.h"
#include "shell/options/Options.h"
#include "tests/library/LibraryTestFiles.h"
#include "toolkit/Errors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace pastimo {
namespace {

namespace fs = std::filesystem;

unsigned ProcessId() {
#ifdef _WIN32
    return static_cast<unsigned>(GetCurrentProcessId());
#else
    return static_cast<unsigned>(::getpid());
#endif
}

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        FFolder = fs::temp_directory_path() / ("pastimo-options-" + std::to_string(ProcessId()) + "-" + info->name());
        fs::remove_all(FFolder);
        fs::create_directories(FFolder);
        // ProgramFolder ends in a separator.
        FProgramFolder = (FFolder / "").string();
    }
    void TearDown() override { fs::remove_all(FFolder); }

    std::string Path() const { return OptionsFilePath(FProgramFolder); }

    void Put(const std::string& bytes) const {
        std::ofstream out(Path(), std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    std::string Get() const {
        std::ifstream in(Path(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    size_t FilesInFolder() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(FFolder), fs::directory_iterator()));
    }

    fs::path FFolder;
    std::string FProgramFolder;
};

TEST_F(IniFileTest, MissingFileGivesTheDefaults) {
    EXPECT_TRUE(LoadOption(FProgramFolder, kCaptureOption));
    EXPECT_FALSE(LoadOption(FProgramFolder, kAutoMinimizeOption));
    EXPECT_EQ(FilesInFolder(), 0u);
    // So does a missing folder.
    EXPECT_TRUE(LoadOption((FFolder / "absent" / "").string(), kCaptureOption));
}

TEST_F(IniFileTest, FirstWriteCreatesTheFile) {
    StoreOption(FProgramFolder, kCaptureOption, true);
    EXPECT_EQ(Get(), "[CLIP]\r\nAUTO=1\r\n");
    EXPECT_EQ(fs::path(Path()).filename().string(), "OPTION1.INI");
    EXPECT_EQ(FilesInFolder(), 1u);  // no temporary file left behind
}

TEST_F(IniFileTest, ReadsWhatWasWritten) {
    StoreOption(FProgramFolder, kCaptureOption, false);
    StoreOption(FProgramFolder, kAutoMinimizeOption, true);
    EXPECT_EQ(Get(), "[CLIP]\r\nAUTO=0\r\n[MINIM]\r\nAUTO=1\r\n");
    EXPECT_FALSE(LoadOption(FProgramFolder, kCaptureOption));
    EXPECT_TRUE(LoadOption(FProgramFolder, kAutoMinimizeOption));
}

TEST_F(IniFileTest, LowerCaseNamesAreFoundAndKept) {
    Put("[clip]\nauto = 0\n[minim]\nauto=$1F\n");
    EXPECT_FALSE(LoadOption(FProgramFolder, kCaptureOption));
    EXPECT_TRUE(LoadOption(FProgramFolder, kAutoMinimizeOption));
    StoreOption(FProgramFolder, kCaptureOption, true);
    EXPECT_EQ(Get(), "[clip]\nauto=1\n[minim]\nauto=$1F\n");
}

TEST_F(IniFileTest, ValuesThatAreNotNumbersGiveTheDefaults) {
    for (const char* value : {"yes", "on", "true", "1x"}) {
        SCOPED_TRACE(value);
        Put(std::string("[CLIP]\r\nAUTO=") + value + "\r\n[MINIM]\r\nAUTO=" + value + "\r\n");
        EXPECT_TRUE(LoadOption(FProgramFolder, kCaptureOption));
        EXPECT_FALSE(LoadOption(FProgramFolder, kAutoMinimizeOption));
    }
}

TEST_F(IniFileTest, WriteChangesOneLineAndKeepsTheRest) {
    const std::string before =
        "; kept as it is\r\n[Window]\r\nLeft=10\r\n\r\n[CLIP]\r\nAUTO=1\r\nOther = x\r\n\r\n[Tail]\r\nA=b";
    Put(before);
    StoreOption(FProgramFolder, kCaptureOption, false);
    std::string expected = before;
    expected.replace(expected.find("AUTO=1"), 6, "AUTO=0");
    EXPECT_EQ(Get(), expected);

    StoreOption(FProgramFolder, kAutoMinimizeOption, true);
    EXPECT_EQ(Get(), expected + "\r\n[MINIM]\r\nAUTO=1\r\n");
}

TEST_F(IniFileTest, TickingSeveralTimesLeavesOneLine) {
    for (bool value : {true, false, true, true, false}) StoreOption(FProgramFolder, kAutoMinimizeOption, value);
    EXPECT_EQ(Get(), "[MINIM]\r\nAUTO=0\r\n");
    EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(IniFileTest, FailedWriteIsReportedAndLeavesTheOldFile) {
    try {
        StoreOption((FFolder / "absent" / "").string(), kCaptureOption, false);
        ADD_FAILURE() << "a write into a missing folder succeeded";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file " + (FFolder / "absent" / "OPTION1.INI").string());
    }
#ifdef _WIN32
    // Windows refuses to replace a read-only file.
    Put("[CLIP]\r\nAUTO=1\r\n[Keep]\r\nX=1\r\n");
    ASSERT_TRUE(SetFileAttributesA(Path().c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_THROW(StoreOption(FProgramFolder, kCaptureOption, false), EFCreateError);
    SetFileAttributesA(Path().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Get(), "[CLIP]\r\nAUTO=1\r\n[Keep]\r\nX=1\r\n");
    EXPECT_EQ(FilesInFolder(), 1u);
#endif
}

TEST_F(IniFileTest, FileHeldByAnotherProgramIsNotOverwritten) {
    Put("[CLIP]\r\nAUTO=0\r\n[Keep]\r\nX=1\r\n");
#ifdef _WIN32
    HANDLE held = CreateFileA(Path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
#else
    const int held = ::open(Path().c_str(), O_RDONLY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
#endif
    // Unreadable reads as the default; a write refuses rather than replacing
    // the other lines with nothing.
    EXPECT_TRUE(LoadOption(FProgramFolder, kCaptureOption));
    EXPECT_THROW(StoreOption(FProgramFolder, kCaptureOption, true), EFOpenError);
#ifdef _WIN32
    CloseHandle(held);
#else
    ::close(held);
#endif
    EXPECT_EQ(Get(), "[CLIP]\r\nAUTO=0\r\n[Keep]\r\nX=1\r\n");
    EXPECT_FALSE(LoadOption(FProgramFolder, kCaptureOption));
}

// Notepad's "UTF-8" of old and "UTF-8 with BOM": the mark, then UTF-8.
TEST_F(IniFileTest, Utf8MarkHidesNoSectionAndStaysWhenWritten) {
    const std::string mark = "\xEF\xBB\xBF";
    Put(mark + "[CLIP]\r\nAUTO=0\r\n");
    EXPECT_FALSE(LoadOption(FProgramFolder, kCaptureOption));
    StoreOption(FProgramFolder, kCaptureOption, false);
    EXPECT_EQ(Get(), mark + "[CLIP]\r\nAUTO=0\r\n") << "no second [CLIP]";
    StoreOption(FProgramFolder, kCaptureOption, true);
    StoreOption(FProgramFolder, kAutoMinimizeOption, true);
    EXPECT_EQ(Get(), mark + "[CLIP]\r\nAUTO=1\r\n[MINIM]\r\nAUTO=1\r\n");
    EXPECT_TRUE(LoadOption(FProgramFolder, kAutoMinimizeOption));
}

// Notepad's "Unicode" (UTF-16 little-endian) and "Unicode big endian"; their
// bytes are spelled out in IniEncodingTest.
TEST_F(IniFileTest, Utf16FileIsReadAndWrittenInUtf16) {
    for (const TIniEncoding encoding : {ieUtf16Le, ieUtf16Be}) {
        SCOPED_TRACE(encoding);
        Put(EncodeIniFile({encoding, "; caf\xC3\xA9\r\n[minim]\r\nauto=1\r\n[CLIP]\r\nAUTO=0\r\n"}));
        EXPECT_FALSE(LoadOption(FProgramFolder, kCaptureOption));
        EXPECT_TRUE(LoadOption(FProgramFolder, kAutoMinimizeOption));
        StoreOption(FProgramFolder, kAutoMinimizeOption, false);
        IniFile(Path()).WriteString("HOTKEY", "SHOW", "Ctrl+\xC3\xBC");
        EXPECT_EQ(Get(), EncodeIniFile({encoding, "; caf\xC3\xA9\r\n[minim]\r\nauto=0\r\n[CLIP]\r\nAUTO=0\r\n"
                                                  "[HOTKEY]\r\nSHOW=Ctrl+\xC3\xBC\r\n"}));
        EXPECT_EQ(IniFile(Path()).ReadString("hotkey", "show"), "Ctrl+\xC3\xBC");
    }
    // A file of the mark alone gets its first value in UTF-16 too.
    Put("\xFF\xFE");
    StoreOption(FProgramFolder, kCaptureOption, true);
    EXPECT_EQ(Get(), std::string("\xFF\xFE[\0C\0L\0I\0P\0]\0\r\0\n\0A\0U\0T\0O\0=\0"
                                 "1\0\r\0\n\0",
                                 34));
}

TEST_F(IniFileTest, AnsiFileKeepsItsBytesAndReadsTheCodePage) {
    if (!test::AnsiCodePageIs1252()) GTEST_SKIP() << "spells out Windows-1252 bytes";
    const std::string before = "; Gr\xFC\xDF"
                               "e\r\n[HOTKEY]\r\nSHOW=Ctrl+Alt+\xFC\r\n";
    Put(before);
    IniFile ini(Path());
    EXPECT_EQ(ini.ReadString("HOTKEY", "SHOW"), "Ctrl+Alt+\xC3\xBC");
    StoreOption(FProgramFolder, kCaptureOption, true);
    EXPECT_EQ(Get(), before + "[CLIP]\r\nAUTO=1\r\n") << "still ANSI, every other byte as it was";
    ini.WriteString("HOTKEY", "SHOW", "Ctrl+\xC3\xA4");
    EXPECT_EQ(Get(), "; Gr\xFC\xDF"
                     "e\r\n[HOTKEY]\r\nSHOW=Ctrl+\xE4\r\n[CLIP]\r\nAUTO=1\r\n");
    EXPECT_EQ(ini.ReadString("hotkey", "show"), "Ctrl+\xC3\xA4");
}

TEST_F(IniFileTest, FileAnEditorHoldsOpenIsReadAndKeptWhole) {
    const std::string options = "[CLIP]\r\nAUTO=0\r\n[MINIM]\r\nAUTO=1\r\n";
    Put(options);
    test::SharedHold editor(Path());
    // The user's values, not the defaults.
    EXPECT_FALSE(LoadOption(FProgramFolder, kCaptureOption));
    EXPECT_TRUE(LoadOption(FProgramFolder, kAutoMinimizeOption));
    // Start-up writes back what it loaded: nothing changes, nothing fails.
    StoreOption(FProgramFolder, kAutoMinimizeOption, true);
    // A changed value waits until nobody holds the file; the file stays whole.
    EXPECT_THROW(StoreOption(FProgramFolder, kCaptureOption, true), EFCreateError);
    EXPECT_EQ(Get(), options);
    EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(IniFileTest, IniFileObjectReadsAndWritesAnyKey) {
    IniFile ini(Path());
    ini.WriteString("Section", "Key", "$FFFFFFFF");
    EXPECT_EQ(ini.ReadString("SECTION", "key"), "$FFFFFFFF");
    EXPECT_TRUE(ini.ReadBool("section", "KEY", false));
    ini.WriteBool("Section", "Key", false);
    EXPECT_FALSE(ini.ReadBool("Section", "Key", true));
    EXPECT_EQ(Get(), "[Section]\r\nKey=0\r\n");
}

}  // namespace
}  // namespace pastimo
