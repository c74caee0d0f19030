// article, lookup, and the text rules: normalize, matchform, trimparen, contains.

#include "engine/Printable.h"
#include "engine/SearchRule.h"
#include "engine/TextRules.h"
#include "lookup/TextFold.h"
#include "lookup/WordForms.h"
#include "text/ArticleText.h"
#include "text/CodePage1251.h"
#include "text/Utf8.h"
#include "tools/Cli.h"
#include "tools/CliLookupWords.h"

#include <iostream>
#include <span>

namespace morva::cli {
namespace {

struct NoHeadword {};

// Reads the tag that starts at `at` (just past its "<"), returning its name and attribute text.
std::u16string_view TagAt(std::u16string_view html, std::size_t& at)
{
    const std::size_t close = html.find(u'>', at);
    const std::size_t end = close == std::u16string_view::npos ? html.size() : close;
    std::u16string_view tag = html.substr(at, end - at);
    at = end == html.size() ? end : end + 1;
    return tag;
}

// The article as lines for a terminal: the markup's line breaks and indented blocks as they
// would show, entities as characters, and each link followed by the headword it opens.
class PlainText {
public:
    PlainText(const TUzDictionary& dict, Language list) : dict_(dict), list_(list) {}

    std::u16string Convert(std::u16string_view html)
    {
        for (std::size_t at = 0; at < html.size();) {
            const char16_t c = html[at++];
            if (c == u'<')
                Tag(TagAt(html, at));
            else if (c == u'&')
                Entity(html, at);
            else
                text_ += c;
        }
        return Tidy(text_);
    }

private:
    void Tag(std::u16string_view tag)
    {
        if (tag == u"br") {
            text_ += u'\n';
        } else if (tag.starts_with(u"table")) {
            if (!text_.empty() && text_.back() != u'\n')
                text_ += u'\n';
        } else if (tag == u"/table") {
            text_ += u'\n';
        } else if (tag.starts_with(u"a href=\"")) {
            const auto target = tag.substr(8, tag.find(u'"', 8) - 8);
            link_ = std::u16string(target);
        } else if (tag == u"/a") {
            text_ += u" [\u2192 " + LinkTarget(link_) + u"]";
        }
    }

    std::u16string LinkTarget(const std::u16string& target) const
    {
        try {
            return DictTextToWide(dict_.Headword(list_, ParseIndex(WideToUtf8(target))));
        } catch (const UsageError&) {
            return u"no entry";
        }
    }

    void Entity(std::u16string_view html, std::size_t& at)
    {
        static constexpr std::pair<std::u16string_view, char16_t> entities[] = {
            {u"amp;", u'&'}, {u"quot;", u'"'}, {u"lt;", u'<'}, {u"gt;", u'>'}, {u"nbsp;", u' '}};
        for (auto [name, c] : entities) {
            if (html.substr(at).starts_with(name)) {
                text_ += c;
                at += name.size();
                return;
            }
        }
        text_ += u'&';
    }

    // Trailing blanks go, and runs of empty lines become one.
    static std::u16string Tidy(std::u16string_view text)
    {
        std::u16string out;
        std::size_t emptyLines = 0;
        while (!text.empty()) {
            const std::size_t end = std::min(text.find(u'\n'), text.size());
            std::u16string_view line = text.substr(0, end);
            text.remove_prefix(std::min(end + 1, text.size()));
            while (!line.empty() && line.back() == u' ')
                line.remove_suffix(1);
            if (line.empty()) {
                if (!out.empty() && emptyLines++ == 0)
                    out += u'\n';
                continue;
            }
            emptyLines = 0;
            out += line;
            out += u'\n';
        }
        while (out.ends_with(u"\n\n"))
            out.pop_back();
        return out;
    }

