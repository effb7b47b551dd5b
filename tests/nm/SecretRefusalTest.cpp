// The secret agent as NetworkManager calls it, over a private bus
// (dbus-daemon): its methods are on the bus under their D-Bus names, a
// request about the utility's own connection is answered "cancelled" (so
// NetworkManager asks no other agent) and any other "no secrets" (so it
// asks the desktop's agent).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QElapsedTimer>
#include <QProcess>
#include <memory>
#include <string>
#include <vector>

#include "driver/nm/SecretRefusal.h"

namespace corvane::nm {
namespace {

class SecretRefusalTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "nm_tests";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
    }

    void SetUp() override {
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"),
                       QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1")});
        if (!daemon_.waitForStarted(5000)) GTEST_SKIP() << "no dbus-daemon to run a private bus";
        QElapsedTimer waited;
        waited.start();
        while (!daemon_.canReadLine() && waited.elapsed() < 5000) daemon_.waitForReadyRead(100);
        address_ = QString::fromLatin1(daemon_.readLine()).trimmed();
        ASSERT_FALSE(address_.isEmpty());
    }
    void TearDown() override {
        QDBusConnection::disconnectFromBus(QStringLiteral("agent"));
        QDBusConnection::disconnectFromBus(QStringLiteral("caller"));
        daemon_.kill();
        daemon_.waitForFinished(5000);
    }

    // NetworkManager's call, answered while the agent's process lets calls in.
    QDBusMessage GetSecrets(const QString& agentName, const QString& uuid) {
        QDBusConnection caller = QDBusConnection::connectToBus(address_, QStringLiteral("caller"));
        QDBusMessage call = QDBusMessage::createMethodCall(
            agentName, QString::fromLatin1(SecretRefusal::kObjectPath),
            QStringLiteral("org.freedesktop.NetworkManager.SecretAgent"),
            QStringLiteral("GetSecrets"));
        ConnectionSettings connection;
        connection["connection"]["id"] = QStringLiteral("corvane");
        connection["connection"]["uuid"] = uuid;
        call << QVariant::fromValue(connection)
             << QVariant::fromValue(QDBusObjectPath(QStringLiteral("/x")))
             << QStringLiteral("802-11-wireless-security") << QStringList() << 7u;
        QDBusPendingCall pending = caller.asyncCall(call, 5000);
        QElapsedTimer waited;
        waited.start();
        while (!pending.isFinished() && waited.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        return pending.reply();
    }

    QProcess daemon_;
    QString address_;
};

TEST_F(SecretRefusalTest, CancelsForItsOwnConnectionsOnly) {
    QDBusConnection bus = QDBusConnection::connectToBus(address_, QStringLiteral("agent"));
    ASSERT_TRUE(bus.isConnected());
    std::vector<std::string> notes;
    SecretRefusal agent(bus, [&](const std::string& line) { notes.push_back(line); });
    // No NetworkManager on this bus: the agent is on the bus, not registered.
    EXPECT_NE(agent.Register().find("cannot register the secret agent"), std::string::npos);
    agent.Own(QStringLiteral("0b9f6f2c-own"));

    const QDBusMessage own = GetSecrets(bus.baseService(), QStringLiteral("0b9f6f2c-own"));
    EXPECT_EQ(own.errorName().toStdString(),
              "org.freedesktop.NetworkManager.SecretAgent.UserCanceled");
    const QDBusMessage other = GetSecrets(bus.baseService(), QStringLiteral("someone-elses"));
    EXPECT_EQ(other.errorName().toStdString(),
              "org.freedesktop.NetworkManager.SecretAgent.NoSecrets");
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0],
              "NetworkManager asked for new 802-11-wireless-security secrets of the utility's "
              "connection (a prompt would show); refused, so the join fails and no password "
              "prompt opens");
}

}  // namespace
}  // namespace corvane::nm
