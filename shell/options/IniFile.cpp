#include "shell/options/IniFile.h"

#include "shell/options/IniText.h"
#include "shell/options/OptionValue.h"
#include "shell/options/WholeFile.h"
#include "toolkit/Errors.h"

namespace pastimo {

std::string IniFile::ReadString(const std::string& section, const std::string& key) const {
    std::string text;
    if (ReadWholeFileBytes(FPath, text) != WholeFileRead::rfRead) return std::string();
    return IniLookup(text, section, key);
}

bool IniFile::ReadBool(const std::string& section, const std::string& key, bool defaultValue) const {
    return OptionBoolFromText(ReadString(section, key), defaultValue);
}

void IniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    std::string text;
    switch (ReadWholeFileBytes(FPath, text)) {
    case WholeFileRead::rfRead:
    case WholeFileRead::rfMissing:
        break;
    case WholeFileRead::rfFailed:
        // Writing now would replace the file's other lines with nothing.
        throw EFOpenError(FPath);
    }
    const std::string updated = IniSetValue(text, section, key, value);
    if (updated == text) return;
    if (!ReplaceWholeFileBytes(FPath, updated)) throw EFCreateError(FPath);
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
