#pragma once
// The desktop's global keys through the GlobalShortcuts portal on the session bus
// (org.freedesktop.portal.GlobalShortcuts): a session is made, the keys are bound in it, and
// the portal's Activated signal for that session becomes a press.

#include "platform/GlobalShortcuts.h"

#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>

class QDBusObjectPath;

namespace morva {

class TPortalGlobalShortcuts : public QObject, public IGlobalShortcuts {
    Q_OBJECT

public:
    // `appId` is the program's desktop id: a program outside a sandbox tells the portal who it
    // is with it. Tests give a private bus.
    explicit TPortalGlobalShortcuts(QString appId, QDBusConnection bus = QDBusConnection::sessionBus());
    ~TPortalGlobalShortcuts() override;

    void Bind(const std::vector<TGlobalKey>& keys, Pressed pressed) override;
    void Unbind() override;

private slots:
    void SessionCreated(uint response, const QVariantMap& results);
    void KeysBound(uint response, const QVariantMap& results);
    void Activated(const QDBusObjectPath& session, const QString& id, qulonglong timestamp, const QVariantMap& options);

private:
    // Calls a portal method whose answer comes later as the Response signal of a request
    // object; `slot` receives it. The signal is listened for before the call, so that a quick
    // answer is not missed.
    void Request(const QString& method, QList<QVariant> arguments, QVariantMap options, const char* slot);
    void StopAwaiting();

    QString appId_;
    QDBusConnection bus_;
    std::vector<TGlobalKey> keys_;
    Pressed pressed_;
    QString session_;
    QString awaitedPath_;
    const char* awaitedSlot_ = nullptr;
    int requests_ = 0;
};

} // namespace morva
