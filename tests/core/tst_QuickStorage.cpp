#include "core/AppConfig.h"
#include "core/QuickStorage.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

#include <sys/stat.h>

// A child run of this binary prints one stored value and exits, without an application object:
// what a fresh start of the program would read.
static int printStoredValue(const char* store, const char* key)
{
    QuickStorage* storage = QuickStorage::instance();
    const QString name = QString::fromUtf8(key);
    const QString value = qstrcmp(store, "--ini") == 0 ? storage->getIniSetting(name) : storage->getValue(name);
    std::fputs(value.toUtf8().constData(), stdout);
    return 0;
}

class TestQuickStorage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
    }

    void valuesSurviveANewProcess_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << "language" << "zh-Hant";
        QTest::newRow("record json") << "loginTemp" << R"({"c":"ab","i":"7","n":"a, b","p":1,"s":"x=y","t":17})";
        QTest::newRow("hotkey") << "hotKey_copyTransOpen" << "O|1|0|1";
        QTest::newRow("leading at") << "downloadImg_dir" << "@home/Downloads";
        QTest::newRow("unicode") << "quitStyle" << QString::fromUtf8("\xe9\x80\x80\xe5\x87\xba ;#\"'\\");
    }
    void valuesSurviveANewProcess()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QuickStorage::instance()->setValue(key, value);
        QCOMPARE(QuickStorage::instance()->getValue(key), value);
        QCOMPARE(readInChild("--registry", key), value);
    }

    void absentAndEmptyValues()
    {
        QuickStorage* storage = QuickStorage::instance();
        QCOMPARE(storage->getValue("never-written"), QString(""));
        QCOMPARE(storage->getValueOr("never-written", "auto"), QStringLiteral("auto"));
        storage->setValue("blank", "");
        QCOMPARE(storage->getValueOr("blank", "auto"), QStringLiteral("auto"));

        storage->setValue("miniPosiX", "12");
        storage->remove("miniPosiX");
        QCOMPARE(storage->getValue("miniPosiX"), QString(""));
        QCOMPARE(readInChild("--registry", "miniPosiX"), QString(""));
    }

    void openglLivesInItsOwnFile()
    {
        QuickStorage* storage = QuickStorage::instance();
        storage->setIniSetting("opengl", "software");
        storage->setValue("opengl", "registry-copy");
        storage->remove("opengl");
        QCOMPARE(storage->getIniSetting("opengl"), QStringLiteral("software"));
        QCOMPARE(readInChild("--ini", "opengl"), QStringLiteral("software"));
        QVERIFY(QFileInfo::exists(AppConfig::configDir() + "/parlavine.ini"));
    }

    void filesArePrivateAndNamedLikeFiles()
    {
        QuickStorage::instance()->setValue("session-bearing", "1");
        QuickStorage::instance()->getIniSetting("opengl");
        const QFileInfoList files = QDir(AppConfig::configDir()).entryInfoList(QDir::Files | QDir::Hidden);
        QCOMPARE(files.size(), 2);
        for (const QFileInfo& file : files) {
            QVERIFY2(!file.fileName().contains("HKEY"), qPrintable(file.fileName()));
            struct stat st;
            QCOMPARE(::stat(QFile::encodeName(file.filePath()).constData(), &st), 0);
            QCOMPARE(st.st_mode & 0777, mode_t(0600));
        }
    }

private:
    static QString readInChild(const char* store, const QString& key)
    {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {"--print-stored", store, key});
        if (!child.waitForFinished(10000) || child.exitCode() != 0)
            return QStringLiteral("<child failed>");
        return QString::fromUtf8(child.readAllStandardOutput());
    }

    QTemporaryDir home;
};

int main(int argc, char** argv)
{
    if (argc == 4 && qstrcmp(argv[1], "--print-stored") == 0)
        return printStoredValue(argv[2], argv[3]);
    QCoreApplication app(argc, argv);
    TestQuickStorage test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_QuickStorage.moc"
