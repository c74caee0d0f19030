#pragma once
// System info for tests: a Russian system with both display fonts unless told otherwise.

#include "platform/SystemInfo.h"

namespace morva {

class FakeSystemInfo : public ISystemInfo {
public:
    std::uint16_t LangId = LangRussian;
    QStringList Families = {"DejaVu Sans", "Arial for KovrMorva", "SILManuscriptIPA"};

    std::uint16_t SystemDefaultLangID() const override { return LangId; }
    QStringList FontFamilies() const override { return Families; }
};

} // namespace morva
