#include "text/Ipa93.h"

#include <map>

namespace morva {
namespace {

constexpr std::u16string_view GlyphText(const IpaGlyph& glyph)
{
    return {glyph.unicode, glyph.unicode[1] ? 2u : 1u};
}

constexpr bool IsReserved(unsigned char byte)
{
    return IpaReservedBytes.find(char(byte)) != std::string_view::npos;
}

// For each byte, its position in the table, or -1 for a byte without an IPA meaning.
constexpr std::array<short, 256> BuildByteIndex()
{
    std::array<short, 256> index{};
    index.fill(-1);
    for (std::size_t i = 0; i < Ipa93Glyphs.size(); ++i)
        index[Ipa93Glyphs[i].byte] = short(i);
    return index;
}

constexpr std::array<short, 256> ByteIndex = BuildByteIndex();

// Several bytes share a character (the narrow and high variants of the diacritics); the first
// one in byte order is the plain one, unless it is reserved and a variant is not.
const std::map<std::u16string_view, unsigned char>& PreferredBytes()
{
    static const auto preferred = [] {
        std::map<std::u16string_view, unsigned char> bytes;
        for (const auto& glyph : Ipa93Glyphs) {
            auto [it, added] = bytes.try_emplace(GlyphText(glyph), glyph.byte);
            if (!added && IsReserved(it->second) && !IsReserved(glyph.byte))
                it->second = glyph.byte;
        }
        return bytes;
    }();
    return preferred;
}

} // namespace

std::u16string DecodeIpa(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        const short i = ByteIndex[static_cast<unsigned char>(c)];
        if (i < 0)
            text += u'\uFFFD';
        else
            text += GlyphText(Ipa93Glyphs[std::size_t(i)]);
    }
    return text;
}

IpaEncoding EncodeIpa(std::u16string_view text)
{
    const auto& preferred = PreferredBytes();
    IpaEncoding result;
    std::size_t i = 0;
    while (i < text.size()) {
        bool matched = false;
        for (std::size_t length : {2u, 1u}) {
            if (i + length > text.size())
                continue;
            auto it = preferred.find(text.substr(i, length));
            if (it != preferred.end()) {
                result.bytes += char(it->second);
                i += length;
                matched = true;
                break;
            }
        }
        if (matched)
            continue;
        if (text[i] == u'g') {
            result.bytes += char(0x67);
            ++i;
            continue;
        }
        const bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size();
        const auto character = text.substr(i, pair ? 2 : 1);
        if (result.unencodable.find(character) == std::u16string::npos)
            result.unencodable += character;
        i += character.size();
    }
    return result;
}

} // namespace morva
