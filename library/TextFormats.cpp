#include "library/TextFormats.h"

#include <algorithm>
#include <cstring>

namespace pastimo {
namespace {

// Finds line breaks with memchr. The next CR and the next LF are each looked
// up again only once passed, so a text full of lone CRs stays linear.
class BreakFinder {
public:
    explicit BreakFinder(std::string_view text) : FText(text), FNextCr(Find('\r', 0)), FNextLf(Find('\n', 0)) {}

    // Position of the next CR or LF at or after from, or the text's size.
    size_t Next(size_t from) {
        if (FNextCr < from) FNextCr = Find('\r', from);
        if (FNextLf < from) FNextLf = Find('\n', from);
        return std::min(FNextCr, FNextLf);
    }

    // Where the text goes on after the break at position at (CR LF is one).
    size_t After(size_t at) const {
        return (FText[at] == '\r' && at + 1 < FText.size() && FText[at + 1] == '\n') ? at + 2 : at + 1;
    }

private:
    size_t Find(char c, size_t from) const {
        const void* at = std::memchr(FText.data() + from, c, FText.size() - from);
        return at ? static_cast<size_t>(static_cast<const char*>(at) - FText.data()) : FText.size();
    }

    std::string_view FText;
    size_t FNextCr;
    size_t FNextLf;
};

}  // namespace

std::string_view TextUpToNul(std::string_view bytes) {
    const void* nul = std::memchr(bytes.data(), '\0', bytes.size());
    if (!nul) return bytes;
    return bytes.substr(0, static_cast<size_t>(static_cast<const char*>(nul) - bytes.data()));
}

std::vector<std::string> SplitNameListText(std::string_view bytes) {
    const std::string_view text = TextUpToNul(bytes);
    std::vector<std::string> names;
    names.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    BreakFinder breaks(text);
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = breaks.Next(start);
        names.emplace_back(text.substr(start, end - start));
        if (end == text.size()) break;
        start = breaks.After(end);  // a break at the very end gives no extra line
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

std::string ItemTextFromFile(std::string_view bytes, const LeadBytes& leadBytes) {
    const std::string_view text = TextUpToNul(bytes);
    std::string result;
    result.reserve(text.size() + text.size() / 16);
    const size_t n = text.size();
    const bool singleByte = leadBytes.Empty();
    BreakFinder breaks(text);
    size_t i = 0;
    while (i < n) {
        // Copy a run without breaks in one go. In a lead-byte code page the
        // run is walked byte by byte, a lead byte taking its trail byte along.
        size_t j;
        if (singleByte) {
            j = breaks.Next(i);
        } else {
            j = i;
            while (j < n && text[j] != '\r' && text[j] != '\n')
                j += (leadBytes.Contains(static_cast<unsigned char>(text[j])) && j + 1 < n) ? 2 : 1;
        }
        result.append(text.data() + i, j - i);
        if (j == n) break;
        result += "\r\n";
        i = singleByte ? breaks.After(j) : (text[j] == '\r' && j + 1 < n && text[j + 1] == '\n' ? j + 2 : j + 1);
    }
    return result;
}

}  // namespace pastimo
