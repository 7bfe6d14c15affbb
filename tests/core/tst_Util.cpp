#include "core/Log.h"
#include "core/Util.h"

#include "TestMain.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

class TestUtil : public QObject
{
    Q_OBJECT
private slots:
    void digests_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("sha256");
        QTest::addColumn<QString>("md5");
        QTest::newRow("empty") << QString() << "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"
                               << "d41d8cd98f00b204e9800998ecf8427e";
        QTest::newRow("abc") << "abc" << "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"
                             << "900150983cd24fb0d6963f7d28e17f72";
        // Non-ASCII text hashes its UTF-8 bytes (c3 a9).
        QTest::newRow("utf8") << QString::fromUtf8("\xc3\xa9") << sha256OfBytes("\xc3\xa9") << md5OfBytes("\xc3\xa9");
    }
    void digests()
    {
        QFETCH(QString, text);
        QFETCH(QString, sha256);
        QFETCH(QString, md5);
        QCOMPARE(sha256Hex(text), sha256);
        QCOMPARE(md5Hex(text), md5);
    }

    void parseUrlQuery_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QVariantMap>("expected");
        QTest::newRow("pairs") << "parlavine://login?a=1&b=&c" << QVariantMap{{"a", "1"}, {"b", ""}};
        QTest::newRow("no question mark") << "parlavine://login" << QVariantMap();
        QTest::newRow("two question marks") << "x?a=1?b=2" << QVariantMap();
        QTest::newRow("later wins") << "x?a=1&a=2" << QVariantMap{{"a", "2"}};
        QTest::newRow("padding kept") << "x?token=YWJj==&type=kx" << QVariantMap{{"token", "YWJj=="}, {"type", "kx"}};
        QTest::newRow("percent decoded") << "x?na%20me=a%2Bb%3D%26" << QVariantMap{{"na me", "a+b=&"}};
        QTest::newRow("plus unchanged") << "x?q=a+b" << QVariantMap{{"q", "a+b"}};
    }
    void parseUrlQuery()
    {
        QFETCH(QString, url);
        QFETCH(QVariantMap, expected);
        QCOMPARE(::parseUrlQuery(url), expected);
    }

    void splitPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("absolute") << "/home/u/f.txt" << "/home/u";
        QTest::newRow("relative") << "a/b" << "a";
        QTest::newRow("no separator") << "f.txt" << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("trailing separator") << "/home/u/" << "/home/u";
        QTest::newRow("file in root") << "/f" << "";
    }
    void splitPath()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(::splitPath(path), expected);
    }

    void hotkeyText_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("ctrl");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<bool>("alt");
        QTest::addColumn<QString>("expected");
        QTest::newRow("all") << "o" << true << true << true << "Ctrl+Shift+Alt+O";
        QTest::newRow("ctrl alt") << "o" << true << false << true << "Ctrl+Alt+O";
        QTest::newRow("ctrl only") << "g" << true << false << false << "Ctrl+G";
        QTest::newRow("alt only") << "p" << false << false << true << "Alt+P";
        QTest::newRow("none") << "F1" << false << false << false << "F1";
    }
    void hotkeyText()
    {
        QFETCH(QString, key);
        QFETCH(bool, ctrl);
        QFETCH(bool, shift);
        QFETCH(bool, alt);
        QFETCH(QString, expected);
        QCOMPARE(hotkeyDisplayText(key, ctrl, shift, alt), expected);
        QCOMPARE(hotkeyToString(key, ctrl, shift, alt), expected);
        // The tray reads it as a key sequence: each flag must land on its own modifier.
        const int combined = QKeySequence::fromString(hotkeyToString(key, ctrl, shift, alt))[0];
        QCOMPARE(bool(combined & Qt::ControlModifier), ctrl);
        QCOMPARE(bool(combined & Qt::ShiftModifier), shift);
        QCOMPARE(bool(combined & Qt::AltModifier), alt);
        QVERIFY(!(combined & Qt::MetaModifier));
    }

    void parseHotkeySetting_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("key"); // "untouched" when the outputs keep their sentinels
        QTest::addColumn<QString>("flags");
        QTest::newRow("stored") << "k|1|0|1" << "copyTransOpen" << true << "k" << "101";
        QTest::newRow("stored, any name") << "Q|0|1|0" << "whatever" << true << "Q" << "010";
        QTest::newRow("empty") << "" << "copyTransQuick" << false << "untouched" << "";
        QTest::newRow("default quick") << "junk" << "copyTransQuick" << true << "G" << "100";
        QTest::newRow("default open") << "a|b" << "copyTransOpen" << true << "O" << "101";
        QTest::newRow("default screenshot") << "a|b|c|d|e" << "screenshotOpen" << true << "P" << "101";
        QTest::newRow("double ctrl+c") << "junk" << "copyTransCC" << true << "untouched" << "";
        QTest::newRow("unknown name") << "junk" << "nope" << false << "untouched" << "";
    }
    void parseHotkeySetting()
    {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QFETCH(bool, result);
        QFETCH(QString, key);
        QFETCH(QString, flags);
        QString outKey = QStringLiteral("untouched");
        bool ctrl = false, shift = false, alt = false;
        QCOMPARE(::parseHotkeySetting(text, name, outKey, ctrl, shift, alt), result);
        QCOMPARE(outKey, key);
        if (!flags.isEmpty())
            QCOMPARE(QString("%1%2%3").arg(int(ctrl)).arg(int(shift)).arg(int(alt)), flags);
    }

    void variantFromTyped_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("bool false") << "false" << "bool" << QVariant(false);
        QTest::newRow("bool FALSE") << "FALSE" << "bool" << QVariant(false);
        QTest::newRow("bool 0") << "0" << "bool" << QVariant(false);
        QTest::newRow("bool empty") << "" << "bool" << QVariant(false);
        QTest::newRow("bool other") << "no" << "bool" << QVariant(true);
        QTest::newRow("int") << "42" << "int" << QVariant(42);
        QTest::newRow("int garbage") << "4.5" << "int" << QVariant(0);
        QTest::newRow("number") << "2.5" << "number" << QVariant(2.5);
        QTest::newRow("list") << "[1,\"a\"]" << "list" << QVariant(QVariantList{1.0, "a"});
        QTest::newRow("map") << "{\"k\":true}" << "map" << QVariant(QVariantMap{{"k", true}});
        QTest::newRow("bad json") << "{" << "map" << QVariant();
        QTest::newRow("unknown tag") << "123" << "qlonglong" << QVariant(QStringLiteral("123"));
    }
    void variantFromTyped()
    {
        QFETCH(QString, text);
        QFETCH(QString, tag);
        QFETCH(QVariant, expected);
        const QVariant actual = ::variantFromTyped(text, tag);
        QCOMPARE(actual.type(), expected.type());
        QCOMPARE(actual, expected);
    }

    void json()
    {
        QCOMPARE(mapToJson({{"b", 1}, {"a", "x y"}}), QStringLiteral("{\"a\":\"x y\",\"b\":1}"));
        QCOMPARE(listToJson({1, "two", QVariantMap{{"k", false}}}), QStringLiteral("[1,\"two\",{\"k\":false}]"));
        QCOMPARE(stringListToJson({"a", "\"b\""}), QStringLiteral("[\"a\",\"\\\"b\\\"\"]"));
        QCOMPARE(mapFromStr("[1]"), QVariantMap());
        QCOMPARE(mapFromStr("not json"), QVariantMap());
        QCOMPARE(mapFromStr("{\"n\":[1]}"), (QVariantMap{{"n", QVariantList{1.0}}}));
        QVERIFY(!variantFromStr("{").isValid());
    }

    void pairLists()
    {
        QVariantMap map{{"keep", 1}, {"a", "old"}};
        pairListIntoMap(map, {"a", "new", 7, true, "trailing"});
        QCOMPARE(map, (QVariantMap{{"keep", 1}, {"a", "new"}, {"7", true}}));
        QCOMPARE(pairListToMap({"x", 1}), (QVariantMap{{"x", 1}}));
    }

    void strings()
    {
        QCOMPARE(capitalizeFirst("zh-Hant"), QStringLiteral("Zh-Hant"));
        QCOMPARE(capitalizeFirst(""), QString());
        QVERIFY(isNullOrEmpty(QString()));
        QVERIFY(isNullOrEmpty(""));
        QVERIFY(!isNullOrEmpty(" "));
    }

    void logGoesToTheNamedFileOnly()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("trail.log");
        qunsetenv("PARLAVINE_LOG_FILE");
        log("dropped");
        QVERIFY(!QFile::exists(path));

        qputenv("PARLAVINE_LOG_FILE", path.toUtf8());
        log("installHotkey-save: %1, %2, %3", "copyTransOpen", "%2", "O");
        log("five %1%2%3%4%5", "a", "b", "c", "d", "e");
        log("data", QVariantMap{{"k", 1}});
        qunsetenv("PARLAVINE_LOG_FILE");

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QVERIFY2(lines.at(0).endsWith("installHotkey-save: copyTransOpen, %2, O"), qPrintable(lines.at(0)));
        QVERIFY(lines.at(1).endsWith("five abcde"));
        QVERIFY(lines.at(2).endsWith("data {\"k\":1}"));
        QCOMPARE(file.permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
                 QFile::Permissions());
    }

    // What the user typed and what the server said reach the log only as a short start.
    void logShortensLongArguments_data()
    {
        QTest::addColumn<bool>("asData");
        QTest::newRow("argument") << false;
        QTest::newRow("reply data") << true;
    }
    void logShortensLongArguments()
    {
        QFETCH(bool, asData);
        QTemporaryDir dir;
        const QString path = dir.filePath("trail.log");
        qputenv("PARLAVINE_LOG_FILE", path.toUtf8());
        const QString secret = QString(119, QLatin1Char('a')) + QString::fromUtf8("\xF0\x9F\x98\x80") + "SECRET"
                               + QString(5000, QLatin1Char('b'));
        if (asData)
            log("reply", QVariantMap{{"text", secret}});
        else
            log("translation: %1", secret);
        qunsetenv("PARLAVINE_LOG_FILE");

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString line = QString::fromUtf8(file.readAll());
        QVERIFY(line.size() < 300);
        QVERIFY(!line.contains("SECRET"));
        QVERIFY(line.contains(QString(100, QLatin1Char('a'))));
        // The pair of the emoji is never split.
        QVERIFY(!line.contains(QChar(0xFFFD)) && !line.contains('?'));
    }

    // Nothing reads the log but people; it is written in English.
    void logLinesAreEnglish()
    {
        const QRegularExpression call(QStringLiteral("\\blog\\((.*)"));
        QStringList offenders;
        QDirIterator it(QStringLiteral(PARLAVINE_SOURCE_DIR "/src"), {"*.cpp"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile source(it.next());
            QVERIFY(source.open(QIODevice::ReadOnly));
            int number = 0;
            for (const QString& line : QString::fromUtf8(source.readAll()).split('\n')) {
                ++number;
                const QRegularExpressionMatch match = call.match(line);
                if (!match.hasMatch())
                    continue;
                const QString rest = match.captured(1);
                if (std::any_of(rest.cbegin(), rest.cend(), [](QChar c) { return c.unicode() > 0x7f; }))
                    offenders << QStringLiteral("%1:%2").arg(it.fileName()).arg(number);
            }
        }
        QVERIFY2(offenders.isEmpty(), qPrintable(offenders.join(' ')));
    }

private:
    static QString sha256OfBytes(const char* bytes)
    {
        return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
    }
    static QString md5OfBytes(const char* bytes)
    {
        return QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex();
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestUtil)
#include "tst_Util.moc"
