#include "tools/DictGenerator.h"

#include "text/CodePage1251.h"
#include "text/Ipa93.h"

#include <algorithm>
#include <cmath>
#include <malloc.h>
#include <unordered_set>
#include <stdexcept>
#include <string>

namespace morva {
namespace {

// SplitMix64: the same stream on every platform, unlike the standard distributions.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    std::size_t Below(std::size_t n) { return std::size_t(Next() % n); }
    bool Percent(unsigned chance) { return Below(100) < chance; }

    template <class T, std::size_t N>
    const T& Pick(const T (&items)[N])
    {
        return items[Below(N)];
    }

private:
    std::uint64_t state_;
};

struct Sound {
    std::u16string_view Spelling, Ipa;
};

constexpr Sound EnglishOnsets[] = {
    {u"b", u"b"},    {u"br", u"br"},  {u"c", u"k"},    {u"ch", u"tʃ"}, {u"cl", u"kl"},  {u"d", u"d"},
    {u"dr", u"dr"},  {u"f", u"f"},    {u"fl", u"fl"},  {u"g", u"ɡ"},   {u"gr", u"ɡr"},  {u"h", u"h"},
    {u"j", u"dʒ"},   {u"k", u"k"},    {u"l", u"l"},    {u"m", u"m"},   {u"n", u"n"},    {u"p", u"p"},
    {u"pl", u"pl"},  {u"pr", u"pr"},  {u"qu", u"kw"},  {u"r", u"r"},   {u"s", u"s"},    {u"sh", u"ʃ"},
    {u"sl", u"sl"},  {u"sp", u"sp"},  {u"st", u"st"},  {u"str", u"str"}, {u"t", u"t"},  {u"th", u"θ"},
    {u"tr", u"tr"},  {u"v", u"v"},    {u"w", u"w"},    {u"wh", u"w"},  {u"y", u"j"},    {u"z", u"z"},
};
constexpr Sound EnglishVowels[] = {
    {u"a", u"æ"},  {u"e", u"e"},   {u"i", u"ɪ"},   {u"o", u"ɒ"},   {u"u", u"ʌ"},  {u"ai", u"eɪ"},
    {u"ea", u"iː"}, {u"ee", u"iː"}, {u"oa", u"əʊ"}, {u"oo", u"uː"}, {u"ou", u"aʊ"}, {u"ar", u"ɑː"},
    {u"or", u"ɔː"}, {u"er", u"ɜː"}, {u"oi", u"ɔɪ"}, {u"ie", u"aɪ"},
};
constexpr Sound EnglishCodas[] = {
    {u"b", u"b"},   {u"ck", u"k"},  {u"d", u"d"},
    {u"ft", u"ft"}, {u"g", u"ɡ"},  {u"l", u"l"},   {u"ll", u"l"},  {u"m", u"m"},  {u"mp", u"mp"},
    {u"n", u"n"},  {u"nd", u"nd"}, {u"ng", u"ŋ"},  {u"nk", u"ŋk"}, {u"nt", u"nt"}, {u"p", u"p"},
    {u"s", u"s"},  {u"sh", u"ʃ"},  {u"st", u"st"}, {u"t", u"t"},   {u"th", u"θ"},  {u"x", u"ks"},
};
constexpr Sound EnglishSuffixes[] = {
    {u"ness", u"nəs"}, {u"ment", u"mənt"}, {u"less", u"ləs"}, {u"er", u"ə"},
    {u"ing", u"ɪŋ"},   {u"tion", u"ʃən"},  {u"ly", u"li"},    {u"ful", u"fəl"},
};

constexpr std::u16string_view UzbekConsonants[] = {
    u"б", u"в", u"г", u"д", u"ж", u"з", u"й", u"к", u"л", u"м", u"н", u"п", u"р",
    u"с", u"т", u"ф", u"х", u"ч", u"ш", u"қ", u"ғ", u"ҳ", u"қ", u"ғ", u"ҳ", u"нг",
};
constexpr std::u16string_view UzbekVowels[] = {u"а", u"е", u"и", u"о", u"у", u"ў", u"а", u"и", u"ў"};
constexpr std::u16string_view UzbekEndings[] = {u"моқ", u"лик", u"чи", u"ли", u"сиз", u"гар", u"кор", u"ча"};

constexpr std::u16string_view RussianConsonants[] = {
    u"б", u"в", u"г", u"д", u"ж", u"з", u"к", u"л", u"м", u"н", u"п", u"р", u"с",
    u"т", u"ф", u"х", u"ц", u"ч", u"ш", u"щ", u"ст", u"пр", u"кр", u"тр", u"вл",
};
constexpr std::u16string_view RussianVowels[] = {
    u"а", u"е", u"и", u"о", u"у", u"а", u"е", u"и", u"о", u"а", u"о", u"ы", u"я", u"ю", u"ё",
};
constexpr std::u16string_view RussianEndings[] = {u"ать", u"ость", u"ный", u"ка", u"ение", u"ство", u"ить", u"ец"};

struct Word {
    std::string English, Transcription, Uzbek, Russian;
};

Word MakeWord(Random& random)
{
    std::u16string english, ipa = u"ˈ";
    const std::size_t syllables = random.Percent(60) ? 2 : random.Percent(85) ? 3 : 4;
    for (std::size_t i = 0; i < syllables; ++i) {
        const Sound onset = random.Pick(EnglishOnsets), vowel = random.Pick(EnglishVowels);
        // Closed syllables mostly at the end, as in "basket", "lemon", "tiger".
        const Sound coda = random.Percent(i + 1 == syllables ? 70 : 25) ? random.Pick(EnglishCodas) : Sound{};
        english.append(onset.Spelling).append(vowel.Spelling).append(coda.Spelling);
        ipa.append(onset.Ipa).append(vowel.Ipa).append(coda.Ipa);
    }
    if (random.Percent(15)) {
        const Sound suffix = random.Pick(EnglishSuffixes);
        english.append(suffix.Spelling);
        ipa.append(suffix.Ipa);
    }

    const auto syllableWord = [&random](const auto& consonants, const auto& vowels, const auto& endings) {
        std::u16string w;
        const std::size_t n = 1 + random.Below(3);
        for (std::size_t i = 0; i < n; ++i) {
            w.append(random.Pick(consonants)).append(random.Pick(vowels));
            if (random.Percent(40))
                w.append(random.Pick(consonants));
        }
        if (random.Percent(50))
            w.append(random.Pick(endings));
        return w;
    };
    return {WideToDictText(english), EncodeIpa(ipa).bytes,
            WideToDictText(syllableWord(UzbekConsonants, UzbekVowels, UzbekEndings)),
            WideToDictText(syllableWord(RussianConsonants, RussianVowels, RussianEndings))};
}

std::string Dict(std::u16string_view text)
{
    return WideToDictText(text);
}

class SourceBuilder {
public:
    DictSource Source;

