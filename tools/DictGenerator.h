#pragma once
// Large synthetic dictionaries for benchmarks and tests: made-up words in all three
// languages, built from syllables so they read like English, Uzbek and Russian, with senses,
// phrases, phrase entries, references, notes and remarks. Deterministic from the seed.

#include "tools/DictCompiler.h"

#include <cstdint>
#include <vector>

namespace morva {

// The first `concepts` concepts of the seed's endless stream, each a few records; a larger
// count only adds records after those of a smaller one.
DictSource GenerateSource(std::uint64_t seed, std::size_t concepts);

struct GeneratedDictionary {
    DictSource Source; // as the compiler reads it (ReadAsCompiled): its text compiles to the image
    std::vector<std::uint8_t> Image; // unscrambled, sealed
};

// A dictionary of the stream whose file is at most maxBytes and at least about 98 per cent of
// it (for very small sizes, the largest that fits). Throws std::length_error when even the smallest one does not fit.
GeneratedDictionary GenerateDictionary(std::uint64_t seed, std::size_t maxBytes);

} // namespace morva
