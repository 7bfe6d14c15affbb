#include "core/AppConfig.h"
#include "core/SimpleStorage.h"
#include "core/Storage.h"

#include "TestMain.h"

#include <QFile>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

class TestStorage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        qputenv("XDG_DATA_HOME", home.path().toUtf8());
    }

    // Runs first: the database is opened for the first time here.
    void recoversFromAFailedFirstOpen()
    {
        QFile blocker(AppConfig::dataDir()); // a file where the folder should be
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        Storage* storage = Storage::instance();
        QVERIFY(!storage->init());
        QVERIFY(!SimpleStorage::instance()->set("k", 1));
        QVERIFY(!SimpleStorage::instance()->get("k").isValid());

        QVERIFY(blocker.remove());
        QVERIFY(SimpleStorage::instance()->set("k", 1)); // the retry creates the tables
        QVERIFY(QFile::exists(AppConfig::dataDir() + "/Parlavine.db"));
        QVERIFY(storage->execQuery("INSERT INTO text_trans_history2 VALUES ('1', 't', 'r', 'en', 'zh', '0', '0');"));
    }

    void typedValuesRoundTrip_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("storedText");
        QTest::addColumn<QString>("storedTag");
        QTest::newRow("string") << QVariant("it's \"quoted\" %2") << "it's \"quoted\" %2" << "string";
        QTest::newRow("int") << QVariant(-7) << "-7" << "int";
        QTest::newRow("double") << QVariant(0.1) << "0.1" << "double";
        QTest::newRow("bool") << QVariant(true) << "true" << "bool";
        QTest::newRow("map") << QVariant(QVariantMap{{"b", 1.0}, {"$time", "x y"}}) << R"({"$time":"x y","b":1})"
                             << "map";
        QTest::newRow("list") << QVariant(QVariantList{"a", 2.0}) << R"(["a",2])" << "list";
        QTest::newRow("other type") << QVariant(qlonglong(5000000000)) << "5000000000" << "qlonglong";
    }
    void typedValuesRoundTrip()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, storedText);
        QFETCH(QString, storedTag);
        const QString key = QStringLiteral("key '%1' of ") + QTest::currentDataTag();
        QVERIFY(SimpleStorage::instance()->set(key, value));

        const auto row = Storage::instance()->execSelect(
            QStringLiteral("SELECT value, type FROM defaultkv WHERE key='%1'").arg(QString(key).replace("'", "''")));
        QVERIFY(row->next());
        QCOMPARE(row->value("value").toString(), storedText);
        QCOMPARE(row->value("type").toString(), storedTag);
        QVERIFY(!row->next());

        const QVariant expected = storedTag == "qlonglong" ? QVariant(storedText) : value;
        QCOMPARE(SimpleStorage::instance()->get(key), expected);
    }

    void replaceAndRemove()
    {
        SimpleStorage* kv = SimpleStorage::instance();
        QVERIFY(!kv->get("absent").isValid());
        QVERIFY(kv->setVariant("versionBlock", QVariantList{"1.0"}));
        QVERIFY(kv->setVariant("versionBlock", QVariantMap{{"v", "2.0"}}));
        QCOMPARE(kv->get("versionBlock"), QVariant(QVariantMap{{"v", "2.0"}}));
        const auto count = Storage::instance()->execSelect("SELECT count(*) AS n FROM defaultkv WHERE key='versionBlock'");
        QVERIFY(count->next());
        QCOMPARE(count->value("n").toInt(), 1);
        QVERIFY(kv->remove("versionBlock"));
        QVERIFY(!kv->get("versionBlock").isValid());
    }

    void failingStatementsAreFailures()
    {
        Storage* storage = Storage::instance();
        QVERIFY(!storage->execQuery("INSERT INTO nowhere VALUES (1);"));
        QVERIFY(!storage->execQuery("DELETE FRM defaultkv;"));
        // A NOT NULL violation fails the statement, and nothing is stored.
        QVERIFY(!storage->execQuery("INSERT INTO defaultkv (key, value, type) VALUES ('n', NULL, 'string');"));
        QVERIFY(!SimpleStorage::instance()->get("n").isValid());
        QVERIFY(!storage->execSelect("SELECT * FROM nowhere")->next());
        QVERIFY(storage->execQuery("DELETE FROM defaultkv WHERE key='nothing';"));
    }

private:
    QTemporaryDir home;
};

PARLAVINE_GUILESS_TEST_MAIN(TestStorage)
#include "tst_Storage.moc"
