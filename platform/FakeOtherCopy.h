#pragma once
// The other copy for tests: FakeOtherCopy records what a second copy asks, and
// FakeOtherCopyServer keeps the first copy's callbacks so a test can call them.

#include "platform/OtherCopy.h"

#include <string>
#include <vector>

namespace morva {

class FakeOtherCopy : public IOtherCopy {
public:
    bool Visible = false;
    // Each call as "IsVisible 7", "Restore 7", "SetForeground 7", "SendWakeUp 7", "Token abc 7".
    std::vector<std::string> Calls;

    bool IsVisible(std::uint32_t handle) override { return Record("IsVisible", handle) && Visible; }
    bool Restore(std::uint32_t handle) override { return Record("Restore", handle); }
    bool SetForeground(std::uint32_t handle) override { return Record("SetForeground", handle); }
    bool SendWakeUp(std::uint32_t handle) override { return Record("SendWakeUp", handle); }
    bool HandOverActivationToken(std::uint32_t handle, const std::string& token) override
    {
        return Record(("Token " + token).c_str(), handle);
    }
    // Recorded as "LookUp 7" and the text in Texts.
    bool LookUp(std::uint32_t handle, const std::u16string& text) override
    {
        Texts.push_back(text);
        return Record("LookUp", handle);
    }
    std::vector<std::u16string> Texts;

private:
    bool Record(const char* what, std::uint32_t handle)
    {
        Calls.push_back(std::string(what) + " " + std::to_string(handle));
        return handle != 0;
    }
};

class FakeOtherCopyServer : public IOtherCopyServer {
public:
    std::uint32_t Handle = 4242;
    bool Listening = false;
    TWindowRequests Requests;

    std::uint32_t Listen(TWindowRequests requests) override
    {
        Requests = std::move(requests);
        Listening = true;
        return Handle;
    }
};

} // namespace morva
