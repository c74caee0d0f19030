#pragma once
// The desktop's global keys for tests: a test sees what was bound and presses a key as the
// desktop would.

#include "platform/GlobalShortcuts.h"

namespace morva {

class FakeGlobalShortcuts : public IGlobalShortcuts {
public:
    std::vector<TGlobalKey> Keys;
    bool Bound() const { return static_cast<bool>(pressed_); }
    void Press(const QString& id, const QString& activationToken = {})
    {
        if (pressed_)
            pressed_(id, activationToken);
    }

    void Bind(const std::vector<TGlobalKey>& keys, Pressed pressed) override
    {
        Keys = keys;
        pressed_ = std::move(pressed);
    }
    void Unbind() override
    {
        Keys.clear();
        pressed_ = nullptr;
    }

private:
    Pressed pressed_;
};

} // namespace morva
