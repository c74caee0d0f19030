#pragma once
// The autorun entry: a string value under the Run key that starts the program with
// /autorun when the user's session starts.

#include <QStringList>

#include <string>

namespace morva {

class IRegistry;

inline constexpr const char* AutorunValueName = "Kovrak MORVA autorun";

// The entry's data: the executable's path in double quotes (a double quote in it doubled),
// a space and /autorun.
std::string AutorunCommand(const std::string& executablePath);
// True exactly when the Run key opens and holds the value as REG_SZ. Never fails.
bool ReadAutorunState(IRegistry& registry);
// Replaces the entry: deleted, then written again when on, for the installed launcher when
// there is one. Never fails; does nothing when the Run key does not open.
void ChangeAutorun(IRegistry& registry, bool on, const std::string& executablePath);
// Whether the command line (the program's name first) holds the autorun switch: /autorun
// or -autorun, in any letter case.
bool HasAutorunSwitch(const QStringList& arguments);

} // namespace morva