    // Records met before are left out, as the compiler leaves out a repeated line.
    void Sense(std::string english, std::string transcription, std::string uzbek, std::string russian)
    {
        Source.Senses.push_back({{std::move(english), std::move(transcription), {}, std::move(uzbek), std::move(russian)},
                                 line_ + 1});
        if (senses_.insert(Source.Senses.size() - 1).second)
            ++line_;
        else
            Source.Senses.pop_back();
    }

    void Phrase(bool isEntry, std::string english, std::string uzbek, std::string russian)
    {
        Source.Phrases.push_back({{std::move(english), std::move(uzbek), std::move(russian)}, isEntry, line_ + 1});
        if (phrases_.insert(Source.Phrases.size() - 1).second)
            ++line_;
        else
            Source.Phrases.pop_back();
    }

    void Headword(Language language, std::u16string_view headword)
    {
        Source.Words.push_back({language, Dict(headword), ++line_});
    }

private:
    // Records by their place in the source, compared by what they hold: no second copy.
    struct SameSense {
        const std::vector<SourceSense>* senses;
        std::size_t operator()(std::size_t i) const
        {
            const SenseRecord& r = (*senses)[i].Record;
            return std::hash<std::string>()(r.English) ^ std::hash<std::string>()(r.Uzbek) * 3 ^
                   std::hash<std::string>()(r.Russian) * 7;
        }
        bool operator()(std::size_t a, std::size_t b) const { return (*senses)[a].Record == (*senses)[b].Record; }
    };
    struct SamePhrase {
        const std::vector<SourcePhrase>* phrases;
        std::size_t operator()(std::size_t i) const
        {
            const PhraseRecord& r = (*phrases)[i].Record;
            return std::hash<std::string>()(r.English) ^ std::hash<std::string>()(r.Uzbek) * 3 ^
                   std::hash<std::string>()(r.Russian) * 7;
        }
        bool operator()(std::size_t a, std::size_t b) const { return (*phrases)[a].Record == (*phrases)[b].Record; }
    };

