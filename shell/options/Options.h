#pragma once
// The program's two options and where they live: OPTION1.INI beside the
// executable. Portable: no Windows headers.

#include "library/FileSystem.h"

#include <string>

namespace pastimo {

// The options file beside the executable.
constexpr const char* kOptionsFileName = "OPTION1.INI";

struct OptionKey {
    const char* section;  // not owned: static text
    const char* key;      // not owned: static text
    bool defaultValue;
};

// Capture clipboard activity into the recent entries (CaptureEnabled).
constexpr OptionKey kCaptureOption{"CLIP", "AUTO", true};
// Hide the window once an item has been picked (AutoMinimizeEnabled).
constexpr OptionKey kAutoMinimizeOption{"MINIM", "AUTO", false};
// Paste what the quick-pick window picked into the window the user was in.
constexpr OptionKey kPasteOption{"PICK", "PASTE", true};

// ProgramFolder (ending in a separator) + kOptionsFileName.
std::string OptionsFilePath(const std::string& programFolder);

// Reads one option; the default when the file or value is absent or unreadable.
bool LoadOption(const std::string& programFolder, const OptionKey& option,
                FileSystem& fileSystem = PlatformFileSystem());

// Writes one option; throws as IniFile::WriteBool does.
void StoreOption(const std::string& programFolder, const OptionKey& option, bool value,
                 FileSystem& fileSystem = PlatformFileSystem());

}  // namespace pastimo
