// morva-gen: writes a large synthetic dictionary for benchmarks and load tests.
// A program of its own rather than a morva-cli command: morva-cli is the users' tool, with an
// interface scripts rely on, and this one only serves development.

#include "engine/DictWriter.h"
#include "engine/FileFormat.h"
#include "engine/FileReplace.h"
#include "tools/DictGenerator.h"

#include <span>
#include <iostream>
#include <string>

namespace {

constexpr const char* Usage =
    "usage: morva-gen SIZE SEED OUTPUT [SOURCE]\n"
    "Writes the largest generated dictionary of at most SIZE bytes (up to 50000000) to OUTPUT,\n"
    "the same for the same SEED; with SOURCE, also its source text.\n";

bool WriteBytes(const std::string& path, std::span<const std::uint8_t> bytes)
{
    try {
        morva::ReplaceFile(path, bytes);
        return true;
    } catch (const morva::FileWriteError& e) {
        std::cerr << "morva-gen: " << e.what() << '\n';
        return false;
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4 && argc != 5) {
        std::cerr << Usage;
        return 2;
    }
    std::size_t size = 0;
    std::uint64_t seed = 0;
    try {
        std::size_t used = 0;
        size = std::stoul(argv[1], &used);
        if (argv[1][used] != '\0' || size > morva::MaxFileSize)
            throw std::invalid_argument("size");
        seed = std::stoull(argv[2], &used);
        if (argv[2][used] != '\0')
            throw std::invalid_argument("seed");
    } catch (const std::logic_error&) {
        std::cerr << Usage;
        return 2;
    }
    try {
        auto dictionary = morva::GenerateDictionary(seed, size);
        const std::size_t imageSize = dictionary.Image.size();
        auto file = std::move(dictionary.Image);
        morva::Scramble(file);
        if (!WriteBytes(argv[3], file))
            return 1;
        const std::string source = argc == 5 ? morva::FormatSource(dictionary.Source) : std::string();
        if (argc == 5 && !WriteBytes(argv[4], {reinterpret_cast<const std::uint8_t*>(source.data()), source.size()}))
            return 1;
        std::cout << imageSize << " bytes, " << dictionary.Source.Senses.size() << " senses, "
                  << dictionary.Source.Phrases.size() << " phrases\n";
        return 0;
    } catch (const std::length_error& e) {
        std::cerr << "morva-gen: " << e.what() << '\n';
        return 1;
    }
}
