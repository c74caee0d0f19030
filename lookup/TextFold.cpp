#include "lookup/TextFold.h"

#include "engine/Collation.h"
#include "engine/TextRules.h"

namespace morva {

char LowerDictChar(char c)
{
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDF))
        return char(b + 0x20);
    switch (b) {
    case 0xA8: return char(0xB8); // Ё
    case 0xA1: return char(0xA2); // Ў
    case 0x8D: return char(0x9D); // Қ
    case 0x81: return char(0x83); // Ғ
    case 0x8E: return char(0x9E); // Ҳ
    default: return c;
    }
}

std::string LowerDictText(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = LowerDictChar(c);
    return lower;
}

std::string CollationKey(std::string_view text)
{
    std::string key(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        key[i] = char(CollationWeights[static_cast<unsigned char>(text[i])]);
    return key;
}

std::vector<std::string_view> SplitWords(std::string_view text)
{
    std::vector<std::string_view> words;
    SplitWords(text, words);
    return words;
}

void SplitWords(std::string_view text, std::vector<std::string_view>& words)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || IsWordSeparator(static_cast<unsigned char>(text[i]))) {
            if (i > start)
                words.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
}

std::uint64_t CollationHash(std::string_view text)
{
    // FNV-1a over the weights.
    std::uint64_t hash = 14695981039346656037ull;
    for (char c : text) {
        hash ^= CollationWeights[static_cast<unsigned char>(c)];
        hash *= 1099511628211ull;
    }
    return hash;
}

} // namespace morva
