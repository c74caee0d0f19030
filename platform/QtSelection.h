#pragma once
// The primary selection through Qt's clipboard, and the desktop pointer through X11.

#include "platform/Selection.h"

#include <QMetaObject>

namespace morva {

class TQtPrimarySelection : public IPrimarySelection {
public:
    ~TQtPrimarySelection() override;
    bool IsAvailable() const override;
    QString Text() const override;
    void Watch(std::function<void()> changed) override;

private:
    QMetaObject::Connection connection_;
};

class TX11DesktopPointer : public IDesktopPointer {
public:
    TPointerState State() const override;
};

} // namespace morva
