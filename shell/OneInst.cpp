#include "shell/OneInst.h"

#include <stdexcept>

namespace morva {

TInstanceCheck GuardSingleInstance(IInstanceBlock& block, IOtherCopy& otherCopy, IOtherCopyServer& server,
                                   TWindowRequests requests, const std::u16string& word,
                                   const std::string& activationToken)
{
    TBlockState state;
    try {
        state = block.CreateOrOpen(InstanceBlockName);
    } catch (const EInstanceBlockError&) {
        return TInstanceCheck::FirstCopy;
    }

    if (state == TBlockState::AlreadyExisted) {
        // Whatever fails here, this copy ends: the first one is running.
        try {
            const std::uint32_t handle = block.ReadHandle();
            if (IsActivationToken(activationToken))
                otherCopy.HandOverActivationToken(handle, activationToken);
            if (!word.empty()) {
                otherCopy.LookUp(handle, word);
            } else if (otherCopy.IsVisible(handle)) {
                otherCopy.Restore(handle);
                otherCopy.SetForeground(handle);
            } else {
                otherCopy.SendWakeUp(handle);
            }
        } catch (const std::exception&) {
        }
        block.Close();
        return TInstanceCheck::OtherCopy;
    }

    // Without a way to be reached the first copy still holds the block: a later copy then
    // reads no window and ends, as with two copies started at the same moment.
    try {
        block.WriteHandle(server.Listen(std::move(requests)));
    } catch (const std::exception&) {
    }
    return TInstanceCheck::FirstCopy;
}

} // namespace morva
