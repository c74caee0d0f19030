#pragma once
// The instance block as a 4-byte file in the user's runtime folder, held by the first copy
// with an advisory lock. The lock goes with the process, so the block of a copy that died
// is free and the next copy takes it over.

#include "platform/InstanceBlock.h"

#include <filesystem>

namespace morva {

// $XDG_RUNTIME_DIR, or a private folder of this user under /tmp. Throws
// EInstanceBlockError when neither is safe to use.
std::filesystem::path RuntimeFolder();

class TFileInstanceBlock : public IInstanceBlock {
public:
    TFileInstanceBlock() = default;
    ~TFileInstanceBlock() override;
    TFileInstanceBlock(const TFileInstanceBlock&) = delete;
    TFileInstanceBlock& operator=(const TFileInstanceBlock&) = delete;

    TBlockState CreateOrOpen(const std::string& name) override;
    std::uint32_t ReadHandle() override;
    void WriteHandle(std::uint32_t handle) override;
    void Close() override;

private:
    int fd_ = -1;
};

} // namespace morva
