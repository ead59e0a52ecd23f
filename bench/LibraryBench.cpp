// Reading and writing the library's files, each next to a plain read (or
// write) of the same bytes, so the cost of the formats, of the conversion
// from the code page or UTF-8 and of the sorted insert shows apart from the
// cost of the disk.

#include "library/FileEncoding.h"
#include "library/LibraryStore.h"
#include "tests/library/TestAccess.h"

#include <fcntl.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace pastimo {
namespace {

const double kMinTime = 0.2;

class BenchFolder {
public:
    BenchFolder() {
        char name[] = "/tmp/pastimo-bench-XXXXXX";
        FPath = std::string(::mkdtemp(name)) + "/";
        std::filesystem::create_directories(FPath + "data/g");
    }
    ~BenchFolder() { std::filesystem::remove_all(FPath); }
    const std::string& Path() const { return FPath; }

private:
    std::string FPath;
};

BenchFolder& Folder() {
    static BenchFolder folder;
    return folder;
}

// What a list or text holds besides ASCII: nothing; letters of the code
// page (the file stays in it); or also characters beyond it (the file is
// UTF-8 after the byte-order mark).
enum Mix { kAscii = 0, kCodePage = 1, kBeyondCodePage = 2 };

const char* const kCodePageLetters[] = {"\xC3\xA4", "\xC3\xA9", "\xC3\x9F", "\xC3\x9C", "\xE2\x82\xAC"};  // ä é ß Ü €
const char* const kBeyondLetters[] = {"\xE2\x98\x95", "\xE6\x9D\xB1\xE4\xBA\xAC", "\xE2\x86\x92", "\xC5\x82",
                                      "\xF0\x9F\x99\x82"};  // ☕ 東京 → ł 🙂

// One name or line in eight gets a letter of the code page; with
// kBeyondCodePage, one in eight also gets a character beyond it.
void AddMix(std::string& text, Mix mix, std::mt19937& random) {
    if (mix >= kCodePage && random() % 8 == 0) text += kCodePageLetters[random() % 5];
    if (mix >= kBeyondCodePage && random() % 8 == 0) text += kBeyondLetters[random() % 5];
}

// Names of 6 to 24 letters, mixed case, some with spaces, in random order.
std::vector<std::string> RandomNames(int count, Mix mix) {
    std::mt19937 random(static_cast<unsigned>(count));
    const std::string letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ      -_()";
    std::vector<std::string> names;
    names.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::string name;
        for (int length = 6 + static_cast<int>(random() % 19); length > 0; --length) {
            name += letters[random() % letters.size()];
            if (length == 3) AddMix(name, mix, random);
        }
        names.push_back(name);
    }
    return names;
}

std::string WriteFixture(const std::string& name, const std::string& bytes) {
    const std::string path = Folder().Path() + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return path;
}

std::string NameListFile(int count, Mix mix) {
    static std::vector<std::pair<std::pair<int, Mix>, std::string>> made;
    for (const auto& [key, path] : made)
        if (key == std::make_pair(count, mix)) return path;
    const std::string file = EncodeNameListFile(RandomNames(count, mix), PlatformCodePage());
    const std::string name = "names" + std::to_string(count) + "-" + std::to_string(mix) + ".dat";
    made.emplace_back(std::make_pair(count, mix), WriteFixture(name, file));
    return made.back().second;
}

// Lines of about 60 characters with CR LF, as the text field writes them.
std::string ItemTextFile(size_t size, Mix mix) {
    const std::string name = "text" + std::to_string(size) + "-" + std::to_string(mix);
    const std::string path = Folder().Path() + "data/g/" + name + ".itm";
    if (!std::filesystem::exists(path)) {
        std::string text;
        std::mt19937 random(7);
        while (text.size() < size) {
            text += static_cast<char>('a' + random() % 26);
            if (random() % 60 == 0) {
                AddMix(text, mix, random);
                text += "\r\n";
            }
        }
        text.resize(size);
        WriteFixture("data/g/" + name + ".itm", EncodeItemTextFile(text, PlatformCodePage()));
    }
    return name;
}

std::string PlainRead(const std::string& path) {
    std::string bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
    std::fclose(f);
    return bytes;
}

