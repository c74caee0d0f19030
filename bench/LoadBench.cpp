// Loading and checking the largest file, next to the floors it is measured against: a plain
// read of the same file into a fresh block (what loading cost when it copied the file), and a
// pass over a mapping of it (the least any load that checks the sum must do). The load maps the
// file and unscrambles only what is read, so the first lookup is timed with it.

#include "bench/BenchFiles.h"
#include "engine/ByteBlock.h"
#include "engine/FileFormat.h"
#include "engine/KovrObj.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <fcntl.h>
#include <fstream>
#include <memory>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace morva {
namespace {

std::int64_t FileSize()
{
    return std::int64_t(std::filesystem::file_size(bench::LargeFile()));
}

void BM_LoadAndCheck(benchmark::State& state)
{
    const auto& file = bench::LargeFile();
    for (auto _ : state) {
        TUzDictionary dict(file);
        benchmark::DoNotOptimize(dict.Count());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * FileSize());
}
BENCHMARK(BM_LoadAndCheck)->Unit(benchmark::kMillisecond);

// What a one-word `morva-cli lookup` asks of the engine: the load, the first search in a list
// (which finds out whether the list is in order, reading every headword) and one article.
void BM_LoadAndFirstLookup(benchmark::State& state)
{
    const auto& file = bench::LargeFile();
    for (auto _ : state) {
        TUzDictionary dict(file);
        benchmark::DoNotOptimize(dict.ArticleHtml(std::max(dict.NearestHeadword("m"), 0)));
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * FileSize());
}
BENCHMARK(BM_LoadAndFirstLookup)->Unit(benchmark::kMillisecond);

// The same open, size, one read into a fresh block, close: the floor for the load.
void PlainRead(benchmark::State& state, ByteBlock (*allocate)(std::size_t))
{
    const auto& file = bench::LargeFile();
    for (auto _ : state) {
        const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat st {};
        ::fstat(fd, &st);
        auto bytes = allocate(std::size_t(st.st_size));
        std::size_t done = 0;
        while (done < std::size_t(st.st_size)) {
            const ssize_t got = ::read(fd, bytes.get() + done, std::size_t(st.st_size) - done);
            if (got <= 0)
                break;
            done += std::size_t(got);
        }
        ::close(fd);
        benchmark::DoNotOptimize(bytes.get());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * FileSize());
}

void BM_PlainRead(benchmark::State& state)
{
    PlainRead(state, AllocateByteBlock);
}
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);

// The read into an ordinary block of 4 KiB pages: what the huge pages save.
void BM_PlainReadSmallPages(benchmark::State& state)
{
    PlainRead(state, [](std::size_t size) { return ByteBlock(static_cast<std::uint8_t*>(std::malloc(size))); });
}
BENCHMARK(BM_PlainReadSmallPages)->Unit(benchmark::kMillisecond);

// Mapping the file in place of reading it: no copy and no zeroed pages, but the bytes stay
// scrambled; the pass over them is the least any load that checks the sum must do.
void BM_MapAndSum(benchmark::State& state)
{
    const auto& file = bench::LargeFile();
    for (auto _ : state) {
        const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        const auto size = std::size_t(FileSize());
        void* map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
        ::close(fd);
        benchmark::DoNotOptimize(XorOfBytes({static_cast<const std::uint8_t*>(map), size}));
        ::munmap(map, size);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * FileSize());
}
BENCHMARK(BM_MapAndSum)->Unit(benchmark::kMillisecond);

// The unscramble-and-sum pass alone, over one block that stays in memory.
std::vector<std::uint8_t> FileBytes()
{
    const auto& file = bench::LargeFile();
    std::vector<std::uint8_t> bytes(std::filesystem::file_size(file));
    std::ifstream(file, std::ios::binary).read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    return bytes;
}

void BM_UnscrambleAndSum(benchmark::State& state)
{
    auto bytes = FileBytes();
    for (auto _ : state)
        benchmark::DoNotOptimize(ScrambleAt(bytes, 0));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}
BENCHMARK(BM_UnscrambleAndSum)->Unit(benchmark::kMillisecond);

// The same pass a byte at a time with a table lookup per byte, as a plain reading of the
// format would do it: what the word-wide pass saves.
void BM_UnscrambleAndSumByteByByte(benchmark::State& state)
{
    auto bytes = FileBytes();
    for (auto _ : state) {
        std::uint32_t sum = 0;
        std::size_t k = 0;
        for (auto& b : bytes) {
            b ^= ScrambleKey[k];
            sum ^= CrcTable[b];
            if (++k == ScrambleKeyLength)
                k = 0;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}
BENCHMARK(BM_UnscrambleAndSumByteByByte)->Unit(benchmark::kMillisecond);

// The checks on bytes already in memory (copied, summed, lists counted): the load without the
// file system's share.
void BM_CheckInMemory(benchmark::State& state)
{
    const auto bytes = FileBytes();
    for (auto _ : state) {
        TUzDictionary dict(bytes);
        benchmark::DoNotOptimize(dict.Count());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}
BENCHMARK(BM_CheckInMemory)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace morva
