#pragma once
// The words a start asks to look up: `morva WORD...`, `morva --selection` (the text the user
// has just highlighted) or `morva --clipboard`. The autorun switch may stand beside them.

#include <QString>
#include <QStringList>

namespace morva {

enum class TWordSource { None, Arguments, Selection, Clipboard };

struct TCommandLine {
    TWordSource Source = TWordSource::None;
    // The words of the command line, joined by single spaces.
    QString Words;
    // A usage error, ready to print; the start then ends with exit status 2.
    QString Error;
};

inline constexpr const char* CommandLineUsage =
    "Usage: morva [/autorun] [WORD... | --selection | --clipboard]\n";

// The program's name comes first and does not count; "--" ends the options.
TCommandLine ParseCommandLine(const QStringList& arguments);

} // namespace morva
