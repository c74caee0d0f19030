#include "placement/RegPropStorageMan.h"

#include "placement/PlacementStream.h"

#include <cstdio>

namespace morva {
namespace {

// The text notation's lines, or the hexadecimal digits, as the binary stream.
std::vector<std::uint8_t> StreamFromLines(const std::vector<std::string>& lines)
{
    std::string text;
    if (LooksLikeObjectText(lines.front())) {
        for (const std::string& line : lines)
            text += line + "\r\n";
        return ObjectTextToBinary(text);
    }
    for (const std::string& line : lines)
        text += line;
    return HexDecode(text);
}

} // namespace

std::string PlacementLineName(std::size_t number)
{
    char name[32];
    std::snprintf(name, sizeof name, "Line%010zu", number);
    return name;
}

std::optional<std::vector<std::uint8_t>> TRegPropStorageMan::ReadOlderForm(const std::string& section)
{
    auto key = registry_.OpenKey(Path, false);
    if (!key)
        return std::nullopt;
    std::optional<TRegValue> value = key->ReadValue(section);
    if (!value)
        return std::nullopt;
    if (value->Type == TRegType::Binary)
        return value->Bytes;
    if (!value->IsString())
        throw EReadError("Invalid data type for '" + section + "'");
    if (LooksLikeObjectText(value->Text))
        return ObjectTextToBinary(value->Text);
    return std::vector<std::uint8_t>(value->Text.begin(), value->Text.end());
}

void TRegPropStorageMan::DeleteOlderForm(const std::string& section)
{
    if (auto key = registry_.OpenKey(Path, false))
        key->DeleteValue(section);
}

std::optional<std::vector<std::uint8_t>> TRegPropStorageMan::ReadSection(const std::string& section)
{
    auto key = registry_.OpenKey(SectionPath(section), false);
    if (!key)
        return std::nullopt;
    const std::size_t count = key->ValueNames().size();
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string name = PlacementLineName(i);
        std::optional<TRegValue> value = key->ReadValue(name);
        if (!value)
            break;
        if (!value->IsString())
            throw EReadError("Invalid data type for '" + name + "'");
        lines.push_back(value->Text);
    }
    if (lines.empty())
        return std::nullopt;
    return StreamFromLines(lines);
}

void TRegPropStorageMan::WriteSection(const std::string& section, std::span<const std::uint8_t> stream)
{
    const std::string text = HexEncode(stream);
    // One write for all lines: a stream is never stored half old, half new.
    TRegistryTransaction transaction(registry_);
    auto key = registry_.OpenKey(SectionPath(section), true);
    std::size_t number = 0;
    for (std::size_t at = 0; at < text.size(); at += PlacementLineLength)
        key->WriteValue(PlacementLineName(number++), TRegValue::String(text.substr(at, PlacementLineLength)));
    while (key->DeleteValue(PlacementLineName(number)))
        ++number;
    transaction.Commit();
}

} // namespace morva
