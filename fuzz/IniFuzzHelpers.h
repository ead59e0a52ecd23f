#pragma once
// What the INI fuzz targets share: a plain line splitter, the section and
// key names that a file text holds and the value of one, read the simple way.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fuzzini {

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

inline std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Lines split at LF, one CR before the LF dropped; no line after a final LF.
inline std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t begin = 0;
    while (begin < text.size()) {
        size_t lf = text.find('\n', begin);
        if (lf == std::string_view::npos) {
            lines.push_back(text.substr(begin));
            break;
        }
        size_t end = lf > begin && text[lf - 1] == '\r' ? lf - 1 : lf;
        lines.push_back(text.substr(begin, end - begin));
        begin = lf + 1;
    }
    return lines;
}

// Every (section, key) pair the text names, in order, at most `limit`.
inline std::vector<std::pair<std::string, std::string>> NamedPairs(std::string_view text, size_t limit) {
    std::vector<std::pair<std::string, std::string>> pairs;
    std::string section;
    for (std::string_view line : Lines(text)) {
        const std::string_view t = Trim(line);
        if (!t.empty() && t.front() == '[') {
            const size_t close = t.find(']');
            section =
                std::string(Trim(t.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
        } else if (const size_t eq = line.find('='); eq != std::string_view::npos) {
            pairs.emplace_back(section, std::string(Trim(line.substr(0, eq))));
            if (pairs.size() == limit) break;
        }
    }
    return pairs;
}

inline char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

inline bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

// A name or value in the file ends at its first NUL.
inline std::string_view UpToNul(std::string_view s) { return s.substr(0, s.find('\0')); }

// The value of `key` in the first section named `section`, the slow way:
// its first line of that key, the text after "=" trimmed and up to a NUL,
// one pair of quotes around it taken off, at most `limit` characters.
inline std::optional<std::string> SlowFind(std::string_view text, std::string_view section, std::string_view key,
                                           size_t limit) {
    bool inSection = false;
    for (std::string_view line : Lines(text)) {
        const std::string_view t = Trim(line);
        if (!t.empty() && t.front() == '[') {
            if (inSection) return std::nullopt;
            const size_t close = t.find(']');
            inSection =
                SameName(UpToNul(Trim(t.substr(1, close == std::string_view::npos ? close : close - 1))), section);
            continue;
        }
        const size_t eq = line.find('=');
        if (!inSection || eq == std::string_view::npos || !SameName(UpToNul(Trim(line.substr(0, eq))), key)) continue;
        std::string_view value = UpToNul(Trim(line.substr(eq + 1)));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return std::string(value.substr(0, limit));
    }
    return std::nullopt;
}

}  // namespace fuzzini
