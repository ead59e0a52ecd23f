// The recent entries take whatever text the clipboard holds, of any size,
// and reads that fail. Runs a sequence of captures and after each one checks
// the store against a plain model: five list lines at most, each the first
// line of its entry cut to the line limit; slot 1 the text and CR LF when it
// fits; older slots the same with every line cut; nothing over capacity.
// Limits count UTF-16 units: no list or viewer line is longer than the line
// limit, and valid UTF-8 in gives valid UTF-8 out (no character cut in two).

#include "capture/RecentEntries.h"
#include "fuzz/FuzzCheck.h"
#include "toolkit/Unicode.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <deque>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

using namespace pastimo;

namespace {

std::string_view CutLine(std::string_view line) {
    return line.substr(0, Utf8PrefixWithinUnits(line, kRecentLineLimit));
}

// Each CR LF line cut to the limit and ended with CR LF, found byte by byte.
std::string SlowCutLines(std::string_view text) {
    std::string out;
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = begin;
        while (end < text.size() && !(text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')) ++end;
        out.append(CutLine(text.substr(begin, end - begin)));
        out.append("\r\n");
        begin = end + 2;
    }
    return out;
}

std::string FirstLineCut(std::string_view text) { return std::string(CutLine(text.substr(0, text.find("\r\n")))); }

bool LinesWithinLimit(std::string_view text) {
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find("\r\n", begin);
        if (end == std::string_view::npos) end = text.size();
        if (Utf16Length(text.substr(begin, end - begin)) > kRecentLineLimit) return false;
        begin = end + 2;
    }
    return true;
}

// A text of `length` bytes from a repeated pattern: one long line, or many
// short ones when the pattern holds a CR LF.
std::string Repeated(std::string pattern, size_t length) {
    if (pattern.empty()) pattern = "x";
    std::string text;
    text.reserve(length);
    while (text.size() < length) text.append(pattern, 0, std::min(pattern.size(), length - text.size()));
    return text;
}

// A text of at least `units` UTF-16 units from a pattern of characters of
// every width (one to four bytes, one or two units), line breaks and a stray
// continuation byte.
std::string RepeatedUnits(FuzzedDataProvider& in, size_t units) {
    static const char* const kPieces[] = {"a",  "\r\n", "\xC3\xA9", "\xE6\x9D\xB1", "\xF0\x9F\x99\x82", "\xE2\x9C\x93",
                                          "\r", "\x80"};
    std::vector<std::string_view> pattern(in.ConsumeIntegralInRange<size_t>(1, 6));
    for (std::string_view& piece : pattern) piece = in.PickValueInArray(kPieces);
    std::string text;
    size_t used = 0;
    for (size_t i = 0; used < units; ++i) {
        const std::string_view piece = pattern[i % pattern.size()];
        text.append(piece);
        used += Utf16Length(piece);
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    RecentEntries recent;
    std::deque<std::optional<std::string>> model;  // newest first; empty for an overflow or a failed read
    size_t captures = 0;

    while (in.remaining_bytes() > 0 && captures < 16) {
        std::optional<std::string> recorded;
        switch (in.ConsumeIntegralInRange(0, 5)) {
            case 0: {
                const std::string text = in.ConsumeRandomLengthString(8192);
                recent.Capture(std::string_view(text));
                recorded = text;
                break;
            }
            case 1: {
                // Sizes around the capacity and the line limit, and far past them.
                const size_t length = in.PickValueInArray<size_t>({kLongestRecordedText - 1, kLongestRecordedText,
                                                                   kLongestRecordedText + 1, kRecentLineLimit,
                                                                   kRecentLineLimit + 1, 70000}) +
                                      in.ConsumeIntegralInRange<size_t>(0, 3);
                const std::string text = Repeated(in.ConsumeRandomLengthString(16), length);
                recent.Capture([&text] { return text; });
                recorded = text;
                break;
            }
            case 2:
                recent.Capture([]() -> std::string { throw std::runtime_error("clipboard busy"); });
                break;
            case 3:
                recent.Capture([]() -> std::string { throw std::bad_alloc(); });
                break;
            case 4: {
                // Unit counts around the capacity and the line limit.
                const size_t units = in.PickValueInArray<size_t>({kLongestRecordedText - 1, kLongestRecordedText,
                                                                  kRecentLineLimit - 1, kRecentLineLimit}) +
                                     in.ConsumeIntegralInRange<size_t>(0, 2);
                const std::string text = RepeatedUnits(in, units);
                recent.Capture([&text] { return text; });
                recorded = text;
                break;
            }
            default: {
                const std::string text = in.ConsumeBytesAsString(in.ConsumeIntegralInRange<size_t>(0, 64));
                recent.Capture(std::string_view(text));
                recorded = text;
                break;
            }
        }
        if (recorded && Utf16Length(*recorded) > kLongestRecordedText) recorded.reset();
        model.push_front(recorded);
        if (model.size() > kRecentEntryCount) model.pop_back();
        ++captures;

        FUZZ_CHECK(recent.Lines().size() == model.size());
        FUZZ_CHECK(recent.ListLine(kRecentEntryCount).empty());
        for (size_t i = 0; i < kRecentEntryCount; ++i) {
            const std::string& slot = recent.Slot(i + 1);
            FUZZ_CHECK(Utf16Length(slot) <= kRecentEntryCapacity);
            if (i >= model.size() || !model[i]) {
                FUZZ_CHECK(slot.empty());
                if (i < model.size()) FUZZ_CHECK(recent.ListLine(i).empty());
                continue;
            }
            const std::string stored = *model[i] + "\r\n";
            FUZZ_CHECK(slot == (i == 0 ? stored : SlowCutLines(stored)));
            const std::string line = recent.ListLine(i);
            FUZZ_CHECK(Utf16Length(line) <= kRecentLineLimit && line.find("\r\n") == std::string::npos);
            FUZZ_CHECK(line == FirstLineCut(stored));
            const std::string viewer = recent.ViewerText(i);
            FUZZ_CHECK(viewer == SlowCutLines(slot));
            FUZZ_CHECK(LinesWithinLimit(viewer));
            if (IsValidUtf8(*model[i])) FUZZ_CHECK(IsValidUtf8(slot) && IsValidUtf8(line) && IsValidUtf8(viewer));
        }
    }
    return 0;
}
