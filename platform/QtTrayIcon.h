#pragma once

#include "platform/TrayIcon.h"

#include <QSystemTrayIcon>

namespace morva {

class TQtTrayIcon : public ITrayIcon {
public:
    TQtTrayIcon();

    bool IsAvailable() const override;
    void Add(const QIcon& icon, const QString& tip) override;
    void Remove() override;
    bool IsShown() const override;
    void SetMenu(QMenu* menu) override;
    void OnClick(std::function<void(TTrayClick)> handler) override;

private:
    QSystemTrayIcon icon_;
    std::function<void(TTrayClick)> handler_;
};

} // namespace morva
