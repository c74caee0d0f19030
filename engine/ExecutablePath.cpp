#include "engine/ExecutablePath.h"

namespace morva {

std::filesystem::path ExecutableDir()
{
    std::error_code error;
    auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path() : self.parent_path();
}

std::filesystem::path LauncherPath(const std::filesystem::path& executable)
{
    const auto prefix = executable.parent_path().parent_path().parent_path();
    const auto launcher = prefix / "bin" / executable.filename();
    std::error_code error;
    if (executable.has_filename() && std::filesystem::equivalent(launcher, executable, error) && !error)
        return launcher;
    return executable;
}

} // namespace morva
