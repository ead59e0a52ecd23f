#include "library/TextFormats.h"

#include <cstring>

namespace pastimo {
namespace {

std::string_view UpToNul(std::string_view bytes) {
    const void* nul = std::memchr(bytes.data(), '\0', bytes.size());
    if (!nul) return bytes;
    return bytes.substr(0, static_cast<size_t>(static_cast<const char*>(nul) - bytes.data()));
}

}  // namespace

std::vector<std::string> SplitNameListText(std::string_view bytes) {
    const std::string_view text = UpToNul(bytes);
    std::vector<std::string> names;
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        const char* q = p;
        while (q < end && *q != '\r' && *q != '\n') ++q;
        names.emplace_back(p, q);
        if (q == end) break;
        if (*q == '\r' && q + 1 < end && q[1] == '\n') ++q;
        p = q + 1;  // a break at the very end leaves p == end: no extra line
    }
    return names;
}

std::string JoinNameListText(const std::vector<std::string>& names) {
    size_t size = 0;
    for (const std::string& name : names) size += name.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string& name : names) {
        text += name;
        text += "\r\n";
    }
    return text;
}

std::string ItemTextFromFile(std::string_view bytes, LeadBytePredicate isLeadByte) {
    const std::string_view text = UpToNul(bytes);
    std::string result;
    result.reserve(text.size() + text.size() / 16);
    const size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        // Copy a run without breaks in one go; a lead byte takes its trail
        // byte with it.
        size_t j = i;
        while (j < n && text[j] != '\r' && text[j] != '\n') {
            if (isLeadByte && isLeadByte(static_cast<unsigned char>(text[j])) && j + 1 < n) j += 2;
            else ++j;
        }
        result.append(text.data() + i, j - i);
        if (j == n) break;
        result += "\r\n";
        if (text[j] == '\r' && j + 1 < n && text[j + 1] == '\n') ++j;
        i = j + 1;
    }
    return result;
}

}  // namespace pastimo
