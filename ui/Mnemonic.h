#pragma once
// Menu captions carry their Alt letter as Qt marks it, an '&' before the letter ("&&" is a
// plain '&'). What the user reads is the caption without the mark.

#include <QString>

namespace morva {

inline QString WithoutMnemonic(const QString& caption)
{
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
}

} // namespace morva
