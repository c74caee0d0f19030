#include "shell/Autorun.h"

#include "engine/ExecutablePath.h"
#include "platform/Registry.h"

#include <exception>

namespace morva {

std::string AutorunCommand(const std::string& executablePath)
{
    // A Linux path may hold a double quote; doubled, it stays inside the quoted path.
    std::string quoted;
    for (char c : executablePath)
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    return "\"" + quoted + "\" /autorun";
}

bool ReadAutorunState(IRegistry& registry)
{
    try {
        auto key = registry.OpenKey(RunKeyPath, false);
        if (!key)
            return false;
        auto value = key->ReadValue(AutorunValueName);
        return value && value->Type == TRegType::Sz;
    } catch (const std::exception&) {
        return false;
    }
}

void ChangeAutorun(IRegistry& registry, bool on, const std::string& executablePath)
{
    try {
        auto key = registry.OpenKey(RunKeyPath, false);
        if (!key)
            return;
        key->DeleteValue(AutorunValueName);
        if (on)
            key->WriteValue(AutorunValueName, TRegValue::String(AutorunCommand(LauncherPath(executablePath).string())));
    } catch (const std::exception&) {
        // The entry stays as the failed step left it; the user sees no message for it.
    }
}

bool HasAutorunSwitch(const QStringList& arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if ((argument.startsWith(u'/') || argument.startsWith(u'-'))
            && argument.mid(1).compare(u"AUTORUN", Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace morva
