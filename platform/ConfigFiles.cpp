#include "platform/ConfigFiles.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <stdexcept>
#include <sys/file.h>
#include <sys/stat.h>
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

// ".registry.reg.XXXXXX": the pattern mkstemp fills in.
std::string TemporaryPrefix(const std::filesystem::path& file)
{
    return "." + file.filename().string() + ".";
}
constexpr std::size_t TemporarySuffixLength = 6;

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
    std::string temporary = (file.parent_path() / (TemporaryPrefix(file) + std::string(TemporarySuffixLength, 'X'))).string();
    int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        throw SystemFailure("Cannot create a file beside", file);
    // Marks the file as a live writer's until the process ends.
    flock(fd, LOCK_EX);

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

void RemoveStaleTemporaries(const std::filesystem::path& file)
{
    const std::string prefix = TemporaryPrefix(file);
    std::error_code error;
    for (std::filesystem::directory_iterator entry(file.parent_path(), error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.size() != prefix.size() + TemporarySuffixLength || !name.starts_with(prefix))
            continue;
        int fd = open(entry->path().c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0)
            continue;
        struct stat info {};
        if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == getuid() && flock(fd, LOCK_EX | LOCK_NB) == 0)
            unlink(entry->path().c_str());
        close(fd);
    }
}

} // namespace morva
