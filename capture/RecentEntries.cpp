#include "capture/RecentEntries.h"

#include "toolkit/Errors.h"
#include "toolkit/Unicode.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cstdint>
#include <cstring>
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

#if defined(__SSE2__)
// Where the last CR LF whose LF lies in the 16 places before `end` starts;
// npos for none. The CRs are looked for one place before each LF.
size_t LastCrLfInBlock(const char* end) {
    constexpr size_t kBlock = 16;
    const __m128i lf = _mm_loadu_si128(reinterpret_cast<const __m128i*>(end - kBlock));
    const __m128i cr = _mm_loadu_si128(reinterpret_cast<const __m128i*>(end - kBlock - 1));
    const unsigned pairs = static_cast<unsigned>(_mm_movemask_epi8(
        _mm_and_si128(_mm_cmpeq_epi8(lf, _mm_set1_epi8('\n')), _mm_cmpeq_epi8(cr, _mm_set1_epi8('\r')))));
    if (pairs == 0) return std::string_view::npos;
    return kBlock + 1 - (31 - static_cast<size_t>(__builtin_clz(pairs)));  // places back from `end` to the CR
}
constexpr size_t kCrLfBlock = 16;
#else
// The same eight places at a time, where there is no SSE2 (the 32-bit
// build). The marks of bytes equal to a value are exact: no carry runs from
// one byte into the next.
uint64_t BytesEqual(const char* p, char byte) {
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    uint64_t word;
    std::memcpy(&word, p, sizeof word);
    const uint64_t x = word ^ (0x0101010101010101ull * static_cast<unsigned char>(byte));
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

size_t LastCrLfInBlock(const char* end) {
    static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "byte i of a loaded word is bits 8i to 8i + 7");
    constexpr size_t kBlock = 8;
    const uint64_t pairs = BytesEqual(end - kBlock, '\n') & BytesEqual(end - kBlock - 1, '\r');
    if (pairs == 0) return std::string_view::npos;
    return kBlock + 1 - (63 - static_cast<size_t>(__builtin_clzll(pairs))) / 8;
}
constexpr size_t kCrLfBlock = 8;
#endif

// Where the last CR LF whose CR lies in [from, to) starts; npos for none.
// Looked for from the back, a block at a time: the lines passed over are
// short next to the reach of a search.
size_t LastCrLf(std::string_view text, size_t from, size_t to) {
    const char* const data = text.data();
    size_t end = std::min(to + 1, text.size());  // just past the last LF that may count
    for (; end >= from + kCrLfBlock + 1; end -= kCrLfBlock) {
        const size_t back = LastCrLfInBlock(data + end);
        if (back != std::string_view::npos) return end - back;
    }
    for (; end >= from + 2; --end)
        if (data[end - 1] == '\n' && data[end - 2] == '\r') return end - 2;
    return std::string_view::npos;
}

// Whether a line of the stored text is longer than the line limit. A line
// that ends within kRecentLineLimit bytes of where the scan stands is short
// (a unit takes at least one byte), so the scan jumps to the last CR LF in
// that reach; only where there is none are the units counted, as far as
// kRecentLineLimit of them reach.
bool HasLongLine(std::string_view text) {
    size_t begin = 0;
    while (text.size() - begin > kRecentLineLimit) {
        size_t last = LastCrLf(text, begin, begin + kRecentLineLimit + 1);
        if (last == std::string_view::npos) {
            const size_t reach = begin + Utf8PrefixWithinUnits(text.substr(begin), kRecentLineLimit);
            // The character at `reach` does not fit: the line is long unless
            // it ends there, or before.
            last = LastCrLf(text, begin + kRecentLineLimit, reach + 1);
            if (last == std::string_view::npos) return reach < text.size();
        }
        begin = last + kCrLf.size();
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
