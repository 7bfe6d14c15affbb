#include "core/AppConfig.h"
#include "platform/PortalSystemTheme.h"

#include <QDBusVariant>
#include <QtTest>

class TestPortalSystemTheme : public QObject
{
    Q_OBJECT
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
};

QTEST_GUILESS_MAIN(TestPortalSystemTheme)
#include "tst_PortalSystemTheme.moc"
