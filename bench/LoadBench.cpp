// Loading and checking the largest file, next to a plain read of the same file: what the
// unscrambling and the checksum add to the read.

#include "bench/BenchFiles.h"
#include "engine/KovrObj.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <fstream>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace morva {
namespace {

void BM_LoadAndCheck(benchmark::State& state)
{
    const auto& file = bench::LargeFile();
    for (auto _ : state) {
        TUzDictionary dict(file);
        benchmark::DoNotOptimize(dict.Count());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(std::filesystem::file_size(file)));
}
BENCHMARK(BM_LoadAndCheck)->Unit(benchmark::kMillisecond);

// The same open, size, one read into a fresh block, close.
void BM_PlainRead(benchmark::State& state)
{
    const auto& file = bench::LargeFile();
    for (auto _ : state) {
        const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat st {};
        ::fstat(fd, &st);
        auto bytes = std::make_unique_for_overwrite<std::uint8_t[]>(std::size_t(st.st_size));
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
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(std::filesystem::file_size(file)));
}
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);

// The same checks on bytes already in memory, next to copying them: the work of loading
// without the file system's share, which varies from run to run.
std::vector<std::uint8_t> FileBytes()
{
    const auto& file = bench::LargeFile();
    std::vector<std::uint8_t> bytes(std::filesystem::file_size(file));
    std::ifstream(file, std::ios::binary).read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    return bytes;
}

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

void BM_CopyInMemory(benchmark::State& state)
{
    const auto bytes = FileBytes();
    for (auto _ : state) {
        std::vector<std::uint8_t> copy(bytes);
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}
BENCHMARK(BM_CopyInMemory)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace morva
