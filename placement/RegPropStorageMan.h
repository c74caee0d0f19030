#pragma once
// TRegPropStorageMan: where placement streams live in the registry. A section is the key
// Path\Section holding the stream as hexadecimal text in Line0000000000, Line0000000001, ...
// of 80 characters each.

#include "platform/Registry.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace morva {

inline constexpr std::size_t PlacementLineLength = 80;

// "Line" and the number in ten digits.
std::string PlacementLineName(std::size_t number);

class TRegPropStorageMan {
public:
    explicit TRegPropStorageMan(IRegistry& registry, std::string path = ProgramKeyPath)
        : Path(std::move(path)), registry_(registry)
    {
    }

    std::string Path;

    // The older form: one value named after the section directly under Path. Nothing when
    // there is none. Throws EReadError for a value that is no stream.
    std::optional<std::vector<std::uint8_t>> ReadOlderForm(const std::string& section);
    void DeleteOlderForm(const std::string& section);

    // The stream from the section's Line values, up to the first missing number. Nothing
    // when the key or its first line is missing.
    std::optional<std::vector<std::uint8_t>> ReadSection(const std::string& section);
    // Writes the stream's lines and deletes the surplus lines of a longer earlier stream, all
    // in one registry transaction. Throws ERegistryError.
    void WriteSection(const std::string& section, std::span<const std::uint8_t> stream);

private:
    std::string SectionPath(const std::string& section) const { return Path + "\\" + section; }

    IRegistry& registry_;
};

} // namespace morva
