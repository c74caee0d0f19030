#include "platform/PortalGlobalShortcuts.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

// One entry of the portal's a(sa{sv}) list of shortcuts.
struct TPortalShortcut {
    QString Id;
    QVariantMap Properties;
};

QDBusArgument& operator<<(QDBusArgument& out, const TPortalShortcut& shortcut)
{
    out.beginStructure();
    out << shortcut.Id << shortcut.Properties;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, TPortalShortcut& shortcut)
{
    in.beginStructure();
    in >> shortcut.Id >> shortcut.Properties;
    in.endStructure();
    return in;
}

} // namespace

Q_DECLARE_METATYPE(TPortalShortcut)

namespace morva {
namespace {

const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString ShortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString RequestInterface = QStringLiteral("org.freedesktop.portal.Request");

// Success in the portal's Response signal; 1 is the user's no, 2 any other end.
constexpr uint ResponseSuccess = 0;

QString SessionHandle(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return value.toString();
}

} // namespace

TPortalGlobalShortcuts::TPortalGlobalShortcuts(QString appId, QDBusConnection bus)
    : appId_(std::move(appId)), bus_(std::move(bus))
{
    qDBusRegisterMetaType<TPortalShortcut>();
    qDBusRegisterMetaType<QList<TPortalShortcut>>();
}

TPortalGlobalShortcuts::~TPortalGlobalShortcuts()
{
    Unbind();
}

void TPortalGlobalShortcuts::Bind(const std::vector<TGlobalKey>& keys, Pressed pressed)
{
    Unbind();
    keys_ = keys;
    pressed_ = std::move(pressed);
    if (!bus_.isConnected())
        return;
    // Newer portals learn a program's id this way; older ones do not know the call, which
    // does no harm.
    bus_.asyncCall(QDBusMessage::createMethodCall(PortalService, PortalPath,
                                                  QStringLiteral("org.freedesktop.host.portal.Registry"),
                                                  QStringLiteral("Register"))
                   << appId_ << QVariantMap());
    Request(QStringLiteral("CreateSession"), {},
            {{QStringLiteral("session_handle_token"), QStringLiteral("morva_session%1").arg(requests_ + 1)}},
            SLOT(SessionCreated(uint, QVariantMap)));
}

void TPortalGlobalShortcuts::Unbind()
{
    StopAwaiting();
    if (!session_.isEmpty()) {
        bus_.disconnect(PortalService, PortalPath, ShortcutsInterface, QStringLiteral("Activated"), this,
                        SLOT(Activated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
        bus_.asyncCall(QDBusMessage::createMethodCall(PortalService, session_,
                                                      QStringLiteral("org.freedesktop.portal.Session"),
                                                      QStringLiteral("Close")));
        session_.clear();
    }
    keys_.clear();
    pressed_ = nullptr;
}

void TPortalGlobalShortcuts::Request(const QString& method, QList<QVariant> arguments, QVariantMap options,
                                     const char* slot)
{
    const QString token = QStringLiteral("morva%1").arg(++requests_);
    options.insert(QStringLiteral("handle_token"), token);
    QString sender = bus_.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    awaitedPath_ = PortalPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
    awaitedSlot_ = slot;
    bus_.connect(PortalService, awaitedPath_, RequestInterface, QStringLiteral("Response"), this, slot);

    QDBusMessage call = QDBusMessage::createMethodCall(PortalService, PortalPath, ShortcutsInterface, method);
    arguments.append(options);
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    const QString expected = awaitedPath_;
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, expected] {
        watcher->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
        if (awaitedPath_ != expected)
            return;
        // No portal, or one without global keys: there is nothing to wait for.
        if (reply.isError()) {
            StopAwaiting();
            return;
        }
        // An older portal may name the request differently from the one foreseen.
        if (const QString path = reply.value().path(); path != awaitedPath_) {
            const char* slot = awaitedSlot_;
            StopAwaiting();
            awaitedPath_ = path;
            awaitedSlot_ = slot;
            bus_.connect(PortalService, awaitedPath_, RequestInterface, QStringLiteral("Response"), this, slot);
        }
    });
}

void TPortalGlobalShortcuts::StopAwaiting()
{
    if (!awaitedPath_.isEmpty())
        bus_.disconnect(PortalService, awaitedPath_, RequestInterface, QStringLiteral("Response"), this,
                        awaitedSlot_);
    awaitedPath_.clear();
    awaitedSlot_ = nullptr;
}

void TPortalGlobalShortcuts::SessionCreated(uint response, const QVariantMap& results)
{
    StopAwaiting();
    if (response != ResponseSuccess || !pressed_)
        return;
    session_ = SessionHandle(results.value(QStringLiteral("session_handle")));
    if (session_.isEmpty())
        return;
    bus_.connect(PortalService, PortalPath, ShortcutsInterface, QStringLiteral("Activated"), this,
                 SLOT(Activated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
    QList<TPortalShortcut> shortcuts;
    for (const TGlobalKey& key : keys_)
        shortcuts.append({key.Id,
                          {{QStringLiteral("description"), key.Description},
                           {QStringLiteral("preferred_trigger"), key.PreferredTrigger}}});
    Request(QStringLiteral("BindShortcuts"),
            {QVariant::fromValue(QDBusObjectPath(session_)), QVariant::fromValue(shortcuts), QString()}, {},
            SLOT(KeysBound(uint, QVariantMap)));
}

void TPortalGlobalShortcuts::KeysBound(uint, const QVariantMap&)
{
    // Whatever the user chose in the desktop's dialog stands; a declined key never comes.
    StopAwaiting();
}

void TPortalGlobalShortcuts::Activated(const QDBusObjectPath& session, const QString& id, qulonglong,
                                       const QVariantMap& options)
{
    if (session.path() == session_ && pressed_)
        pressed_(id, options.value(QStringLiteral("activation_token")).toString());
}

} // namespace morva
