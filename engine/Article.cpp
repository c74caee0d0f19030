#include "engine/Article.h"

#include "engine/Collation.h"
#include "engine/DictionaryError.h"
#include "engine/FileFormat.h"
#include "engine/KovrObj.h"
#include "engine/Messages.h"
#include "engine/TextRules.h"

#include <algorithm>
#include <array>
#include <set>

namespace morva {
namespace article {
namespace {

constexpr std::array<std::size_t, LanguageCount> SenseTextWord = {0, 3, 4};
constexpr std::size_t SenseTranscriptionWord = 1;
constexpr std::array<std::size_t, LanguageCount> PhraseTextWord = {0, 1, 2};

std::string_view RecordText(const DictImage& image, std::uint32_t record, std::size_t word)
{
    return image.Text(image.Word(std::size_t(record) + 4 * word));
}

bool IsMarked(std::string_view text)
{
    return text.starts_with('*') || text.starts_with('=');
}

// The reverse of EscapeHtml, in one pass, so "&amp;lt;" comes back as "&lt;".
std::string UnescapeHtml(std::string_view text)
{
    static constexpr std::pair<std::string_view, char> entities[] = {
        {"&amp;", '&'}, {"&quot;", '"'}, {"&lt;", '<'}, {"&gt;", '>'}};
    std::string plain;
    plain.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (auto [entity, byte] : entities) {
            if (text.substr(i).starts_with(entity)) {
                plain += byte;
                i += entity.size();
                replaced = true;
                break;
            }
        }
        if (!replaced)
            plain += text[i++];
    }
    return plain;
}

// Orders pairs by source, then target, by collation weight: equal keys are the duplicates.
struct PairOrder {
    bool operator()(const TextPair* a, const TextPair* b) const
    {
        const int bySource = CompareHeadwords(a->Source, b->Source);
        return bySource != 0 ? bySource < 0 : CompareHeadwords(a->Target, b->Target) < 0;
    }
};

// Walks a zero-ended run of record offsets from `at`, leaving `at` just past its 0.
// Empty pairs and pairs equal on both sides to one already kept are dropped.
template <class MakePair>
std::vector<TextPair> CollectPairs(const TUzDictionary& dict, LanguagePair languages, std::size_t& at, MakePair makePair)
{
    const DictImage& image = dict.Image();
    std::vector<TextPair> pairs;
    std::vector<std::uint32_t> records;
    for (std::uint32_t record; (record = image.Word(at)) != 0; at += 4)
        records.push_back(record);
    at += 4;
    // A record can be named many times; the set keeps de-duplication from growing quadratic.
    pairs.reserve(records.size());
    std::set<const TextPair*, PairOrder> kept;
    for (std::uint32_t record : records) {
        TextPair pair = makePair(dict, languages, record);
        if (pair.Source.empty() || pair.Target.empty())
            continue;
        if (kept.contains(&pair))
            continue;
        pairs.push_back(std::move(pair));
        kept.insert(&pairs.back());
    }
    return pairs;
}

// Calls show(source, translations) at the last pair of every run of equal sources; the
// translations are the run's targets joined by "; ".
template <class Show>
void ForEachGroup(const std::vector<TextPair>& pairs, Show show)
{
    std::string translations;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        translations += "; ";
        translations += pairs[i].Target;
        if (i + 1 == pairs.size() || CompareHeadwords(pairs[i].Source, pairs[i + 1].Source) != 0) {
            show(pairs[i].Source, std::string_view(translations).substr(2));
            translations.clear();
        }
    }
}

bool MatchFormStartsWith(std::string_view source, std::string_view headword)
{
    const std::string form = MatchForm(source);
    return form.size() >= headword.size() && CompareHeadwords(headword, std::string_view(form).substr(0, headword.size())) == 0;
}

std::string Headline(std::string_view source, std::string_view translations)
{
    std::string line = "<b>";
    line += source;
    const std::size_t font = line.find("<font face=");
    // The transcription goes on a line of its own, outside the bold.
    if (font != std::string::npos)
        line.insert(font, "</b><br>");
    else
        line += "</b>";
    line += IndentOpen;
    line += translations;
    line += IndentClose;
    line += "<br><br>";
    return line;
}

void AppendLine(std::string& out, std::string_view source, std::string_view translations)
{
    out += source;
    out += " \x96 ";
    out += translations;
    out += "<br>";
}

} // namespace

