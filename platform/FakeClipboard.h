#pragma once
// The clipboard for tests, in memory.

#include "platform/Clipboard.h"

namespace morva {

class FakeClipboard : public IClipboard {
public:
    QString Content;
    bool Filled = false;

    void SetText(const QString& text) override
    {
        Content = text;
        Filled = true;
    }
    QString Text() const override { return Filled ? Content : QString(); }
    bool HasText() const override { return Filled; }
};

} // namespace morva
