#include "platform/FileInstanceBlock.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace morva {
namespace {

EInstanceBlockError Failure(const std::string& what)
{
    return EInstanceBlockError(what + ": " + std::strerror(errno));
}

bool IsPrivateFolder(const std::filesystem::path& folder)
{
    struct stat info {};
    return lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid()
        && (info.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

} // namespace

std::filesystem::path RuntimeFolder()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime && std::filesystem::path(runtime).is_absolute() && IsPrivateFolder(runtime))
        return runtime;

    std::filesystem::path fallback = "/tmp/kovrak-morva-" + std::to_string(getuid());
    if (mkdir(fallback.c_str(), 0700) != 0 && errno != EEXIST)
        throw Failure("Cannot create " + fallback.string());
    if (!IsPrivateFolder(fallback))
        throw EInstanceBlockError(fallback.string() + " is not a private folder of this user");
    return fallback;
}

TFileInstanceBlock::~TFileInstanceBlock()
{
    Close();
}

TBlockState TFileInstanceBlock::CreateOrOpen(const std::string& name)
{
    Close();
    if (name.empty() || name.find('/') != std::string::npos)
        throw EInstanceBlockError("Bad instance block name");
    std::filesystem::path file = RuntimeFolder() / (name + ".block");
    fd_ = open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ < 0)
        throw Failure("Cannot open " + file.string());

    // The file is never removed: a copy that opened it just before a removal would lock a
    // file that the next copy no longer sees.
    if (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK)
            return TBlockState::AlreadyExisted;
        int savedErrno = errno;
        Close();
        errno = savedErrno;
        throw Failure("Cannot lock " + file.string());
    }
    // A fresh block holds no handle yet, whatever a dead copy left in it.
    WriteHandle(0);
    return TBlockState::Created;
}

std::uint32_t TFileInstanceBlock::ReadHandle()
{
    if (fd_ < 0)
        throw EInstanceBlockError("The instance block is not open");
    unsigned char bytes[4] = {};
    ssize_t count = pread(fd_, bytes, sizeof bytes, 0);
    if (count < 0)
        throw Failure("Cannot read the instance block");
    if (count != sizeof bytes)
        return 0;
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

void TFileInstanceBlock::WriteHandle(std::uint32_t handle)
{
    if (fd_ < 0)
        throw EInstanceBlockError("The instance block is not open");
    const unsigned char bytes[4] = {static_cast<unsigned char>(handle), static_cast<unsigned char>(handle >> 8),
                                    static_cast<unsigned char>(handle >> 16), static_cast<unsigned char>(handle >> 24)};
    if (pwrite(fd_, bytes, sizeof bytes, 0) != sizeof bytes || ftruncate(fd_, sizeof bytes) != 0)
        throw Failure("Cannot write the instance block");
}

void TFileInstanceBlock::Close()
{
    if (fd_ >= 0)
        close(fd_);
    fd_ = -1;
}

} // namespace morva
