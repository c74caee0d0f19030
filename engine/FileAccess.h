#pragma once
// Files as the program and its tools touch them: a regular file opened for reading that never
// keeps the caller waiting, read whole within a bound, and a file replaced in one step.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace morva {

enum class TFileFault {
    System,      // the system refused; Error() holds errno
    NoTemporary, // the temporary beside the target could not be made; Error() holds errno
    Folder,      // a folder where a file was wanted
    NotRegular,  // a pipe, a device or a socket
    TooLarge,    // more bytes than the caller allows
};

// Callers word their own messages from Fault() and Error(); what() gives the reason in a few
// words: "it is a folder", "it is not a regular file", "it is too large" or the system's text.
class EFileAccess : public std::runtime_error {
public:
    EFileAccess(TFileFault fault, int error);
    TFileFault Fault() const { return fault_; }
    int Error() const { return error_; }

private:
    TFileFault fault_;
    int error_;
};

enum class TLinks { Follow, DoNotFollow };

// A regular file open for reading, closed when it goes. Opening never waits (a FIFO or a
// device is refused after the open, which does not block), and a link is followed only when
// asked. Throws EFileAccess.
class TReadableFile {
public:
    TReadableFile(const std::filesystem::path& file, TLinks links);
    ~TReadableFile();
    TReadableFile(const TReadableFile&) = delete;
    TReadableFile& operator=(const TReadableFile&) = delete;

    int Descriptor() const { return fd_; }
    const struct stat& Status() const { return status_; }
    // Reads from the current position to the end. The file may grow while it is read, so the
    // bound holds for what is read, not for what was stated.
    std::string ReadAll(std::size_t limit);

private:
    int fd_ = -1;
    struct stat status_ {};
};

std::string ReadRegularFile(const std::filesystem::path& file, TLinks links, std::size_t limit);

enum class TNewFileMode {
    OwnerOnly, // 0600
    Usual,     // what the umask leaves of 0666
};

// A fresh temporary file beside the target, created exclusively (a link planted under its
// name is never followed) and locked while this object lives, which tells a live writer's
// temporary from a dead one's. Commit renames it over the target (a link at the target is
// replaced, not followed); until then the target is untouched, and a temporary that is
// never committed is removed. Throws EFileAccess.
class TFileReplacement {
public:
    explicit TFileReplacement(const std::filesystem::path& target);
    ~TFileReplacement();
    TFileReplacement(const TFileReplacement&) = delete;
    TFileReplacement& operator=(const TFileReplacement&) = delete;

    void Write(std::string_view bytes);
    // Syncs the data, renames, then syncs the folder so that the rename itself is kept. The
    // descriptor stays open, and locked, on what is now the target.
    void Commit(TNewFileMode mode);
    int Descriptor() const { return fd_; }

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    int fd_ = -1;
    bool committed_ = false;
};

void ReplaceFileAtomically(const std::filesystem::path& target, std::string_view bytes, TNewFileMode mode);

// Removes the temporaries that writers of target were killed with: files of this user under
// the temporaries' names that nobody holds locked, each removed only while this call holds
// its lock and its name still leads to it.
void RemoveStaleTemporaries(const std::filesystem::path& target);

// Creates the folder and any missing parents, each for the owner only (0700), as the XDG base
// directory rules ask; folders that exist keep their permissions. Throws EFileAccess.
void CreatePrivateFolders(const std::filesystem::path& folder);

} // namespace morva
