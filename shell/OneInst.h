#pragma once
// The single-instance guard: the first copy keeps a named block that tells later copies
// where it is; a later copy brings the first one forward and ends.

#include "platform/InstanceBlock.h"
#include "platform/OtherCopy.h"

#include <string>

namespace morva {

inline constexpr const char* InstanceBlockName = "Kovrak.Morva.Instance";

enum class TInstanceCheck {
    FirstCopy, // this copy runs (holding the block, or unguarded when the block failed)
    OtherCopy  // a first copy runs and has been brought forward: end with exit code 0
};

// The first copy's side answers requests through the given callbacks from then on. A later
// copy hands its activation token (empty: none) over before it asks anything else; with a
// word, it then hands the word over instead of bringing the first copy forward: the first
// copy shows its card.
TInstanceCheck GuardSingleInstance(IInstanceBlock& block, IOtherCopy& otherCopy, IOtherCopyServer& server,
                                   TWindowRequests requests, const std::u16string& word = {},
                                   const std::string& activationToken = {});

} // namespace morva
