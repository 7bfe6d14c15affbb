#include "core/FontSizeTable.h"
#include "core/ThemeColorTable.h"

#include "TestMain.h"

#include <QRegularExpression>
#include <QtTest>

class TestThemeTables : public QObject
{
    Q_OBJECT
private slots:
    void colourTables()
    {
        const QVariantMap light = ThemeColorTable::forType(ThemeColorTable::Light);
        const QVariantMap dark = ThemeColorTable::forType(ThemeColorTable::Dark);
        QCOMPARE(light.value("type").toInt(), 0);
        QCOMPARE(dark.value("type").toInt(), 1);
        QCOMPARE(light.keys(), dark.keys());
        QCOMPARE(light.size(), 103);
        QCOMPARE(light.value("contentBG").toString(), QStringLiteral("#fff"));
        QCOMPARE(dark.value("contentBG").toString(), QStringLiteral("#101010"));
        QCOMPARE(dark.value("transInputHL").toString(), QStringLiteral("#5A5B70"));
        QCOMPARE(light.value("transInputHLText").toString(), QStringLiteral("transparent"));

        // Every value must be a colour QML can parse.
        const QRegularExpression colour("^(#([0-9a-fA-F]{3}|[0-9a-fA-F]{6}|[0-9a-fA-F]{8})|transparent)$");
        for (const QVariantMap& table : {light, dark}) {
            for (auto it = table.cbegin(); it != table.cend(); ++it) {
                if (it.key() != "type")
                    QVERIFY2(colour.match(it.value().toString()).hasMatch(), qPrintable(it.key()));
            }
        }
    }

    void typeForMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("systemDark");
        QTest::addColumn<int>("type"); // -1: the mode leaves the colours alone
        QTest::newRow("follow light") << 0 << false << 0;
        QTest::newRow("follow dark") << 0 << true << 1;
        QTest::newRow("fixed light") << 1 << true << 0;
        QTest::newRow("fixed dark") << 2 << false << 1;
        QTest::newRow("night schedule") << 3 << true << -1;
        QTest::newRow("unknown follows") << 7 << true << 1;
    }
    void typeForMode()
    {
        QFETCH(int, mode);
        QFETCH(bool, systemDark);
        QTEST(ThemeColorTable::typeForMode(mode, systemDark).value_or(-1), "type");
    }

    void fontSizes_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("publishedLevel");
        QTest::addColumn<int>("normal");
        QTest::addColumn<int>("large");
        QTest::addColumn<int>("transInputHeight");
        QTest::newRow("level 0 at 125%") << 0 << 1.25 << 0 << 14 << 16 << 26;
        QTest::newRow("level 0 at 200%") << 0 << 2.0 << 0 << 12 << 14 << 26;
        QTest::newRow("level 0 at 150%") << 0 << 1.5 << 0 << 13 << 15 << 26;
        QTest::newRow("level 0 at 300%") << 0 << 3.0 << 0 << 11 << 13 << 26;
        QTest::newRow("smallest") << -1 << 1.0 << -1 << 12 << 14 << 24;
        QTest::newRow("level 1") << 1 << 1.0 << 1 << 16 << 20 << 28;
        QTest::newRow("largest") << 2 << 1.0 << 2 << 18 << 22 << 30;
        QTest::newRow("above range") << 5 << 1.0 << 2 << 18 << 22 << 30;
        QTest::newRow("below range") << -3 << 1.0 << 2 << 18 << 22 << 30;
    }
    void fontSizes()
    {
        QFETCH(int, level);
        QFETCH(double, scale);
        const QVariantMap table = FontSizeTable::forLevel(level, scale);
        QTEST(table.value("level").toInt(), "publishedLevel");
        QTEST(table.value("normal").toInt(), "normal");
        QTEST(table.value("large").toInt(), "large");
        QTEST(table.value("transInputHeight").toInt(), "transInputHeight");
        QCOMPARE(table.size(), 8);
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestThemeTables)
#include "tst_ThemeTables.moc"
