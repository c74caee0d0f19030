#pragma once

#include "platform/Clipboard.h"

namespace morva {

inline constexpr const char* EightBitTextMime = "text/plain;charset=windows-1251";

class TQtClipboard : public IClipboard {
public:
    void SetText(const QString& text) override;
    QString Text() const override;
    bool HasText() const override;
};

// Plain code page 1251 to Unicode, the reverse of WideToCodePage1251.
QString CodePage1251ToString(const QByteArray& bytes);

} // namespace morva
