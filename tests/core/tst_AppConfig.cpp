#include "core/AppConfig.h"

#include "TestMain.h"

#include <QtTest>

class TestAppConfig : public QObject
{
    Q_OBJECT
private slots:
    void timeout_data()
    {
        QTest::addColumn<QByteArray>("env");
        QTest::addColumn<int>("expected");
        QTest::newRow("unset") << QByteArray() << 60000;
        QTest::newRow("set") << QByteArray("250") << 250;
        QTest::newRow("garbage") << QByteArray("soon") << 60000;
        QTest::newRow("negative") << QByteArray("-5") << 60000;
    }
    void timeout()
    {
        QFETCH(QByteArray, env);
        QFETCH(int, expected);
        if (env.isNull())
            qunsetenv("PARLAVINE_REQUEST_TIMEOUT_MS");
        else
            qputenv("PARLAVINE_REQUEST_TIMEOUT_MS", env);
        QCOMPARE(AppConfig::requestTimeoutMs(), expected);
    }

    void urlsAndFolders()
    {
        qputenv("PARLAVINE_API_URL", "http://127.0.0.1:1234");
        qputenv("XDG_CONFIG_HOME", "/tmp/cfg-home");
        qputenv("XDG_DATA_HOME", "/tmp/data-home");
        QCOMPARE(AppConfig::apiUrl(), QStringLiteral("http://127.0.0.1:1234"));
        QCOMPARE(AppConfig::configDir(), QStringLiteral("/tmp/cfg-home/Parlavine"));
        QCOMPARE(AppConfig::dataDir(), QStringLiteral("/tmp/data-home/Parlavine"));
        qunsetenv("PARLAVINE_API_URL");
        QCOMPARE(AppConfig::apiUrl(), QStringLiteral(PARLAVINE_DEFAULT_API_URL_FOR_TEST));
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestAppConfig)
#include "tst_AppConfig.moc"
