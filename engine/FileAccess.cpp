#include "engine/FileAccess.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace morva {
namespace {

std::string FaultText(TFileFault fault, int error)
{
    switch (fault) {
    case TFileFault::Folder: return "it is a folder";
    case TFileFault::NotRegular: return "it is not a regular file";
    case TFileFault::TooLarge: return "it is too large";
    case TFileFault::System:
    case TFileFault::NoTemporary: break;
    }
    return std::strerror(error);
}

std::filesystem::path FolderOf(const std::filesystem::path& file)
{
    return file.has_parent_path() ? file.parent_path() : ".";
}

// The temporaries of target are named ".<name>.XXXXXX", as mkstemp fills in the X's.
std::string TemporaryPrefix(const std::filesystem::path& target)
{
    return "." + target.filename().string() + ".";
}
constexpr std::size_t TemporarySuffixLength = 6;

// Whether the name still leads to the file open on fd.
bool NameLeadsTo(const std::filesystem::path& name, int fd)
{
    struct stat byName {}, byDescriptor {};
    return ::lstat(name.c_str(), &byName) == 0 && ::fstat(fd, &byDescriptor) == 0
        && byName.st_dev == byDescriptor.st_dev && byName.st_ino == byDescriptor.st_ino;
}

mode_t PermissionsFor(TNewFileMode mode)
{
    if (mode == TNewFileMode::OwnerOnly)
        return 0600;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A rename reaches the disk only with its folder.
void SyncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    // The new file is in place whatever this says; there is nothing left to undo.
    ::fsync(fd);
    ::close(fd);
}

} // namespace

EFileAccess::EFileAccess(TFileFault fault, int error)
    : std::runtime_error(FaultText(fault, error)), fault_(fault), error_(error)
{
}

TReadableFile::TReadableFile(const std::filesystem::path& file, TLinks links)
{
    // Without O_NONBLOCK, opening a FIFO waits for a writer.
    const int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | (links == TLinks::DoNotFollow ? O_NOFOLLOW : 0);
    fd_ = ::open(file.c_str(), flags);
    if (fd_ < 0)
        throw EFileAccess(TFileFault::System, errno);
    TFileFault fault = TFileFault::System;
    int error = 0;
    if (::fstat(fd_, &status_) != 0)
        error = errno;
    else if (S_ISDIR(status_.st_mode))
        fault = TFileFault::Folder;
    else if (!S_ISREG(status_.st_mode))
        fault = TFileFault::NotRegular;
    else
        return;
    ::close(fd_);
    throw EFileAccess(fault, error);
}

TReadableFile::~TReadableFile()
{
    ::close(fd_);
}

std::string TReadableFile::ReadAll(std::size_t limit)
{
    const std::size_t stated = std::size_t(std::max<off_t>(status_.st_size, 0));
    std::string text;
    std::size_t done = 0;
    for (;;) {
        if (done > limit)
            throw EFileAccess(TFileFault::TooLarge, EFBIG);
        if (done == text.size())
            text.resize(std::min(limit + 1, std::max({done * 2, stated + 1, std::size_t(64) << 10})));
        const ssize_t got = ::read(fd_, text.data() + done, text.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw EFileAccess(TFileFault::System, errno);
        if (got == 0) {
            text.resize(done);
            return text;
        }
        done += std::size_t(got);
    }
}

std::string ReadRegularFile(const std::filesystem::path& file, TLinks links, std::size_t limit)
{
    return TReadableFile(file, links).ReadAll(limit);
}

TFileReplacement::TFileReplacement(const std::filesystem::path& target) : target_(target)
{
    const std::string pattern =
        (FolderOf(target) / (TemporaryPrefix(target) + std::string(TemporarySuffixLength, 'X'))).string();
    // A cleaner may take a new temporary for a dead writer's in the moment before it is
    // locked; it then removes it, and another one is made.
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = pattern;
        const int fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd < 0)
            throw EFileAccess(TFileFault::NoTemporary, errno);
        const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        // Where the file system has no locks, the temporary goes unmarked, as it must.
        if ((locked && NameLeadsTo(name, fd)) || (!locked && errno != EWOULDBLOCK)) {
            fd_ = fd;
            temporary_ = name;
            return;
        }
        ::close(fd);
    }
    throw EFileAccess(TFileFault::NoTemporary, EBUSY);
}

TFileReplacement::~TFileReplacement()
{
    if (!committed_)
        ::unlink(temporary_.c_str());
    ::close(fd_);
}

void TFileReplacement::Write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t done = ::write(fd_, bytes.data(), bytes.size());
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            throw EFileAccess(TFileFault::System, done < 0 ? errno : EIO);
        bytes.remove_prefix(std::size_t(done));
    }
}

void TFileReplacement::Commit(TNewFileMode mode)
{
    if (::fchmod(fd_, PermissionsFor(mode)) != 0 || ::fsync(fd_) != 0
        || ::rename(temporary_.c_str(), target_.c_str()) != 0)
        throw EFileAccess(TFileFault::System, errno);
    committed_ = true;
    SyncFolder(FolderOf(target_));
}

void ReplaceFileAtomically(const std::filesystem::path& target, std::string_view bytes, TNewFileMode mode)
{
    TFileReplacement replacement(target);
    replacement.Write(bytes);
    replacement.Commit(mode);
}

void RemoveStaleTemporaries(const std::filesystem::path& target)
{
    const std::string prefix = TemporaryPrefix(target);
    std::error_code error;
    for (std::filesystem::directory_iterator entry(FolderOf(target), error), end; !error && entry != end;
         entry.increment(error)) {
        const std::filesystem::path& path = entry->path();
        const std::string name = path.filename().string();
        if (name.size() != prefix.size() + TemporarySuffixLength || !name.starts_with(prefix))
            continue;
        try {
            const TReadableFile file(path, TLinks::DoNotFollow);
            // Removed while locked here and only under the name that leads to it, so a
            // live writer's file is never the one that goes.
            if (file.Status().st_uid == ::getuid() && ::flock(file.Descriptor(), LOCK_EX | LOCK_NB) == 0
                && NameLeadsTo(path, file.Descriptor()))
                ::unlink(path.c_str());
        } catch (const EFileAccess&) {
        }
    }
}

void CreatePrivateFolders(const std::filesystem::path& folder)
{
    struct stat info {};
    if (folder.empty() || (::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode)))
        return;
    if (folder.has_parent_path() && folder.parent_path() != folder)
        CreatePrivateFolders(folder.parent_path());
    if (::mkdir(folder.c_str(), 0700) == 0)
        return;
    const int error = errno;
    if (error != EEXIST || ::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        throw EFileAccess(TFileFault::System, error == EEXIST ? ENOTDIR : error);
}

} // namespace morva
