#include "shell/options/IniFile.h"

#include "shell/options/IniText.h"
#include "shell/options/OptionValue.h"
#include "library/FileSystem.h"
#include "toolkit/Errors.h"

namespace pastimo {

std::string IniFile::ReadString(const std::string& section, const std::string& key) const {
    std::string text;
    if (!PlatformFileSystem().ReadWholeFile(FPath, text)) return std::string();
    return IniLookup(text, section, key);
}

bool IniFile::ReadBool(const std::string& section, const std::string& key, bool defaultValue) const {
    return OptionBoolFromText(ReadString(section, key), defaultValue);
}

void IniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    FileSystem& files = PlatformFileSystem();
    std::string text;
    // A file that exists but cannot be read is left alone: writing now would
    // replace its other lines with nothing.
    if (!files.ReadWholeFile(FPath, text)) {
        if (files.Exists(FPath)) throw EFOpenError(FPath);
        text.clear();
    }
    const std::string updated = IniSetValue(text, section, key, value);
    if (updated == text) return;
    // Written whole to a temporary sibling and moved over the old file, which
    // stays as it was when anything fails.
    if (!files.ReplaceWholeFile(FPath, updated)) throw EFCreateError(FPath);
}

void IniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

std::string OptionsFilePath(const std::string& programFolder) {
    return programFolder + kOptionsFileName;
}

bool LoadOption(const std::string& programFolder, const OptionKey& option) {
    return IniFile(OptionsFilePath(programFolder)).ReadBool(option.section, option.key, option.defaultValue);
}

void StoreOption(const std::string& programFolder, const OptionKey& option, bool value) {
    IniFile(OptionsFilePath(programFolder)).WriteBool(option.section, option.key, value);
}

}  // namespace pastimo
