#include "texttrans/TextTransStorage.h"

#include "core/Storage.h"

#include "TestMain.h"

#include <QtTest>

class TestTextTransStorage : public QObject
{
    Q_OBJECT
private:
    static QList<QVariantMap> rowsOf(const QString& id)
    {
        QList<QVariantMap> rows;
        TextTransStorage::select(rows, id);
        return rows;
    }

private slots:
    void init() { QVERIFY(TextTransStorage::clear()); }

    void rowsRoundTrip_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result");

        QTest::newRow("plain") << "h1" << "Hello." << "你好。";
        QString longText;
        for (int i = 0; i < 400; ++i)
            longText += QStringLiteral("It's line %1 of 'quotes';\n").arg(i);
        QTest::newRow("long, quotes and breaks") << "h'2" << longText << QString("%1 %2 '' \\");
    }

    void rowsRoundTrip()
    {
        QFETCH(QString, id);
        QFETCH(QString, text);
        QFETCH(QString, result);
        QVERIFY(TextTransStorage::insert(id, text, result, "en", "zh", ""));
        const QVariantMap expected{{"id", id},         {"text", text}, {"result", result}, {"source", "en"},
                                   {"target", "zh"},   {"time", ""},   {"type", "text"}};
        QCOMPARE(rowsOf(id), QList<QVariantMap>{expected});
    }

    void appendsToTheGivenRows()
    {
        QVERIFY(TextTransStorage::insert("a", "t", "r", "en", "zh", ""));
        QList<QVariantMap> rows{QVariantMap{{"id", "earlier"}}};
        TextTransStorage::select(rows, "a");
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(1).value("id").toString(), QString("a"));
        TextTransStorage::select(rows, "missing");
        QCOMPARE(rows.size(), 2);
    }

    // A known id is stored already (its full text is there); a statement that fails is not.
    void insertReportsWhetherTheRowIsStored_data()
    {
        QTest::addColumn<bool>("tableThere");
        QTest::addColumn<bool>("stored");
        QTest::newRow("id already there: the first row stays") << true << true;
        QTest::newRow("table gone") << false << false;
    }

    void insertReportsWhetherTheRowIsStored()
    {
        QFETCH(bool, tableThere);
        QVERIFY(TextTransStorage::insert("dup", "first", "r1", "en", "zh", ""));
        if (!tableThere)
            QVERIFY(Storage::instance()->execQuery("DROP TABLE text_trans_history2"));
        const bool stored = TextTransStorage::insert("dup", "second", "r2", "zh", "en", "");
        Storage::instance()->createTables();
        QTEST(stored, "stored");
        const QList<QVariantMap> rows = rowsOf("dup");
        QCOMPARE(rows.size(), tableThere ? 1 : 0);
        if (tableThere)
            QCOMPARE(rows.first().value("text").toString(), QString("first"));
    }

    void clearEmptiesTheTable()
    {
        QVERIFY(TextTransStorage::insert("x", "t", "r", "en", "zh", ""));
        QVERIFY(TextTransStorage::clear());
        QVERIFY(rowsOf("x").isEmpty());
    }
};

PARLAVINE_TEST_MAIN(TestTextTransStorage)
#include "tst_TextTransStorage.moc"
