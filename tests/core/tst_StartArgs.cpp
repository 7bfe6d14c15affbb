#include "core/StartArgs.h"

#include "TestMain.h"

#include <QtTest>

Q_DECLARE_METATYPE(QVector<StartArg>)

namespace {
StartArg login(const QString& value)
{
    return {StartArg::LoginScheme, value};
}
StartArg transfile(const QString& value)
{
    return {StartArg::Transfile, value};
}
} // namespace

class TestStartArgs : public QObject
{
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QVector<StartArg>>("expected");
        const QString exe = QStringLiteral("/usr/bin/parlavine");
        QTest::newRow("program only") << QStringList{exe} << QVector<StartArg>{};
        QTest::newRow("login scheme gets the time")
            << QStringList{exe, "--settings=token=abc&type=wx"} << QVector<StartArg>{login("token=abc&type=wx&time=1700000000")};
        QTest::newRow("empty login scheme still counts")
            << QStringList{exe, "--settings="} << QVector<StartArg>{login("&time=1700000000")};
        QTest::newRow("transfile keeps the whole path")
            << QStringList{exe, "--transfile=/home/u/a b=c.docx"} << QVector<StartArg>{transfile("/home/u/a b=c.docx")};
        QTest::newRow("empty transfile dropped") << QStringList{exe, "--transfile="} << QVector<StartArg>{};
        QTest::newRow("walk stops after the login scheme")
            << QStringList{exe, "--transfile=/a", "--settings=q", "--transfile=/b", "--settings=r"}
            << QVector<StartArg>{transfile("/a"), login("q&time=1700000000")};
        QTest::newRow("several files in order")
            << QStringList{exe, "--transfile=/a", "--other", "--transfile=/b"} << QVector<StartArg>{transfile("/a"), transfile("/b")};
        QTest::newRow("prefixes are case-sensitive and anchored")
            << QStringList{exe, "--Settings=q", "x--transfile=/a", "--TRANSFILE=/b"} << QVector<StartArg>{};
        QTest::newRow("program path is walked too")
            << QStringList{"--transfile=/a"} << QVector<StartArg>{transfile("/a")};
        QTest::newRow("relative file resolved against the caller's folder")
            << QStringList{exe, "--transfile=docs/a.docx"} << QVector<StartArg>{transfile("/home/u/work/docs/a.docx")};
        QTest::newRow("parent folder of the caller's")
            << QStringList{exe, "--transfile=../b.docx"} << QVector<StartArg>{transfile("/home/u/b.docx")};
    }
    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QVector<StartArg>, expected);
        QCOMPARE(StartArgs::parse(arguments, 1700000000, QStringLiteral("/home/u/work")), expected);
    }

    void handOver_data()
    {
        QTest::addColumn<QVector<StartArg>>("requests");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing raises") << QVector<StartArg>{} << "parlavine_single" << "raise";
        QTest::newRow("file") << QVector<StartArg>{transfile("/a.docx"), transfile("/b.docx")} << "parlavine_single"
                              << "transfile:/a.docx";
        QTest::newRow("login scheme") << QVector<StartArg>{login("token=t&time=5")} << "parlavine_loginscheme"
                                      << "token=t&time=5";
        QTest::newRow("first request wins") << QVector<StartArg>{transfile("/a"), login("q")} << "parlavine_single"
                                            << "transfile:/a";
    }
    void handOver()
    {
        QFETCH(QVector<StartArg>, requests);
        QFETCH(QString, server);
        QFETCH(QString, text);
        QCOMPARE(StartArgs::handOver(requests), (InstanceMessage{server, text}));
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestStartArgs)
#include "tst_StartArgs.moc"
