#include "network/JoinedBytesDevice.h"

#include "TestMain.h"

#include <QtTest>

class TestJoinedBytesDevice : public QObject
{
    Q_OBJECT
private slots:
    // Reads in any chunk size cross the parts' borders, skip empty parts, and start again after
    // a seek (the network layer rewinds the body to send it once more).
    void readsThePartsAsOne_data()
    {
        QTest::addColumn<int>("chunk");
        QTest::addColumn<qint64>("seekTo");
        QTest::newRow("byte by byte") << 1 << qint64(0);
        QTest::newRow("chunks across borders") << 3 << qint64(0);
        QTest::newRow("all at once") << 100 << qint64(0);
        QTest::newRow("from the middle of a part") << 4 << qint64(5);
        QTest::newRow("from the end") << 4 << qint64(12);
    }
    void readsThePartsAsOne()
    {
        QFETCH(int, chunk);
        QFETCH(qint64, seekTo);
        const QByteArray whole = "{\"h\":1,abcde}";
        JoinedBytesDevice device({"{\"h\":1,", QByteArray(), "abcde", "}"});
        QCOMPARE(device.size(), qint64(whole.size()));
        QCOMPARE(device.read(whole.size() + 5), whole); // a first pass, as a send that failed
        QVERIFY(device.atEnd());
        QVERIFY(device.seek(seekTo));
        QByteArray read;
        while (!device.atEnd()) {
            const QByteArray piece = device.read(chunk);
            QVERIFY(!piece.isEmpty());
            read += piece;
        }
        QCOMPARE(read, whole.mid(int(seekTo)));
        QVERIFY(!device.seek(whole.size() + 1));
    }

    // Read once, it never goes back over what it gave: the network layer cannot send it again.
    void readOnceNeverRewinds()
    {
        JoinedBytesDevice device({"ab", "cd"}, JoinedBytesDevice::ReadOnce);
        QVERIFY(device.reset()); // nothing read yet
        QCOMPARE(device.read(3), QByteArray("abc"));
        QVERIFY(!device.reset());
        QVERIFY(!device.seek(1));
        QCOMPARE(device.readAll(), QByteArray("d"));
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestJoinedBytesDevice)
#include "tst_JoinedBytesDevice.moc"
