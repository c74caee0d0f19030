#pragma once
// The clipboard's text: Unicode (text/plain, UTF-8) together with its 8-bit form
// (text/plain;charset=windows-1251).

#include <QString>

namespace morva {

class IClipboard {
public:
    virtual ~IClipboard() = default;

    virtual void SetText(const QString& text) = 0;
    // The Unicode text, or the 8-bit form decoded when only that is there; empty if none.
    virtual QString Text() const = 0;
    virtual bool HasText() const = 0;
};

} // namespace morva
