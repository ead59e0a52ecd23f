#include "shell/options/IniFile.h"

#include "shell/options/IniEncoding.h"
#include "shell/options/IniText.h"
#include "shell/options/OptionValue.h"
#include "toolkit/Errors.h"

#include <utility>

namespace pastimo {

std::string IniFile::ReadString(const std::string& section, const std::string& key) const {
    return FindString(section, key).value_or(std::string());
}

std::optional<std::string> IniFile::FindString(const std::string& section, const std::string& key) const {
    std::string bytes;
    // Read as the profile functions read it, sharing it with an editor or a
    // sync client that has it open: refusing would turn the user's options
    // into the defaults for the whole run.
    if (!FFileSystem.ReadSharedFile(FPath, bytes)) return std::nullopt;
    const IniFileText file = DecodeIniFile(bytes);
    const std::optional<std::string> value =
        IniFind(file.text, ToIniText(section, file.encoding, FCodePage), ToIniText(key, file.encoding, FCodePage));
    if (!value) return std::nullopt;
    return FromIniText(*value, file.encoding, FCodePage);
}

bool IniFile::ReadBool(const std::string& section, const std::string& key, bool defaultValue) const {
    return OptionBoolFromText(ReadString(section, key), defaultValue);
}

void IniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    std::string bytes;
    // A file that exists but cannot be read is left alone: writing now would
    // replace its other lines with nothing.
    if (!FFileSystem.ReadSharedFile(FPath, bytes)) {
        if (FFileSystem.Exists(FPath)) throw EFOpenError(FPath);
        bytes.clear();
    }
    IniFileText file = DecodeIniFile(bytes);
    std::string updated =
        IniSetValue(file.text, ToIniText(section, file.encoding, FCodePage), ToIniText(key, file.encoding, FCodePage),
                    ToIniText(value, file.encoding, FCodePage));
    if (updated == file.text) return;
    file.text = std::move(updated);
    // Written whole, in the form it was read in, to a temporary sibling and
    // moved over the old file, which stays as it was when anything fails.
    if (!FFileSystem.ReplaceWholeFile(FPath, EncodeIniFile(file))) throw EFCreateError(FPath);
}

void IniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}
}  // namespace pastimo
