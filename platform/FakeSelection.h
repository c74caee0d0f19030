#pragma once
// The primary selection and the desktop pointer for tests: a test sets what another
// application selected and where the pointer is, and calls Change() as the desktop would.

#include "platform/Selection.h"

namespace morva {

class FakePrimarySelection : public IPrimarySelection {
public:
    bool Available = true;
    QString Content;
    bool Watching() const { return static_cast<bool>(changed_); }
    // Another application took the selection.
    void Change(const QString& text)
    {
        Content = text;
        if (changed_)
            changed_();
    }

    bool IsAvailable() const override { return Available; }
    QString Text() const override { return Content; }
    void Watch(std::function<void()> changed) override { changed_ = std::move(changed); }

private:
    std::function<void()> changed_;
};

class FakeDesktopPointer : public IDesktopPointer {
public:
    TPointerState Now;
    TPointerState State() const override { return Now; }
};

} // namespace morva
