// Reading and writing the library's files, each next to a plain read (or
// write) of the same bytes, so the cost of the formats and of the sorted
// insert shows apart from the cost of the disk.

#include "library/LibraryStore.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

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

// Names of 6 to 24 letters, mixed case, some with spaces, in random order.
std::vector<std::string> RandomNames(int count) {
    std::mt19937 random(static_cast<unsigned>(count));
    const std::string letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ      -_()";
    std::vector<std::string> names;
    names.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::string name;
        for (int length = 6 + static_cast<int>(random() % 19); length > 0; --length)
            name += letters[random() % letters.size()];
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

std::string NameListFile(int count) {
    static std::vector<std::pair<int, std::string>> made;
    for (const auto& [n, path] : made)
        if (n == count) return path;
    std::vector<std::string> names = RandomNames(count);
    made.emplace_back(count, WriteFixture("names" + std::to_string(count) + ".dat", JoinNameListText(names)));
    return made.back().second;
}

// Lines of about 60 characters with CR LF, as the text field writes them.
std::string ItemTextFile(size_t size) {
    const std::string name = "text" + std::to_string(size);
    const std::string path = Folder().Path() + "data/g/" + name + ".itm";
    if (!std::filesystem::exists(path)) {
        std::string text;
        std::mt19937 random(7);
        while (text.size() < size) {
            text += static_cast<char>('a' + random() % 26);
            if (random() % 60 == 0) text += "\r\n";
        }
        text.resize(size);
        WriteFixture("data/g/" + name + ".itm", text);
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

void BM_ReadNameList(benchmark::State& state) {
    const std::string path = NameListFile(static_cast<int>(state.range(0)));
    LibraryStore store(Folder().Path());
    for (auto _ : state) benchmark::DoNotOptimize(store.ReadNameList(path));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_PlainRead_NameList(benchmark::State& state) {
    const std::string path = NameListFile(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(PlainRead(path));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_PlainReadSplit_NameList(benchmark::State& state) {
    const std::string path = NameListFile(static_cast<int>(state.range(0)));
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
    const NameList list = NameList::FromUnsorted(RandomNames(static_cast<int>(state.range(0))));
    LibraryStore store(Folder().Path());
    const std::string path = Folder().Path() + "written.dat";
    for (auto _ : state) store.WriteNameList(path, list);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The same bytes in place, without the temporary file and the flush.
void BM_PlainWrite_NameList(benchmark::State& state) {
    const std::string bytes = JoinNameListText(RandomNames(static_cast<int>(state.range(0))));
    for (auto _ : state) WriteFixture("plain.dat", bytes);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// In place with fsync: what any durable write costs at least.
void BM_PlainWriteFsync_NameList(benchmark::State& state) {
    const std::string bytes = JoinNameListText(RandomNames(static_cast<int>(state.range(0))));
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
    const std::string name = ItemTextFile(static_cast<size_t>(state.range(0)));
    LibraryStore store(Folder().Path());
    for (auto _ : state) benchmark::DoNotOptimize(store.ReadItemText("g", name));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_PlainRead_ItemText(benchmark::State& state) {
    const std::string path = Folder().Path() + "data/g/" + ItemTextFile(static_cast<size_t>(state.range(0))) + ".itm";
    for (auto _ : state) benchmark::DoNotOptimize(PlainRead(path));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

#define NAME_COUNTS Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond)->MinTime(kMinTime)
#define TEXT_SIZES Arg(32 << 10)->Arg(1 << 20)->Unit(benchmark::kMicrosecond)->MinTime(kMinTime)

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
