// One capture of a large clipboard text into five full slots, next to one
// plain copy of the same text: what the slot and list rules cost beyond
// moving the bytes once. Texts are in lines of 60 characters, either plain
// letters or a mix of CJK, arrows, check marks and emoji.

#include "capture/RecentEntries.h"
#include "toolkit/Unicode.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace pastimo {
namespace {

constexpr std::string_view kEmoji = "\xF0\x9F\x99\x82";  // two UTF-16 units
constexpr std::string_view kUnicodePieces[] = {"\xE6\x9D\xB1", "\xE4\xBA\xAC", "\xE2\x86\x92",
                                               "\xE2\x9C\x93", kEmoji,         " "};

// A text of exactly `units` UTF-16 units.
std::string ClipboardText(size_t units, bool unicode) {
    std::string text;
    size_t used = 0, column = 0, next = 0;
    while (used < units) {
        if (column == 60 && units - used >= 2) {
            text.append("\r\n");
            used += 2;
            column = 0;
            continue;
        }
        std::string_view piece = unicode ? kUnicodePieces[next++ % std::size(kUnicodePieces)] : "x";
        if (piece == kEmoji && units - used < 2) piece = "x";
        text.append(piece);
        used += piece == kEmoji ? 2 : 1;
        ++column;
    }
    return text;
}

// The text twice, 2 KiB apart modulo 4 KiB. glibc's memcpy (rep movsb) is
// many times slower on some CPUs when the destination lies just past the
// source modulo 4 KiB, which is where malloc may put a copy; each copy reads
// from the one of the two that lies well away from its destination, so
// neither the capture nor the plain copy pays for where the heap happens to
// put them.
class Source {
public:
    explicit Source(std::string_view text) : FSize(text.size()), FSpace(2 * RoundUp(text.size()) + 2 * kPage, '\0') {
        char* const first = FSpace.data() + (kPage - reinterpret_cast<uintptr_t>(FSpace.data()) % kPage);
        FText[0] = first;
        FText[1] = first + RoundUp(text.size()) + kApart;
        for (char* copy : FText) std::memcpy(copy, text.data(), text.size());
    }
    size_t size() const { return FSize; }
    // The first text is 1 to 3 KiB behind `destination` modulo 4 KiB, or the
    // second one is.
    std::string_view For(const char* destination) const {
        const uintptr_t behind =
            (reinterpret_cast<uintptr_t>(destination) - reinterpret_cast<uintptr_t>(FText[0])) % kPage;
        return {FText[behind >= kApart / 2 && behind < kApart + kApart / 2 ? 0 : 1], FSize};
    }

private:
    static constexpr size_t kPage = 4096, kApart = 2048;
    static size_t RoundUp(size_t size) { return (size + kPage - 1) / kPage * kPage; }
    size_t FSize;
    std::string FSpace;
    char* FText[2];
};

// A fresh string holding the text, with room for the closing CR LF.
std::string Copy(const Source& source) {
    std::string copy;
    copy.reserve(source.size() + 2);
    copy.assign(source.For(copy.data()));
    return copy;
}

// The clipboard read as the program's reader yields it: a fresh copy of the
// text with room for the closing CR LF that the capture appends, and the
// number of UTF-16 units it held (the reader converts from UTF-16, so it
// knows).
ReadText Read(const Source& source, size_t units) { return ReadText(Copy(source), units); }

// Args: the units the read yields (kLongestRecordedText is recorded; one unit
// more, the most the Windows reader ever yields, is an overflow), and 1 for
// the Unicode text.
void BM_CaptureText(benchmark::State& state) {
    const bool unicode = state.range(1) != 0;
    const size_t units = static_cast<size_t>(state.range(0));
    const std::string text = ClipboardText(units, unicode);
    if (Utf16Length(text) != units) state.SkipWithError("text of the wrong length");
    const Source source(text);

    // Five full slots as five captures leave them.
    RecentEntries full;
    const Source fill(ClipboardText(kLongestRecordedText, unicode));
    for (size_t i = 0; i < kRecentEntryCount; ++i) full.Capture([&fill] { return Read(fill, kLongestRecordedText); });

    // A recorded text leaves the slots as full as they were, so the capture
    // goes into the one store again and again, as the program's does: the
    // slot that drops out held a text five captures old. An overflow leaves
    // slot 1 empty, so a store is used once and then made full again: rounds
    // go through prepared copies and the clock is paused once per
    // copies.size() captures, not around each one.
    if (units <= kLongestRecordedText) {
        for (auto _ : state) {
            full.Capture([&source, units] { return Read(source, units); });
            benchmark::DoNotOptimize(full.Lines().data());
        }
    } else {
        std::vector<RecentEntries> copies(16, full);
        size_t next = 0;
        for (auto _ : state) {
            if (next == copies.size()) {
                state.PauseTiming();
                for (RecentEntries& copy : copies) copy = full;
                next = 0;
                state.ResumeTiming();
            }
            RecentEntries& entries = copies[next++];
            entries.Capture([&source, units] { return Read(source, units); });
            benchmark::DoNotOptimize(entries.Lines().data());
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

// The floor: the text copied once into a string with its CR LF.
void BM_PlainCopy(benchmark::State& state) {
    const Source source(ClipboardText(static_cast<size_t>(state.range(0)), state.range(1) != 0));
    for (auto _ : state) {
        std::string copy = Copy(source);
        copy.append("\r\n");
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
}

// What the Windows build adds before the capture: the clipboard's UTF-16
// turned into UTF-8.
void BM_Utf16ToUtf8(benchmark::State& state) {
    const std::u16string wide = Utf8ToUtf16(ClipboardText(static_cast<size_t>(state.range(0)), state.range(1) != 0));
    for (auto _ : state) {
        std::string text = Utf16ToUtf8(wide);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * wide.size() * 2));
}

void Cases(benchmark::internal::Benchmark* b) {
    b->ArgNames({"units", "unicode"});
    for (int unicode : {0, 1})
        for (size_t units : {kLongestRecordedText, kLongestRecordedText + 1})
            b->Args({static_cast<int64_t>(units), unicode});
}

BENCHMARK(BM_CaptureText)->Apply(Cases);
BENCHMARK(BM_PlainCopy)->Apply(Cases);
BENCHMARK(BM_Utf16ToUtf8)
    ->Args({static_cast<int64_t>(kLongestRecordedText), 0})
    ->Args({static_cast<int64_t>(kLongestRecordedText), 1});

}  // namespace
}  // namespace pastimo

BENCHMARK_MAIN();
