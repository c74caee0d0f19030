#include "platform/ConfigFiles.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <stdexcept>
#include <unistd.h>

namespace morva {
namespace {

std::runtime_error SystemFailure(const std::string& what, const std::filesystem::path& file)
{
    return std::runtime_error(what + " " + file.string() + ": " + std::strerror(errno));
}

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
    std::string temporary = (file.parent_path() / ("." + file.filename().string() + ".XXXXXX")).string();
    int fd = mkstemp(temporary.data());
    if (fd < 0)
        throw SystemFailure("Cannot create a file beside", file);

    const char* data = content.data();
    std::size_t left = content.size();
    bool written = true;
    while (written && left > 0) {
        ssize_t count = write(fd, data, left);
        if (count < 0 && errno == EINTR)
            continue;
        written = count > 0;
        if (written) {
            data += count;
            left -= static_cast<std::size_t>(count);
        }
    }
    written = written && fsync(fd) == 0;
    int savedErrno = errno;
    written = close(fd) == 0 && written;
    if (!written || rename(temporary.c_str(), file.c_str()) != 0) {
        savedErrno = written ? errno : savedErrno;
        unlink(temporary.c_str());
        errno = savedErrno;
        throw SystemFailure("Cannot write", file);
    }

    // The rename itself reaches the disk only with its folder.
    if (int folder = open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY); folder >= 0) {
        fsync(folder);
        close(folder);
    }
}

} // namespace morva
