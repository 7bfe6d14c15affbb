#include "core/AppConfig.h"
#include "platform/PortalSystemTheme.h"

#include "TestMain.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QProcess>
#include <QThread>
#include <QScopeGuard>
#include <QtTest>

namespace {

const char kPath[] = "/org/freedesktop/portal/desktop";
const char kInterface[] = "org.freedesktop.portal.Settings";

// Answers the portal's settings calls from its own thread, so the probe's blocking read is served.
class FakePortal : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")
public:
    uint scheme = 1;

public slots:
    QDBusVariant ReadOne(const QString& group, const QString& key)
    {
        return QDBusVariant(group == "org.freedesktop.appearance" && key == "color-scheme" ? scheme : 0u);
    }
};

} // namespace

class TestPortalSystemTheme : public QObject
{
    Q_OBJECT
public slots:
    // Delivered after the probe's own copy of the same signal, so it marks when the probe has seen it.
    void onSettingChanged(const QString&, const QString&, const QDBusVariant&) { ++m_announced; }

private slots:
    void override_data()
    {
        QTest::addColumn<QByteArray>("env");
        QTest::addColumn<QString>("expected");
        QTest::newRow("dark") << QByteArray("dark") << "dark";
        QTest::newRow("light, loosely written") << QByteArray(" Light ") << "light";
        QTest::newRow("anything else") << QByteArray("blue") << "";
    }
    void override()
    {
        QFETCH(QByteArray, env);
        QFETCH(QString, expected);
        qputenv("PARLAVINE_SYSTEM_THEME", env);
        QCOMPARE(AppConfig::systemThemeOverride(), expected);
        if (!expected.isEmpty())
            QCOMPARE(PortalSystemTheme(AppConfig::systemThemeOverride()).prefersDark(), expected == "dark");
        qunsetenv("PARLAVINE_SYSTEM_THEME");
    }

    void schemeValue_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("dark");
        QTest::newRow("dark") << QVariant(1u) << true;
        QTest::newRow("no preference") << QVariant(0u) << false;
        QTest::newRow("light") << QVariant(2u) << false;
        QTest::newRow("wrapped twice by Read")
            << QVariant::fromValue(QDBusVariant(QVariant::fromValue(QDBusVariant(1u)))) << true;
        QTest::newRow("unreadable") << QVariant(QStringLiteral("dark")) << false;
        QTest::newRow("missing") << QVariant() << false;
    }
    void schemeValue()
    {
        QFETCH(QVariant, value);
        QTEST(PortalSystemTheme::isDarkScheme(value), "dark");
    }

    // The real bus path: a private session bus with a stand-in portal on it.
    void followsThePortal()
    {
        QProcess daemon;
        daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
        if (!daemon.waitForStarted(3000))
            QSKIP("dbus-daemon is not available");
        QVERIFY(daemon.waitForReadyRead(3000));
        const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
        qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());

        QDBusConnection portalBus = QDBusConnection::connectToBus(address, "portal");
        QVERIFY(portalBus.isConnected());
        QThread portalThread;
        FakePortal portal;
        portal.moveToThread(&portalThread);
        portalThread.start();
        // A failed check returns early: the thread, bus and daemon must still go down.
        const auto teardown = qScopeGuard([&] {
            portalThread.quit();
            portalThread.wait();
            QDBusConnection::disconnectFromBus("portal");
            daemon.kill();
            daemon.waitForFinished();
        });
        QVERIFY(portalBus.registerObject(kPath, &portal, QDBusConnection::ExportAllSlots));
        QVERIFY(portalBus.registerService("org.freedesktop.portal.Desktop"));

        PortalSystemTheme theme;
        QVERIFY(theme.prefersDark());

        QSignalSpy changed(&theme, &SystemTheme::changed);
        QVERIFY(QDBusConnection::sessionBus().connect(QString(), kPath, kInterface, "SettingChanged", this,
                                                      SLOT(onSettingChanged(QString, QString, QDBusVariant))));
        const auto announce = [&](const QString& key, uint scheme) {
            QDBusMessage signal = QDBusMessage::createSignal(kPath, kInterface, "SettingChanged");
            signal << "org.freedesktop.appearance" << key << QVariant::fromValue(QDBusVariant(scheme));
            QVERIFY(portalBus.send(signal));
        };
        // Other settings are ignored, and only a real flip is announced.
        announce("accent-color", 2u);
        announce("color-scheme", 1u);
        QTRY_COMPARE(m_announced, 2);
        QVERIFY(theme.prefersDark());
        QCOMPARE(changed.count(), 0);
        announce("color-scheme", 2u);
        QTRY_COMPARE(changed.count(), 1);
        QVERIFY(!theme.prefersDark());
    }

private:
    int m_announced = 0;
};

PARLAVINE_GUILESS_TEST_MAIN(TestPortalSystemTheme)
#include "tst_PortalSystemTheme.moc"
