#include "shell/options/Options.h"

#include "shell/options/IniFile.h"

namespace pastimo {

std::string OptionsFilePath(const std::string& programFolder) { return programFolder + kOptionsFileName; }

bool LoadOption(const std::string& programFolder, const OptionKey& option, FileSystem& fileSystem) {
    return IniFile(OptionsFilePath(programFolder), fileSystem)
        .ReadBool(option.section, option.key, option.defaultValue);
}

void StoreOption(const std::string& programFolder, const OptionKey& option, bool value, FileSystem& fileSystem) {
    IniFile(OptionsFilePath(programFolder), fileSystem).WriteBool(option.section, option.key, value);
}

}  // namespace pastimo
