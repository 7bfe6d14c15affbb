#include "core/AppConfig.h"
#include "core/CrashDump.h"
#include "core/Dispatch.h"
#include "core/QuickStorage.h"
#include "core/State.h"
#include "platform/CrashWriter.h"
#include "XdgSandbox.h"

#include <QtTest>

#include <csignal>
#include <cstdlib>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

// With this variable set the test binary becomes a program that installs the crash writer and
// then crashes the way the variable names.
static const char CrashChild[] = "TST_CRASH_CHILD";
// For "threads": the folder whose "dump" the child writes (a pipe the test reads at its pace).
static const char CrashFolder[] = "TST_CRASH_FOLDER";

namespace {
// The store is volatile too: an optimiser drops a plain store through a pointer nobody reads.
__attribute__((no_sanitize("undefined"))) void writeThroughNull()
{
    volatile int* volatile target = nullptr;
    *target = 1;
}

// A file of the home folder in the memory map, as the program's own files are when it runs from there.
const char MappedName[] = "mapped-by-the-crash";

void mapAFileOfTheHomeFolder()
{
    static QFile file(QDir::homePath() + QLatin1Char('/') + QLatin1String(MappedName));
    if (file.open(QIODevice::ReadWrite) && file.resize(4096))
        file.map(0, 4096);
}

// One thread crashes and its handler blocks on the dump pipe; then a second thread crashes.
int runTwoCrashingThreads()
{
    const QString folder = qEnvironmentVariable(CrashFolder);
    CrashWriter::install(folder + QStringLiteral("/dump"), folder + QStringLiteral("/side"), "header\n");
    std::thread first(writeThroughNull);
    first.detach();
    QThread::msleep(300);
    writeThroughNull();
    return 0;
}

int runCrashingChild(int argc, char** argv)
{
    if (qEnvironmentVariable(CrashChild) == QLatin1String("threads"))
        return runTwoCrashingThreads();
    QCoreApplication app(argc, argv);
    Dispatch* dispatch = Dispatch::instance();
    dispatch->run(Dispatch::Ctrl_Global, QStringLiteral("raiseWindow"), {QStringLiteral("main")});
    installBreakpad();
    dispatch->run(Dispatch::Ctrl_TextTrans, QStringLiteral("translation"), {});
    dispatch->run(Dispatch::Ctrl_Term, QStringLiteral("updateRepoList"), {true});
    mapAFileOfTheHomeFolder();
    if (qEnvironmentVariable(CrashChild) == QLatin1String("abort"))
        std::abort();
    writeThroughNull();
    return 0;
}

const QStringList CrashKeys = {"lastCrashDmp", "lastCrashHasReport", "lastCrashFile", "lastCrashHistory"};
} // namespace

