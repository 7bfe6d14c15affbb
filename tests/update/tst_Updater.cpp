#include "core/AppConfig.h"
#include "core/Hud.h"
#include "core/SimpleStorage.h"
#include "core/State.h"
#include "core/TimeUtil.h"
#include "update/Updater.h"

#include "Fixtures.h"
#include "StandinFixture.h"
#include "StandinRoutes.h"
#include "TestMain.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString CheckVersion = QStringLiteral("/api/resourcemanageserver/checkVersion");
const QString FindConfig = QStringLiteral("/api/resourcemanageserver/findConfig");
const QString ConfigDocument = QStringLiteral("/files/config/desktop.json");
const QString PackagePath = QStringLiteral("/files/pkg/parlavine_2.0_amd64.deb");
const QByteArray PackageBytes = Fixtures::debPackage(40000);

State* state()
{
    return State::instance();
}

QVariant info(const char* key)
{
    return state()->updateInfo().value(QLatin1String(key));
}

// The newest dialog or toast published for the update window.
QVariantMap lastHud()
{
    const QVariantList list = state()->windowHud();
    for (auto it = list.crbegin(); it != list.crend(); ++it) {
        if (it->toMap().value("window").toString() == QLatin1String("update"))
            return it->toMap();
    }
    return {};
}

} // namespace

class TestUpdater : public QObject
{
    Q_OBJECT
    StandinFixture m_standin;
    QTemporaryDir m_dir;
    Updater* m_updater = nullptr;

    QString packageUrl() { return m_standin->apiUrl() + PackagePath; }
    QString scriptLog() const { return m_dir.filePath("script.log"); }

    void offer(const QString& version, const QString& url)
    {
        m_standin->addRoute(StandinRoutes::versionOffer({version, url, "notes"}));
    }

    void checkAndWait(bool show, bool force)
    {
        const int before = m_standin->requestCount(CheckVersion);
        m_updater->checkVersion(show, force);
        QCOMPARE(info("state").toInt(), 0);
        QTRY_COMPARE(m_standin->requestCount(CheckVersion), before + 1);
        QTRY_VERIFY(info("state").toInt() != 0);
    }

    void writeFixtureScript()
    {
        QFile script(m_dir.filePath("install.sh"));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s\\n%s\\n%s\\n%s\\n' \"$#\" \"$1\" \"$2\" \"$PARLAVINE_UPDATE_PID\" > \""
                     + scriptLog().toUtf8() + "\"\n");
        script.close();
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("PARLAVINE_UPDATE_INSTALL_SCRIPT", script.fileName().toUtf8());
    }

    // Confirms the open install question; true when the program then ended with exit code 0.
    bool confirmEndsTheProgram()
    {
        QList<int> codes;
        m_updater->setExitHandler([&codes](int code) { codes << code; });
        Hud::instance()->sureBtnTap(lastHud().value("tag").toInt());
        return codes == QList<int>{0};
    }

    void startDownload()
    {
        m_standin->addRoute(StandinRoutes::download(PackagePath, StandinReply::raw(PackageBytes, "application/octet-stream")));
        offer("2.0", packageUrl());
        checkAndWait(true, false);
        QCOMPARE(m_updater->downloadPkg(packageUrl()), 0);
    }

