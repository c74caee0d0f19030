#include "shell/CommandLine.h"

#include "shell/Autorun.h"

namespace morva {

TCommandLine ParseCommandLine(const QStringList& arguments)
{
    TCommandLine line;
    QStringList words;
    bool options = true;
    auto take = [&line](TWordSource source) {
        if (line.Source != TWordSource::None)
            line.Error = QStringLiteral("morva: --selection and --clipboard take no words and go alone\n");
        line.Source = source;
    };
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (options && argument == QLatin1String("--")) {
            options = false;
        } else if (options && HasAutorunSwitch({QString(), argument})) {
            continue;
        } else if (options && argument == QLatin1String("--selection")) {
            take(TWordSource::Selection);
        } else if (options && argument == QLatin1String("--clipboard")) {
            take(TWordSource::Clipboard);
        } else if (options && argument.startsWith(QLatin1String("--"))) {
            line.Error = QStringLiteral("morva: unknown option %1\n").arg(argument);
        } else {
            words.append(argument);
        }
    }
    if (!words.isEmpty()) {
        if (line.Source != TWordSource::None)
            line.Error = QStringLiteral("morva: --selection and --clipboard take no words and go alone\n");
        line.Source = TWordSource::Arguments;
        line.Words = words.join(QLatin1Char(' '));
    }
    if (!line.Error.isEmpty())
        line.Error += QString::fromLatin1(CommandLineUsage);
    return line;
}

} // namespace morva