    int line_ = 0;
    std::unordered_set<std::size_t, SameSense, SameSense> senses_{0, SameSense{&Source.Senses}, SameSense{&Source.Senses}};
    std::unordered_set<std::size_t, SamePhrase, SamePhrase> phrases_{0, SamePhrase{&Source.Phrases},
                                                                     SamePhrase{&Source.Phrases}};
};

// The references of each spelling the text rules know, to an English headword.
std::string UzbekReference(Random& random, const std::string& to)
{
    switch (random.Below(5)) {
    case 0: return "=" + to;
    case 1: return Dict(u"қаранг. ") + to;
    case 2: return Dict(u"қ. ") + to;
    case 3: return to + Dict(u"-дан");
    default: return to + Dict(u"дан");
    }
}

std::string RussianReference(Random& random, const std::string& to)
{
    switch (random.Below(4)) {
    case 0: return Dict(u"см. ") + to;
    case 1: return Dict(u"от ") + to;
    case 2: return "=" + to + ", 2";
    default: return "=" + to + " II";
    }
}

} // namespace

DictSource GenerateSource(std::uint64_t seed, std::size_t concepts)
{
    Random random(seed);
    SourceBuilder out;
    out.Headword(English, u"-ness");
    out.Headword(English, u"-ment");
    out.Headword(Uzbek, u"-лик");
    out.Headword(Uzbek, u"-чи");
    out.Headword(Russian, u"-ость");
    out.Headword(Russian, u"-ство");

    static constexpr std::u16string_view UzbekNotes[] = {u"*кўчма маънода", u"*сўзлашув тилида", u"*эскирган"};
    static constexpr std::u16string_view RussianNotes[] = {u"*перен.", u"*разг.", u"*устар."};
    static constexpr std::u16string_view EnglishLinks[] = {u"to", u"the", u"of", u"in", u"with", u"a"};

    std::vector<Word> earlier;
    for (std::size_t c = 0; c < concepts; ++c) {
        const Word w = MakeWord(random);
        const Word& other = earlier.empty() ? w : earlier[random.Below(earlier.size())];
        out.Sense(w.English, w.Transcription, w.Uzbek, w.Russian);
        if (random.Percent(35)) {
            const Word second = MakeWord(random);
            out.Sense(w.English, w.Transcription, second.Uzbek, second.Russian);
        }
        if (random.Percent(12))
            out.Sense(w.English + " (" + other.English + ")", w.Transcription, w.Uzbek + " (" + other.Uzbek + ")",
                      w.Russian + " (" + other.Russian + ")");
        // Random draws are sequenced one by one: the order of function arguments is not fixed.
        if (random.Percent(8)) {
            std::string numbered = "{";
            numbered += char('1' + random.Below(3));
            numbered += '}';
            numbered += w.English;
            const Word uzbek = MakeWord(random), russian = MakeWord(random);
            out.Sense(numbered, w.Transcription, uzbek.Uzbek, russian.Russian + "...");
        }
        if (random.Percent(6))
            out.Sense(w.English, w.Transcription, Dict(random.Pick(UzbekNotes)), Dict(random.Pick(RussianNotes)));
        if (random.Percent(6) && &other != &w) {
            const Word variant = MakeWord(random);
            const std::string uzbek = UzbekReference(random, other.English);
            out.Sense(variant.English, variant.Transcription, uzbek, RussianReference(random, other.English));
        }
        if (random.Percent(40)) {
            const std::string link = Dict(random.Pick(EnglishLinks));
            const bool orForm = random.Percent(8);
            const bool isEntry = random.Percent(12);
            out.Phrase(isEntry, link + " " + w.English + " " + other.English + (orForm ? " (or " + other.English + ")" : ""),
                       other.Uzbek + " " + w.Uzbek, w.Russian + " " + other.Russian);
        }
        earlier.push_back(w);
    }
    return std::move(out.Source);
}