private slots:
    void initTestCase() { writeFixtureScript(); }

    void init()
    {
        m_standin.reset();
        for (const StandinRoute& route : StandinRoutes::update())
            m_standin->addRoute(route);
        TimeUtil::setOffsetMSecs(0);
        SimpleStorage::instance()->set("versionBlock", QString());
        QDir(Updater::packageFolder()).removeRecursively();
        QFile::remove(scriptLog());
        state()->setWindowHud({});
        state()->setShowUpdateWindow(false);
        m_updater = new Updater;
    }

    void cleanup()
    {
        delete m_updater;
        m_updater = nullptr;
        TimeUtil::setOffsetMSecs(0);
        m_standin.verify();
    }

    // A version put off opens the window again only after a day.
    void blockedVersion_data()
    {
        QTest::addColumn<qint64>("laterSeconds");
        QTest::addColumn<bool>("opens");
        QTest::newRow("an hour later") << qint64(3600) << false;
        QTest::newRow("a day and more later") << qint64(90000) << true;
    }
    void blockedVersion()
    {
        QFETCH(qint64, laterSeconds);
        QFETCH(bool, opens);
        offer("2.0", packageUrl());
        m_updater->blockVersion("2.0");
        TimeUtil::setOffsetMSecs(laterSeconds * 1000);
        QSignalSpy window(state(), &State::showUpdateWindowChange);
        checkAndWait(false, true);
        QCOMPARE(info("state").toInt(), 2);
        QCOMPARE(info("version").toString(), QString("2.0"));
        QCOMPARE(info("force").toBool(), true);
        QCOMPARE(info("pkg").toString(), QString());
        QCOMPARE(window.size(), opens ? 2 : 0);
        QCOMPARE(state()->showUpdateWindow(), opens);
    }

    void checkResults_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<bool>("show");
        QTest::addColumn<int>("expectedState");
        QTest::addColumn<QString>("desc");
        QTest::addColumn<bool>("opens");
        QTest::newRow("user asks, latest") << "latest" << true << 1 << "" << true;
        QTest::newRow("automatic, latest") << "latest" << false << 1 << "" << false;
        QTest::newRow("offer without url") << "no url" << true << -1 << "检查异常" << false;
        QTest::newRow("rejected check code") << "wrong code" << true << -1 << "版本信息校验失败" << true;
        QTest::newRow("transport failure") << "failure" << false << -1 << "检查异常" << false;
        QTest::newRow("new version, automatic") << "offer" << false << 2 << "notes" << true;
    }
    void checkResults()
    {
        QFETCH(QString, reply);
        QFETCH(bool, show);
        QFETCH(int, expectedState);
        QFETCH(QString, desc);
        QFETCH(bool, opens);
        QVERIFY(QDir().mkpath(Updater::packageFolder()));
        if (reply == "no url")
            offer("2.0", QString());
        else if (reply == "wrong code")
            m_standin->addRoute(StandinRoutes::versionOffer({"2.0", packageUrl(), "notes", StandinRoutes::VersionOffer::Wrong}));
        else if (reply == "offer")
            offer("2.0", packageUrl());
        else if (reply == "failure")
            m_standin->script(CheckVersion, StandinReply::httpStatus(500));
        checkAndWait(show, !show);
        QCOMPARE(info("state").toInt(), expectedState);
        if (!desc.isEmpty())
            QCOMPARE(info("desc").toString(), desc);
        QCOMPARE(state()->showUpdateWindow(), opens);
        QCOMPARE(QDir(Updater::packageFolder()).exists(), reply != "latest");
    }

    void refusedDownloads_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<int>("result");
        QTest::newRow("empty") << "" << -100;
        QTest::newRow("ends in a slash") << "http://127.0.0.1:1/files/" << -300;
        QTest::newRow("dot dot") << "http://127.0.0.1:1/files/.." << -300;
        QTest::newRow("encoded slash") << "http://127.0.0.1:1/files/a%2Fb.deb" << -300;
        QTest::newRow("backslash") << "http://127.0.0.1:1/files/a%5Cb.deb" << -300;
        QTest::newRow("NUL in the name") << "http://127.0.0.1:1/files/p%00.deb" << -300;
        QTest::newRow("line break in the name") << "http://127.0.0.1:1/files/p%0A.deb" << -300;
        QTest::newRow("plain http elsewhere") << "http://downloads.example/p.deb" << -400;
        QTest::newRow("neither http nor https") << "ftp://127.0.0.1/p.deb" << -400;
    }
    void refusedDownloads()
    {
        QFETCH(QString, url);
        QFETCH(int, result);
        QCOMPARE(m_updater->downloadPkg(url), result);
        QCOMPARE(m_standin->requests().size(), 0);
    }

    void packageFolderThatCannotBeMade()
    {
        QVERIFY(QDir().mkpath(AppConfig::dataDir()));
        QFile blocker(Updater::packageFolder());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QCOMPARE(m_updater->downloadPkg(packageUrl()), -200);
        QCOMPARE(m_updater->downloadPkg("http://127.0.0.1:1/files/"), -200);
        QFile::remove(Updater::packageFolder());
    }

    void fileNameComesFromThePathOnly()
    {
        QCOMPARE(Updater::packageFileName("https://h/d/p_2.0.deb?sig=a/b#frag"), QString("p_2.0.deb"));
        QCOMPARE(Updater::packageFileName("p.deb"), QString("p.deb"));
    }

    // Download, the finished question, and the install script handed exactly [package, program].
    void downloadedPackageIsInstalled()
    {
        startDownload();
        QCOMPARE(info("state").toInt(), 3);
        QTRY_COMPARE(info("progress").toFloat(), 1.0f);
        QTRY_COMPARE(lastHud().value("title").toString(), QString("更新下载完成"));
        const QString pkg = Updater::packageFolder() + "/parlavine_2.0_amd64.deb";
        QCOMPARE(info("pkg").toString(), pkg);
        QFile file(pkg);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), PackageBytes);

        QVERIFY(confirmEndsTheProgram());
        QTRY_VERIFY(QFileInfo(scriptLog()).size() > 0);
        QFile log(scriptLog());
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(log.readAll()).split('\n');
        QCOMPARE(lines.mid(0, 4), QStringList({"2", pkg, QCoreApplication::applicationFilePath(),
                                               QString::number(QCoreApplication::applicationPid())}));
    }

    void presentPackageIsOfferedForInstallation()
    {
        QVERIFY(QDir().mkpath(Updater::packageFolder()));
        QFile present(Updater::packageFolder() + "/parlavine_2.0_amd64.deb");
        QVERIFY(present.open(QIODevice::WriteOnly));
        present.write(Fixtures::debPackage(100));
        present.close();
        QCOMPARE(m_updater->downloadPkg(packageUrl()), 0);
        QCOMPARE(info("progress").toFloat(), 1.0f);
        const QVariantMap question = lastHud();
        QCOMPARE(question.value("title").toString(), QString("检测到已下载安装包，是否直接安装？"));
        QCOMPARE(question.value("sureBtnText").toString(), QString("安装"));
        QCOMPARE(question.value("cancelBtnText").toString(), QString("重新下载"));
        QCOMPARE(m_standin->requests().size(), 0);

        // "重新下载" fetches it again over the present one.
        m_standin->addRoute(StandinRoutes::download(PackagePath, StandinReply::raw(PackageBytes, "application/octet-stream")));
        Hud::instance()->cancelBtnTap(question.value("tag").toInt());
        QTRY_COMPARE(lastHud().value("title").toString(), QString("更新下载完成"));
        QCOMPARE(present.size(), qint64(PackageBytes.size()));
    }

    // A package an earlier version kept without checking it is fetched again, not offered.
    void presentPackageThatIsNotWholeIsFetchedAgain()
    {
        QVERIFY(QDir().mkpath(Updater::packageFolder()));
        QFile present(Updater::packageFolder() + "/parlavine_2.0_amd64.deb");
        QVERIFY(present.open(QIODevice::WriteOnly));
        present.write(PackageBytes.left(3000));
        present.close();
        m_standin->addRoute(StandinRoutes::download(PackagePath, StandinReply::raw(PackageBytes, "application/octet-stream")));
        QCOMPARE(m_updater->downloadPkg(packageUrl()), 0);
        QCOMPARE(info("progress").toFloat(), 0.0f);
        QTRY_COMPARE(lastHud().value("title").toString(), QString("更新下载完成"));
        QCOMPARE(m_standin->requestCount(PackagePath), 1);
        QCOMPARE(present.size(), qint64(PackageBytes.size()));
    }

    void failedDownloadSaysSo()
    {
        m_standin->addRoute(StandinRoutes::download(PackagePath, StandinReply::httpStatus(404)));
        QCOMPARE(m_updater->downloadPkg(packageUrl()), 0);
        QTRY_COMPARE(info("progress").toInt(), -100);
        QCOMPARE(info("state").toInt(), 3);
        QCOMPARE(lastHud().value("title").toString(), QString("更新下载失败"));
        QVERIFY(!QFile::exists(info("pkg").toString()));
    }

    void installFailures_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("packageName");
        QTest::newRow("missing script") << m_dir.filePath("no-such-script") << "parlavine_2.0_amd64.deb";
        QTest::newRow("not a Debian package") << QString() << "parlavine_2.0.tar.gz";
    }
    void installFailures()
    {
        QFETCH(QString, script);
        QFETCH(QString, packageName);
        const QByteArray fixture = qgetenv("PARLAVINE_UPDATE_INSTALL_SCRIPT");
        if (!script.isEmpty())
            qputenv("PARLAVINE_UPDATE_INSTALL_SCRIPT", script.toUtf8());
        QVERIFY(QDir().mkpath(Updater::packageFolder()));
        QFile present(Updater::packageFolder() + "/" + packageName);
        QVERIFY(present.open(QIODevice::WriteOnly));
        present.write(Fixtures::debPackage(100));
        present.close();
        QCOMPARE(m_updater->downloadPkg(m_standin->apiUrl() + "/files/pkg/" + packageName), 0);
        Hud::instance()->sureBtnTap(lastHud().value("tag").toInt());
        qputenv("PARLAVINE_UPDATE_INSTALL_SCRIPT", fixture);
        QCOMPARE(lastHud().value("title").toString(), QString("安装异常"));
        QCOMPARE(info("state").toInt(), 2);
        QCOMPARE(info("progress").toInt(), 0);
        QVERIFY(!QFile::exists(scriptLog()));
    }

    // A check that lands while the package downloads keeps the package and its question.
    void checkDuringADownloadKeepsThePackage()
    {
        m_standin->addRoute(StandinRoutes::download(
            PackagePath, StandinReply::raw(PackageBytes, "application/octet-stream").inPieces(4000, 40)));
        QCOMPARE(m_updater->downloadPkg(packageUrl()), 0);
        const QString pkg = info("pkg").toString();
        offer("2.1", packageUrl());
        m_updater->checkVersion(false, true);
        QTRY_COMPARE(m_standin->requestCount(CheckVersion), 1);
        QTRY_COMPARE(lastHud().value("title").toString(), QString("更新下载完成"));
        QCOMPARE(info("state").toInt(), 3);
        QCOMPARE(info("pkg").toString(), pkg);
        QVERIFY(confirmEndsTheProgram());
        QTRY_VERIFY(QFile::exists(scriptLog()));
    }

    // Closing the window on the question leaves it unanswered: a user's check brings it back.
    void usersCheckReopensAnUnansweredQuestion()
    {
        startDownload();
        QTRY_COMPARE(lastHud().value("title").toString(), QString("更新下载完成"));
        state()->setShowUpdateWindow(false);
        m_updater->checkVersion(true, false);
        QTRY_COMPARE(m_standin->requestCount(CheckVersion), 2);
        QTRY_VERIFY(state()->showUpdateWindow());
        QCOMPARE(info("state").toInt(), 3);
        QCOMPARE(lastHud().value("title").toString(), QString("更新下载完成"));
        QVERIFY(confirmEndsTheProgram());
        QTRY_VERIFY(QFile::exists(scriptLog()));
    }

    // An automatic check that found no service is tried again; a user's failed check is not.
    void unreachableServiceIsCheckedAgain()
    {
        qputenv("PARLAVINE_UPDATE_RETRY_MS", "200");
        m_standin->script(CheckVersion, StandinReply::httpStatus(500));
        m_standin->script(CheckVersion, StandinReply::httpStatus(500));
        m_standin->script(CheckVersion, StandinReply::httpStatus(500));
        checkAndWait(false, true);
        QCOMPARE(info("state").toInt(), -1);
        // Three tries per check (the transport's own), then the retry's first one.
        QTRY_VERIFY(m_standin->requestCount(CheckVersion) > 3);
        QTRY_COMPARE(info("state").toInt(), 1);
        qunsetenv("PARLAVINE_UPDATE_RETRY_MS");
    }

    void failedInstallationIsReportedInTheMainWindow_data()
    {
        QTest::addColumn<QByteArray>("reason");
        QTest::addColumn<QString>("words");
        QTest::newRow("apt-get refused") << QByteArray("install-failed") << "软件包管理器没有安装此安装包。";
        QTest::newRow("cancelled") << QByteArray("cancelled") << "授权已取消，更新未安装。";
        QTest::newRow("unknown reason") << QByteArray("something new") << "更新未能安装。";
    }
    void failedInstallationIsReportedInTheMainWindow()
    {
        QFETCH(QByteArray, reason);
        QFETCH(QString, words);
        qputenv("PARLAVINE_UPDATE_FAILED", reason);
        m_updater->reportInstallFailure();
        QVERIFY(!qEnvironmentVariableIsSet("PARLAVINE_UPDATE_FAILED"));
        const QVariantMap hud = state()->windowHud().value(0).toMap();
        QCOMPARE(hud.value("window").toString(), QString("main"));
        QCOMPARE(hud.value("title").toString(), QString("安装异常"));
        const QString message = hud.value("message").toString();
        QVERIFY2(message.startsWith(words), qPrintable(message));
        QVERIFY2(message.contains(AppConfig::dataDir() + "/update-install.log"), qPrintable(message));

        // Read once: a later start says nothing.
        state()->setWindowHud({});
        m_updater->reportInstallFailure();
        QCOMPARE(state()->windowHud().size(), 0);
    }

    void remoteConfiguration_data()
    {
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QString>("style");
        QTest::newRow("text/plain") << QByteArray("text/plain") << "blackwhite";
        QTest::newRow("json is not read") << QByteArray("application/json") << "light";
    }
    void remoteConfiguration()
    {
        QFETCH(QByteArray, contentType);
        QFETCH(QString, style);
        state()->setAppThemeStyle("light");
        m_standin->addRoute(StandinRoutes::download(ConfigDocument, StandinReply::raw("{\"blackwhite\": true}", contentType)));
        m_updater->findConfig();
        QTRY_COMPARE(m_standin->requestCount(ConfigDocument), 1);
        QTest::qWait(50);
        QCOMPARE(state()->appThemeStyle(), style);
        state()->setAppThemeStyle("light");
    }

    void windowReactivationRechecksDaily()
    {
        m_updater->onWindowReActive();
        m_updater->onWindowReActive();
        QTest::qWait(50);
        QCOMPARE(m_standin->requests().size(), 0);
        TimeUtil::setOffsetMSecs(86401LL * 1000);
        m_updater->onWindowReActive();
        QTRY_COMPARE(m_standin->requestCount(ConfigDocument), 1);
        QTRY_COMPARE(m_standin->requestCount(CheckVersion), 1);
        QTRY_COMPARE(info("state").toInt(), 1);
        QCOMPARE(state()->showUpdateWindow(), false);
        m_updater->onWindowReActive();
        QTest::qWait(50);
        QCOMPARE(m_standin->requestCount(CheckVersion), 1);
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestUpdater)
#include "tst_Updater.moc"
