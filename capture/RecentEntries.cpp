#include "capture/RecentEntries.h"

#include "toolkit/Errors.h"
#include "toolkit/Unicode.h"

#include <stdexcept>
#include <utility>

namespace pastimo {
namespace {

constexpr std::string_view kCrLf = "\r\n";

// A line's first kRecentLineLimit units, never half a character.
std::string_view CutToLineLimit(std::string_view line) {
    if (line.size() <= kRecentLineLimit) return line;  // a unit takes at least one byte
    return line.substr(0, Utf8PrefixWithinUnits(line, kRecentLineLimit));
}

std::string FirstLineLimited(std::string_view stored) {
    return std::string(CutToLineLimit(stored.substr(0, stored.find(kCrLf))));
}

// A unit takes one to three bytes: a text fits when its bytes would, and
// overflows when a third of them would not. Between the two its units are
// counted.
bool FitsSlot(std::string_view text, size_t units) {
    if (units != ReadText::kUnitsUnknown) return units <= kLongestRecordedText;
    if (text.size() <= kLongestRecordedText) return true;
    if (text.size() > 3 * kLongestRecordedText) return false;
    return Utf16Length(text) <= kLongestRecordedText;
}

// Whether a line of the text is longer than the line limit. Lines that end
// within kRecentLineLimit bytes of where the scan stands are short (a unit
// takes at least one byte), so it jumps to the last CR LF in that reach;
// only a line longer in bytes is counted in units.
bool HasLongLine(std::string_view text) {
    size_t begin = 0;
    while (text.size() - begin > kRecentLineLimit) {
        const size_t last = text.substr(begin, kRecentLineLimit + kCrLf.size()).rfind(kCrLf);
        if (last != std::string_view::npos) {
            begin += last + kCrLf.size();
            continue;
        }
        const size_t end = text.find(kCrLf, begin);
        const std::string_view line = text.substr(begin, end == std::string_view::npos ? end : end - begin);
        if (CutToLineLimit(line).size() < line.size()) return true;
        if (end == std::string_view::npos) return false;
        begin = end + kCrLf.size();
    }
    return false;
}

}  // namespace

std::vector<std::string_view> SplitCrLfLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t begin = 0;
    while (begin < text.size()) {
        const size_t end = text.find(kCrLf, begin);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(begin));
            break;
        }
        lines.push_back(text.substr(begin, end - begin));
        begin = end + kCrLf.size();
    }
    return lines;
}

std::string JoinLinesLimited(std::string_view text) {
    std::string result;
    result.reserve(text.size() + kCrLf.size());
    for (std::string_view line : SplitCrLfLines(text)) {
        result.append(CutToLineLimit(line));
        result.append(kCrLf);
    }
    return result;
}

void RecentEntries::MoveDown() {
    // Cut first, so that a failure leaves every entry where it was; the moves
    // themselves cannot fail. An entry is cut once, when it first moves.
    for (size_t n = 0; n + 1 < kRecentEntryCount; ++n) {
        if (!FHasLongLines[n]) continue;
        FSlots[n] = JoinLinesLimited(FSlots[n]);
        FHasLongLines[n] = false;
    }
    for (size_t n = kRecentEntryCount - 1; n > 0; --n) {
        FSlots[n] = std::move(FSlots[n - 1]);
        FHasLongLines[n] = FHasLongLines[n - 1];
    }
    FSlots[0].clear();
    FHasLongLines[0] = false;
}

void RecentEntries::Capture(const TextReader& readText) {
    MoveDown();

    // One guarded unit: whatever fails here, the list still ends at five
    // lines and the handler ends normally.
    try {
        try {
            ReadText read = readText();
            std::string& text = read.text;
            if (FitsSlot(text, read.units)) {
                text.append(kCrLf);
                // Looked at now, while the text is fresh in the cache.
                FHasLongLines[0] = HasLongLine(text);
                FSlots[0].swap(text);
            }
        } catch (...) {
            // The list still gets its (blank) line so it stays in step with
            // the slots, which have already moved down.
            IgnoreFailure("a clipboard text that cannot be read counts as too long: its slot stays empty");
            FSlots[0].clear();
            FHasLongLines[0] = false;
        }
        FList.insert(FList.begin(), FirstLineLimited(FSlots[0]));
    } catch (...) {
        IgnoreFailure("a capture whose line cannot be listed leaves the list one line short");
    }
    if (FList.size() > kRecentEntryCount) FList.resize(kRecentEntryCount);
}

void RecentEntries::Capture(std::string_view text) {
    Capture([text] {
        std::string copy;
        copy.reserve(text.size() + kCrLf.size());  // room for the closing CR LF
        copy.assign(text);
        return copy;
    });
}

std::string RecentEntries::ListLine(size_t index) const { return index < FList.size() ? FList[index] : std::string(); }

const std::string& RecentEntries::Slot(size_t n) const {
    if (n < 1 || n > kRecentEntryCount) throw std::out_of_range("no such recent entry slot");
    return FSlots[n - 1];
}

std::string RecentEntries::ViewerText(size_t index) const {
    if (index >= FList.size()) return std::string();
    return JoinLinesLimited(FSlots[index]);
}

}  // namespace pastimo
