#include "app/AppMain.h"
#include "core/LocalSocketUtil.h"
#include "core/ShareMemoryUtil.h"
#include "platform/UserRuntimeDir.h"

#include <QtTest>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

// The test binary doubles as a first instance: started with this variable set, it holds the
// marker and the two servers and logs what arrives. A restart starts it again without arguments;
// the variable survives in the environment.
static const char ChildMode[] = "TST_SINGLE_INSTANCE_CHILD";
static const char ChildLog[] = "TST_SINGLE_INSTANCE_LOG";

namespace {
void appendLog(const QStringList& fields)
{
    QFile log(qEnvironmentVariable(ChildLog));
    if (log.open(QIODevice::Append))
        log.write((QString::number(QCoreApplication::applicationPid()) + QLatin1Char('\t') + fields.join(QLatin1Char('\t')))
                      .toUtf8()
                  + '\n');
}

bool logMentionsAnotherProcess()
{
    QFile log(qEnvironmentVariable(ChildLog));
    if (!log.open(QIODevice::ReadOnly))
        return false;
    const QByteArray self = QByteArray::number(QCoreApplication::applicationPid()) + '\t';
    for (const QByteArray& line : log.readAll().split('\n'))
        if (!line.isEmpty() && !line.startsWith(self))
            return true;
    return false;
}

int runFirstInstance(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ShareMemoryUtil marker(QStringLiteral("parlavine_init"));
    if (marker.exists()) {
        appendLog({QStringLiteral("busy")});
        return 3;
    }
    LocalSocketUtil single(QStringLiteral("parlavine_single"));
    LocalSocketUtil loginScheme(QStringLiteral("parlavine_loginscheme"));
    for (LocalSocketUtil* server : {&single, &loginScheme}) {
        const QString name = server == &single ? QStringLiteral("parlavine_single") : QStringLiteral("parlavine_loginscheme");
        QObject::connect(server, &LocalSocketUtil::newMessage, &app, [name](const QString& text) {
            appendLog({QStringLiteral("message"), name, text});
            if (text == QLatin1String("restart"))
                QCoreApplication::exit(RestartExitCode);
        });
    }
    appendLog({QStringLiteral("ready")});
    const int exitCode = app.exec();
    if (exitCode != RestartExitCode)
        return exitCode;
    const int restartCode = restartApplication(marker);
    // Shutting down takes a while in the real program: stay until the new process has decided
    // whether it is the running instance, so it meets whatever this one still holds.
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired() && !logMentionsAnotherProcess())
        QThread::msleep(20);
    return restartCode;
}

