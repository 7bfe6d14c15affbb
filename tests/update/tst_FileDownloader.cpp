#include "update/FileDownloader.h"

#include "Fixtures.h"
#include "StandinFixture.h"
#include "StandinRoutes.h"
#include "TestMain.h"

#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(StandinReply)

namespace {

const QString PackagePath = QStringLiteral("/files/pkg/parlavine_2.0_amd64.deb");

QByteArray package(int size)
{
    return Fixtures::debPackage(size);
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestFileDownloader : public QObject
{
    Q_OBJECT
    StandinFixture m_standin;
    QTemporaryDir m_dir;

    QString target() const { return m_dir.filePath("parlavine_2.0_amd64.deb"); }
    QUrl url(const QString& path = PackagePath) { return QUrl(m_standin->apiUrl() + path); }

private slots:
    void init()
    {
        m_standin.reset();
        QFile::remove(target());
    }
    void cleanup() { m_standin.verify(); }

    void transfers_data()
    {
        const QByteArray body = package(300 * 1024);
        QTest::addColumn<StandinReply>("reply");
        QTest::addColumn<bool>("finishes");
        QTest::newRow("with length") << StandinReply::raw(body, "application/octet-stream") << true;
        QTest::newRow("chunked") << StandinReply::raw(body, "application/octet-stream").withoutLength() << true;
        QTest::newRow("slow trickle") << StandinReply::raw(package(8000), "application/octet-stream").inPieces(1000, 30)
                                      << true;
        QTest::newRow("large body") << StandinReply::raw(package(8 * 1024 * 1024), "application/octet-stream")
                                    << true;
        QTest::newRow("not found") << StandinReply::raw("no such file", "text/plain", 404) << false;
        QTest::newRow("server error page") << StandinReply::raw("<html>oops</html>", "text/html", 503) << false;
        QTest::newRow("redirect without a target") << StandinReply::raw("moved", "text/plain", 301) << false;
        QTest::newRow("connection dropped") << StandinReply::raw(body, "application/octet-stream").droppedAfter(1000)
                                            << false;
        QTest::newRow("chunked, dropped") << StandinReply::raw(body, "application/octet-stream").withoutLength().droppedAfter(1000)
                                          << false;
        QTest::newRow("ended by close") << StandinReply::raw(body, "application/octet-stream").endedByClose() << true;
        QTest::newRow("ended by close, cut short")
            << StandinReply::raw(body, "application/octet-stream").endedByClose().droppedAfter(1000) << false;
        QTest::newRow("a page in its place") << StandinReply::raw("<html>sign in first</html>", "text/html") << false;
    }
    // A file appears only with the whole body of a successful answer.
    void transfers()
    {
        QFETCH(StandinReply, reply);
        QFETCH(bool, finishes);
        m_standin->addRoute(StandinRoutes::download(PackagePath, reply));
        FileDownloader downloader;
        QSignalSpy finished(&downloader, &FileDownloader::downloadFinished);
        QSignalSpy failed(&downloader, &FileDownloader::downloadError);
        downloader.download(url(), target());
        QTRY_COMPARE_WITH_TIMEOUT(finished.size() + failed.size(), 1, 20000);
        QTest::qWait(50);
        QCOMPARE(finished.size(), finishes ? 1 : 0);
        QCOMPARE(failed.size(), finishes ? 0 : 1);
        QVERIFY(!downloader.isRunning());
        if (finishes)
            QCOMPARE(contentOf(target()), reply.bytes);
        else
            QVERIFY(!QFile::exists(target()));
    }

    void redirectIsFollowed()
    {
        const QByteArray body = package(5000);
        m_standin->addRoute(StandinRoutes::download("/files/moved.deb", StandinReply::redirect(url().toEncoded())));
        m_standin->addRoute(StandinRoutes::download(PackagePath, StandinReply::raw(body, "application/octet-stream")));
        FileDownloader downloader;
        QSignalSpy finished(&downloader, &FileDownloader::downloadFinished);
        downloader.download(url("/files/moved.deb"), target());
        QTRY_COMPARE(finished.size(), 1);
        QCOMPARE(contentOf(target()), body);
    }

    void unknownSizeIsReportedAsMinusOne()
    {
        m_standin->addRoute(StandinRoutes::download(
            PackagePath, StandinReply::raw(package(20000), "application/octet-stream").withoutLength().inPieces(2000, 100)));
        FileDownloader downloader;
        QSignalSpy progress(&downloader, &FileDownloader::downloadProgress);
        QSignalSpy finished(&downloader, &FileDownloader::downloadFinished);
        downloader.download(url(), target());
        QTRY_COMPARE(finished.size(), 1);
        QVERIFY(std::any_of(progress.cbegin(), progress.cend(),
                            [](const QList<QVariant>& args) { return args.at(1).toLongLong() == -1; }));
    }

    void missingFolderFailsWithoutTraffic()
    {
        FileDownloader downloader;
        QSignalSpy failed(&downloader, &FileDownloader::downloadError);
        downloader.download(url(), m_dir.filePath("absent/folder/p.deb"));
        QCOMPARE(failed.size(), 1);
        QVERIFY(failed.first().first().toString().startsWith("Failed to open output file: "));
        QTest::qWait(50);
        QCOMPARE(m_standin->requests().size(), 0);
    }

    void cancel()
    {
        FileDownloader downloader;
        QSignalSpy failed(&downloader, &FileDownloader::downloadError);
        downloader.cancel(); // idle: nothing happens
        QCOMPARE(failed.size(), 0);

        m_standin->addRoute(StandinRoutes::download(
            PackagePath, StandinReply::raw(package(50000), "application/octet-stream").inPieces(1000, 50)));
        QSignalSpy progress(&downloader, &FileDownloader::downloadProgress);
        downloader.download(url(), target());
        QTRY_VERIFY(!progress.isEmpty());
        downloader.cancel();
        QTRY_COMPARE(failed.size(), 1);
        QVERIFY(!downloader.isRunning());
        QVERIFY(!QFile::exists(target()));
    }

    // A failed attempt leaves the earlier package untouched; the next one replaces it.
    void downloadAgainOverAPresentPackage()
    {
        QFile old(target());
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old package");
        old.close();

        FileDownloader downloader;
        QSignalSpy finished(&downloader, &FileDownloader::downloadFinished);
        QSignalSpy failed(&downloader, &FileDownloader::downloadError);
        m_standin->addRoute(StandinRoutes::download(PackagePath, StandinReply::httpStatus(404)));
        downloader.download(url(), target());
        QTRY_COMPARE(failed.size(), 1);
        QCOMPARE(contentOf(target()), QByteArray("old package"));

        const QByteArray body = package(70000);
        m_standin->addRoute(StandinRoutes::download(PackagePath, StandinReply::raw(body, "application/octet-stream")));
        downloader.download(url(), target());
        QTRY_COMPARE(finished.size(), 1);
        QCOMPARE(contentOf(target()), body);
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestFileDownloader)
#include "tst_FileDownloader.moc"
