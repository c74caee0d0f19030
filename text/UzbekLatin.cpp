#include "text/UzbekLatin.h"

#include <array>
#include <optional>

namespace morva {
namespace {

// The Cyrillic letters the rules name, small.
constexpr char16_t kA = u'а', kIe = u'е', kYo = u'ё', kI = u'и', kShortI = u'й', kO = u'о', kU = u'у';
constexpr char16_t kG = u'г', kS = u'с', kTse = u'ц', kSha = u'ш', kChe = u'ч', kHard = u'ъ', kSoft = u'ь';
constexpr char16_t kE = u'э', kYu = u'ю', kYa = u'я', kShortU = u'ў', kGh = u'ғ', kHa = u'ҳ', kYeru = u'ы';

// The newer spelling's letters, small and capital.
constexpr char16_t kSCedilla = 0x015F, kCapitalSCedilla = 0x015E;
constexpr char16_t kCCedilla = 0x00E7, kCapitalCCedilla = 0x00C7;
constexpr char16_t kGBreve = 0x011F, kCapitalGBreve = 0x011E;
constexpr char16_t kOAcute = 0x00F3, kCapitalOAcute = 0x00D3;

char16_t ToLower(char16_t c)
{
    if ((c >= u'A' && c <= u'Z') || (c >= 0x0410 && c <= 0x042F))
        return c + 0x20;
    if (c >= 0x0400 && c <= 0x040F)
        return c + 0x50;
    // Қ Ғ Ҳ and their neighbours: capital even, small odd.
    if (c >= 0x0490 && c <= 0x04BF && c % 2 == 0)
        return c + 1;
    switch (c) {
    case kCapitalSCedilla: return kSCedilla;
    case kCapitalCCedilla: return kCCedilla;
    case kCapitalGBreve: return kGBreve;
    case kCapitalOAcute: return kOAcute;
    default: return c;
    }
}

char16_t ToUpper(char16_t c)
{
    if ((c >= u'a' && c <= u'z') || (c >= 0x0430 && c <= 0x044F))
        return c - 0x20;
    if (c >= 0x0450 && c <= 0x045F)
        return c - 0x50;
    if (c >= 0x0490 && c <= 0x04BF && c % 2 == 1)
        return c - 1;
    return c;
}

bool IsUpper(char16_t c)
{
    return ToLower(c) != c;
}

char16_t Cased(char16_t small, bool upper)
{
    return upper ? ToUpper(small) : small;
}

bool IsCyrillicLetter(char16_t c)
{
    return (c >= 0x0400 && c <= 0x045F) || (c >= 0x0490 && c <= 0x04FF);
}

bool IsLetter(char16_t c)
{
    return IsCyrillicLetter(c) || IsLatinLetter(c);
}

bool IsCyrillicVowel(char16_t c)
{
    switch (ToLower(c)) {
    case kA: case kIe: case kYo: case kI: case kO: case kU: case kYeru: case kE: case kYu: case kYa: case kShortU:
        return true;
    default:
        return false;
    }
}

bool IsCyrillicConsonant(char16_t c)
{
    const char16_t small = ToLower(c);
    return IsCyrillicLetter(c) && !IsCyrillicVowel(c) && small != kShortI && small != kHard && small != kSoft;
}

// The Cyrillic letter of each small Latin letter a to z on its own; w has none.
constexpr std::array<char16_t, 26> kLatinToCyrillic = {
    u'а', u'б', u'ц', u'д', u'е', u'ф', u'г', u'ҳ', u'и', u'ж', u'к', u'л', u'м',
    u'н', u'о', u'п', u'қ', u'р', u'с', u'т', u'у', u'в', 0, u'х', u'й', u'з',
};

char16_t SingleCyrillic(char16_t small)
{
    switch (small) {
    case kSCedilla: return kSha;
    case kCCedilla: return kChe;
    case kGBreve: return kGh;
    case kOAcute: return kShortU;
    default: return small >= u'a' && small <= u'z' ? kLatinToCyrillic[small - u'a'] : 0;
    }
}

// Both letters capital: the sign or letter that joins them is capital too.
bool BothUpper(const std::u16string& out)
{
    return out.size() >= 2 && IsUpper(out[out.size() - 1]) && IsUpper(out[out.size() - 2]);
}

// h after с or ц makes ш or ч, unless the sign stands between them (s’h is сҳ).
bool MergeH(std::u16string& out, bool upper)
{
    char16_t& last = out.back();
    const char16_t small = ToLower(last);
    if (small == kS || small == kTse) {
        last = Cased(small == kS ? kSha : kChe, IsUpper(last));
        return true;
    }
    if (small == kHard && out.size() >= 2) {
        const char16_t before = ToLower(out[out.size() - 2]);
        if (before == kS || before == kTse) {
            out.back() = Cased(kHa, upper);
            return true;
        }
    }
    return false;
}

// y before a vowel: yo ya yu ye are ё я ю е. After a consonant, ye is ъе (obyekt is объект).
bool MergeAfterY(std::u16string& out, char16_t vowel)
{
    const char16_t last = out.back();
    if (ToLower(last) != kShortI)
        return false;
    const bool upper = IsUpper(last);
    switch (vowel) {
    case u'o': out.back() = Cased(kYo, upper); return true;
    case u'a': out.back() = Cased(kYa, upper); return true;
    case u'u': out.back() = Cased(kYu, upper); return true;
    default: break;
    }
    if (out.size() >= 2 && IsCyrillicConsonant(out[out.size() - 2])) {
        out.back() = Cased(kHard, BothUpper(out));
        out += Cased(kIe, upper);
    } else {
        out.back() = Cased(kIe, upper);
    }
    return true;
}

void AppendLatinLetter(std::u16string& out, char16_t c)
{
    const char16_t small = ToLower(c);
    const bool upper = IsUpper(c);
    if (!out.empty()) {
        if (small == u'h' && MergeH(out, upper))
            return;
        if ((small == u'o' || small == u'a' || small == u'u' || small == u'e') && MergeAfterY(out, small))
            return;
    }
    if (small == u'e') {
        // e opens a word or follows a vowel as э.
        const bool wordStart = out.empty() || !IsLetter(out.back());
        out += Cased(wordStart || IsCyrillicVowel(out.back()) ? kE : kIe, upper);
        return;
    }
    const char16_t cyrillic = SingleCyrillic(small);
    out += cyrillic ? Cased(cyrillic, upper) : c;
}

// o‘ and g‘ are ў and ғ; after any other letter the apostrophe is the sign ъ. Elsewhere it is
// a quotation mark and stays.
void AppendApostrophe(std::u16string& out, char16_t c)
{
    if (out.empty() || !IsLetter(out.back())) {
        out += c;
        return;
    }
    char16_t& last = out.back();
    const char16_t small = ToLower(last);
    const bool upper = IsUpper(last);
    if (small == kO) {
        last = Cased(kShortU, upper);
    } else if (small == kG) {
        last = Cased(kGh, upper);
    } else if (small == kYo) {
        // yo‘ was taken for ё too early: it is йў (yo‘l is йўл).
        const bool allUpper = BothUpper(out);
        last = Cased(kShortI, upper);
        out += Cased(kShortU, allUpper);
    } else {
        out += Cased(kHard, BothUpper(out));
    }
}

// The Latin of each small Cyrillic letter а to я; е, с, ц and ъ depend on their neighbours.
constexpr std::array<std::u16string_view, 32> kCyrillicToLatin = {
    u"a", u"b", u"v", u"g", u"d", u"e", u"j", u"z", u"i", u"y", u"k", u"l", u"m", u"n", u"o", u"p",
    u"r", u"s", u"t", u"u", u"f", u"x", u"ts", u"ch", u"sh", u"sh", u"\u2019", u"i", u"", u"e", u"yu", u"ya",
};

bool IsIotated(char16_t c)
{
    const char16_t small = ToLower(c);
    return small == kIe || small == kYo || small == kYu || small == kYa;
}

// prev and next are 0 at the ends of the text; nothing for a letter that is not Uzbek.
std::optional<std::u16string_view> LatinOf(char16_t small, char16_t prev, char16_t next)
{
    const bool afterVowel = prev && IsCyrillicVowel(prev);
    switch (small) {
    case kIe: {
        // е opens a word, or follows a vowel or a sign, as ye.
        const char16_t before = ToLower(prev);
        return !IsLetter(prev) || afterVowel || before == kHard || before == kSoft ? u"ye" : u"e";
    }
    case kTse:
        return afterVowel ? u"ts" : u"s";
    case kS:
        // сҳ keeps the sign, or it would read as ш.
        return ToLower(next) == kHa ? u"s\u2019" : u"s";
    case kHard:
        // Before е ё ю я the y already parts the sounds.
        return IsIotated(next) ? u"" : u"\u2019";
    case kYo: return u"yo";
    case kShortU: return u"o\u2018";
    case u'қ': return u"q";
    case kGh: return u"g\u2018";
    case kHa: return u"h";
    default:
        return small >= kA && small <= kYa ? kCyrillicToLatin[small - kA] : std::optional<std::u16string_view>();
    }
}

// A capital that becomes two Latin letters is all capitals among capitals (SH), else Sh.
void AppendCased(std::u16string& out, std::u16string_view latin, bool upper, bool allUpper)
{
    for (std::size_t i = 0; i < latin.size(); ++i)
        out += upper && (i == 0 || allUpper) ? ToUpper(latin[i]) : latin[i];
}

} // namespace

bool IsLatinLetter(char16_t c)
{
    const char16_t small = ToLower(c);
    return (small >= u'a' && small <= u'z') || small == kSCedilla || small == kCCedilla || small == kGBreve
           || small == kOAcute;
}

bool HasLatinLetter(std::u16string_view text)
{
    for (const char16_t c : text)
        if (IsLatinLetter(c))
            return true;
    return false;
}

bool IsUzbekApostrophe(char16_t c)
{
    switch (c) {
    case u'\'': case u'`': case 0x2018: case 0x2019: case 0x02BB: case 0x02BC:
        return true;
    default:
        return false;
    }
}

std::u16string ConvertUzbekLatin(std::u16string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (const char16_t c : text) {
        if (IsUzbekApostrophe(c))
            AppendApostrophe(out, c);
        else if (IsLatinLetter(c))
            AppendLatinLetter(out, c);
        else
            out += c;
    }
    return out;
}

bool IsTypedUzbekLatin(std::u16string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i)
        if (IsLatinLetter(text[i]) || (i > 0 && IsUzbekApostrophe(text[i]) && IsLetter(text[i - 1])))
            return true;
    return false;
}

std::u16string UzbekSearchToCyrillic(std::u16string_view text)
{
    return IsTypedUzbekLatin(text) ? ConvertUzbekLatin(text) : std::u16string(text);
}

std::u16string UzbekLatinToCyrillic(std::u16string_view text)
{
    return HasLatinLetter(text) ? ConvertUzbekLatin(text) : std::u16string(text);
}

std::u16string UzbekCyrillicToLatin(std::u16string_view text)
{
    std::u16string out;
    out.reserve(text.size() + text.size() / 4);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const char16_t prev = i > 0 ? text[i - 1] : 0;
        const char16_t next = i + 1 < text.size() ? text[i + 1] : 0;
        const auto latin = IsCyrillicLetter(c) ? LatinOf(ToLower(c), prev, next) : std::nullopt;
        if (!latin) {
            out += c;
            continue;
        }
        const bool allUpper = IsLetter(next) ? IsUpper(next) : IsLetter(prev) && IsUpper(prev);
        AppendCased(out, *latin, IsUpper(c), allUpper);
    }
    return out;
}

} // namespace morva
