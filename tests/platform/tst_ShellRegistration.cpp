#include "TestMain.h"
#include "platform/AutostartEntry.h"
#include "platform/ShellRegistration.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

class TestShellRegistration : public QObject
{
    Q_OBJECT

    static QString entryPath(const char* name) { return ShellRegistration::applicationsDir() + '/' + name; }

    static QString read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

private slots:
    void cleanup() { QDir(ShellRegistration::applicationsDir()).removeRecursively(); }

    void writesTheSchemeHandlerAndTheFileAction()
    {
        ShellRegistration::registerEntries("/opt/My Apps/parlavine", QString::fromUtf8("使用Parlavine翻译该文件"));

        const QString scheme = read(entryPath("parlavine.desktop"));
        QVERIFY(scheme.contains("\nExec=\"/opt/My Apps/parlavine\" --settings=%u\n"));
        QVERIFY(scheme.contains("\nMimeType=x-scheme-handler/parlavine;\n"));
        const QString file = read(entryPath("parlavine-transfile.desktop"));
        QVERIFY(file.contains("\nExec=\"/opt/My Apps/parlavine\" --transfile=%f\n"));
        QVERIFY(file.contains(QString::fromUtf8("\nName=使用Parlavine翻译该文件\n")));
    }

    void quotesWhatTheLauncherWouldExpand()
    {
        // Inside quotes: backslash-escape " ` $ \ and double %; then the value escapes its backslashes.
        const QString text = ShellRegistration::schemeEntryText("/tmp/a\"b$c\\d%e/parlavine");
        QVERIFY2(text.contains("Exec=\"/tmp/a\\\\\"b\\\\$c\\\\\\\\d%%e/parlavine\" --settings=%u"), qPrintable(text));
        // The autostart entry runs the same program path.
        QCOMPARE(AutostartEntry::execValue("/tmp/a\"b$c\\d%e/parlavine"),
                 QString("\"/tmp/a\\\\\"b\\\\$c\\\\\\\\d%%e/parlavine\""));
    }

    void rewritesOnlyWhatDiffers()
    {
        ShellRegistration::registerEntries("/usr/bin/parlavine", "Use Parlavine translate");
        const QDateTime old = QDateTime::currentDateTimeUtc().addDays(-1);
        for (const char* name : {"parlavine.desktop", "parlavine-transfile.desktop"}) {
            QFile file(entryPath(name));
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(old, QFileDevice::FileModificationTime));
        }

        ShellRegistration::registerEntries("/usr/bin/parlavine", "Use Parlavine translate");
        QCOMPARE(QFileInfo(entryPath("parlavine.desktop")).lastModified().toUTC(), old);
        QCOMPARE(QFileInfo(entryPath("parlavine-transfile.desktop")).lastModified().toUTC(), old);

        ShellRegistration::registerEntries("/usr/local/bin/parlavine", "Use Parlavine translate");
        QVERIFY(read(entryPath("parlavine.desktop")).contains("Exec=\"/usr/local/bin/parlavine\""));
        QVERIFY(read(entryPath("parlavine-transfile.desktop")).contains("Exec=\"/usr/local/bin/parlavine\""));
    }

    // The packaged program's entries come with the package: it removes the user's copies that run
    // it (an earlier version wrote them), and only those.
    void packagedProgramRemovesItsUserEntries()
    {
        QVERIFY(ShellRegistration::isPackaged("/usr/bin/parlavine"));
        QVERIFY(!ShellRegistration::isPackaged("/home/u/parlavine/build/parlavine"));
        ShellRegistration::registerEntries("/usr/bin/parlavine", QString::fromUtf8("使用Parlavine翻译该文件"));
        ShellRegistration::removeEntries("/usr/bin/parlavine");
        QVERIFY(!QFile::exists(entryPath("parlavine.desktop")));
        QVERIFY(!QFile::exists(entryPath("parlavine-transfile.desktop")));

        ShellRegistration::registerEntries("/usr/bin/parlavine-build", "Use Parlavine translate");
        ShellRegistration::removeEntries("/usr/bin/parlavine");
        QVERIFY(QFile::exists(entryPath("parlavine.desktop")));
        QVERIFY(QFile::exists(entryPath("parlavine-transfile.desktop")));
    }

    void anUnwritableFolderIsSilent()
    {
        const QString dir = ShellRegistration::applicationsDir();
        QVERIFY(QDir().mkpath(QFileInfo(dir).path()));
        QFile blocker(dir);   // a file where the folder should be
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        ShellRegistration::registerEntries("/usr/bin/parlavine", "Use Parlavine translate");
        QVERIFY(QFileInfo(dir).isFile());
        QVERIFY(QFile::remove(dir));
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestShellRegistration)
#include "tst_ShellRegistration.moc"
