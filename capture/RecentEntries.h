#pragma once
// The five most recent clipboard texts and their list lines, held as plain
// UTF-8 strings under the rules of the multi-line text boxes they stand for.
// Portable: no Windows headers.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pastimo {

constexpr size_t kRecentEntryCount = 5;

// The limits below count UTF-16 code units of the UTF-8 text, as Windows'
// edit controls (which these strings stand for) do; a cut never splits a
// character, nor a surrogate pair. For ASCII text, units are bytes.

// Each line of an entry yields at most this many units whenever it is
// copied line by line (moved down a slot, made the list line, shown).
constexpr size_t kRecentLineLimit = 4096;

// Most units a slot holds, counting the closing CR LF that every stored entry
// gets: the longest text recorded is kRecentEntryCapacity - 2 units.
// A longer text leaves slot 1 empty and the list a blank top line.
constexpr size_t kRecentEntryCapacity = 32768;
constexpr size_t kLongestRecordedText = kRecentEntryCapacity - 2;

// The lines of a text divided at each CR LF, the empty piece after a final
// CR LF not counted (so "" has no lines and "\r\n" one empty line). A lone CR
// or LF is an ordinary character.
std::vector<std::string_view> SplitCrLfLines(std::string_view text);

// Each line's first kRecentLineLimit units followed by CR LF.
std::string JoinLinesLimited(std::string_view text);

// A text as a reader yields it. A reader that converts the clipboard's
// UTF-16 knows how many units it read: then the capture need not count them.
struct ReadText {
    static constexpr size_t kUnitsUnknown = static_cast<size_t>(-1);
    ReadText(std::string read) : text(std::move(read)) {}  // NOLINT: any string is a text of unknown length
    ReadText(std::string read, size_t readUnits) : text(std::move(read)), units(readUnits) {}
    std::string text;
    size_t units = kUnitsUnknown;
};

class RecentEntries {
public:
    // Reads the clipboard's text; may throw.
    using TextReader = std::function<ReadText()>;

    // Records a new newest entry: every entry moves down one slot (the oldest
    // is lost), then the text read becomes slot 1 if it fits, and its first
    // line goes to the top of the list, which never holds more than five
    // lines. A failing read is swallowed and recorded like an overflow.
    void Capture(const TextReader& readText);
    void Capture(std::string_view text);

    // The list, newest first.
    const std::vector<std::string>& Lines() const { return FList; }
    // List line `index` (0 = newest); empty when there is none.
    std::string ListLine(size_t index) const;
    // Stored text of slot `n` (1 = newest, 5 = oldest): text + CR LF, or empty.
    const std::string& Slot(size_t n) const;
    // What the viewer shows for list line `index`: the slot's lines, each cut
    // to the line limit and followed by CR LF. Empty for no such line.
    std::string ViewerText(size_t index) const;

private:
    // Every entry one slot down; slot 1 empty.
    void MoveDown();

    std::array<std::string, kRecentEntryCount> FSlots;
    // Per slot: a line is longer than the line limit, so the entry is cut when
    // it moves down. Once cut (or known short) it is never looked at again.
    std::array<bool, kRecentEntryCount> FHasLongLines{};
    std::vector<std::string> FList;
};

}  // namespace pastimo
