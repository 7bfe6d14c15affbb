#include "core/SimpleStorage.h"
#include "core/TimeUtil.h"
#include "core/User.h"
#include "core/Util.h"
#include "filetrans/FileTransService.h"

#include "StandinFixture.h"
#include "TestMain.h"

#include <QTemporaryDir>
#include <QtTest>

class TestFileTransService : public QObject
{
    Q_OBJECT
    StandinFixture standin;
    QSharedPointer<FileTransService> service;
    QTemporaryDir dir;

    const QString supportKey = StandinRoute::imtKey("support_lang");
    const QString submitKey = StandinRoute::imtKey("auto_translation_file", "submit");

private slots:
    void initTestCase()
    {
        qputenv("PARLAVINE_REQUEST_TIMEOUT_MS", "5000");
        User::instance()->userName = QStringLiteral("service-tester");
        User::instance()->clientKey = QStringLiteral("desktop-test");
        User::instance()->session = QStringLiteral("session-1");
        QVERIFY(dir.isValid());
    }
    void init()
    {
        standin.reset();
        User::instance()->session = QStringLiteral("session-1");
        service.reset(new FileTransService);
    }
    void cleanup()
    {
        TimeUtil::setOffsetMSecs(0);
        service.reset();
        SimpleStorage::instance()->remove(FileTransService::SupportLangCacheKey);
        standin.verify();
    }

