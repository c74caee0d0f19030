// The global keys through a GlobalShortcuts portal: a fake portal on a private bus answers as
// the desktop's would, and the client's calls and the presses it reports are checked.

#include "platform/PortalGlobalShortcuts.h"
#include "tests/support/TestFolders.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QTimer>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace morva {
namespace {

const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString SessionPath = QStringLiteral("/org/freedesktop/portal/desktop/session/1_1/morva");

// A bus of the test's own, so that no desktop's portal is reached.
class PrivateBus {
public:
    PrivateBus()
    {
        // The socket lives in the short runtime folder: a socket's path has room for 107 bytes,
        // and the test's home lies inside the build tree, which may be deep.
        const std::filesystem::path folder = qEnvironmentVariable("XDG_RUNTIME_DIR").toStdString() + "/bus";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        const auto config = test::FreshFolder("bus") / "bus.conf";
        std::ofstream(config) << "<busconfig><type>session</type><listen>unix:dir=" << folder.string()
                              << "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                                 "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                                 "<allow own=\"*\"/></policy></busconfig>";
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--nofork"), QStringLiteral("--print-address=1"),
                       QStringLiteral("--config-file=") + QString::fromStdString(config.string())});
        if (daemon_.waitForReadyRead(5000))
            Address = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    ~PrivateBus()
    {
        daemon_.kill();
        daemon_.waitForFinished();
    }
    QString Address;

private:
    QProcess daemon_;
};

struct TBoundKey {
    QString Id;
    QVariantMap Properties;
};

// What a desktop's portal does, for this client: the host registry, sessions, binding,
// closing, and the Activated signal when the test presses a key.
class FakePortal : public QDBusVirtualObject {
public:
    explicit FakePortal(QDBusConnection bus) : bus_(std::move(bus)) {}

    // 0 grants a request, 1 is the user's no.
    uint Response = 0;
    // An older portal's own request paths instead of the ones the client foresees.
    bool OwnRequestPaths = false;
    QStringList Calls;
    QString RegisteredId;
    QVariantMap SessionOptions;
    QString BoundSession;
    std::vector<TBoundKey> Keys;
    QString ParentWindow;
    QString ClosedSession;

    void Press(const QString& session, const QString& id, const QString& token)
    {
        QDBusMessage signal = QDBusMessage::createSignal(
            PortalPath, QStringLiteral("org.freedesktop.portal.GlobalShortcuts"), QStringLiteral("Activated"));
        signal << QVariant::fromValue(QDBusObjectPath(session)) << id << qulonglong(1234)
               << QVariantMap{{QStringLiteral("activation_token"), token}};
        bus_.send(signal);
    }

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        const QString member = message.member();
        const QList<QVariant> args = message.arguments();
        Calls << member;
        if (member == QLatin1String("Register")) {
            RegisteredId = args.value(0).toString();
            connection.send(message.createReply());
        } else if (member == QLatin1String("CreateSession")) {
            SessionOptions = qdbus_cast<QVariantMap>(args.value(0));
            Answer(message, connection, SessionOptions.value(QStringLiteral("handle_token")).toString(),
                   {{QStringLiteral("session_handle"), SessionPath}});
        } else if (member == QLatin1String("BindShortcuts")) {
            BoundSession = args.value(0).value<QDBusObjectPath>().path();
            const QDBusArgument list = args.value(1).value<QDBusArgument>();
            list.beginArray();
            while (!list.atEnd()) {
                TBoundKey key;
                list.beginStructure();
                list >> key.Id >> key.Properties;
                list.endStructure();
                Keys.push_back(key);
            }
            list.endArray();
            ParentWindow = args.value(2).toString();
            const QVariantMap options = qdbus_cast<QVariantMap>(args.value(3));
            Answer(message, connection, options.value(QStringLiteral("handle_token")).toString(), {});
        } else if (member == QLatin1String("Close")) {
            ClosedSession = message.path();
            connection.send(message.createReply());
        } else {
            return false;
        }
        return true;
    }

private:
    // Replies with the request's path, then answers on it as the portal does.
    void Answer(const QDBusMessage& call, const QDBusConnection& connection, const QString& token,
                const QVariantMap& results)
    {
        QString sender = call.service().mid(1);
        sender.replace(QLatin1Char('.'), QLatin1Char('_'));
        const QString path = PortalPath + QStringLiteral("/request/") + sender + QLatin1Char('/') +
                             (OwnRequestPaths ? QStringLiteral("r%1").arg(++ownRequests_) : token);
        connection.send(call.createReply(QVariant::fromValue(QDBusObjectPath(path))));
        QDBusMessage response = QDBusMessage::createSignal(path, QStringLiteral("org.freedesktop.portal.Request"),
                                                           QStringLiteral("Response"));
        response << Response << results;
        // After the reply, as a portal's answer comes once the user has chosen.
        QTimer::singleShot(OwnRequestPaths ? 50 : 0, [connection, response] {
            QDBusConnection(connection).send(response);
        });
    }

    QDBusConnection bus_;
    int ownRequests_ = 0;
};

class PortalShortcutsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(bus.Address.isEmpty()) << "dbus-daemon did not start";
        client = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(bus.Address, QStringLiteral("client")));
        ASSERT_TRUE(client->isConnected());
    }
    void TearDown() override
    {
        shortcuts.reset();
        client.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
        if (portal) {
            portal.reset();
            QDBusConnection::disconnectFromBus(QStringLiteral("portal"));
        }
    }

    void StartPortal()
    {
        QDBusConnection connection = QDBusConnection::connectToBus(bus.Address, QStringLiteral("portal"));
        portal = std::make_unique<FakePortal>(connection);
        ASSERT_TRUE(connection.registerVirtualObject(PortalPath, portal.get(), QDBusConnection::SubPath));
        ASSERT_TRUE(connection.registerService(QStringLiteral("org.freedesktop.portal.Desktop")));
    }

    void Bind()
    {
        shortcuts = std::make_unique<TPortalGlobalShortcuts>(QStringLiteral("io.github.kovrak.morva"), *client);
        shortcuts->Bind({{QStringLiteral("look-up-selection"), QStringLiteral("Look up"), QStringLiteral("CTRL+ALT+m")}},
                        [this](const QString& id, const QString& token) { presses << id + QLatin1Char('/') + token; });
    }

    PrivateBus bus;
    std::unique_ptr<QDBusConnection> client;
    std::unique_ptr<FakePortal> portal;
    std::unique_ptr<TPortalGlobalShortcuts> shortcuts;
    QStringList presses;
};

constexpr int Bound = 5000;

TEST_F(PortalShortcutsTest, BindsItsKeyAndHearsPressesOfItsOwnSessionUntilUnbound)
{
    for (const bool ownRequestPaths : {false, true}) {
        SCOPED_TRACE(ownRequestPaths ? "the portal's own request paths" : "the foreseen request paths");
        StartPortal();
        portal->OwnRequestPaths = ownRequestPaths;
        Bind();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !portal->Keys.empty(); }, Bound));
        EXPECT_EQ(portal->Calls.first(), QStringLiteral("Register")) << "the program says who it is first";
        EXPECT_EQ(portal->RegisteredId, QStringLiteral("io.github.kovrak.morva"));
        EXPECT_FALSE(portal->SessionOptions.value(QStringLiteral("session_handle_token")).toString().isEmpty());
        EXPECT_EQ(portal->BoundSession, SessionPath);
        ASSERT_EQ(portal->Keys.size(), 1u);
        EXPECT_EQ(portal->Keys[0].Id, QStringLiteral("look-up-selection"));
        EXPECT_EQ(portal->Keys[0].Properties.value(QStringLiteral("description")), QStringLiteral("Look up"));
        EXPECT_EQ(portal->Keys[0].Properties.value(QStringLiteral("preferred_trigger")), QStringLiteral("CTRL+ALT+m"));
        EXPECT_EQ(portal->ParentWindow, QString());

        portal->Press(QStringLiteral("/org/freedesktop/portal/desktop/session/other/app"),
                      QStringLiteral("look-up-selection"), QStringLiteral("theirs"));
        portal->Press(SessionPath, QStringLiteral("look-up-selection"), QStringLiteral("token1"));
        // Waits at most that long; the check below says what came.
        static_cast<void>(QTest::qWaitFor([&] { return presses == QStringList{QStringLiteral("look-up-selection/token1")}; }, Bound));
        ASSERT_EQ(presses, QStringList{QStringLiteral("look-up-selection/token1")});

        shortcuts->Unbind();
        // Waits at most that long; the check below says what came.
        static_cast<void>(QTest::qWaitFor([&] { return portal->ClosedSession == SessionPath; }, Bound));
        ASSERT_EQ(portal->ClosedSession, SessionPath);
        portal->Press(SessionPath, QStringLiteral("look-up-selection"), QStringLiteral("token2"));
        QTest::qWait(200);
        EXPECT_EQ(presses.size(), 1);
        presses.clear();
        TearDown();
        SetUp();
    }
}

TEST_F(PortalShortcutsTest, AKeyTheUserDeclinesIsNeverBound)
{
    StartPortal();
    portal->Response = 1;
    Bind();
    ASSERT_TRUE(QTest::qWaitFor([&] { return portal->Calls.contains(QStringLiteral("CreateSession")); }, Bound));
    QTest::qWait(200);
    EXPECT_FALSE(portal->Calls.contains(QStringLiteral("BindShortcuts")));
    portal->Press(SessionPath, QStringLiteral("look-up-selection"), QString());
    QTest::qWait(200);
    EXPECT_TRUE(presses.isEmpty());
}

TEST_F(PortalShortcutsTest, WithoutAPortalNothingHappensAndALaterBindStillWorks)
{
    Bind();
    QTest::qWait(300);
    EXPECT_TRUE(presses.isEmpty());

    StartPortal();
    Bind();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !portal->Keys.empty(); }, Bound));
    portal->Press(SessionPath, QStringLiteral("look-up-selection"), QString());
    // Waits at most that long; the check below says what came.
    static_cast<void>(QTest::qWaitFor([&] { return presses == QStringList{QStringLiteral("look-up-selection/")}; }, Bound));
    ASSERT_EQ(presses, QStringList{QStringLiteral("look-up-selection/")});
}

} // namespace
} // namespace morva
