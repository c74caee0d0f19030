#pragma once
// The first copy's application window, as seen from a second copy, and the first copy's
// side that answers for it.

#include <cstdint>
#include <functional>
#include <string>

namespace morva {

// The longest activation token handed over; tokens are printable ASCII without spaces.
inline constexpr std::size_t MaxActivationTokenLength = 200;

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
    // Hands this copy's activation token (Wayland's xdg-activation, from the launcher) to the
    // other copy, which may then come forward where the compositor allows only a window the
    // user just started to take the focus.
    virtual bool HandOverActivationToken(std::uint32_t handle, const std::string& token) = 0;
    // Asks the other copy to show the card for a text; true once it has taken it.
    virtual bool LookUp(std::uint32_t handle, const std::u16string& text) = 0;
};

// Whether text may be an activation token: 1 to MaxActivationTokenLength printable ASCII
// characters without spaces.
inline bool IsActivationToken(const std::string& text)
{
    if (text.empty() || text.size() > MaxActivationTokenLength)
        return false;
    for (const unsigned char c : text)
        if (c <= ' ' || c >= 127)
            return false;
    return true;
}

// What the first copy does for the requests; every callback runs on the UI thread.
struct TWindowRequests {
    std::function<bool()> IsVisible;
    std::function<void()> Restore;
    std::function<void()> Activate;
    std::function<void()> WakeUp;
    // The later copy's activation token, for the activation that follows.
    std::function<void(const std::string&)> ActivationToken;
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
