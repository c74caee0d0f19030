#include "platform/QtTrayIcon.h"

namespace morva {
namespace {

TTrayClick ClickOf(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger: return TTrayClick::Left;
    case QSystemTrayIcon::Context: return TTrayClick::Right;
    case QSystemTrayIcon::DoubleClick: return TTrayClick::Double;
    default: return TTrayClick::Other;
    }
}

} // namespace

TQtTrayIcon::TQtTrayIcon()
{
    QObject::connect(&icon_, &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason reason) {
        if (handler_)
            handler_(ClickOf(reason));
    });
}

bool TQtTrayIcon::IsAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TQtTrayIcon::Add(const QIcon& icon, const QString& tip)
{
    icon_.setIcon(icon);
    icon_.setToolTip(tip);
    icon_.show();
}

void TQtTrayIcon::Remove()
{
    icon_.hide();
}

bool TQtTrayIcon::IsShown() const
{
    return icon_.isVisible();
}

void TQtTrayIcon::SetMenu(QMenu* menu)
{
    icon_.setContextMenu(menu);
}

void TQtTrayIcon::OnClick(std::function<void(TTrayClick)> handler)
{
    handler_ = std::move(handler);
}

} // namespace morva
