#include "engine/ExecutablePath.h"

namespace morva {

std::filesystem::path ExecutableDir()
{
    std::error_code error;
    auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path() : self.parent_path();
}

} // namespace morva
