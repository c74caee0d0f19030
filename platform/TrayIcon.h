#pragma once
// The notification-area icon.

#include <QIcon>
#include <QString>

#include <functional>

class QMenu;

namespace morva {

enum class TTrayClick {
    Left,   // left button released
    Right,  // right button released (the menu set by SetMenu opens by itself)
    Double,
    Other
};

class ITrayIcon {
public:
    virtual ~ITrayIcon() = default;

    // False where the desktop has no notification area.
    virtual bool IsAvailable() const = 0;
    // Adds the icon (NIM_ADD) or removes it (NIM_DELETE).
    virtual void Add(const QIcon& icon, const QString& tip) = 0;
    virtual void Remove() = 0;
    virtual bool IsShown() const = 0;
    // The menu is not owned; nullptr takes it away.
    virtual void SetMenu(QMenu* menu) = 0;
    virtual void OnClick(std::function<void(TTrayClick)> handler) = 0;
};

} // namespace morva
