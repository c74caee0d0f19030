#pragma once
// Small data files for tests, written below the test's own home.

#include "engine/DictWriter.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace morva::test {

// Writes the bytes as they are (already scrambled, or deliberately broken).
std::filesystem::path WriteBytes(const std::string& name, const std::vector<std::uint8_t>& bytes);

// Scrambles an unscrambled image and writes it; `seal` first sets its check word.
std::filesystem::path WriteImage(const std::string& name, std::vector<std::uint8_t> image, bool seal = true);

// Dictionary text from a readable UTF-16 literal: Dict(u"қишлоқ").
std::string Dict(std::u16string_view text);

// A word entry with one sense whose texts in all three languages are the given ones.
SenseRecord Sense(std::string english, std::string uzbek, std::string russian, std::string transcription = {});

// One entry per language: "book" / "kitob" / "kniga" style fixtures for the loading tests.
TDictWriter SmallDictionary();

// A data file of bare headwords, a list per language, written into the folder.
std::filesystem::path WriteHeadwords(const std::filesystem::path& folder, const std::vector<std::string>& english,
                                     const std::vector<std::string>& uzbek, const std::vector<std::string>& russian);

} // namespace morva::test
