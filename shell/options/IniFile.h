#pragma once
// A profile (INI) file by its path. Every read and write is one complete
// access of the file; nothing is held open or cached. It is read while other
// programs have it open for reading and writing, as the profile functions of
// Windows read it; it is replaced only when nobody holds it, and written in
// the encoding it was found in (IniEncoding.h). Portable: no Windows headers.

#include "library/CodePage.h"
#include "library/FileSystem.h"

#include <optional>
#include <string>
#include <utility>

namespace pastimo {

class IniFile {
public:
    explicit IniFile(std::string path, FileSystem& fileSystem = PlatformFileSystem(),
                     const CodePage& codePage = PlatformCodePage())
        : FPath(std::move(path)), FFileSystem(fileSystem), FCodePage(codePage) {}

    const std::string& Path() const { return FPath; }

    // Names and values are UTF-8, whatever the file's encoding (see
    // IniEncoding.h).

    // The trimmed value text (see IniLookup); empty when the file, section or
    // key is absent or the file cannot be read.
    std::string ReadString(const std::string& section, const std::string& key) const;

    // As ReadString, but nothing when the file, section or key is absent or
    // the file cannot be read, so that "key=" reads as an empty value.
    std::optional<std::string> FindString(const std::string& section, const std::string& key) const;

    // The value read as a number, true when not 0; `defaultValue` when it is
    // absent or not a number.
    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;

    // Sets one value, changing only its line; creates the key, the section and
    // the file as needed. Throws EFOpenError when the file exists but cannot
    // be read (it is then left alone rather than replaced by the one value),
    // EFCreateError when it cannot be written; the old file then stays whole.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);

    // Writes "1" or "0".
    void WriteBool(const std::string& section, const std::string& key, bool value);

private:
    std::string FPath;
    FileSystem& FFileSystem;
    const CodePage& FCodePage;
};

}  // namespace pastimo
