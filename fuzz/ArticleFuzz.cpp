// libFuzzer target: any byte string, taken as an unscrambled data-file image, is loaded and
// every entry of every list is rendered under all six language pairs; the fast searches are
// checked against the plain scans on the file's own headwords. Headwords and articles also go
// through the Latin Uzbek conversions, whose results must hold their defining properties.

#include "engine/DictionaryError.h"
#include "engine/FileFormat.h"
#include "engine/KovrObj.h"
#include "engine/LinearSearch.h"
#include "engine/TextRules.h"
#include "text/ArticleText.h"
#include "text/CodePage1251.h"
#include "text/UzbekArticle.h"
#include "text/UzbekLatin.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

using namespace morva;

// The searches are quadratic against the scans; a few dozen probes per list find what they find.
constexpr std::int32_t SearchProbes = 48;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void ProbeSearches(const TUzDictionary& dict, std::string_view text)
{
    Check(dict.FindHeadword(text) == LinearFindHeadword(dict, dict.SourceLanguage(), text));
    Check(dict.NearestHeadword(text) == LinearNearestHeadword(dict, dict.SourceLanguage(), text));
}

// Typed Latin never grows and converts once for all; the display conversion takes anything.
void ExerciseUzbekLatin(std::string_view text)
{
    const std::u16string wide = DictTextToWide(text);
    const std::u16string once = ConvertUzbekLatin(wide);
    Check(once.size() <= wide.size());
    Check(ConvertUzbekLatin(once) == once);
    UzbekCyrillicToLatin(wide);
}

void ExerciseList(TUzDictionary& dict)
{
    for (std::int32_t i = 0; i < dict.Count(); ++i) {
        std::string headword;
        try {
            headword = dict.Headword(i);
        } catch (const EDictionaryError&) {
            continue;
        }
        NormalizeEntryText(headword);
        MatchForm(headword);
        TrimParentheticals(headword);
        ContainsWholeWord(headword, headword + " " + headword);
        ExerciseUzbekLatin(headword);
        if (i >= SearchProbes)
            continue;
        try {
            ProbeSearches(dict, headword);
            ProbeSearches(dict, headword.substr(0, headword.size() / 2));
        } catch (const EDictionaryError&) {
        }
    }
    for (Language target : {English, Uzbek, Russian}) {
        if (target == dict.SourceLanguage())
            continue;
        dict.SetTargetLanguage(target);
        for (std::int32_t i = 0; i < dict.Count(); ++i) {
            try {
                const std::string html = dict.ArticleHtml(i);
                Check(html == dict.ArticleHtml(i));
                ArticleToWide(html);
                ArticleToWide(ArticleInUzbekLatin(html, {true, true}));
            } catch (const EDictionaryError&) {
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> image(data, data + size);
    // Get past the length and checksum checks, which the unit tests cover, to the lists.
    if (image.size() >= FileHeaderSize && image.size() <= MaxFileSize) {
        WriteWord(image, HeaderLengthWord, std::uint32_t(image.size()));
        SealImage(image);
    }
    Scramble(image);
    try {
        TUzDictionary dict(std::move(image));
        for (Language source : {English, Uzbek, Russian}) {
            dict.SelectSourceLanguage(source);
            ExerciseList(dict);
        }
    } catch (const EDictionaryError&) {
    }
    return 0;
}
