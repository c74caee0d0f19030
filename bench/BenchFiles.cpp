#include "bench/BenchFiles.h"

#include "engine/DictWriter.h"
#include "engine/KovrObj.h"
#include "tools/DictGenerator.h"

#include <fstream>
#include <iostream>
#include <string>

namespace morva::bench {

const std::filesystem::path& LargeFile()
{
    constexpr std::uint64_t Seed = 2024;
    constexpr std::size_t Size = 50'000'000;
    static const std::filesystem::path file = [] {
        const auto folder = std::filesystem::temp_directory_path() / "morva-bench";
        const auto path = folder / ("generated-" + std::to_string(Seed) + "-" + std::to_string(Size) + ".uzd");
        try {
            TUzDictionary check(path);
            return path;
        } catch (const std::exception&) {
            // Missing or damaged: make it again.
        }
        std::cerr << "Generating " << path << " ...\n";
        std::filesystem::create_directories(folder);
        const auto bytes = ScrambledCopy(GenerateDictionary(Seed, Size).Image);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }();
    return file;
}

double ResidentMegabytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmRSS:"))
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

} // namespace morva::bench