    const TUzDictionary& dict_;
    const Language list_;
    std::u16string text_;
    std::u16string link_;
};

int Article(const TUzDictionary& dict, LanguagePair pair, std::int32_t index, bool raw)
{
    const std::string html = dict.ArticleHtml(pair, index);
    if (raw)
        std::cout << html;
    else
        std::cout << WideToUtf8(ArticleToWide(html)) << '\n';
    return 0;
}

// The base word of a text that is no headword, said on standard error; -1 when none.
std::int32_t FormBase(const TUzDictionary& dict, Language list, TWordForms& forms, const std::string& word)
{
    const std::string text = SearchTextArg(list, word);
    if (dict.FindHeadword(list, TrimmedText(text)) >= 0)
        return -1;
    const auto bases = forms.BaseHeadwords(list, text);
    if (bases.empty())
        return -1;
    std::cerr << "morva-cli: \"" << Printable(word) << "\" is a form of \""
              << DictTextToUtf8(dict.Headword(list, bases.front())) << "\"\n";
    return bases.front();
}

// Prints the article of the headword the search selects (with forms, of the base word of a
// form); false when there is none.
bool Lookup(const TUzDictionary& dict, LanguagePair pair, TWordForms* forms, const std::string& word)
{
    const std::int32_t base = forms ? FormBase(dict, pair.Source, *forms, word) : -1;
    const std::int32_t index =
        base >= 0 ? base : SearchSelection(dict, pair.Source, SearchTextArg(pair.Source, word));
    if (index < 0) {
        std::cerr << "morva-cli: no headword at or after \"" << Printable(word) << "\"\n";
        return false;
    }
    const std::string article =
        WideToUtf8(PlainText(dict, pair.Source).Convert(ArticleToWide(dict.ArticleHtml(pair, index))));
    std::cout << DictTextToUtf8(dict.Headword(pair.Source, index)) << "\n\n" << article;
    return true;
}

// A word that fails is reported; a bad line of standard input is such a failure, and so is a
// bad argument among others, while a bad argument on its own is a usage error.
bool LookupReported(const TUzDictionary& dict, LanguagePair pair, TWordForms* forms, const LookupWord& word,
                    bool only)
{
    if (word.TooLong) {
        std::cerr << "morva-cli: line " << word.Line << " of standard input is longer than " << MaxInputWord
                  << " bytes\n";
        return false;
    }
    try {
        return Lookup(dict, pair, forms, word.Text);
    } catch (const InvalidUtf8&) {
        if (only && !word.FromInput)
            throw;
        std::cerr << "morva-cli: \"" << Printable(word.Text) << "\" is not UTF-8\n";
        return false;
    }
}

// Several words: each article under a "==> WORD <==" line, blank lines between, as head does
// for several files. A word that fails is reported and the others still print.
int LookupAll(const TUzDictionary& dict, LanguagePair pair, bool withForms, TLookupWords words)
{
    std::optional<TWordForms> forms;
    if (withForms)
        forms.emplace(dict);
    TWordForms* formsOrNone = forms ? &*forms : nullptr;
    std::optional<LookupWord> word = words.Next();
    std::optional<LookupWord> after = word ? words.Next() : std::nullopt;
    if (word && !after)
        return LookupReported(dict, pair, formsOrNone, *word, true) ? 0 : 1;
    int status = 0;
    for (bool first = true; word; first = false) {
        std::cout << (first ? "" : "\n") << "==> " << Printable(word->Text) << (word->TooLong ? "..." : "") << " <==\n";
        if (!LookupReported(dict, pair, formsOrNone, *word, false))
            status = 1;
        word = std::move(after);
        after = words.Next();
    }
    return status;
}

} // namespace

std::optional<int> RunArticleCommand(Context& context)
{
    const auto& a = context.Args();
    const std::string& command = a[0];
    const auto pair = [&](std::size_t at) { return LanguagePair{ParseLanguage(a[at]), ParseLanguage(a[at + 1])}; };
    if (command == "article" && (a.size() == 4 || (a.size() == 5 && a[4] == "--raw"))) {
        const LanguagePair languages = pair(1);
        return Article(context.Dictionary(), languages, ParseIndex(a[3]), a.size() == 5);
    }
    if (command == "lookup" && a.size() >= 5 && a[1] == "--forms") {
        const LanguagePair languages = pair(2);
        return LookupAll(context.Dictionary(), languages, true, TLookupWords(std::span(a).subspan(4), std::cin));
    }
    if (command == "lookup" && a.size() >= 4) {
        const LanguagePair languages = pair(1);
        return LookupAll(context.Dictionary(), languages, false, TLookupWords(std::span(a).subspan(3), std::cin));
    }
    if (command == "normalize" && a.size() == 2)
        return PrintLine(NormalizeEntryText(Utf8ToDictText(a[1])));
    if (command == "matchform" && a.size() == 2)
        return PrintLine(MatchForm(Utf8ToDictText(a[1])));
    if (command == "trimparen" && a.size() == 2)
        return PrintLine(TrimParentheticals(Utf8ToDictText(a[1])));
    if (command == "contains" && a.size() == 3) {
        std::cout << (ContainsWholeWord(Utf8ToDictText(a[1]), Utf8ToDictText(a[2])) ? 1 : 0) << '\n';
        return 0;
    }
    return std::nullopt;
}

} // namespace morva::cli
