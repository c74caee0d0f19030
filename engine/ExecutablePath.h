#pragma once

#include <filesystem>

namespace morva {

// The folder of the running executable, where the data file lives.
std::filesystem::path ExecutableDir();

} // namespace morva
