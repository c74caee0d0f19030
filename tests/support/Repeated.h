#pragma once

#include <cstddef>
#include <string>

namespace morva::test {

// piece, times times over: the long damaged inputs of the robustness tests.
inline std::string Repeated(const std::string& piece, std::size_t times)
{
    std::string text;
    text.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

} // namespace morva::test
