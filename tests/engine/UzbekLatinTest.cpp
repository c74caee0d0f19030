// Uzbek in the Latin alphabet: typed Latin to the dictionary's Cyrillic, and Cyrillic shown
// in Latin.

#include "text/UzbekLatin.h"
#include "text/Utf8.h"

#include <gtest/gtest.h>

namespace morva {
namespace {

struct TWordPair {
    std::u16string_view Latin;
    std::u16string_view Cyrillic;
};

// Words that convert both ways, in the 1995 spelling with ‘ for o‘ g‘ and ’ for the sign.
constexpr TWordPair BothWays[] = {
    {u"kitob", u"китоб"},         {u"o‘g‘il", u"ўғил"},       {u"qo‘l", u"қўл"},
    {u"g‘isht", u"ғишт"},         {u"yo‘l", u"йўл"},          {u"yo‘q", u"йўқ"},
    {u"o‘qituvchi", u"ўқитувчи"}, {u"tog‘", u"тоғ"},          {u"bog‘", u"боғ"},
    {u"eshik", u"эшик"},          {u"ekin", u"экин"},         {u"poeziya", u"поэзия"},
    {u"aeroport", u"аэропорт"},   {u"teatr", u"театр"},       {u"kel", u"кел"},
    {u"yer", u"ер"},              {u"yetti", u"етти"},        {u"obyekt", u"объект"},
    {u"yomon", u"ёмон"},          {u"yulduz", u"юлдуз"},      {u"yaxshi", u"яхши"},
    {u"oyoq", u"оёқ"},            {u"dunyo", u"дунё"},        {u"tayyor", u"тайёр"},
    {u"aktyor", u"актёр"},        {u"otryad", u"отряд"},      {u"qiyomat", u"қиёмат"},
    {u"shahar", u"шаҳар"},        {u"choy", u"чой"},          {u"Is’hoq", u"Исҳоқ"},
    {u"as’hob", u"асҳоб"},        {u"bosh", u"бош"},          {u"ma’no", u"маъно"},
    {u"san’at", u"санъат"},       {u"she’r", u"шеър"},        {u"mas’ul", u"масъул"},
    {u"ming", u"минг"},           {u"tong", u"тонг"},         {u"ketsa", u"кетса"},
    {u"xat", u"хат"},             {u"hafta", u"ҳафта"},       {u"qalam", u"қалам"},
    {u"uy", u"уй"},               {u"jo‘ja", u"жўжа"},        {u"Toshkent", u"Тошкент"},
    {u"O‘zbekiston", u"Ўзбекистон"}, {u"Shahar", u"Шаҳар"},   {u"SHAHAR", u"ШАҲАР"},
    {u"Choy", u"Чой"},            {u"CHOY", u"ЧОЙ"},          {u"O‘G‘IL", u"ЎҒИЛ"},
    {u"Yer", u"Ер"},              {u"YER", u"ЕР"},            {u"Eshik", u"Эшик"},
    {u"Yomon", u"Ёмон"},          {u"MA’NO", u"МАЪНО"},       {u"kitob va qalam", u"китоб ва қалам"},
};

TEST(UzbekLatin, WordsConvertBothWays)
{
    for (const auto& [latin, cyrillic] : BothWays) {
        EXPECT_EQ(WideToUtf8(UzbekLatinToCyrillic(latin)), WideToUtf8(cyrillic)) << WideToUtf8(latin);
        EXPECT_EQ(WideToUtf8(UzbekCyrillicToLatin(cyrillic)), WideToUtf8(latin)) << WideToUtf8(cyrillic);
    }
}

TEST(UzbekLatin, TypedVariantsReachTheSameCyrillic)
{
    const TWordPair typed[] = {
        // Every apostrophe people type for o‘ and g‘.
        {u"o'g'il", u"ўғил"}, {u"o`g`il", u"ўғил"}, {u"oʻgʻil", u"ўғил"}, {u"oʼgʼil", u"ўғил"},
        {u"o’g’il", u"ўғил"}, {u"yo'l", u"йўл"},
        // The sign typed as any apostrophe; between s and h it only parts them.
        {u"ma'no", u"маъно"}, {u"Is'hoq", u"Исҳоқ"}, {u"sh", u"ш"}, {u"s'", u"съ"},
        // The newer spelling.
        {u"şahar", u"шаҳар"}, {u"çoy", u"чой"}, {u"ğişt", u"ғишт"}, {u"óğil", u"ўғил"},
        {u"ŞAHAR", u"ШАҲАР"}, {u"Óğil", u"Ўғил"},
        // Capitals follow the first letter of a pair.
        {u"SHahar", u"Шаҳар"}, {u"YOMON", u"ЁМОН"}, {u"OBYEKT", u"ОБЪЕКТ"}, {u"sHahar", u"шаҳар"},
        // c on its own is ц; ch is ч.
        {u"sirk", u"сирк"}, {u"cirk", u"цирк"},
        // Not Uzbek letters, and what is no letter, stay.
        {u"wow 12!", u"w\u043Ew 12!"}, {u"'kitob", u"'китоб"}, {u"jam’", u"жамъ"}, {u"kitob, qalam.", u"китоб, қалам."},
        // Cyrillic already in the text joins with Latin typed after it.
        {u"шаh", u"шаҳ"}, {u"сh", u"ш"}, {u"йo", u"ё"},
    };
    for (const auto& [latin, cyrillic] : typed)
        EXPECT_EQ(WideToUtf8(UzbekLatinToCyrillic(latin)), WideToUtf8(cyrillic)) << WideToUtf8(latin);
}

TEST(UzbekLatin, CyrillicShownInLatin)
{
    const TWordPair shown[] = {
        {u"sirk", u"цирк"}, {u"litsey", u"лицей"}, {u"kompyuter", u"компьютер"}, {u"pyesa", u"пьеса"},
        {u"Sh", u"Ш"}, {u"O‘", u"Ў"}, {u"book (kitob)", u"book (китоб)"},
        {u"yelka, yer", u"елка, ер"}, {u"noun", u"noun"},
    };
    for (const auto& [latin, cyrillic] : shown)
        EXPECT_EQ(WideToUtf8(UzbekCyrillicToLatin(cyrillic)), WideToUtf8(latin)) << WideToUtf8(cyrillic);
}

TEST(UzbekLatin, TypingLetterByLetterGivesTheWholeWord)
{
    // The field converts after every keystroke what it holds so far plus the new letter, once
    // that is typed Latin: the apostrophe of tog‘ comes after a letter already Cyrillic.
    for (const auto& [latin, cyrillic] : BothWays) {
        std::u16string field;
        for (const char16_t letter : latin) {
            field += letter;
            field = UzbekSearchToCyrillic(field);
        }
        EXPECT_EQ(WideToUtf8(field), WideToUtf8(cyrillic)) << WideToUtf8(latin);
    }
}

TEST(UzbekLatin, TextWithoutLatinLettersIsUntouched)
{
    const std::u16string_view untouched[] = {
        u"", u"китоб", u"о‘ғил", u"с’ҳ", u"ма'но", u"12 - 3", u"'", u"Ѓќ",
    };
    for (const auto text : untouched)
        EXPECT_EQ(WideToUtf8(UzbekLatinToCyrillic(text)), WideToUtf8(text));
}

TEST(UzbekLatin, SecondConversionChangesNothingAndNothingGrows)
{
    for (const auto& [latin, cyrillic] : BothWays) {
        const std::u16string once = UzbekLatinToCyrillic(latin);
        EXPECT_EQ(ConvertUzbekLatin(once), once) << WideToUtf8(latin);
        EXPECT_LE(once.size(), latin.size());
    }
}

} // namespace
} // namespace morva
