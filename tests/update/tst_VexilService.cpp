#include "core/AppConfig.h"
#include "core/CrashDump.h"
#include "core/QuickStorage.h"
#include "core/State.h"
#include "core/TimeUtil.h"
#include "core/User.h"
#include "core/Util.h"
#include "update/VexilService.h"

#include "StandinFixture.h"
#include "TestMain.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSysInfo>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(StandinReply)

namespace {

const QString Records = QStringLiteral("/collect");
const QString PageViews = QStringLiteral("/collect/pv");
const QString Events = QStringLiteral("/collect/events");
const QString Upload = QStringLiteral("/api/resourcemanageserver/uploadCrashLogFile");
const QString Session = QStringLiteral("s&1+#=");
const QString Tricky = QStringLiteral("a&b=c d+e#f%g|中");
const QByteArray DumpBytes("MDMP\x00\x01\xff binary", 14);
const QStringList CrashKeys = {"lastCrashDmp", "lastCrashFile", "lastCrashHistory", "lastCrashHasReport",
                               "lastCrashUploadTime"};

QStringList queryKeys(const StandinRequest& request)
{
    QStringList keys;
    for (const QString& item : request.rawQuery.split('&'))
        keys << item.section('=', 0, 0);
    return keys;
}

QString field(const StandinRequest& request, const QString& name)
{
    return request.body.value(name).toString();
}

QString setting(const QString& key)
{
    return QuickStorage::instance()->getValue(key);
}

QStringList crashKeysLeft()
{
    QStringList left;
    for (const char* key : {"lastCrashDmp", "lastCrashFile", "lastCrashHistory"}) {
        if (!setting(key).isEmpty())
            left << key;
    }
    return left;
}

void logIn(bool in)
{
    User* user = User::instance();
    user->userId = in ? QStringLiteral("10001") : QString();
    user->userName = in ? QStringLiteral("ann") : QString();
    user->session = in ? Session : QString();
    user->clientKey = user->deviceId();
    user->profileLoaded = in;
}

} // namespace

class TestVexilService : public QObject
{
    Q_OBJECT
    StandinFixture m_standin;
    std::unique_ptr<VexilService> m_vexil;

    VexilService* service(int errorMs = 300, int batchMs = 50, int deadlineMs = 45000)
    {
        m_vexil = std::make_unique<VexilService>(VexilService::Intervals{errorMs, batchMs, deadlineMs});
        return m_vexil.get();
    }

    // The message text of record i of a form body, without the time stamp, which it checks.
    static QString stampedMessage(const StandinRequest& request, int i, uint from)
    {
        const QString msg = field(request, QStringLiteral("msg[%1]").arg(i));
        const uint time = msg.section('|', -1).toUInt();
        if (time < from || time > TimeUtil::currentTimestamp())
            return QStringLiteral("bad time in ") + msg;
        return msg.section('|', 0, -2);
    }

    // A dump in the crash folder, recorded the way the crash writer's start-up step records it.
    static QString recordCrash(const QString& uploadName = QStringLiteral("linux_1.0_d1.dmp"))
    {
        QDir().mkpath(crashDumpDir());
        QFile dump(crashDumpDir() + QStringLiteral("/d1.dmp"));
        if (!dump.open(QIODevice::WriteOnly))
            return QString();
        dump.write(DumpBytes);
        QuickStorage* storage = QuickStorage::instance();
        storage->setValue("lastCrashDmp", dump.fileName());
        storage->setValue("lastCrashFile", uploadName);
        storage->setValue("lastCrashHistory", R"(["Global_raiseWindow"])");
        storage->setValue("lastCrashHasReport", "0");
        return dump.fileName();
    }

    QStringList receivedRecords()
    {
        QStringList received;
        for (const StandinRequest& batch : m_standin->requests(Records)) {
            for (int i = 0; i < field(batch, "count").toInt(); ++i)
                received << stampedMessage(batch, i, 0);
        }
        return received;
    }

private slots:
    void init()
    {
        m_standin.reset();
        TimeUtil::setOffsetMSecs(0);
        logIn(true);
        for (const QString& key : CrashKeys)
            QuickStorage::instance()->remove(key);
    }

    void cleanup()
    {
        m_vexil.reset(); // ends whatever it still has in flight
        TimeUtil::setOffsetMSecs(0);
        m_standin.verify();
    }

