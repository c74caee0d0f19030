#pragma once
// The integer properties of a placement stream, for tests that check what was stored.

#include "placement/PlacementStream.h"

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace morva::test {

using TStreamProperties = std::vector<std::pair<std::string, int>>;

// In stream order.
inline TStreamProperties StreamProperties(std::span<const std::uint8_t> stream)
{
    TStreamReader reader(stream);
    reader.ReadSignature();
    reader.ReadPrefix();
    reader.ReadStr();
    reader.ReadStr();
    TStreamProperties properties;
    while (!reader.EndOfList()) {
        std::string name = reader.ReadStr();
        properties.emplace_back(std::move(name), reader.ReadInteger());
    }
    return properties;
}

// A window's stream of the given class and component name, up to its properties' end.
inline TStreamWriter StreamUpToProperties(const std::string& className, const std::string& component,
                                          const TStreamProperties& properties)
{
    TStreamWriter writer;
    writer.WriteSignature();
    writer.WriteStr(className);
    writer.WriteStr(component);
    for (const auto& [name, value] : properties) {
        writer.WriteStr(name);
        writer.WriteInteger(value);
    }
    return writer;
}

// The whole stream, as hexadecimal text.
inline std::string StreamHex(const std::string& className, const std::string& component,
                             const TStreamProperties& properties)
{
    TStreamWriter writer = StreamUpToProperties(className, component, properties);
    writer.WriteListEnd();
    writer.WriteListEnd();
    writer.WriteListEnd();
    return HexEncode(writer.Bytes());
}

} // namespace morva::test
