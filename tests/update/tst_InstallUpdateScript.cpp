#include "core/AppConfig.h"

#include "TestMain.h"

#include <QTemporaryDir>
#include <QtTest>

// The real install script, started the way the program starts it, with pkexec and apt-get replaced
// by stand-ins first in PATH. The pkexec stand-in changes folder before running its command, as
// the real one does; the apt-get stand-in refuses anything but an existing Debian package.
namespace {

const QByteArray PkexecStandin = R"sh(#!/bin/sh
cd / || exit 127
case "$(cat "$STANDIN_DIR/pkexec-answer" 2>/dev/null)" in
    cancel) exit 126 ;;
    refuse) exit 127 ;;
esac
exec "$@"
)sh";

const QByteArray AptGetStandin = R"sh(#!/bin/sh
for last; do :; done
printf '%s\n' "$@" > "$STANDIN_DIR/apt-get-args"
stat -c '%a' "$(dirname "$last")" > "$STANDIN_DIR/apt-get-folder-mode"
[ "$(head -c 8 "$last" 2>/dev/null)" = '!<arch>' ] || { echo "E: Unsupported file $last given on commandline" >&2; exit 100; }
[ "$(cat "$STANDIN_DIR/apt-get-answer" 2>/dev/null)" != refuse ] || exit 100
exit 0
)sh";

// Stands for the program: notes that it started and what the script told it.
const QByteArray ProgramStandin = R"sh(#!/bin/sh
printf 'started %s\n' "${PARLAVINE_UPDATE_FAILED:-}" > "$STANDIN_DIR/program-started"
)sh";

} // namespace

class TestInstallUpdateScript : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    QString standinDir() const { return m_dir.filePath("bin"); }
    QString packagePath() const { return m_dir.filePath("UpdatePkg/parlavine_2.0_amd64.deb"); }

    void writeExecutable(const QString& path, const QByteArray& text)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    }

    void writeFile(const QString& path, const QByteArray& text)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QByteArray readFile(const QString& name) const
    {
        QFile file(QDir(standinDir()).filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Runs the script from a folder other than the package's, as the program may.
    int runScript(bool withPkexec)
    {
        QProcess script;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("STANDIN_DIR", standinDir());
        // Only the tools the scripts use: a pkexec installed on this machine must never run.
        const QString tools = m_dir.filePath("tools");
        env.insert("PATH", (withPkexec ? standinDir() : m_dir.filePath("nopkexec")) + ':' + tools);
        env.remove("PARLAVINE_UPDATE_PID");
        script.setProcessEnvironment(env);
        script.setWorkingDirectory(m_dir.path());
        script.start(QString::fromUtf8(PARLAVINE_SOURCE_DIR) + "/src/update/parlavine-install-update.sh",
                     {packagePath(), standinDir() + "/program"});
        if (!script.waitForFinished(60000))
            return -1;
        return script.exitCode();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir().mkpath(standinDir()));
        QVERIFY(QDir().mkpath(m_dir.filePath("nopkexec")));
        writeExecutable(standinDir() + "/pkexec", PkexecStandin);
        writeExecutable(standinDir() + "/apt-get", AptGetStandin);
        writeExecutable(standinDir() + "/program", ProgramStandin);
        // The same apt-get without pkexec beside it.
        QVERIFY(QFile::link(standinDir() + "/apt-get", m_dir.filePath("nopkexec/apt-get")));
        QVERIFY(QDir().mkpath(m_dir.filePath("tools")));
        for (const char* tool : {"sh", "mkdir", "date", "rm", "sleep", "nohup", "cp", "mktemp", "stat", "dirname", "head", "cat"}) {
            const QString found = QStandardPaths::findExecutable(QString::fromLatin1(tool));
            QVERIFY2(!found.isEmpty(), tool);
            QVERIFY(QFile::link(found, m_dir.filePath("tools/") + tool));
        }
    }

    void init()
    {
        for (const char* name : {"pkexec-answer", "apt-get-answer", "apt-get-args", "program-started"})
            QFile::remove(QDir(standinDir()).filePath(name));
        QVERIFY(QDir().mkpath(m_dir.filePath("UpdatePkg")));
        writeFile(packagePath(), "!<arch>\ndebian-binary   0           0     0     100644  4         `\n2.0\n");
    }

    void installsFromAnyFolderAndRestarts()
    {
        QCOMPARE(runScript(true), 0);
        QTRY_COMPARE_WITH_TIMEOUT(readFile("program-started"), QByteArray("started \n"), 20000);
        const QList<QByteArray> args = readFile("apt-get-args").split('\n');
        QCOMPARE(args.mid(0, 3), (QList<QByteArray>{"install", "-y", "--no-remove"}));
        // A copy of the package in a folder of the privileged step, by an absolute path.
        const QString installed = QString::fromUtf8(args.value(3));
        QVERIFY2(installed.startsWith('/') && !installed.startsWith(m_dir.path()), qPrintable(installed));
        QCOMPARE(readFile("apt-get-folder-mode"), QByteArray("700\n"));
        QVERIFY(!QFile::exists(installed));
        const QString log = AppConfig::dataDir() + "/update-install.log";
        QFile logFile(log);
        QVERIFY(logFile.open(QIODevice::ReadOnly));
        QVERIFY(logFile.readAll().contains("installed; starting"));
    }

    // Every failure starts the program again, says why, and drops the package.
    void failureRestartsWithTheReason_data()
    {
        QTest::addColumn<bool>("withPkexec");
        QTest::addColumn<QByteArray>("pkexecAnswer");
        QTest::addColumn<QByteArray>("aptGetAnswer");
        QTest::addColumn<QByteArray>("reason");
        QTest::newRow("no pkexec") << false << QByteArray() << QByteArray() << QByteArray("no-pkexec");
        QTest::newRow("authorisation cancelled") << true << QByteArray("cancel") << QByteArray() << QByteArray("cancelled");
        QTest::newRow("not authorised") << true << QByteArray("refuse") << QByteArray() << QByteArray("not-authorized");
        QTest::newRow("apt-get refuses") << true << QByteArray() << QByteArray("refuse") << QByteArray("install-failed");
    }
    void failureRestartsWithTheReason()
    {
        QFETCH(bool, withPkexec);
        QFETCH(QByteArray, pkexecAnswer);
        QFETCH(QByteArray, aptGetAnswer);
        QFETCH(QByteArray, reason);
        writeFile(standinDir() + "/pkexec-answer", pkexecAnswer);
        writeFile(standinDir() + "/apt-get-answer", aptGetAnswer);
        QCOMPARE(runScript(withPkexec), 1);
        QTRY_COMPARE_WITH_TIMEOUT(readFile("program-started"), "started " + reason + '\n', 20000);
        QVERIFY(!QFile::exists(packagePath()));
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestInstallUpdateScript)
#include "tst_InstallUpdateScript.moc"