    void outputTypes_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("output");
        for (const char* same : {"docx", "pptx", "xlsx", "txt", "xml", "html", "md"})
            QTest::newRow(same) << same << same;
        QTest::newRow("pdf") << "pdf" << "docx";
        QTest::newRow("png") << "png" << "txt";
        QTest::newRow("jpg") << "jpg" << "txt";
        QTest::newRow("jpeg") << "jpeg" << "txt";
        QTest::newRow("upper case is not lowered here") << "PDF" << "PDF";
    }
    void outputTypes()
    {
        QFETCH(QString, type);
        QFETCH(QString, output);
        QCOMPARE(FileTransService::outputType(type), output);
    }

    // A row is {"zh", "en", "$time", "$version"} plus padding to the size given.
    void cachedTable_data()
    {
        QTest::addColumn<qint64>("age");
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("entries");
        QTest::addColumn<bool>("fromCache");
        QTest::addColumn<bool>("rowKept");
        QTest::newRow("a day old") << qint64(86400) << 20231018 << 4 << true << true;
        QTest::newRow("a second older") << qint64(86401) << 20231018 << 4 << false << false;
        QTest::newRow("other version") << qint64(0) << 20231017 << 4 << false << false;
        QTest::newRow("from the future") << qint64(-10) << 20231018 << 4 << false << false;
        QTest::newRow("three entries") << qint64(0) << 20231018 << 3 << false << true;
    }
    void cachedTable()
    {
        QFETCH(qint64, age);
        QFETCH(int, version);
        QFETCH(int, entries);
        QFETCH(bool, fromCache);
        QFETCH(bool, rowKept);
        // At the start of a second, so that the service's own "now" falls in the same second as the row's
        // (a day old to the second is still fresh, a day and a second is not).
        TimeUtil::setOffsetMSecs(0);
        TimeUtil::setOffsetMSecs(1000 - TimeUtil::currentMSecsSinceEpoch() % 1000);
        QVariantMap row{{"$time", qint64(TimeUtil::currentTimestamp()) - age}, {"$version", version}, {"zh", QVariantMap{{"name", "中文"}}}};
        if (entries == 4)
            row.insert("en", QVariantMap{{"name", "英语"}});
        SimpleStorage::instance()->set(FileTransService::SupportLangCacheKey, mapToJson(row));
        standin->script(supportKey, StandinReply::hang());

        QVariantMap answer;
        int answers = 0;
        service->supportLang([&](bool ok, const QVariantMap& table) { answers += ok; answer = table; }, false);
        QCOMPARE(answers, fromCache ? 1 : 0);
        if (fromCache) {
            QVERIFY(!answer.contains("$time"));
            QVERIFY(!answer.contains("$version"));
            QVERIFY(answer.contains("en"));
        } else {
            QTRY_COMPARE(standin->requestCount(supportKey), 1);
        }
        QCOMPARE(SimpleStorage::instance()->get(FileTransService::SupportLangCacheKey).isValid(), rowKept);
    }

    void fetchedTableIsStoredAndOnlyTheNewerCallAnswers()
    {
        standin->script(supportKey, StandinReply::byDefault().after(300));
        QList<bool> answers;
        QVariantMap table;
        service->supportLang([&](bool ok, const QVariantMap&) { answers.append(ok); }, true);
        QTRY_COMPARE(standin->requestCount(supportKey), 1);
        service->supportLang([&](bool ok, const QVariantMap& t) { answers.append(ok); table = t; }, true);
        QTRY_COMPARE(answers, QList<bool>{true});
        QTest::qWait(400);
        QCOMPARE(answers, QList<bool>{true});
        QCOMPARE(standin->requests(supportKey).last().at("type").toString(), QStringLiteral("auto_translation_file"));
        QVERIFY(table.contains("zh") && !table.contains("$version") && !table.contains("$time"));
        const QVariantMap stored = mapFromStr(SimpleStorage::instance()->get(FileTransService::SupportLangCacheKey).toString());
        QCOMPARE(stored.value("$version").toInt(), 20231018);
        QVERIFY(stored.value("zh").toMap().value("support").toMap().value("en").toMap().value("trans_file").toBool());
    }

    // The body is built as text around the file's Base64: it must still be the JSON the server reads.
    void submissionCarriesTheFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("domain");
        QTest::newRow("pdf with domain") << "Report \"Q1\".pdf" << QByteArray("%PDF-1.4\n\x00\xff binary", 18) << "patent";
        QTest::newRow("empty md") << "notes.md" << QByteArray() << "";
        QTest::newRow("bytes past a read chunk") << "big.txt" << QByteArray(3 * 1024 * 1024 + 5, 'x') << "";
    }
    void submissionCarriesTheFile()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, domain);
        const QString path = dir.filePath(QStringLiteral("upload.bin"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        const QString type = name.section('.', -1);
        QVariantMap reply;
        service->submitFile(path, name, type, "zh", "en", domain, [&](bool ok, const QVariantMap& r) {
            QVERIFY(ok);
            reply = r;
        });
        QTRY_VERIFY_WITH_TIMEOUT(!reply.isEmpty(), 10000);
        const StandinRequest request = standin->requests(submitKey).value(0);
        QCOMPARE(request.at("header.action").toString(), QStringLiteral("submit"));
        QCOMPARE(request.session(), QStringLiteral("session-1"));
        QCOMPARE(request.at("source.name").toString(), name);
        QCOMPARE(request.at("source.type").toString(), type);
        QCOMPARE(request.at("target.type").toString(), FileTransService::outputType(type));
        QCOMPARE(QByteArray::fromBase64(request.at("source.content_base64").toString().toLatin1()), content);
        QCOMPARE(request.body.contains("text_domain"), !domain.isEmpty());
        if (!domain.isEmpty())
            QCOMPARE(request.at("text_domain").toString(), domain);
        QVERIFY(reply.value("file_id").toString().startsWith("ft-"));
    }

    // A submission the server answered is never sent again; the one re-send, under a session renewed
    // meanwhile, carries the bytes built once.
    void submissionIsSentOnceUnlessItsSessionWasRenewed()
    {
        const QString path = dir.filePath(QStringLiteral("retry.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("hello");
        file.close();
        standin->script(submitKey, StandinReply::failure("server-busy", "busy"));
        int calls = 0;
        bool done = true;
        const auto record = [&](bool ok, const QVariantMap&) {
            ++calls;
            done = ok;
        };
        service->submitFile(path, "retry.txt", "txt", "zh", "en", "", record);
        QTRY_COMPARE(calls, 1);
        QVERIFY(!done);
        QCOMPARE(standin->requestCount(submitKey), 1);

        standin->script(submitKey, StandinReply::sessionOut().after(300));
        service->submitFile(path, "retry.txt", "txt", "zh", "en", "", record);
        QTRY_COMPARE(standin->requestCount(submitKey), 2);
        User::instance()->session = QStringLiteral("session-2");
        QTRY_COMPARE(calls, 2);
        QVERIFY(done);
        const QList<StandinRequest> sent = standin->requests(submitKey);
        QCOMPARE(sent.size(), 3);
        QCOMPARE(sent.at(2).session(), QStringLiteral("session-2"));
        QJsonObject first = sent.at(1).body;
        QJsonObject again = sent.at(2).body;
        first.remove("header");
        again.remove("header");
        QCOMPARE(again, first);
    }

    void unreadableFileIsReported()
    {
        QVariantMap reply;
        bool called = false;
        service->submitFile(dir.filePath("gone.txt"), "gone.txt", "txt", "zh", "en", "", [&](bool ok, const QVariantMap& r) {
            called = true;
            QVERIFY(!ok);
            reply = r;
        });
        QTRY_VERIFY(called);
        QVERIFY(reply.value("readFailed").toBool());
        QCOMPARE(standin->requestCount(submitKey), 0);
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestFileTransService)
#include "tst_FileTransService.moc"