std::string EscapeHtml(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '"': escaped += "&quot;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

std::string ReplaceAll(std::string_view text, std::string_view pattern, std::string_view replacement)
{
    if (pattern.empty())
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (std::size_t at; (at = text.find(pattern)) != std::string_view::npos;) {
        out += text.substr(0, at);
        out += replacement;
        text.remove_prefix(at + pattern.size());
    }
    out += text;
    return out;
}

std::string DecorateTarget(const TUzDictionary& dict, Language list, std::string_view text)
{
    if (text.size() < 2)
        return std::string(text);
    if (text.starts_with('*'))
        return "<i>\xEF\xF0\xE8\xEC.</i> " + std::string(text.substr(1)); // "прим."
    if (!text.starts_with('='))
        return std::string(text);
    const std::string_view reference = text.substr(1);
    // The text arrives escaped; the headword list holds the plain text.
    const std::int32_t index = dict.FindHeadword(list, UnescapeHtml(reference));
    const std::string href = index < 0 ? "x" : std::to_string(index);
    return "<i>\xF1\xEC.</i> <a href=\"" + href + "\">" + std::string(reference) + "</a>"; // "см."
}

TextPair SensePair(const TUzDictionary& dict, LanguagePair languages, std::uint32_t record)
{
    const DictImage& image = dict.Image();
    const Language from = languages.Source, to = languages.Target;
    TextPair pair;
    pair.Source = EscapeHtml(RecordText(image, record, SenseTextWord[from]));
    if (from == English) {
        const std::string_view transcription = RecordText(image, record, SenseTranscriptionWord);
        if (!transcription.empty()) {
            pair.Source += " <font face=\"SILManuscriptIPA\">[";
            pair.Source += transcription;
            pair.Source += "]</font>";
        }
    }
    pair.Target = EscapeHtml(RecordText(image, record, SenseTextWord[to]));
    if ((from == Uzbek && to == Russian) || (from == Russian && to == Uzbek)) {
        pair.Source = TrimParentheticals(pair.Source);
        pair.Target = TrimParentheticals(pair.Target);
    }
    if (IsMarked(pair.Source))
        pair.Source.clear();
    if (from != English && IsMarked(pair.Target))
        pair.Source.clear();
    else
        pair.Target = DecorateTarget(dict, from, pair.Target);
    return pair;
}

TextPair PhrasePair(const TUzDictionary& dict, LanguagePair languages, std::uint32_t record)
{
    const DictImage& image = dict.Image();
    const Language from = languages.Source, to = languages.Target;
    TextPair pair;
    pair.Source = ReplaceAll(EscapeHtml(RecordText(image, record, PhraseTextWord[from])), "(or", "(<i>or</i>");
    pair.Target = ReplaceAll(EscapeHtml(RecordText(image, record, PhraseTextWord[to])), "(or", "(<i>or</i>");
    if (IsMarked(pair.Source)) {
        if (from == English)
            throw EDictionaryError(messages::InternalError());
        pair.Source.clear();
    }
    pair.Target = DecorateTarget(dict, from, pair.Target);
    return pair;
}

void SortPairs(std::vector<TextPair>& pairs)
{
    // What repeated passes swapping out-of-order neighbours give, without their quadratic cost.
    std::stable_sort(pairs.begin(), pairs.end(), [](const TextPair& a, const TextPair& b) {
        return CompareHeadwords(a.Source, b.Source) < 0;
    });
}

std::string RenderWordEntry(const TUzDictionary& dict, LanguagePair languages, std::uint32_t entry)
{
    const DictImage& image = dict.Image();
    const std::string headword = EscapeHtml(image.Text(image.Word(std::size_t(entry) + 4)));
    std::size_t at = std::size_t(entry) + 8;
    std::vector<TextPair> senses = CollectPairs(dict, languages, at, SensePair);
    SortPairs(senses);
    std::vector<TextPair> phrases = CollectPairs(dict, languages, at, PhrasePair);
    SortPairs(phrases);

    std::string out;
    bool headlineShown = false;
    ForEachGroup(senses, [&](std::string_view source, std::string_view translations) {
        if (!MatchFormStartsWith(source, headword))
            return;
        if (headlineShown) {
            AppendLine(out, source, translations);
        } else {
            out += Headline(source, translations);
            headlineShown = true;
        }
    });
    out += "<br>";
    ForEachGroup(phrases, [&](std::string_view source, std::string_view translations) {
        if (ContainsWholeWord(headword, source))
            AppendLine(out, source, translations);
    });
    return out;
}

std::string RenderPhraseEntry(const TUzDictionary& dict, LanguagePair languages, std::uint32_t entry)
{
    const DictImage& image = dict.Image();
    const TextPair pair = PhrasePair(dict, languages, image.Word(std::size_t(entry) + 8));
    std::string out = "<b>" + pair.Source + "</b>";
    out += IndentOpen;
    out += pair.Target;
    out += IndentClose;
    return out;
}

} // namespace article

std::string TUzDictionary::ArticleHtml(LanguagePair pair, std::int32_t index) const
{
    const std::uint32_t entry = EntryOffset(pair.Source, index);
    switch (image_.Word(entry)) {
    case WordEntry: return article::RenderWordEntry(*this, pair, entry);
    case PhraseEntry: return article::RenderPhraseEntry(*this, pair, entry);
    default: return "error";
    }
}

} // namespace morva