class TestCrashDump : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_home;

    // Runs a crashing child; returns the signal it died of, or -1 when it did not die of one.
    int crashChild(const QString& how)
    {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(CrashChild, how);
        env.insert(QStringLiteral("HOME"), m_home.path());
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(), QStringList());
        if (!child.waitForFinished(20000))
            return -1;
        return child.exitStatus() == QProcess::CrashExit ? child.exitCode() : -1;
    }

    void useDataHome(const QString& name)
    {
        qputenv("XDG_DATA_HOME", m_home.filePath(name).toUtf8());
        for (const QString& key : CrashKeys)
            QuickStorage::instance()->remove(key);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toUtf8());
    }

    void crashLeavesDumpAndSettings_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("signal");
        QTest::newRow("null pointer") << "segv" << SIGSEGV;
        QTest::newRow("abort") << "abort" << SIGABRT;
    }
    void crashLeavesDumpAndSettings()
    {
        QFETCH(QString, how);
        QFETCH(int, signal);
        useDataHome(how);
        QCOMPARE(crashChild(how), signal);

        const QDir folder(crashDumpDir());
        const QFileInfoList dumps = folder.entryInfoList({QStringLiteral("*.dmp")}, QDir::Files);
        QCOMPARE(dumps.size(), 1);
        QFile dump(dumps.first().absoluteFilePath());
        QVERIFY(dump.open(QIODevice::ReadOnly));
        const QByteArray content = dump.readAll();
        QVERIFY(content.contains("\nsignal " + QByteArray::number(signal) + ' '));
        QVERIFY(content.contains("\nbacktrace\n0x"));
        QVERIFY(content.contains("\nmaps\n"));
        QVERIFY(content.contains(" ~/" + QByteArray(MappedName) + '\n'));
        QVERIFY(!content.contains(QFile::encodeName(m_home.path())));
        if (signal == SIGSEGV)
            QVERIFY(content.contains("\naddress 0x0\n"));

        // An earlier crash had been reported; the new one must be reported again.
        QuickStorage::instance()->setValue(QStringLiteral("lastCrashHasReport"), QStringLiteral("1"));
        recordLastCrash();
        QuickStorage* storage = QuickStorage::instance();
        QCOMPARE(storage->getValue(QStringLiteral("lastCrashDmp")), dumps.first().absoluteFilePath());
        QCOMPARE(storage->getValue(QStringLiteral("lastCrashHasReport")), QStringLiteral("0"));
        QCOMPARE(storage->getValue(QStringLiteral("lastCrashFile")),
                 QStringLiteral("linux_%1_%2").arg(State::instance()->version(), dumps.first().fileName()));
        QCOMPARE(storage->getValue(QStringLiteral("lastCrashHistory")),
                 QStringLiteral(R"(["Global_raiseWindow","TextTrans_translation","Term_updateRepoList"])"));
        QCOMPARE(folder.entryList(QDir::Files), QStringList{dumps.first().fileName()});

        // The side file is consumed: a later start records nothing new.
        storage->setValue(QStringLiteral("lastCrashHasReport"), QStringLiteral("1"));
        recordLastCrash();
        QCOMPARE(storage->getValue(QStringLiteral("lastCrashHasReport")), QStringLiteral("1"));
    }

    // The first thread's dump cannot finish until this test reads the pipe: the second crash must
    // not end the process before that.
    void secondCrashingThreadWaitsForTheDump()
    {
        const QString folder = m_home.filePath(QStringLiteral("threads"));
        QVERIFY(QDir().mkpath(folder));
        QCOMPARE(::mkfifo(QFile::encodeName(folder + QStringLiteral("/dump")).constData(), 0600), 0);

        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(CrashChild, QStringLiteral("threads"));
        env.insert(CrashFolder, folder);
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(), QStringList());
        QVERIFY(child.waitForStarted());
        QVERIFY2(!child.waitForFinished(1500), "the second crash ended the process during the first dump");

        QFile dump(folder + QStringLiteral("/dump"));
        QVERIFY(dump.open(QIODevice::ReadOnly));
        const QByteArray content = dump.readAll();
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        QVERIFY(content.startsWith("parlavine crash dump 1\nsignal 11 SIGSEGV"));
        QVERIFY(content.contains("\nmaps\n"));
        QVERIFY(QFile::exists(folder + QStringLiteral("/side")));
    }

    // Nothing else deletes dumps: the folder keeps the newest ten and the one still to be uploaded.
    void keepsTheNewestTenDumps()
    {
        useDataHome(QStringLiteral("many"));
        QDir folder(crashDumpDir());
        QVERIFY(folder.mkpath(QStringLiteral(".")));
        const QDateTime now = QDateTime::currentDateTimeUtc();
        QStringList newestFirst;
        for (int age = 1; age <= 13; ++age) {
            QFile dump(folder.filePath(QStringLiteral("d%1.dmp").arg(age)));
            QVERIFY(dump.open(QIODevice::WriteOnly));
            dump.write("dump");
            dump.flush(); // else closing writes it and stamps it now
            QVERIFY(dump.setFileTime(now.addSecs(-60 * age), QFileDevice::FileModificationTime));
            newestFirst << dump.fileName();
        }
        QuickStorage::instance()->setValue(QStringLiteral("lastCrashDmp"), newestFirst.last());

        recordLastCrash();
        QStringList kept;
        for (const QFileInfo& dump : folder.entryInfoList({QStringLiteral("*.dmp")}, QDir::Files, QDir::Time))
            kept << dump.absoluteFilePath();
        QCOMPARE(kept, QStringList(newestFirst.mid(0, 10)) << newestFirst.last());
    }

    void unwritableDumpFolderStillDies()
    {
        useDataHome(QStringLiteral("blocked"));
        // A file where the data folder should be: no folder can be made below it, not even by root.
        QVERIFY(QDir().mkpath(m_home.filePath(QStringLiteral("blocked"))));
        QFile blocker(AppConfig::dataDir());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        QCOMPARE(crashChild(QStringLiteral("segv")), SIGSEGV);
        recordLastCrash();
        for (const QString& key : CrashKeys)
            QVERIFY2(QuickStorage::instance()->getValue(key).isEmpty(), qPrintable(key));
    }
};

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsSet(CrashChild))
        return runCrashingChild(argc, argv);
    XdgSandbox xdgSandbox;
    xdgSandbox.apply();
    QCoreApplication app(argc, argv);
    TestCrashDump test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_CrashDump.moc"
