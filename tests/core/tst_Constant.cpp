#include "core/Constant.h"

#include "TestMain.h"

#include <QtTest>

class TestConstant : public QObject
{
    Q_OBJECT
private slots:
    void fileTaskStatus_data()
    {
        QTest::addColumn<QString>("transStatus");
        QTest::addColumn<QString>("errorMessage");
        QTest::addColumn<int>("progressState");
        QTest::addColumn<QString>("statusText");
        QTest::addColumn<int>("progress");

        const QString previous = QStringLiteral("previous");
        QTest::newRow("src file stage") << "convert_src_content_file" << "" << 100 << "转换文件格式" << 45;
        QTest::newRow("waiting twin") << "convert_src_content_file_waiting" << "" << 101 << "等待转换文件格式" << 45;
        QTest::newRow("completed twin") << "convert_src_content_file_completed" << "" << 101 << "转换文件格式完成" << 45;
        QTest::newRow("download keeps text") << "download_src_start" << "" << 100 << previous << 45;
        QTest::newRow("translating") << "translating" << "" << 101 << "正在翻译45%" << 45;
        QTest::newRow("human translating") << "human_translating" << "" << 102 << "正在人工翻译45%" << 45;
        QTest::newRow("completed") << "completed" << "" << 201 << "自动翻译成功" << 45;
        QTest::newRow("human done") << "human_translation_completed" << "" << 202 << "人工翻译完成" << 45;
        QTest::newRow("aborted") << "aborted" << "" << -1 << "出错退出" << -1;
        QTest::newRow("aborted too large")
            << "aborted" << "upload: File is too large (20MB)" << -1 << "出错退出（文件超出限制）" << -1;
        QTest::newRow("aborted lower case") << "aborted" << "file is too large" << -1 << "file is too large" << -1;
        QTest::newRow("canceled") << "canceled" << "" << -2 << "已取消" << -1;
        QTest::newRow("unknown") << "Completed" << "" << 0 << previous << 45;
    }
    void fileTaskStatus()
    {
        QFETCH(QString, transStatus);
        QFETCH(QString, errorMessage);
        FileTaskRecord record;
        record.progress = 45;
        record.progressState = 7;
        record.statusText = QStringLiteral("previous");
        Constant::fileTaskStatus(record, transStatus, errorMessage);
        QCOMPARE(record.trans_status, transStatus);
        QTEST(record.progressState, "progressState");
        QTEST(record.statusText, "statusText");
        QTEST(record.progress, "progress");
    }

    void fileTaskFromMap()
    {
        const QVariantMap task{{"file_id", "f1"},
                               {"file_name", "Report.docx"},
                               {"source_type", "docx"},
                               {"source_lang", "zh"},
                               {"target_lang", "en"},
                               {"word_count", "120"},
                               {"char_count", 300},
                               {"create_time", "2024-05-01 10:00:00.123"},
                               {"trans_status", "translating"}};
        const FileTaskRecord record = Constant::fileTaskFromMap(task);
        QCOMPARE(record.file_id, QStringLiteral("f1"));
        QCOMPARE(record.fileType, QStringLiteral("docx"));
        QCOMPARE(record.word_count, 120);
        QCOMPARE(record.char_count, 300);
        QCOMPARE(record.timeText, QStringLiteral("2024-05-01 10:00:00"));
        // No "progress" in the map: the running text shows 0%.
        QCOMPARE(record.statusText, QStringLiteral("正在翻译0%"));
        QCOMPARE(record.progressState, 101);

        const FileTaskRecord noFraction = Constant::fileTaskFromMap({{"create_time", "2024-05-01 10:00:00"}});
        QCOMPARE(noFraction.timeText, QStringLiteral("2024-05-01 10:00:00"));

        const FileTaskRecord fresh = Constant::fileTaskFromMap({{"trans_status", "download_src_start"}});
        QCOMPARE(fresh.progressState, 100);
        QVERIFY(fresh.statusText.isEmpty());
    }

    void fromIdAndName()
    {
        QCOMPARE(FileTaskRecord("f", "Scan.JPG").fileType, QStringLiteral("jpg"));
        QCOMPARE(FileTaskRecord("f", "README").fileType, QStringLiteral("readme"));
    }

    void isUnfinished_data()
    {
        QTest::addColumn<QString>("transStatus");
        QTest::addColumn<QString>("errorMessage");
        QTest::addColumn<bool>("unfinished");
        QTest::newRow("translating") << "translating" << "" << true;
        QTest::newRow("preparing") << "preparing" << "" << true;
        QTest::newRow("unknown stage") << "something_new" << "" << true;
        QTest::newRow("completed") << "completed" << "" << false;
        QTest::newRow("human done") << "human_translation_completed" << "" << false;
        QTest::newRow("canceled") << "canceled" << "" << false;
        QTest::newRow("aborted") << "aborted" << "" << false;
        QTest::newRow("aborted with message") << "aborted" << "boom" << false;
        QTest::newRow("error while running") << "translating" << "boom" << false;
    }
    void isUnfinished()
    {
        QFETCH(QString, transStatus);
        QFETCH(QString, errorMessage);
        const FileTaskRecord record = Constant::fileTaskFromMap(
            {{"trans_status", transStatus}, {"error_message", errorMessage}});
        QTEST(Constant::isUnfinished(record), "unfinished");
    }

    void suffixList()
    {
        const QStringList& suffixes = Constant::instance()->suffixList();
        QCOMPARE(suffixes.size(), 11);
        QVERIFY(suffixes.contains("jpeg") && suffixes.contains("jpg"));
        QVERIFY(!suffixes.contains("doc") && !suffixes.contains("xls"));
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestConstant)
#include "tst_Constant.moc"
