#pragma once
// The bundled sample dictionary, as the build compiles it.

#include "engine/KovrObj.h"

#include <cstdlib>
#include <string>

namespace morva::test {

inline const TUzDictionary& SampleDictionary()
{
    static const TUzDictionary dict(std::filesystem::path(std::getenv("MORVA_BIN")) / DataFileName);
    return dict;
}

} // namespace morva::test