namespace {

// The first `concepts` concepts as the compiler reads their source, and their image; the image
// is empty when it would exceed the format's limit.
GeneratedDictionary Generate(std::uint64_t seed, std::size_t concepts)
{
    GeneratedDictionary made{GenerateSource(seed, concepts), {}};
    ReadAsCompiled(made.Source);
    try {
        // The formed lists go before the image is laid out: the writer holds what it needs.
        const TDictWriter writer = WriterFor(made.Source, FormEntryRefs(made.Source));
        // What forming freed goes back to the system before the image is laid out: the
        // allocator would otherwise keep it beside the image, at the peak.
        malloc_trim(0);
        made.Image = writer.Image();
    } catch (const std::length_error&) {
    }
    made.Source.Warnings.clear();
    return made;
}

} // namespace

GeneratedDictionary GenerateDictionary(std::uint64_t seed, std::size_t maxBytes)
{
    // The file grows a little slower than the number of concepts (larger dictionaries share
    // more texts): about as its 0.985th power. A probe at an eighth of the size, then a
    // prediction from it, forms a large file about once; later rounds learn the power from
    // the two latest sizes.
    constexpr double BytesPerConceptGuess = 230;
    constexpr std::size_t ProbeShare = 8;
    const double target = double(maxBytes) * 0.99;
    double power = 0.985;
    std::size_t concepts = std::max<std::size_t>(1, std::size_t(double(maxBytes) / BytesPerConceptGuess / ProbeShare));
    // Only the latest dictionary is kept: an earlier, smaller best is made again if it wins.
    GeneratedDictionary latest;
    std::size_t bestConcepts = 0;
    std::size_t low = 0, high = SIZE_MAX; // largest count known to fit, smallest known not to
    std::size_t lastConcepts = 0, lastSize = 0;
    for (int round = 0; round < 12; ++round) {
        latest = {};
        latest = Generate(seed, concepts);
        const std::size_t size = latest.Image.size();
        const bool fits = size != 0 && size <= maxBytes;
        if (fits) {
            low = concepts;
            if (lastSize != 0 && concepts != lastConcepts && size != lastSize)
                power = std::clamp(std::log(double(size) / double(lastSize)) /
                                       std::log(double(concepts) / double(lastConcepts)),
                                   0.8, 1.2);
            lastConcepts = concepts;
            lastSize = size;
            bestConcepts = concepts;
            if (size >= maxBytes - maxBytes / 50)
                break;
        } else {
            high = concepts;
        }
        if (high <= low + 1)
            break;
        std::size_t next = fits ? std::size_t(double(concepts) * std::pow(target / double(size), 1 / power))
                                : std::size_t(double(concepts) * 0.97);
        next = std::clamp(next, low + 1, high == SIZE_MAX ? SIZE_MAX : high - 1);
        concepts = next;
    }
    if (bestConcepts == 0)
        throw std::length_error("no generated dictionary fits in " + std::to_string(maxBytes) + " bytes");
    if (bestConcepts != concepts || latest.Image.empty())
        latest = Generate(seed, bestConcepts);
    return latest;
}

} // namespace morva
