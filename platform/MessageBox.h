#pragma once
// A modal box with one OK button, brought to the foreground.

#include <QString>

class QWidget;

namespace morva {

enum class TMessageIcon {
    Error,      // MB_ICONERROR | MB_SETFOREGROUND (0x10010)
    Information // MB_ICONINFORMATION | MB_SETFOREGROUND (0x10040)
};

class IMessageBox {
public:
    virtual ~IMessageBox() = default;

    // Returns when the user has closed the box. parent may be null.
    virtual void Show(QWidget* parent, const QString& text, const QString& caption, TMessageIcon icon) = 0;
};

} // namespace morva
