#include "platform/ConfigFiles.h"

#include "engine/FileAccess.h"

#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <stdexcept>
#include <unistd.h>

namespace morva {
namespace {

std::filesystem::path HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* user = getpwuid(getuid()); user && user->pw_dir)
        return user->pw_dir;
    return "/";
}

} // namespace

std::filesystem::path ConfigHome()
{
    const char* configured = std::getenv("XDG_CONFIG_HOME");
    if (configured && *configured && std::filesystem::path(configured).is_absolute())
        return configured;
    return HomeFolder() / ".config";
}

void WriteFileAtomically(const std::filesystem::path& file, const std::string& content)
{
    try {
        ReplaceFileAtomically(file, content, TNewFileMode::OwnerOnly);
    } catch (const EFileAccess& failure) {
        const char* what = failure.Fault() == TFileFault::NoTemporary ? "Cannot create a file beside" : "Cannot write";
        throw std::runtime_error(std::string(what) + " " + file.string() + ": " + std::strerror(failure.Error()));
    }
}

} // namespace morva