struct LogLine
{
    qint64 pid;
    QStringList fields;
};
} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT
private:
    QScopedPointer<QTemporaryDir> m_home;
    QList<qint64> m_children;

    QString logPath() const { return m_home->filePath(QStringLiteral("instances.log")); }

    QList<LogLine> logLines() const
    {
        QFile log(logPath());
        QList<LogLine> lines;
        if (!log.open(QIODevice::ReadOnly))
            return lines;
        for (const QByteArray& line : log.readAll().split('\n')) {
            const QStringList fields = QString::fromUtf8(line).split(QLatin1Char('\t'));
            if (fields.size() >= 2)
                lines.append({fields.first().toLongLong(), fields.mid(1)});
        }
        return lines;
    }

    QList<QStringList> messagesOf(qint64 pid) const
    {
        QList<QStringList> messages;
        for (const LogLine& line : logLines())
            if (line.pid == pid && line.fields.first() == QLatin1String("message"))
                messages.append(line.fields.mid(1));
        return messages;
    }

    qint64 readyPidOtherThan(qint64 known) const
    {
        for (const LogLine& line : logLines())
            if (line.fields.first() == QLatin1String("ready") && line.pid != known)
                return line.pid;
        return 0;
    }

    qint64 waitForReady(qint64 previous)
    {
        qint64 pid = 0;
        [&] { QTRY_VERIFY_WITH_TIMEOUT((pid = readyPidOtherThan(previous)) != 0, 15000); }();
        if (pid)
            m_children.append(pid);
        return pid;
    }

    // A first instance that holds the marker and listens once its "ready" line is logged.
    QProcess* startFirstInstance()
    {
        auto* process = new QProcess(this);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(QCoreApplication::applicationFilePath(), QStringList());
        return process;
    }

    // A later start of the real program; returns its exit code.
    int secondStart(const QStringList& arguments, QByteArray* errors = nullptr)
    {
        QProcess process;
        process.start(QStringLiteral(PARLAVINE_BINARY), arguments);
        if (!process.waitForFinished(30000))
            return -1;
        if (errors)
            *errors = process.readAllStandardError();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

private slots:
    void init()
    {
        m_home.reset(new QTemporaryDir);
        QVERIFY(m_home->isValid());
        const QString runtime = m_home->filePath(QStringLiteral("run"));
        QVERIFY(QDir().mkpath(runtime));
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
        qputenv("XDG_CONFIG_HOME", m_home->filePath(QStringLiteral("config")).toUtf8());
        qputenv("XDG_DATA_HOME", m_home->filePath(QStringLiteral("data")).toUtf8());
        qputenv(ChildMode, "first");
        qputenv(ChildLog, logPath().toUtf8());
    }

    void cleanup()
    {
        for (const qint64 pid : qAsConst(m_children))
            ::kill(pid_t(pid), SIGKILL);
        m_children.clear();
        qunsetenv("TMPDIR");
    }

    void handsOverAndExits_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("text");
        const QString link = QStringLiteral("token=") + QString(64 * 1024, QLatin1Char('t')) + QStringLiteral("&type=wx");
        QTest::newRow("no arguments") << QStringList{} << "parlavine_single" << "raise";
        QTest::newRow("file") << QStringList{"--transfile=/tmp/a b.docx"} << "parlavine_single"
                              << "transfile:/tmp/a b.docx";
        QTest::newRow("64 KB login link") << QStringList{"--settings=" + link} << "parlavine_loginscheme"
                                          << link + "&time=";
    }
    void handsOverAndExits()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, server);
        QFETCH(QString, text);
        startFirstInstance();
        const qint64 first = waitForReady(0);
        QVERIFY(first);

        QCOMPARE(secondStart(arguments), 0);
        QTRY_COMPARE_WITH_TIMEOUT(messagesOf(first).size(), 1, 10000);
        const QStringList message = messagesOf(first).first();
        QCOMPARE(message.first(), server);
        QVERIFY2(message.last().startsWith(text), qPrintable(message.last().left(80)));
        if (server == QLatin1String("parlavine_loginscheme")) {
            const qint64 sentAt = message.last().mid(text.size()).toLongLong();
            QVERIFY(qAbs(sentAt - QDateTime::currentSecsSinceEpoch()) < 60);
        }
    }

    void undeliveredHandOverFailsLoudly()
    {
        ShareMemoryUtil marker(QStringLiteral("parlavine_init"));
        QVERIFY(!marker.exists());
        QByteArray errors;
        QCOMPARE(secondStart({}, &errors), 2);
        QVERIFY2(errors.contains("parlavine_single"), errors.constData());
    }

    void killedInstanceIsReplaced()
    {
        QProcess* first = startFirstInstance();
        const qint64 killed = waitForReady(0);
        QVERIFY(killed);
        ::kill(pid_t(killed), SIGKILL);
        QVERIFY(first->waitForFinished(10000));

        startFirstInstance();
        const qint64 next = waitForReady(killed);
        QVERIFY(next);
        QCOMPARE(secondStart({}), 0);
        QTRY_COMPARE_WITH_TIMEOUT(messagesOf(next), (QList<QStringList>{{"parlavine_single", "raise"}}), 10000);
    }

    void restartLeavesOneInstance()
    {
        QProcess* first = startFirstInstance();
        const qint64 leaving = waitForReady(0);
        QVERIFY(leaving);
        QVERIFY(LocalSocketUtil::quickSend(QStringLiteral("parlavine_single"), QStringLiteral("restart"), 5000));
        QVERIFY(first->waitForFinished(10000));
        QCOMPARE(first->exitCode(), 0);

        const qint64 restarted = waitForReady(leaving);
        QVERIFY(restarted);
        QCOMPARE(secondStart({}), 0);
        QTRY_COMPARE_WITH_TIMEOUT(messagesOf(restarted), (QList<QStringList>{{"parlavine_single", "raise"}}), 10000);
        ShareMemoryUtil marker(QStringLiteral("parlavine_init"));
        QVERIFY(marker.exists());
        for (const LogLine& line : logLines())
            QVERIFY2(line.fields.first() != QLatin1String("busy"), "the restarted process found the marker taken");
    }

    void liveServerKeepsItsName()
    {
        LocalSocketUtil owner(QStringLiteral("parlavine_single"));
        QVERIFY(owner.isListening());
        LocalSocketUtil intruder(QStringLiteral("parlavine_single"));
        QVERIFY(!intruder.isListening());

        QSignalSpy received(&owner, &LocalSocketUtil::newMessage);
        QVERIFY(LocalSocketUtil::quickSend(QStringLiteral("parlavine_single"), QStringLiteral("raise"), 5000));
        QTRY_VERIFY(received.contains(QVariantList{QStringLiteral("raise")}));
    }

    void namesArePerUser()
    {
        LocalSocketUtil server(QStringLiteral("parlavine_single"));
        QVERIFY(server.isListening());
        const QString path = LocalSocketUtil::serverPath(QStringLiteral("parlavine_single"));
        QCOMPARE(QFileInfo(path).absolutePath(), qEnvironmentVariable("XDG_RUNTIME_DIR"));
        struct stat info = {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &info), 0);
        QCOMPARE(info.st_mode & 077, 0u);

        // Another user's session has its own runtime folder and never reaches ours.
        const QString other = m_home->filePath(QStringLiteral("other-run"));
        QVERIFY(QDir().mkpath(other));
        qputenv("XDG_RUNTIME_DIR", other.toUtf8());
        QString error;
        QVERIFY(!LocalSocketUtil::quickSend(QStringLiteral("parlavine_single"), QStringLiteral("raise"), 1000, &error));
        ShareMemoryUtil marker(QStringLiteral("parlavine_init"));
        QVERIFY(!marker.exists());
    }

    void tempFallbackIsPrivate()
    {
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", m_home->path().toUtf8());
        const QString expected = m_home->filePath(QStringLiteral("parlavine-%1").arg(::getuid()));
        QCOMPARE(UserRuntimeDir::path(), expected);
        struct stat info = {};
        QCOMPARE(::stat(QFile::encodeName(expected).constData(), &info), 0);
        QCOMPARE(info.st_mode & 0777, 0700u);
    }

    // Someone else holds the name in the temp folder: the user's cache folder takes over.
    void takenTempNameFallsBackToTheCache_data()
    {
        QTest::addColumn<QString>("planted");
        QTest::newRow("a file") << "file";
        QTest::newRow("a link to a folder") << "link";
        QTest::newRow("another user's folder") << "owner";
    }
    void takenTempNameFallsBackToTheCache()
    {
        QFETCH(QString, planted);
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", m_home->path().toUtf8());
        qputenv("XDG_CACHE_HOME", m_home->filePath(QStringLiteral("cache")).toUtf8());
        const QString taken = m_home->filePath(QStringLiteral("parlavine-%1").arg(::getuid()));
        const QByteArray takenName = QFile::encodeName(taken);
        if (planted == QLatin1String("file")) {
            QFile file(taken);
            QVERIFY(file.open(QIODevice::WriteOnly));
        } else if (planted == QLatin1String("link")) {
            QVERIFY(QDir().mkpath(m_home->filePath(QStringLiteral("elsewhere"))));
            QVERIFY(QFile::link(m_home->filePath(QStringLiteral("elsewhere")), taken));
        } else {
            QVERIFY(QDir().mkpath(taken));
            if (::chown(takenName.constData(), ::getuid() + 1, ::getgid()) != 0)
                QSKIP("changing a folder's owner needs privileges");
        }

        const QString expected = m_home->filePath(QStringLiteral("cache/parlavine-runtime"));
        QCOMPARE(UserRuntimeDir::path(), expected);
        struct stat info = {};
        QCOMPARE(::lstat(QFile::encodeName(expected).constData(), &info), 0);
        QVERIFY(S_ISDIR(info.st_mode));
        QCOMPARE(info.st_mode & 0777, 0700u);
        QCOMPARE(QFileInfo(LocalSocketUtil::serverPath(QStringLiteral("parlavine_single"))).absolutePath(), expected);
    }
};

int main(int argc, char** argv)
{
    if (qEnvironmentVariable(ChildMode) == QLatin1String("first"))
        return runFirstInstance(argc, argv);
    QCoreApplication app(argc, argv);
    TestSingleInstance test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_SingleInstance.moc"
