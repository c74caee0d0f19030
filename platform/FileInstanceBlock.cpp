#include "platform/FileInstanceBlock.h"

#include "engine/FileAccess.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace morva {
namespace {

constexpr std::size_t HandleSize = 4;
// /proc/locks holds a line per lock in the system; this is far more than a desktop has.
constexpr std::size_t MaxLockTable = 16 << 20;

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

template <typename T> std::optional<T> Number(std::string_view text, int base)
{
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
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

TFileInstanceBlock::TFileInstanceBlock() = default;

TFileInstanceBlock::~TFileInstanceBlock()
{
    Close();
}

TBlockState TFileInstanceBlock::CreateOrOpen(const std::string& name)
{
    Close();
    if (name.empty() || name.find('/') != std::string::npos)
        throw EInstanceBlockError("Bad instance block name");
    const std::filesystem::path folder = RuntimeFolder();
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        throw Failure("Cannot open " + folder.string());
    struct stat info {};
    if (fstat(fd, &info) != 0 || flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        close(fd);
        if (error == EWOULDBLOCK) {
            file_ = folder / (name + ".block");
            folderDevice_ = info.st_dev;
            folderInode_ = info.st_ino;
            return TBlockState::AlreadyExisted;
        }
        errno = error;
        throw Failure("Cannot lock " + folder.string());
    }
    folderLock_ = fd;
    file_ = folder / (name + ".block");
    folderDevice_ = info.st_dev;
    folderInode_ = info.st_ino;
    RemoveStaleTemporaries(file_);
    try {
        // A fresh block holds no handle yet, whatever a dead copy left in it.
        WriteHandle(0);
    } catch (const EInstanceBlockError&) {
        // Something of another kind sits at the block file's name: later copies still find
        // this one through the lock on the folder.
    }
    return TBlockState::Created;
}

std::optional<std::uint32_t> TFileInstanceBlock::StoredHandle() const
{
    try {
        const TReadableFile file(file_, TLinks::DoNotFollow);
        // A block file that nobody holds is a dead copy's, or was put there by someone else.
        if (file.Status().st_size != HandleSize || flock(file.Descriptor(), LOCK_SH | LOCK_NB) == 0
            || errno != EWOULDBLOCK)
            return std::nullopt;
        unsigned char bytes[HandleSize] = {};
        if (pread(file.Descriptor(), bytes, sizeof bytes, 0) != HandleSize)
            return std::nullopt;
        return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    } catch (const EFileAccess&) {
        return std::nullopt;
    }
}

// The system's lock table names the process that holds the folder's lock, e.g.
// "3: FLOCK  ADVISORY  WRITE 1234 00:1a:5678 0 EOF"; a waiting lock has "->" after the number.
std::optional<std::uint32_t> TFileInstanceBlock::LockHolder() const
{
    std::string table;
    try {
        table = ReadRegularFile("/proc/locks", TLinks::Follow, MaxLockTable);
    } catch (const EFileAccess&) {
        return std::nullopt;
    }
    std::istringstream lines(table);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string number, kind, advisory, access, pid, place;
        if (!(fields >> number >> kind >> advisory >> access >> pid >> place) || kind != "FLOCK" || access != "WRITE")
            continue;
        const std::size_t first = place.find(':');
        const std::size_t second = place.find(':', first + 1);
        if (second == std::string::npos)
            continue;
        const auto major = Number<unsigned>(std::string_view(place).substr(0, first), 16);
        const auto minor = Number<unsigned>(std::string_view(place).substr(first + 1, second - first - 1), 16);
        const auto inode = Number<ino_t>(std::string_view(place).substr(second + 1), 10);
        const auto holder = Number<std::uint32_t>(pid, 10);
        if (major == ::major(folderDevice_) && minor == ::minor(folderDevice_) && inode == folderInode_ && holder
            && *holder > 0)
            return holder;
    }
    return std::nullopt;
}

std::uint32_t TFileInstanceBlock::ReadHandle()
{
    if (file_.empty())
        throw EInstanceBlockError("The instance block is not open");
    if (const auto stored = StoredHandle())
        return *stored;
    return LockHolder().value_or(0);
}

void TFileInstanceBlock::WriteHandle(std::uint32_t handle)
{
    if (folderLock_ < 0)
        throw EInstanceBlockError("The instance block is not open");
    const unsigned char bytes[HandleSize] = {static_cast<unsigned char>(handle), static_cast<unsigned char>(handle >> 8),
                                             static_cast<unsigned char>(handle >> 16),
                                             static_cast<unsigned char>(handle >> 24)};
    try {
        auto next = std::make_unique<TFileReplacement>(file_);
        next->Write({reinterpret_cast<const char*>(bytes), sizeof bytes});
        next->Commit(TNewFileMode::OwnerOnly);
        blockFile_ = std::move(next);
    } catch (const EFileAccess& failure) {
        errno = failure.Error();
        throw Failure("Cannot write the instance block");
    }
}

void TFileInstanceBlock::Close()
{
    blockFile_.reset();
    if (folderLock_ >= 0)
        close(folderLock_);
    folderLock_ = -1;
    file_.clear();
}

} // namespace morva
