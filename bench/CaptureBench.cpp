// One capture of a large clipboard text, next to a plain copy of the same
// bytes: the cost of the slot and list rules apart from moving the bytes.
// Every slot is full beforehand, so each capture also moves four entries down.

#include "capture/RecentEntries.h"

#include <benchmark/benchmark.h>

#include <string>

namespace pastimo {
namespace {

// A text of `size` bytes in lines of about 60 characters.
std::string ClipboardText(size_t size) {
    std::string text;
    text.reserve(size);
    while (text.size() < size) {
        text.append(text.size() % 62 == 60 ? "\r\n" : "x");
    }
    text.resize(size);
    return text;
}

void FillSlots(RecentEntries& entries, const std::string& text) {
    for (size_t i = 0; i < kRecentEntryCount; ++i) entries.Capture(text);
}

void BM_CaptureText(benchmark::State& state) {
    const std::string text = ClipboardText(static_cast<size_t>(state.range(0)));
    RecentEntries full;
    FillSlots(full, ClipboardText(kLongestRecordedText));
    RecentEntries entries = full;
    for (auto _ : state) {
        entries.Capture(text);
        benchmark::DoNotOptimize(entries.Lines().data());
        // An overflow empties slot 1; start each round from full slots again.
        state.PauseTiming();
        entries = full;
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

// The floor: the clipboard's bytes copied once into a string with CR LF.
void BM_PlainCopy(benchmark::State& state) {
    const std::string text = ClipboardText(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        std::string copy;
        copy.reserve(text.size() + 2);
        copy.append(text).append("\r\n");
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

// Five plain copies: what moving four full slots down and filling slot 1
// costs at the least.
void BM_FivePlainCopies(benchmark::State& state) {
    const std::string text = ClipboardText(static_cast<size_t>(state.range(0)));
    std::string slots[kRecentEntryCount];
    for (auto _ : state) {
        for (std::string& slot : slots) {
            slot.assign(text).append("\r\n");
            benchmark::DoNotOptimize(slot.data());
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

// 32768 bytes overflows (the closing CR LF does not fit); kLongestRecordedText
// is the largest text that is recorded.
BENCHMARK(BM_CaptureText)->Arg(32768)->Arg(static_cast<int64_t>(kLongestRecordedText));
BENCHMARK(BM_PlainCopy)->Arg(32768)->Arg(static_cast<int64_t>(kLongestRecordedText));
BENCHMARK(BM_FivePlainCopies)->Arg(static_cast<int64_t>(kLongestRecordedText));

}  // namespace
}  // namespace pastimo

BENCHMARK_MAIN();
