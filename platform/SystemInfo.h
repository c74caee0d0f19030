#pragma once
// The system default language and the installed font families.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <string>

namespace morva {

inline constexpr std::uint16_t LangRussian = 0x0419;

class ISystemInfo {
public:
    virtual ~ISystemInfo() = default;

    // A Windows language identifier, such as 0x0419 for Russian (Russia).
    virtual std::uint16_t SystemDefaultLangID() const = 0;
    virtual QStringList FontFamilies() const = 0;
    // Membership without regard to letter case.
    bool HasFontFamily(const QString& family) const
    {
        return FontFamilies().contains(family, Qt::CaseInsensitive);
    }
};

// The Windows language identifier of a POSIX locale name ("ru_RU.UTF-8", "uz_UZ", "C").
std::uint16_t LangIdFromLocale(const std::string& locale);

} // namespace morva
