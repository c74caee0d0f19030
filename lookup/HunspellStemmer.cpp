#include "lookup/HunspellStemmer.h"

#include "text/CodePage1251.h"
#include "text/Utf8.h"

#include <hunspell.hxx>
#include <iconv.h>

#include <cerrno>
#include <cstdlib>

namespace morva {
namespace {

constexpr const char* DictionaryNames[LanguageCount] = {"en_US", nullptr, "ru_RU"};

// One conversion through iconv; empty when the text does not convert.
std::string Convert(const std::string& text, const char* from, const char* to)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1))
        return {};
    std::string out(text.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char* at = out.data();
    std::size_t outLeft = out.size();
    const std::size_t done = iconv(cd, &in, &inLeft, &at, &outLeft);
    iconv_close(cd);
    if (done == std::size_t(-1))
        return {};
    out.resize(out.size() - outLeft);
    return out;
}

bool IsUtf8Name(const std::string& encoding)
{
    return encoding == "UTF-8" || encoding == "utf-8" || encoding == "UTF8" || encoding == "utf8";
}

} // namespace

std::vector<std::filesystem::path> DefaultHunspellFolders()
{
    std::vector<std::filesystem::path> folders;
    if (const char* own = std::getenv("MORVA_HUNSPELL_PATH")) {
        std::string_view list = own;
        while (!list.empty()) {
            const auto colon = list.find(':');
            folders.emplace_back(list.substr(0, colon));
            list.remove_prefix(colon == std::string_view::npos ? list.size() : colon + 1);
        }
        return folders;
    }
    for (const char* folder : {"/usr/share/hunspell", "/usr/share/myspell", "/usr/share/myspell/dicts"})
        folders.emplace_back(folder);
    return folders;
}

std::unique_ptr<THunspellStemmer> THunspellStemmer::Open(Language language,
                                                        const std::vector<std::filesystem::path>& folders)
{
    const char* name = DictionaryNames[language];
    if (!name)
        return nullptr;
    for (const auto& folder : folders) {
        const auto aff = folder / (std::string(name) + ".aff");
        const auto dic = folder / (std::string(name) + ".dic");
        std::error_code error;
        if (std::filesystem::is_regular_file(aff, error) && std::filesystem::is_regular_file(dic, error))
            return std::unique_ptr<THunspellStemmer>(
                new THunspellStemmer(std::make_unique<Hunspell>(aff.c_str(), dic.c_str())));
    }
    return nullptr;
}

THunspellStemmer::THunspellStemmer(std::unique_ptr<Hunspell> hunspell)
    : hunspell_(std::move(hunspell)), encoding_(hunspell_->get_dict_encoding())
{
}

THunspellStemmer::~THunspellStemmer() = default;

std::string THunspellStemmer::ToDictionaryEncoding(const std::string& utf8) const
{
    return IsUtf8Name(encoding_) ? utf8 : Convert(utf8, "UTF-8", encoding_.c_str());
}

std::string THunspellStemmer::FromDictionaryEncoding(const std::string& text) const
{
    return IsUtf8Name(encoding_) ? text : Convert(text, encoding_.c_str(), "UTF-8");
}

std::vector<std::string> THunspellStemmer::Stems(std::string_view dictWord)
{
    const std::string word = ToDictionaryEncoding(DictTextToUtf8(dictWord));
    std::vector<std::string> stems;
    if (word.empty())
        return stems;
    for (const std::string& stem : hunspell_->stem(word)) {
        try {
            const std::u16string wide = Utf8ToWide(FromDictionaryEncoding(stem));
            const std::string dict = WideToDictText(wide);
            // A character the code page lacks would come back as another byte.
            if (!wide.empty() && DictTextToWide(dict) == wide)
                stems.push_back(dict);
        } catch (const InvalidUtf8&) {
        }
    }
    return stems;
}

} // namespace morva
