#include "text/UzbekArticle.h"

#include "text/ArticleText.h"
#include "text/CodePage1251.h"
#include "text/UzbekLatin.h"

namespace morva {
namespace {

// " – ": space, en dash, space between a text and its translations.
constexpr std::string_view TranslationDash = " \x96 ";

enum class TSide { Source, Target };

class TArticleWalker {
public:
    TArticleWalker(std::string_view html, TUzbekSides uzbek) : html_(html), uzbek_(uzbek) {}

    std::string Run()
    {
        while (at_ < html_.size()) {
            const std::size_t markup = html_.find_first_of("<&", at_);
            Text(html_.substr(at_, markup == std::string_view::npos ? std::string_view::npos : markup - at_));
            if (markup == std::string_view::npos)
                break;
            at_ = markup;
            if (html_[at_] == '<')
                Tag();
            else
                Entity();
        }
        return out_;
    }

private:
    void Text(std::string_view text)
    {
        at_ += text.size();
        if (side_ == TSide::Source) {
            const std::size_t dash = text.find(TranslationDash);
            if (dash != std::string_view::npos) {
                Convert(text.substr(0, dash));
                out_ += TranslationDash;
                side_ = TSide::Target;
                text.remove_prefix(dash + TranslationDash.size());
            }
        }
        Convert(text);
    }

    void Convert(std::string_view text)
    {
        const bool uzbek = side_ == TSide::Source ? uzbek_.Source : uzbek_.Target;
        if (!uzbek || italic_ > 0)
            out_ += text;
        else
            out_ += WideToDictText(UzbekCyrillicToLatin(DictTextToWide(text)));
    }

    // Copied as it is; only the side it opens changes.
    void Tag()
    {
        if (html_.substr(at_).starts_with(TranscriptionFontOpen)) {
            const std::size_t close = html_.find(FontClose, at_);
            Copy(close == std::string_view::npos ? html_.size() : close + FontClose.size());
            return;
        }
        const std::size_t close = html_.find('>', at_);
        const std::size_t end = close == std::string_view::npos ? html_.size() : close + 1;
        const std::string_view tag = html_.substr(at_, end - at_);
        Copy(end);
        if (tag == "<b>" || tag == "<br>" || tag == "</table>")
            side_ = TSide::Source;
        else if (tag == "<td>")
            side_ = TSide::Target;
        else if (tag == "<i>")
            ++italic_;
        else if (tag == "</i>" && italic_ > 0)
            --italic_;
        else if (tag.starts_with("<a ")) {
            // A link names a headword of the source list, wherever it stands.
            sideBeforeLink_ = side_;
            side_ = TSide::Source;
        } else if (tag == "</a>")
            side_ = sideBeforeLink_;
    }

    // A character reference such as &nbsp; is no letter of a word. A lone "&" is copied alone.
    void Entity()
    {
        const std::size_t semicolon = html_.find(';', at_);
        const bool reference = semicolon != std::string_view::npos && semicolon - at_ <= LongestReference;
        Copy(reference ? semicolon + 1 : at_ + 1);
    }

    static constexpr std::size_t LongestReference = 8;

    void Copy(std::size_t end)
    {
        out_ += html_.substr(at_, end - at_);
        at_ = end;
    }

    std::string_view html_;
    TUzbekSides uzbek_;
    std::size_t at_ = 0;
    std::string out_;
    TSide side_ = TSide::Source;
    TSide sideBeforeLink_ = TSide::Source;
    int italic_ = 0;
};

} // namespace

std::string ArticleInUzbekLatin(std::string_view html, TUzbekSides uzbek)
{
    if (!uzbek.Source && !uzbek.Target)
        return std::string(html);
    return TArticleWalker(html, uzbek).Run();
}

} // namespace morva
