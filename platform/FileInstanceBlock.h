#pragma once
// The instance block as a file in the user's runtime folder. The first copy holds an advisory
// lock on the runtime folder itself, which nothing placed in the folder can take away or
// fake; the handle goes into the block file, a fresh file of its own that it keeps locked
// while it runs. The locks go with the process, so a copy that died leaves both free and
// the next copy takes over.

#include "platform/InstanceBlock.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <sys/types.h>

namespace morva {

class TFileReplacement;

// $XDG_RUNTIME_DIR, or a private folder of this user under /tmp. Throws
// EInstanceBlockError when neither is safe to use.
std::filesystem::path RuntimeFolder();

class TFileInstanceBlock : public IInstanceBlock {
public:
    TFileInstanceBlock();
    ~TFileInstanceBlock() override;
    TFileInstanceBlock(const TFileInstanceBlock&) = delete;
    TFileInstanceBlock& operator=(const TFileInstanceBlock&) = delete;

    TBlockState CreateOrOpen(const std::string& name) override;
    // The handle in the block file while its writer holds it; otherwise (the file removed,
    // replaced or left by a dead copy) the process id of the copy that holds the lock.
    std::uint32_t ReadHandle() override;
    // Puts a fresh block file holding the handle in place of whatever has that name.
    void WriteHandle(std::uint32_t handle) override;
    void Close() override;

private:
    std::optional<std::uint32_t> StoredHandle() const;
    std::optional<std::uint32_t> LockHolder() const;

    std::filesystem::path file_;
    dev_t folderDevice_ = 0;
    ino_t folderInode_ = 0;
    int folderLock_ = -1;
    std::unique_ptr<TFileReplacement> blockFile_;
};

} // namespace morva
