#include "shell/options/IniText.h"

#include "toolkit/AsciiText.h"

#include <optional>
#include <vector>

namespace pastimo {
namespace {

// One line of the file: [begin, contentEnd) is its text without the line
// break, [contentEnd, end) the break itself (CR LF, LF or nothing at the end).
struct Line {
    size_t begin;
    size_t contentEnd;
    size_t end;
};

std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    size_t begin = 0;
    while (begin < text.size()) {
        const size_t lf = text.find('\n', begin);
        if (lf == std::string_view::npos) {
            lines.push_back({begin, text.size(), text.size()});
            break;
        }
        const size_t contentEnd = lf > begin && text[lf - 1] == '\r' ? lf - 1 : lf;
        lines.push_back({begin, contentEnd, lf + 1});
        begin = lf + 1;
    }
    return lines;
}

std::string_view Content(std::string_view text, const Line& line) {
    return text.substr(line.begin, line.contentEnd - line.begin);
}

// A name or value of a damaged file ends at its first NUL, as it does for
// the profile functions, which hand out C strings: what follows is never
// shown or compared, and a NUL reaches no caller (a window's text would end
// there, and with it everything that follows, such as the whole Help text).
std::string_view UpToNul(std::string_view text) { return text.substr(0, text.find('\0')); }

// The name of a section header line ("[ name ]"), or nothing for other lines.
std::optional<std::string_view> SectionName(std::string_view content) {
    const std::string_view t = TrimBlanks(content);
    if (t.empty() || t.front() != '[') return std::nullopt;
    const size_t close = t.find(']');
    return UpToNul(TrimBlanks(t.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
}

// The key name of a "name = value" line, or nothing for other lines.
std::optional<std::string_view> KeyName(std::string_view content) {
    const size_t eq = content.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return UpToNul(TrimBlanks(content.substr(0, eq)));
}

// Index of the first header line of `section`, or lines.size().
size_t FindSection(std::string_view text, const std::vector<Line>& lines, std::string_view section) {
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto name = SectionName(Content(text, lines[i]));
        if (name && SameIgnoringAsciiCase(*name, section)) return i;
    }
    return lines.size();
}

// The value of a key line as the profile functions give it: the text after
// the first "=" with blanks trimmed and up to a NUL, then one pair of quotes
// around it (both double or both single) taken off, so that
// SHOW="Ctrl+Shift+F11" reads as the keys the user meant.
std::string_view ValueOf(std::string_view content) {
    std::string_view value = UpToNul(TrimBlanks(content.substr(content.find('=') + 1)));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value.remove_prefix(1);
        value.remove_suffix(1);
    }
    return value;
}

}  // namespace

std::optional<std::string> IniFind(std::string_view fileText, std::string_view section, std::string_view key) {
    const std::vector<Line> lines = SplitLines(fileText);
    for (size_t i = FindSection(fileText, lines, section) + 1; i < lines.size(); ++i) {
        const std::string_view content = Content(fileText, lines[i]);
        if (SectionName(content)) break;
        const auto name = KeyName(content);
        if (name && SameIgnoringAsciiCase(*name, key)) return std::string(ValueOf(content).substr(0, kIniValueLimit));
    }
    return std::nullopt;
}

std::string IniLookup(std::string_view fileText, std::string_view section, std::string_view key) {
    return IniFind(fileText, section, key).value_or(std::string());
}

std::string IniSetValue(std::string_view fileText, std::string_view section, std::string_view key,
                        std::string_view value) {
    const std::vector<Line> lines = SplitLines(fileText);
    std::string result;
    result.reserve(fileText.size() + section.size() + key.size() + value.size() + 8);

    const size_t header = FindSection(fileText, lines, section);
    if (header == lines.size()) {
        result.assign(fileText);
        if (!result.empty() && result.back() != '\n') result += "\r\n";
        result.append("[").append(section).append("]\r\n");
        result.append(key).append("=").append(value).append("\r\n");
        return result;
    }

    size_t lastFilled = header;  // the new key goes after this line
    for (size_t i = header + 1; i < lines.size(); ++i) {
        const std::string_view content = Content(fileText, lines[i]);
        if (SectionName(content)) break;
        const auto name = KeyName(content);
        if (name && SameIgnoringAsciiCase(*name, key)) {
            // Rewrite this line's text only; its own line break stays.
            result.assign(fileText.substr(0, lines[i].begin));
            result.append(*name).append("=").append(value);
            result.append(fileText.substr(lines[i].contentEnd));
            return result;
        }
        if (!TrimBlanks(content).empty()) lastFilled = i;
    }

    const Line& after = lines[lastFilled];
    result.assign(fileText.substr(0, after.end));
    if (after.contentEnd == after.end) result += "\r\n";  // last line had no break
    result.append(key).append("=").append(value).append("\r\n");
    result.append(fileText.substr(after.end));
    return result;
}

}  // namespace pastimo