    void wireForms_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("loggedIn");
        QTest::addColumn<QString>("route");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("level");
        const QStringList sorted = {"from", "id", "sessionId", "uin", "version"};
        const QStringList fixed = {"uin", "sessionId", "id", "version", "ext3"};
        QTest::newRow("page view") << "pv" << true << PageViews << sorted << "";
        QTest::newRow("page view, nobody logged in") << "pv" << false << PageViews << sorted << "";
        QTest::newRow("event") << "event" << true << Events
                               << QStringList{"id", "payload", "sessionId", "uin", "version"} << "";
        QTest::newRow("error") << "error" << true << Records << fixed << "4";
        QTest::newRow("log, nobody logged in") << "log" << false << Records << fixed << "2";
        QTest::newRow("crash") << "crash" << true << Records << fixed << "32";
    }
    void wireForms()
    {
        QFETCH(QString, kind);
        QFETCH(bool, loggedIn);
        QFETCH(QString, route);
        QFETCH(QStringList, keys);
        QFETCH(QString, level);
        logIn(loggedIn);
        VexilService* vexil = service();
        const uint before = TimeUtil::currentTimestamp();
        if (kind == "pv")
            vexil->reportPv(Tricky);
        else if (kind == "event")
            vexil->reportEvent(Tricky, "x&y");
        else if (kind == "error")
            vexil->reportError(Tricky, "x&y");
        else if (kind == "log")
            vexil->reportLog(Tricky, "x&y");
        else
            vexil->reportCrash("x&y", Tricky);
        QTRY_COMPARE(m_standin->requestCount(route), 1);
        const StandinRequest request = m_standin->requests(route).first();

        QCOMPARE(queryKeys(request), keys);
        QCOMPARE(request.query.value("uin"), loggedIn ? QStringLiteral("10001") : QString());
        QCOMPARE(request.query.value("sessionId"), loggedIn ? sha256Hex(Session) : QString());
        QVERIFY(!request.rawQuery.contains("s%261") && !request.rawQuery.contains("s&1"));
        QCOMPARE(request.query.value("id"), AppConfig::collectorProjectKey());
        QCOMPARE(request.query.value("version"), State::instance()->version());
        if (kind == "pv") {
            QCOMPARE(request.query.value("from"), Tricky);
        } else if (kind == "event") {
            const QJsonDocument payload = QJsonDocument::fromJson(request.query.value("payload").toUtf8());
            QCOMPARE(payload.array(), (QJsonArray{QJsonObject{{"name", Tricky}, {"ext1", "x&y"}}}));
        } else {
            QCOMPARE(request.query.value("ext3"), QSysInfo::prettyProductName() + '|'
                                                      + QSysInfo::buildCpuArchitecture() + '|'
                                                      + User::instance()->deviceId());
            QCOMPARE(request.headers.value("content-type"), QStringLiteral("application/x-www-form-urlencoded"));
            QCOMPARE(stampedMessage(request, 0, before), kind == "crash" ? "Crash|" + Tricky : Tricky);
            QCOMPARE(field(request, "ext1[0]"), QStringLiteral("x&y"));
            QCOMPARE(field(request, "level[0]"), level);
            QCOMPARE(field(request, "count"), QStringLiteral("1"));
            QCOMPARE(request.body.size(), 4);
        }
    }

    void errorsAreBatched()
    {
        VexilService* vexil = service();
        QElapsedTimer sinceLast;
        for (int i = 0; i < 24; ++i) {
            vexil->reportError(QStringLiteral("e%1").arg(i), QString());
            sinceLast.start();
        }
        QTRY_COMPARE(m_standin->requestCount(Records), 1);
        QVERIFY(sinceLast.elapsed() >= 300);
        const StandinRequest batch = m_standin->requests(Records).first();
        QCOMPARE(field(batch, "count"), QStringLiteral("24"));
        for (int i = 0; i < 24; ++i)
            QCOMPARE(stampedMessage(batch, i, 0), QStringLiteral("e%1").arg(i));
    }

    // The 25th record goes out with the rest at once; the timers it cancels send nothing more.
    void theTwentyFifthRecordFlushes()
    {
        VexilService* vexil = service(600000, 600000, 600000);
        for (int i = 0; i < 25; ++i)
            vexil->reportError(QStringLiteral("e%1").arg(i), QString());
        for (int i = 0; i < 25; ++i)
            vexil->reportEvent(QStringLiteral("v%1").arg(i), QString());
        QTRY_COMPARE(m_standin->requestCount(Records), 1);
        QTRY_COMPARE(m_standin->requestCount(Events), 1);
        QCOMPARE(field(m_standin->requests(Records).first(), "count"), QStringLiteral("25"));
        const QJsonArray events =
            QJsonDocument::fromJson(m_standin->requests(Events).first().query.value("payload").toUtf8()).array();
        QCOMPARE(events.size(), 25);
        QCOMPARE(events.last().toObject().value("name").toString(), QStringLiteral("v24"));
    }

    // A steady stream never lets the quiet interval pass; the deadline, not restarted by it,
    // still sends batches, and every record goes out exactly once.
    void aSteadyStreamIsSentByTheDeadline()
    {
        VexilService* vexil = service(300, 400, 1000);
        QStringList sent;
        for (int i = 0; i < 20 && m_standin->requestCount(Records) == 0; ++i) {
            sent << QStringLiteral("l%1").arg(i);
            vexil->reportLog(sent.last(), QString());
            QTest::qWait(100);
        }
        QVERIFY2(m_standin->requestCount(Records) > 0, "nothing sent while records kept coming");
        QTRY_COMPARE(receivedRecords().size(), sent.size());
        QCOMPARE(receivedRecords(), sent);
    }

    void collectorFailures_data()
    {
        QTest::addColumn<StandinReply>("reply");
        QTest::newRow("server error") << StandinReply::httpStatus(500);
        QTest::newRow("no answer") << StandinReply::hang();
    }
    // Replies are ignored: a batch that failed is not sent again with the next one.
    void collectorFailures()
    {
        QFETCH(StandinReply, reply);
        m_standin->script(Records, reply);
        VexilService* vexil = service(50);
        vexil->reportError("first", QString());
        vexil->reportError("second", QString());
        QTRY_COMPARE(m_standin->requestCount(Records), 1);
        QCOMPARE(field(m_standin->requests(Records).first(), "count"), QStringLiteral("2"));

        vexil->reportError("third", QString());
        QTRY_COMPARE(m_standin->requestCount(Records), 2);
        const StandinRequest next = m_standin->requests(Records).last();
        QCOMPARE(field(next, "count"), QStringLiteral("1"));
        QCOMPARE(stampedMessage(next, 0, 0), QStringLiteral("third"));
    }

    void homeGate()
    {
        VexilService* vexil = service();
        vexil->reportHome();
        QTRY_COMPARE(m_standin->requestCount(PageViews), 1);
        QCOMPARE(m_standin->requests(PageViews).first().query.value("from"), QStringLiteral("parlavine_home"));
        vexil->reportHome();
        TimeUtil::setOffsetMSecs(43000 * 1000LL);
        vexil->reportHome();
        TimeUtil::setOffsetMSecs(43300 * 1000LL);
        vexil->reportHome();
        QTRY_COMPARE(m_standin->requestCount(PageViews), 2);
        // A clock set back: the stored time lies in the future and no longer closes the gate.
        TimeUtil::setOffsetMSecs(-1000 * 1000LL);
        vexil->reportHome();
        QTRY_COMPARE(m_standin->requestCount(PageViews), 3);
    }

    void crashUpload_data()
    {
        QTest::addColumn<bool>("loggedIn");
        QTest::addColumn<QString>("dump");        // "inside", "missing", "outside"
        QTest::addColumn<QString>("uploadName");
        QTest::addColumn<QString>("hasReport");
        QTest::addColumn<qint64>("uploadedAgo");  // seconds before now; 0: never
        QTest::addColumn<StandinReply>("reply");
        QTest::addColumn<int>("reports");
        QTest::addColumn<int>("uploads");
        QTest::addColumn<QStringList>("keysLeft"); // of lastCrashDmp, lastCrashFile, lastCrashHistory

        const QString name = QStringLiteral("linux_1.0_d1.dmp");
        const QStringList all = {"lastCrashDmp", "lastCrashFile", "lastCrashHistory"};
        const QStringList dumpAndName = {"lastCrashDmp", "lastCrashFile"};
        const QStringList nameAndHistory = {"lastCrashFile", "lastCrashHistory"};
        const QStringList history = {"lastCrashHistory"};
        const StandinReply ok = StandinReply::byDefault();
        QTest::newRow("logged out") << false << "inside" << name << "0" << 0LL << ok << 0 << 0 << all;
        QTest::newRow("fresh crash") << true << "inside" << name << "0" << 0LL << ok << 1 << 1 << QStringList();
        QTest::newRow("already reported") << true << "inside" << name << "1" << 0LL << ok << 0 << 1 << history;
        QTest::newRow("uploaded 10 minutes ago") << true << "inside" << name << "0" << 600LL << ok << 1 << 0
                                                 << dumpAndName;
        QTest::newRow("upload time in the future") << true << "inside" << name << "0" << -7200LL << ok << 1 << 1
                                                   << QStringList();
        QTest::newRow("missing file") << true << "missing" << name << "0" << 0LL << ok << 0 << 0 << nameAndHistory;
        QTest::newRow("outside the crash folder") << true << "outside" << name << "0" << 0LL << ok << 0 << 0
                                                  << nameAndHistory;
        QTest::newRow("capital extension refused") << true << "inside" << "linux_1.0_d1.DMP" << "0" << 0LL << ok
                                                   << 1 << 0 << QStringList();
        QTest::newRow("server error keeps the dump") << true << "inside" << name << "0" << 0LL
                                                     << StandinReply::httpStatus(503) << 1 << 1 << dumpAndName;
        QTest::newRow("refusal drops it") << true << "inside" << name << "0" << 0LL
                                          << StandinReply::failure("bad", "bad file", 400) << 1 << 1 << QStringList();
    }
    void crashUpload()
    {
        QFETCH(bool, loggedIn);
        QFETCH(QString, dump);
        QFETCH(QString, uploadName);
        QFETCH(QString, hasReport);
        QFETCH(qint64, uploadedAgo);
        QFETCH(StandinReply, reply);
        QFETCH(int, reports);
        QFETCH(int, uploads);
        QFETCH(QStringList, keysLeft);
        logIn(loggedIn);
        const QString path = recordCrash(uploadName);
        QVERIFY(!path.isEmpty());
        QuickStorage* storage = QuickStorage::instance();
        storage->setValue("lastCrashHasReport", hasReport);
        if (uploadedAgo != 0)
            storage->setValue("lastCrashUploadTime", QString::number(TimeUtil::currentTimestamp() - uploadedAgo));
        if (dump == "missing") {
            QFile::remove(path);
        } else if (dump == "outside") {
            QFile::rename(path, AppConfig::dataDir() + "/d1.dmp");
            storage->setValue("lastCrashDmp", AppConfig::dataDir() + "/d1.dmp");
        }
        m_standin->script(Upload, reply);

        const uint before = TimeUtil::currentTimestamp();
        service()->autoUploadLastCrash();
        QTRY_COMPARE(m_standin->requestCount(Upload), uploads);
        QTRY_COMPARE(m_standin->requestCount(Records), reports);
        QTRY_COMPARE(crashKeysLeft(), keysLeft);
        QTest::qWait(200); // nothing further arrives
        QCOMPARE(m_standin->requestCount(Upload), uploads);
        QCOMPARE(m_standin->requestCount(Records), reports);

        if (reports) {
            const StandinRequest report = m_standin->requests(Records).first();
            QCOMPARE(stampedMessage(report, 0, before), "Crash|" + uploadName);
            QCOMPARE(field(report, "ext1[0]"), QStringLiteral(R"(["Global_raiseWindow"])"));
            QCOMPARE(field(report, "level[0]"), QStringLiteral("32"));
            QCOMPARE(setting("lastCrashHasReport"), QStringLiteral("1"));
        }
        if (uploads) {
            const StandinRequest upload = m_standin->requests(Upload).first();
            QCOMPARE(upload.at("value.file_name").toString(), uploadName);
            QCOMPARE(QByteArray::fromBase64(upload.at("value.file_content").toString().toLatin1()), DumpBytes);
            QCOMPARE(upload.session(), Session);
            QCOMPARE(upload.at("header.user_name").toString(), QStringLiteral("ann"));
            QCOMPARE(upload.at("header.client_key").toString(), User::instance()->deviceId());
            QVERIFY(setting("lastCrashUploadTime").toUInt() >= before);
        }
        if (!loggedIn) {
            // Nothing was tried, so the first call after a login runs at once.
            logIn(true);
            m_vexil->autoUploadLastCrash();
            // Both the upload and its crash report: a report still on its way would land in the next row.
            QTRY_COMPARE(m_standin->requestCount(Upload), 1);
            QTRY_COMPARE(m_standin->requestCount(Records), 1);
            QTRY_COMPARE(crashKeysLeft(), QStringList());
        }
    }

    // After a server error the dump waits for both hourly gates, then goes out once more.
    void aDumpKeptAfterAServerErrorIsUploadedLater()
    {
        recordCrash();
        m_standin->script(Upload, StandinReply::httpStatus(503));
        VexilService* vexil = service();
        vexil->autoUploadLastCrash();
        QTRY_COMPARE(m_standin->requestCount(Upload), 1);
        TimeUtil::setOffsetMSecs(3000 * 1000LL);
        vexil->autoUploadLastCrash();
        TimeUtil::setOffsetMSecs(3611 * 1000LL);
        vexil->autoUploadLastCrash();
        QTRY_COMPARE(m_standin->requestCount(Upload), 2);
        QTRY_VERIFY(setting("lastCrashDmp").isEmpty());
        QVERIFY(setting("lastCrashFile").isEmpty());
        QCOMPARE(m_standin->requestCount(Records), 1); // reported once
    }

    // The last test: callers at exit rely on it.
    void instanceIsNullOnceDestroyed()
    {
        QVERIFY(VexilService::instance());
        delete VexilService::instance();
        QVERIFY(!VexilService::instance());
    }
};

PARLAVINE_TEST_MAIN(TestVexilService)
#include "tst_VexilService.moc"