Mix MixOf(const benchmark::State& state) { return static_cast<Mix>(state.range(1)); }

void BM_ReadNameList(benchmark::State& state) {
    const std::string path = NameListFile(static_cast<int>(state.range(0)), MixOf(state));
    LibraryStore store(Folder().Path());
    for (auto _ : state) benchmark::DoNotOptimize(LibraryStoreTestAccess::ReadNameList(store, path));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_PlainRead_NameList(benchmark::State& state) {
    const std::string path = NameListFile(static_cast<int>(state.range(0)), MixOf(state));
    for (auto _ : state) benchmark::DoNotOptimize(PlainRead(path));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_PlainReadSplit_NameList(benchmark::State& state) {
    const std::string path = NameListFile(static_cast<int>(state.range(0)), MixOf(state));
    for (auto _ : state) {
        const std::string bytes = PlainRead(path);
        std::vector<std::string> lines;
        size_t start = 0;
        for (size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1)
            lines.emplace_back(bytes, start, end - start);
        benchmark::DoNotOptimize(lines);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_WriteNameList(benchmark::State& state) {
    const NameList list = NameList::FromUnsorted(RandomNames(static_cast<int>(state.range(0)), MixOf(state)));
    LibraryStore store(Folder().Path());
    const std::string path = Folder().Path() + "written.dat";
    for (auto _ : state) LibraryStoreTestAccess::WriteNameList(store, path, list);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The same bytes in place, without the temporary file and the flush.
void BM_PlainWrite_NameList(benchmark::State& state) {
    const std::string bytes =
        EncodeNameListFile(RandomNames(static_cast<int>(state.range(0)), MixOf(state)), PlatformCodePage());
    for (auto _ : state) WriteFixture("plain.dat", bytes);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// In place with fsync: what any durable write costs at least.
void BM_PlainWriteFsync_NameList(benchmark::State& state) {
    const std::string bytes =
        EncodeNameListFile(RandomNames(static_cast<int>(state.range(0)), MixOf(state)), PlatformCodePage());
    const std::string path = Folder().Path() + "plainsync.dat";
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        benchmark::DoNotOptimize(::write(fd, bytes.data(), bytes.size()));
        ::fsync(fd);
        ::close(fd);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ReadItemText(benchmark::State& state) {
    const std::string name = ItemTextFile(static_cast<size_t>(state.range(0)), MixOf(state));
    LibraryStore store(Folder().Path());
    for (auto _ : state) benchmark::DoNotOptimize(store.ReadItemText("g", name));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_PlainRead_ItemText(benchmark::State& state) {
    const std::string path =
        Folder().Path() + "data/g/" + ItemTextFile(static_cast<size_t>(state.range(0)), MixOf(state)) + ".itm";
    for (auto _ : state) benchmark::DoNotOptimize(PlainRead(path));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

// Second argument: the Mix.
#define NAME_COUNTS                                                                                                    \
    ArgsProduct({{1000, 10000, 100000}, {kAscii, kCodePage, kBeyondCodePage}})                                         \
        ->Unit(benchmark::kMicrosecond)                                                                                \
        ->MinTime(kMinTime)
#define TEXT_SIZES                                                                                                     \
    ArgsProduct({{32 << 10, 1 << 20}, {kAscii, kBeyondCodePage}})->Unit(benchmark::kMicrosecond)->MinTime(kMinTime)

BENCHMARK(BM_ReadNameList)->NAME_COUNTS;
BENCHMARK(BM_PlainRead_NameList)->NAME_COUNTS;
BENCHMARK(BM_PlainReadSplit_NameList)->NAME_COUNTS;
BENCHMARK(BM_WriteNameList)->NAME_COUNTS;
BENCHMARK(BM_PlainWrite_NameList)->NAME_COUNTS;
BENCHMARK(BM_PlainWriteFsync_NameList)->NAME_COUNTS;
BENCHMARK(BM_ReadItemText)->TEXT_SIZES;
BENCHMARK(BM_PlainRead_ItemText)->TEXT_SIZES;

}  // namespace
}  // namespace pastimo

BENCHMARK_MAIN();
