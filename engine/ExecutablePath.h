#pragma once

#include <filesystem>

namespace morva {

// The folder of the running executable, where the data file lives.
std::filesystem::path ExecutableDir();

// How the user's session should start the executable: installed, the program lives in
// <prefix>/lib/kovrak-morva/ and <prefix>/bin/ holds a launcher of the same name that leads to
// it; that launcher is returned when it leads to this very file, else the executable itself.
std::filesystem::path LauncherPath(const std::filesystem::path& executable);

} // namespace morva
