#include "core/AppResources.h"

#include "TestMain.h"

#include <QFile>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

// The message catalogues the resources carry, and the English one being complete.
class TestCatalogues : public QObject
{
    Q_OBJECT
private slots:
    void translates_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("expected");
        QTest::newRow("en page title") << "en" << "MainPage" << "文本翻译" << "Text translation";
        QTest::newRow("en hud default") << "en" << "QObject" << "好的" << "OK";
        QTest::newRow("zh-Hant, Taiwan phrase") << "zh-Hant" << "SettingMain" << "设置" << "設定";
        QTest::newRow("zh shows the source") << "zh" << "SettingMain" << "设置" << "";
    }

    void translates()
    {
        QFETCH(QString, language);
        QFETCH(QString, context);
        QFETCH(QString, source);
        QFETCH(QString, expected);
        initResources();
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/translations/%1.qm").arg(language)));
        QCOMPARE(translator.translate(context.toUtf8(), source.toUtf8()), expected);
    }

    // WindowState finds a window by its title: the window's own qsTr() and WindowState's tr()
    // must read the same in every language.
    void windowTitlesMatch_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("title");
        for (const char* language : {"en", "zh-Hant", "zh"}) {
            QTest::addRow("%s capture", language) << language << "ScreenshotTransWindow" << "截屏";
            QTest::addRow("%s screenshot detail", language) << language << "ScreenshotDetailWindow" << "截图翻译";
        }
    }

    void windowTitlesMatch()
    {
        QFETCH(QString, language);
        QFETCH(QString, context);
        QFETCH(QString, title);
        initResources();
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/translations/%1.qm").arg(language)));
        QCOMPARE(translator.translate(context.toUtf8(), title.toUtf8()),
                 translator.translate("WindowState", title.toUtf8()));
    }

    // Every message the sources show has its English text (scripts/update-translations lists
    // the missing ones).
    void englishIsComplete()
    {
        QFile ts(QStringLiteral(PARLAVINE_SOURCE_DIR "/src/translations/en.ts"));
        QVERIFY(ts.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&ts);
        QString source;
        QStringList unfinished;
        int messages = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText();
                ++messages;
            } else if (xml.name() == QLatin1String("translation")) {
                const bool open = xml.attributes().value("type") == QLatin1String("unfinished");
                if (open || xml.readElementText().isEmpty())
                    unfinished << source;
            }
        }
        QVERIFY(!xml.hasError());
        QVERIFY(messages > 0);
        QVERIFY2(unfinished.isEmpty(), qPrintable(unfinished.join('\n')));
    }
};

PARLAVINE_TEST_MAIN(TestCatalogues)
#include "tst_Catalogues.moc"
