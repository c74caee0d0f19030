// Writes the seed corpus of the fuzz target: small writer-made images, and the unscrambled
// image of every data file named on the command line.
// usage: seed-corpus FOLDER [DATAFILE...]

#include "engine/DictWriter.h"
#include "engine/FileFormat.h"

#include <fstream>
#include <iostream>
#include <iterator>

namespace {

using namespace morva;

void Write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

SenseRecord Sense(std::string english, std::string transcription, std::string uzbek, std::string russian)
{
    return {std::move(english), std::move(transcription), {}, std::move(uzbek), std::move(russian)};
}

std::vector<TDictWriter> Seeds()
{
    std::vector<TDictWriter> seeds(3);
    auto& basic = seeds[0];
    basic.AddWordEntry(English, "book", {Sense("book", "b\x55k", "kitob", "\xEA\xED\xE8\xE3\xE0")},
                       {{"to book a room", "xona band qilmoq", "=\xE7\xE0\xEA\xE0\xE7"}});
    basic.AddWordEntry(Uzbek, "kitob", {Sense("book", "", "kitob", "\xEA\xED\xE8\xE3\xE0")}, {});
    basic.AddWordEntry(Russian, "\xEA\xED\xE8\xE3\xE0", {Sense("book", "", "kitob", "\xEA\xED\xE8\xE3\xE0 (kind of)")}, {});

    auto& marked = seeds[1];
    marked.AddWordEntry(English, "abandon",
                        {Sense("abandon {1}", "\xAB" "b\x51" "nd\xAB" "n", "=leave", "*note"),
                         Sense("ABANDON (smth)", "", "tashlamoq", "(\xF0\xE0\xE7\xE3.) \xE1\xF0\xEE\xF1\xE8\xF2\xFC"),
                         Sense("abandon...", "", "\xF1\xEC. leave", "abandon-\xE4\xE0\xED")},
                        {{"abandon (or leave)", "=R&D", "*x"}, {"to abandon ship", "&<>\"", "=abandon, 2"}});
    marked.AddWordEntry(English, "R&D", {}, {});
    marked.AddPhraseEntry(English, "to abandon ship", {"to abandon ship", "kema", "=abandon II"});
    marked.AddOtherEntry(English, 7, "other");
    marked.AddWordEntry(Uzbek, "tashlamoq", {Sense("abandon", "", "tashlamoq", "=abandon")}, {});
    marked.AddWordEntry(Russian, "\xE1\xF0\xEE\xF1\xE8\xF2\xFC", {}, {{"-ness", "\x85ness", "-ness"}});

    auto& minimal = seeds[2];
    for (Language l : {English, Uzbek, Russian})
        minimal.AddWordEntry(l, "a", {}, {});
    return seeds;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: seed-corpus FOLDER [DATAFILE...]\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    int n = 0;
    for (const auto& writer : Seeds())
        Write(folder / ("writer-" + std::to_string(n++)), writer.Image());
    for (int i = 2; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
        if (!in.eof() && !in) {
            std::cerr << "seed-corpus: cannot read " << argv[i] << '\n';
            return 1;
        }
        Scramble(bytes);
        Write(folder / std::filesystem::path(argv[i]).filename(), bytes);
    }
    return 0;
}
