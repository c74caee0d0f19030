#pragma once
// The instance block for tests: Existed says whether a first copy holds it.

#include "platform/InstanceBlock.h"

namespace morva {

class FakeInstanceBlock : public IInstanceBlock {
public:
    bool Existed = false;
    bool FailOpen = false;
    std::uint32_t Handle = 0;
    std::string OpenedName;
    bool IsOpen = false;

    TBlockState CreateOrOpen(const std::string& name) override
    {
        if (FailOpen)
            throw EInstanceBlockError("fake block refused");
        OpenedName = name;
        IsOpen = true;
        return Existed ? TBlockState::AlreadyExisted : TBlockState::Created;
    }
    std::uint32_t ReadHandle() override { return Handle; }
    void WriteHandle(std::uint32_t handle) override { Handle = handle; }
    void Close() override { IsOpen = false; }
};

} // namespace morva
