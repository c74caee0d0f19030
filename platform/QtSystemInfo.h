#pragma once
// The system language from the locale environment, the fonts from fontconfig.

#include "platform/SystemInfo.h"

namespace morva {

class TQtSystemInfo : public ISystemInfo {
public:
    // LC_ALL, else LANG; unset or empty counts as "C".
    std::uint16_t SystemDefaultLangID() const override;
    QStringList FontFamilies() const override;
};

} // namespace morva
