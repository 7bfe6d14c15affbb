// scripts/run, run from a copy of the scripts folder so that nothing it does touches this tree.
#include "TestMain.h"

#include <QtTest>

class TestRunScript : public QObject
{
    Q_OBJECT
private slots:
    // Without a display there is nothing to show the client on: say so before any build.
    void noDisplayStopsBeforeBuilding()
    {
        QTemporaryDir root;
        QVERIFY(root.isValid());
        QVERIFY(QDir(root.path()).mkdir("scripts"));
        for (const char* name : {"run", "lib.sh", "deps.txt"})
            QVERIFY(QFile::copy(QStringLiteral(PARLAVINE_SOURCE_DIR "/scripts/") + name,
                                root.filePath(QStringLiteral("scripts/") + name)));

        QProcess run;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        run.setProcessEnvironment(environment);
        run.start("bash", {root.filePath("scripts/run")});
        QVERIFY(run.waitForFinished(60000));
        QCOMPARE(run.exitCode(), 2);
        QVERIFY(run.readAllStandardError().contains("No display found"));
        QVERIFY(!QFileInfo::exists(root.filePath("build")));
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestRunScript)
#include "tst_RunScript.moc"
