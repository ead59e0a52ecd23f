#pragma once
// The text of a profile (INI) file: finding a value and changing one line.
// Works on the file's bytes only, so the same rules hold on every platform.
// Portable: no Windows headers.

#include <optional>
#include <string>
#include <string_view>

namespace pastimo {

// The longest value text that a lookup yields; the rest is dropped.
constexpr size_t kIniValueLimit = 1023;

// The value of `key` in `section` (both found without regard to case; the
// first of each counts): the text after "=" with blanks trimmed from both
// ends, up to its first NUL, and one pair of surrounding quotes ("..." or
// '...') removed, at most kIniValueLimit characters. Empty when the section
// or key is absent. Accepts CR LF and LF line ends, blank lines and blanks
// around names; a name in the file ends at its first NUL too.
std::string IniLookup(std::string_view fileText, std::string_view section, std::string_view key);

// As IniLookup, but nothing when the section or key is absent, so that an
// absent key and an empty value ("key=") can be told apart.
std::optional<std::string> IniFind(std::string_view fileText, std::string_view section, std::string_view key);

// The file text with `key` in `section` set to `value`, changing one line
// only: the key's line if it exists; otherwise a new "key=value" line after
// the section's last non-blank line; otherwise a new section "[section]" at
// the end of the file. Every other byte stays as it was; new lines end in
// CR LF.
std::string IniSetValue(std::string_view fileText, std::string_view section, std::string_view key,
                        std::string_view value);

}  // namespace pastimo
