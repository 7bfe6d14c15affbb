#include "update/DebArchiveCheck.h"

#include "Fixtures.h"
#include "TestMain.h"

#include <QtTest>

class TestDebArchiveCheck : public QObject
{
    Q_OBJECT
private slots:
    void wholeOnlyAtTheEndOfTheLastMember_data()
    {
        const QByteArray odd = Fixtures::debPackage(1001);
        const QByteArray even = Fixtures::debPackage(1000);
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("whole");
        QTest::newRow("whole, odd member padded") << odd << true;
        QTest::newRow("whole, even member") << even << true;
        QTest::newRow("last padding byte missing") << odd.chopped(1) << true;
        QTest::newRow("cut inside the data") << odd.chopped(2) << false;
        QTest::newRow("cut inside a member header") << even.left(8 + 60 + 4 + 30) << false;
        QTest::newRow("signature only") << QByteArray("!<arch>\n") << false;
        QTest::newRow("bytes after the last member") << even + "x" << false;
        QTest::newRow("an HTML page") << QByteArray("<html><body>sign in</body></html>") << false;
        QByteArray badSize = even;
        badSize.replace(8 + 48, 3, "4x ");
        QTest::newRow("size that is no number") << badSize << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    // Fed whole and byte by byte, as a network may hand it over.
    void wholeOnlyAtTheEndOfTheLastMember()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, whole);
        DebArchiveCheck atOnce;
        atOnce.feed(bytes);
        QCOMPARE(atOnce.isWhole(), whole);
        DebArchiveCheck piecewise;
        for (const char byte : bytes)
            piecewise.feed(QByteArray(1, byte));
        QCOMPARE(piecewise.isWhole(), whole);
        piecewise.reset();
        QVERIFY(!piecewise.isWhole());
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestDebArchiveCheck)
#include "tst_DebArchiveCheck.moc"
