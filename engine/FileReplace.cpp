#include "engine/FileReplace.h"

#include "engine/Printable.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace morva {
namespace {

[[noreturn]] void Fail(const std::filesystem::path& target, const std::string& why)
{
    throw FileWriteError(Printable(target.string()) + ": cannot be written (" + why + ")");
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const ssize_t done = ::write(fd, bytes.data(), bytes.size());
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        bytes = bytes.subspan(std::size_t(done));
    }
    return true;
}

// The permissions a newly created file gets: mkstemp's are private to the owner.
mode_t UsualMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

void RequireWritableTarget(const std::filesystem::path& target)
{
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        Fail(target, "it is a folder; give the name of the file to write");
}

void ReplaceFile(const std::filesystem::path& target, std::span<const std::uint8_t> bytes)
{
    RequireWritableTarget(target);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        Fail(target, std::strerror(errno));
    const bool written = WriteAll(fd, bytes) && ::fchmod(fd, UsualMode()) == 0 && ::fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = !written ? writeError : errno;
        ::unlink(temporary.c_str());
        Fail(target, std::strerror(error));
    }
}

} // namespace morva
