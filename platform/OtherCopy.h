#pragma once
// The first copy's application window, as seen from a second copy, and the first copy's
// side that answers for it.

#include <cstdint>
#include <functional>
#include <string>

namespace morva {

// The wake-up notification a second copy sends to a first copy that sits in the tray.
inline constexpr std::uint32_t WakeUpMessage = 0x400;
inline constexpr std::uintptr_t WakeUpWParam = 123;
inline constexpr std::intptr_t WakeUpLParam = 456;

// Operations on the other copy's window by its handle. A handle that reaches no window
// (0, or a copy that has gone) gives false; none of them waits for ever.
class IOtherCopy {
public:
    virtual ~IOtherCopy() = default;

    virtual bool IsVisible(std::uint32_t handle) = 0;
    virtual bool Restore(std::uint32_t handle) = 0;
    virtual bool SetForeground(std::uint32_t handle) = 0;
    // Returns once the other copy has handled the notification (true) or could not be
    // reached in time (false).
    virtual bool SendWakeUp(std::uint32_t handle) = 0;
    // Asks the other copy to show the card for a text; true once it has taken it.
    virtual bool LookUp(std::uint32_t handle, const std::u16string& text) = 0;
};

// What the first copy does for the requests; every callback runs on the UI thread.
struct TWindowRequests {
    std::function<bool()> IsVisible;
    std::function<void()> Restore;
    std::function<void()> Activate;
    std::function<void()> WakeUp;
    // A text from another process: untrusted, to be looked up as a word and nothing else.
    std::function<void(const std::u16string&)> LookUp;
};

class IOtherCopyServer {
public:
    virtual ~IOtherCopyServer() = default;

    // Starts answering requests and returns the handle to store in the instance block, or 0
    // when it cannot listen: the copy then runs unguarded, a later copy reads no window and
    // ends. A failure to listen never ends the process.
    virtual std::uint32_t Listen(TWindowRequests requests) = 0;
};

} // namespace morva
