#include "lookup/EntryTexts.h"

#include "engine/FileFormat.h"
#include "engine/KovrObj.h"
#include "engine/TextRules.h"

#include <array>

namespace morva {
namespace {

constexpr std::array<std::size_t, LanguageCount> SenseTextWord = {0, 3, 4};
constexpr std::array<std::size_t, LanguageCount> PhraseTextWord = {0, 1, 2};

// Only these texts can normalise to a reference or a note: remarks in braces, a marker, a
// spelled-out "see" or "from" at the start, or "дан" at the end. Every other text is a
// translation as it stands, which spares the normalisation for nearly all of them.
bool MayBeReference(std::string_view text)
{
    text = TrimmedText(text);
    if (text.empty() || text.find_first_of("{}") != std::string_view::npos)
        return true;
    constexpr std::string_view starts = "=*\xF1\x9D\x8D\xEE"; // = * с қ Қ о
    return starts.find(text.front()) != std::string_view::npos || text.ends_with("\xE4\xE0\xED");
}

} // namespace

namespace detail {

bool IsTranslation(std::string_view text)
{
    if (!MayBeReference(text))
        return true;
    const std::string normal = NormalizeEntryText(text);
    return !normal.empty() && normal[0] != '=' && normal[0] != '*';
}

void EntryRecords(const TUzDictionary& dict, Language list, std::int32_t index,
                  std::vector<std::pair<std::uint32_t, bool>>& records)
{
    records.clear();
    const DictImage& image = dict.Image();
    const std::size_t entry = dict.EntryOffset(list, index);
    const std::uint32_t kind = image.Word(entry);
    if (kind == PhraseEntry) {
        records.emplace_back(image.Word(entry + 8), true);
    } else if (kind == WordEntry) {
        std::size_t at = entry + 8;
        for (std::uint32_t record; (record = image.Word(at)) != 0; at += 4)
            records.emplace_back(record, false);
        for (at += 4; std::uint32_t record = image.Word(at); at += 4)
            records.emplace_back(record, true);
    }
}

std::string_view RecordText(const TUzDictionary& dict, std::uint32_t record, bool isPhrase, Language language)
{
    const DictImage& image = dict.Image();
    const std::size_t word = isPhrase ? PhraseTextWord[language] : SenseTextWord[language];
    return image.Text(image.Word(std::size_t(record) + 4 * word));
}

} // namespace detail

std::vector<EntryText> EntryTranslations(const TUzDictionary& dict, Language list, std::int32_t index,
                                         Language language)
{
    std::vector<EntryText> texts;
    ForEachTranslation(dict, list, index, language, [&](const EntryText& text) { texts.push_back(text); });
    return texts;
}

} // namespace morva
