// The quick-pick window's model and filter on libraries of 10,000 items in
// 100 groups and 100,000 items in 1,000 groups, plus five recent entries:
// building the rows (next to a plain copy of the same names), a keystroke
// that looks at every row, and typing a query one character at a time.

#include "quickpick/QuickPickFilter.h"

#include <benchmark/benchmark.h>

#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace pastimo {
namespace {

const double kMinTime = 0.2;

struct Library {
    std::vector<std::string> groups;
    std::vector<std::vector<std::string>> items;
    RecentEntries recents;
};

// Words of 3 to 9 letters; one in eight has a letter of the code page
// (é ü ß) and one in eight a character beyond it (Greek, Cyrillic, CJK).
std::vector<std::string> Vocabulary() {
    const char* const codePage[] = {"\xC3\xA9", "\xC3\xBC", "\xC3\x9F"};
    const char* const beyond[] = {"\xCE\xBB\xCF\x8C", "\xD0\x96", "\xE6\x9D\xB1\xE4\xBA\xAC"};  // λό Ж 東京
    std::mt19937 random(1);
    std::vector<std::string> words;
    for (int i = 0; i < 2000; ++i) {
        std::string word;
        for (int length = 3 + static_cast<int>(random() % 7); length > 0; --length)
            word += static_cast<char>('a' + random() % 26);
        if (random() % 8 == 0) word.insert(1, codePage[random() % 3]);
        if (random() % 8 == 0) word.insert(0, beyond[random() % 3]);
        if (random() % 3 == 0 && static_cast<unsigned char>(word[0]) < 0x80) word[0] = static_cast<char>(word[0] - 32);
        words.push_back(word);
    }
    return words;
}

// Names of one to four words of the vocabulary.
std::string RandomName(const std::vector<std::string>& words, std::mt19937& random) {
    std::string name = words[random() % words.size()];
    for (int more = static_cast<int>(random() % 4); more > 0; --more) name += " " + words[random() % words.size()];
    return name;
}

const Library& TheLibrary(int items) {
    static std::vector<std::pair<int, Library>> made;
    for (const auto& [count, library] : made)
        if (count == items) return library;
    const std::vector<std::string> words = Vocabulary();
    std::mt19937 random(static_cast<unsigned>(items));
    Library library;
    const int groups = items / 100;
    for (int g = 0; g < groups; ++g) {
        library.groups.push_back(RandomName(words, random));
        library.items.emplace_back();
        for (int i = 0; i < 100; ++i) library.items.back().push_back(RandomName(words, random));
    }
    for (size_t r = 0; r < kRecentEntryCount; ++r)
        library.recents.Capture(RandomName(words, random) + " " + RandomName(words, random) + "\r\nmore");
    made.emplace_back(items, std::move(library));
    return made.back().second;
}

QuickPickRows BuildRows(const Library& library) {
    QuickPickRows rows;
    for (size_t g = 0; g < library.groups.size(); ++g) rows.AddGroup(library.groups[g], library.items[g]);
    rows.AddRecents(library.recents);
    return rows;
}

const QuickPickRows& TheRows(int items) {
    static std::vector<std::pair<int, QuickPickRows>> made;
    for (const auto& [count, rows] : made)
        if (count == items) return rows;
    made.emplace_back(items, BuildRows(TheLibrary(items)));
    return made.back().second;
}

void BM_BuildRows(benchmark::State& state) {
    const Library& library = TheLibrary(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QuickPickRows rows = BuildRows(library);
        benchmark::DoNotOptimize(rows);
    }
}

// The least any model that keeps its own copy of the names costs: every
// name appended to one buffer.
void BM_PlainCopyOfNames(benchmark::State& state) {
    const Library& library = TheLibrary(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::string all;
        std::vector<size_t> ends;
        for (size_t g = 0; g < library.groups.size(); ++g) {
            all += library.groups[g];
            for (const std::string& item : library.items[g]) {
                all += item;
                ends.push_back(all.size());
            }
        }
        benchmark::DoNotOptimize(all);
        benchmark::DoNotOptimize(ends);
    }
}

// Pairs of queries of which neither narrows the other, so that each
// keystroke looks at every row: what the first letter typed, a deleted one
// or a changed word costs.
struct QueryPair {
    const char* name;
    const char* a;
    const char* b;
};
const QueryPair kPairs[] = {
    {"one letter (most rows match)", "e", "a"},
    {"three letters", "abe", "ore"},
    {"two words", "ab k", "or te"},
    {"capitals beyond ASCII", "\xC3\x89", "\xCE\x9B\xCE\x8C"},  // É ΛΌ
    {"no match", "zqxj", "jxqz"},
};

void BM_KeystrokeOverEveryRow(benchmark::State& state) {
    const QuickPickRows& rows = TheRows(static_cast<int>(state.range(0)));
    const QueryPair& pair = kPairs[state.range(1)];
    QuickPickFilter filter(rows);
    size_t shown = 0;
    bool second = false;
    for (auto _ : state) {
        shown += filter.SetQuery(second ? pair.b : pair.a).size();
        second = !second;
    }
    state.SetLabel(pair.name);
    state.counters["shown"] = static_cast<double>(shown) / static_cast<double>(state.iterations());
}

// A name of the library typed one character at a time (each keystroke
// narrows the last result), then cleared; the time is per keystroke.
void BM_TypingAName(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    const QuickPickRows& rows = TheRows(items);
    const std::string target(TheLibrary(items).items[items / 200][50]);
    std::vector<std::string> typed;
    for (size_t i = 1; i <= target.size(); ++i)
        if (i == target.size() || (static_cast<unsigned char>(target[i]) & 0xC0) != 0x80)
            typed.push_back(target.substr(0, i));
    QuickPickFilter filter(rows);
    for (auto _ : state) {
        for (const std::string& query : typed) benchmark::DoNotOptimize(filter.SetQuery(query).data());
        filter.SetQuery("");
    }
    state.counters["per keystroke"] =
        benchmark::Counter(static_cast<double>(typed.size() + 1),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetLabel(target);
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->ArgName("items")->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(kMinTime);
}

void PairsAndSizes(benchmark::internal::Benchmark* b) {
    b->ArgNames({"items", "query"})->Unit(benchmark::kMillisecond)->MinTime(kMinTime);
    for (int items : {10000, 100000})
        for (int pair = 0; pair < static_cast<int>(std::size(kPairs)); ++pair) b->Args({items, pair});
}

BENCHMARK(BM_BuildRows)->Apply(Sizes);
BENCHMARK(BM_PlainCopyOfNames)->Apply(Sizes);
BENCHMARK(BM_KeystrokeOverEveryRow)->Apply(PairsAndSizes);
BENCHMARK(BM_TypingAName)->Apply(Sizes);

}  // namespace
}  // namespace pastimo

BENCHMARK_MAIN();
