#include "platform/QtSystemInfo.h"

#include <QFontDatabase>

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace morva {
namespace {

struct TLocaleId {
    std::string_view Locale; // language_TERRITORY, or language@modifier
    std::uint16_t Id;
};

// The first entry of each language is its default country.
constexpr TLocaleId LocaleIds[] = {
    {"ru_RU", 0x0419}, {"ru_MD", 0x0819},
    {"uz_UZ", 0x0443}, {"uz_UZ@cyrillic", 0x0843},
    {"en_US", 0x0409}, {"en_GB", 0x0809}, {"en_AU", 0x0C09}, {"en_CA", 0x1009}, {"en_NZ", 0x1409},
    {"en_IE", 0x1809}, {"en_ZA", 0x1C09}, {"en_IN", 0x4009}, {"en_SG", 0x4809},
    {"uk_UA", 0x0422}, {"be_BY", 0x0423}, {"kk_KZ", 0x043F}, {"ky_KG", 0x0440}, {"tg_TJ", 0x0428},
    {"tk_TM", 0x0442}, {"az_AZ", 0x042C}, {"hy_AM", 0x042B}, {"ka_GE", 0x0437}, {"tt_RU", 0x0444},
    {"de_DE", 0x0407}, {"de_CH", 0x0807}, {"de_AT", 0x0C07}, {"de_LU", 0x1007},
    {"fr_FR", 0x040C}, {"fr_BE", 0x080C}, {"fr_CA", 0x0C0C}, {"fr_CH", 0x100C}, {"fr_LU", 0x140C},
    {"es_ES", 0x0C0A}, {"es_MX", 0x080A}, {"es_AR", 0x2C0A}, {"es_US", 0x540A},
    {"it_IT", 0x0410}, {"it_CH", 0x0810}, {"pt_BR", 0x0416}, {"pt_PT", 0x0816},
    {"nl_NL", 0x0413}, {"nl_BE", 0x0813}, {"pl_PL", 0x0415}, {"cs_CZ", 0x0405}, {"sk_SK", 0x041B},
    {"hu_HU", 0x040E}, {"ro_RO", 0x0418}, {"bg_BG", 0x0402}, {"el_GR", 0x0408}, {"tr_TR", 0x041F},
    {"sv_SE", 0x041D}, {"sv_FI", 0x081D}, {"fi_FI", 0x040B}, {"da_DK", 0x0406}, {"nb_NO", 0x0414},
    {"lt_LT", 0x0427}, {"lv_LV", 0x0426}, {"et_EE", 0x0425}, {"sr_RS", 0x241A}, {"hr_HR", 0x041A},
    {"sl_SI", 0x0424}, {"he_IL", 0x040D}, {"ar_SA", 0x0401}, {"ar_EG", 0x0C01}, {"fa_IR", 0x0429},
    {"hi_IN", 0x0439}, {"zh_CN", 0x0804}, {"zh_TW", 0x0404}, {"zh_HK", 0x0C04}, {"ja_JP", 0x0411},
    {"ko_KR", 0x0412}, {"vi_VN", 0x042A}, {"th_TH", 0x041E}, {"id_ID", 0x0421}, {"mn_MN", 0x0450},
};

constexpr std::uint16_t EnglishUs = 0x0409;
// What Windows reports for a locale that has no identifier of its own.
constexpr std::uint16_t CustomUnspecified = 0x1000;

} // namespace

std::uint16_t LangIdFromLocale(const std::string& locale)
{
    // language[_TERRITORY][.codeset][@modifier]
    std::string_view text = locale;
    std::string_view modifier;
    if (std::size_t at = text.find('@'); at != std::string_view::npos) {
        modifier = text.substr(at);
        text = text.substr(0, at);
    }
    text = text.substr(0, text.find('.'));
    if (text.empty() || text == "C" || text == "POSIX")
        return EnglishUs;

    std::string_view language = text.substr(0, text.find('_'));
    bool hasTerritory = text.find('_') != std::string_view::npos;
    std::string withModifier = std::string(text) + std::string(modifier);
    for (const TLocaleId& entry : LocaleIds)
        if (entry.Locale == withModifier)
            return entry.Id;
    for (const TLocaleId& entry : LocaleIds)
        if (entry.Locale == text)
            return entry.Id;
    if (!hasTerritory)
        for (const TLocaleId& entry : LocaleIds)
            if (entry.Locale.substr(0, entry.Locale.find('_')) == language)
                return entry.Id;
    return CustomUnspecified;
}

std::uint16_t TQtSystemInfo::SystemDefaultLangID() const
{
    const char* locale = std::getenv("LC_ALL");
    if (!locale || !*locale)
        locale = std::getenv("LANG");
    return LangIdFromLocale(locale ? locale : "");
}

QStringList TQtSystemInfo::FontFamilies() const
{
    return QFontDatabase::families();
}

} // namespace morva
