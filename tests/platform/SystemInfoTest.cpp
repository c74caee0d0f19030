#include "platform/FakeSystemInfo.h"
#include "platform/QtSystemInfo.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace morva {
namespace {

TEST(SystemInfo, LocaleNamesGiveWindowsLanguageIdentifiers)
{
    struct TCase {
        const char* Locale;
        std::uint16_t Id;
    };
    const TCase cases[] = {
        {"ru_RU.UTF-8", 0x0419}, {"ru_RU", 0x0419}, {"ru", 0x0419},
        {"ru_MD.UTF-8", 0x0819}, {"ru_UA.UTF-8", 0x1000},
        {"uz_UZ.UTF-8", 0x0443}, {"uz_UZ.UTF-8@cyrillic", 0x0843}, {"uz_UZ@latin", 0x0443},
        {"en_US.UTF-8", 0x0409}, {"en_GB.UTF-8", 0x0809}, {"de_AT.ISO-8859-1", 0x0C07},
        {"C", 0x0409}, {"C.UTF-8", 0x0409}, {"POSIX", 0x0409}, {"", 0x0409},
        {"xx_YY.UTF-8", 0x1000},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(LangIdFromLocale(c.Locale), c.Id) << c.Locale;
}

TEST(SystemInfo, LcAllWinsOverLang)
{
    TQtSystemInfo info;
    setenv("LANG", "ru_RU.UTF-8", 1);
    setenv("LC_ALL", "uz_UZ.UTF-8", 1);
    EXPECT_EQ(info.SystemDefaultLangID(), 0x0443);
    setenv("LC_ALL", "", 1);
    EXPECT_EQ(info.SystemDefaultLangID(), 0x0419);
    unsetenv("LC_ALL");
    unsetenv("LANG");
    EXPECT_EQ(info.SystemDefaultLangID(), 0x0409);
}

TEST(SystemInfo, FontFamiliesMatchWithoutRegardToCase)
{
    FakeSystemInfo info;
    info.Families = {"Arial for KovrMorva"};
    EXPECT_TRUE(info.HasFontFamily("ARIAL FOR KOVRMORVA"));
    EXPECT_FALSE(info.HasFontFamily("Arial"));
}

} // namespace
} // namespace morva
