#include "lookup/EntryTexts.h"

#include "engine/KovrObj.h"
#include "engine/TextRules.h"

#include <array>

namespace morva {
namespace {

constexpr std::uint32_t WordEntry = 1, PhraseEntry = 2;
constexpr std::array<std::size_t, LanguageCount> SenseTextWord = {0, 3, 4};
constexpr std::array<std::size_t, LanguageCount> PhraseTextWord = {0, 1, 2};

bool IsTranslation(std::string_view text)
{
    if (text.empty())
        return false;
    const std::string normal = NormalizeEntryText(text);
    return !normal.empty() && normal[0] != '=' && normal[0] != '*';
}

} // namespace

std::vector<EntryText> EntryTranslations(const TUzDictionary& dict, Language list, std::int32_t index,
                                         Language language)
{
    const DictImage& image = dict.Image();
    const std::size_t entry = dict.EntryOffset(list, index);
    std::vector<EntryText> texts;
    const auto add = [&](std::uint32_t record, std::size_t word, bool isPhrase) {
        const std::string_view text = image.Text(image.Word(std::size_t(record) + 4 * word));
        if (IsTranslation(text))
            texts.push_back({text, isPhrase});
    };
    const std::uint32_t kind = image.Word(entry);
    if (kind == PhraseEntry) {
        add(image.Word(entry + 8), PhraseTextWord[language], true);
    } else if (kind == WordEntry) {
        std::size_t at = entry + 8;
        for (std::uint32_t record; (record = image.Word(at)) != 0; at += 4)
            add(record, SenseTextWord[language], false);
        for (at += 4; std::uint32_t record = image.Word(at); at += 4)
            add(record, PhraseTextWord[language], true);
    }
    return texts;
}

} // namespace morva
