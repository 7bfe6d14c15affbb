#include "core/Constant.h"
#include "core/FileTaskStatus.h"
#include "core/Hud.h"
#include "core/QuickStorage.h"
#include "core/State.h"
#include "core/User.h"
#include "filetrans/FileTransCtrl.h"
#include "shell/GlobalCtrl.h"

#include "ScriptedFileDialogs.h"
#include "StandinFixture.h"
#include "TestMain.h"

#include <QJsonArray>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(StandinReply)

namespace {

const QString SubmitKey = StandinRoute::imtKey("auto_translation_file", "submit");
const QString CheckKey = StandinRoute::imtKey("auto_translation_file", "check");
const QString ListKey = StandinRoute::imtKey("auto_translation_file", "list");
const QString RemoveKey = StandinRoute::imtKey("auto_translation_file", "remove");
const QString LoadKey = StandinRoute::imtKey("auto_translation_file", "load");

QJsonObject task(const QString& id, const QString& stage = "translating", int progress = 10)
{
    return {{"file_id", id}, {"file_name", id + ".docx"}, {"source_type", "docx"}, {"source_lang", "zh"},
            {"target_lang", "en"}, {"progress", progress}, {"trans_status", stage}, {"error_message", ""},
            {"create_time", "2026-12-10 10:00:00.5"}};
}

QJsonObject progressReply(const QString& id, const QString& stage, int progress, const QString& error = QString())
{
    return {{"file_id", id}, {"progress", progress}, {"trans_status", stage}, {"error_message", error},
            {"completed_time", progress >= 100 ? "2026-12-10 11:00:00" : ""}};
}

} // namespace

class TestFileTransCtrl : public QObject
{
    Q_OBJECT
    StandinFixture standin;
    QSharedPointer<FileTransCtrl> ctrl;
    QTemporaryDir dir;
    State* state = nullptr;
    int hudsBefore = 0;

    QString file(const QString& name, const QByteArray& content = "text")
    {
        const QString path = dir.filePath(name);
        QFile out(path);
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        out.write(content);
        return path;
    }

    // "type: title message" of the huds shown since the test began.
    QStringList huds() const
    {
        QStringList out;
        for (const QVariant& value : state->windowHud().mid(hudsBefore)) {
            const QVariantMap hud = value.toMap();
            out.append(hud.value("type").toString() + ": " + hud.value("title").toString() +
                       (hud.value("message").toString().isEmpty() ? QString() : " " + hud.value("message").toString()));
        }
        return out;
    }
    int lastHudTag() const { return state->windowHud().last().toMap().value("tag").toInt(); }

    QStringList checkedIds()
    {
        QStringList ids;
        for (const StandinRequest& request : standin.server().requests(CheckKey))
            ids.append(request.at("file_id").toString());
        return ids;
    }

    void setWindowActive(bool active)
    {
        state->windowActiveRef() = active;
        emit state->windowActiveChange();
    }

    void loadList(const QJsonArray& tasks)
    {
        standin->script(ListKey, StandinReply::success(QJsonObject{{"file_list", tasks}}));
        ctrl->updateTransList();
        QTRY_COMPARE(state->fileTransStatus(), 0);
    }

private slots:
    void initTestCase()
    {
        qputenv("PARLAVINE_REQUEST_TIMEOUT_MS", "5000");
        state = State::instance();
        User::instance()->clientKey = QStringLiteral("desktop-test");
        User::instance()->session = QStringLiteral("session-1");
        QVERIFY(dir.isValid());
        // zh->ja has no document flag; en->ja says false; everything else is allowed.
        state->setFileTransLangData(
            {{"zh", QVariantMap{{"support", QVariantMap{{"en", QVariantMap{{"trans_file", true}}},
                                                        {"ja", QVariantMap{{"trans", true}}}}}}},
             {"en", QVariantMap{{"support", QVariantMap{{"ja", QVariantMap{{"trans_file", false}}}}}}},
             {"ja", QVariantMap()},
             {"fr", QVariantMap()}});
    }
    void init()
    {
        standin.reset();
        // A user of its own: the stand-in keeps tasks per user.
        User::instance()->userName = QString::fromLatin1(QTest::currentTestFunction());
        state->fileTransHistory.clear();
        state->setFileTransStatus(0);
        hudsBefore = state->windowHud().size();
        setWindowActive(true);
        ctrl.reset(new FileTransCtrl);
    }
    void cleanup()
    {
        ctrl.reset();
        QTest::qWait(300); // checks still on the wire land nowhere
        standin.verify();
    }

    void nameFilterListsTheTypesInOrder()
    {
        QCOMPARE(ctrl->nameFilter(),
                 QStringLiteral("Any files (*.pdf *.docx *.pptx *.xlsx *.txt *.xml *.html *.md *.png *.jpeg *.jpg )"));
    }

    void localRefusals_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("shown");
        QTest::newRow("pair without flag") << "a.txt" << "zh" << "ja" << "warning: 当前语种对不支持文件翻译, 请重新选择";
        QTest::newRow("pair flagged false") << "a.txt" << "en" << "ja" << "warning: 当前语种对不支持文件翻译, 请重新选择";
        QTest::newRow("missing file") << "" << "zh" << "en" << "warning: 文件不存在";
        QTest::newRow("folder") << "Reports.docx/" << "zh" << "en" << "warning: 不能翻译文件夹 Reports.docx";
        QTest::newRow("double suffix") << "archive.tar.gz" << "zh" << "en" << "warning: 文件翻译不支持该类型:gz";
        QTest::newRow("no dot") << "README" << "zh" << "en" << "warning: 文件翻译不支持该类型:readme";
        QTest::newRow("doc is not docx") << "old.doc" << "fr" << "en" << "warning: 文件翻译不支持该类型:doc";
    }
    void localRefusals()
    {
        QFETCH(QString, name);
        QFETCH(QString, source);
        QFETCH(QString, target);
        QFETCH(QString, shown);
        QString path = name.isEmpty() ? dir.filePath("absent.txt") : name.endsWith('/') ? dir.filePath(name) : file(name);
        if (name.endsWith('/'))
            QVERIFY(QDir(dir.path()).mkpath(name));
        ctrl->translation(path, source, target, QString());
        QCOMPARE(huds(), QStringList{shown});
        QTest::qWait(100);
        QCOMPARE(standin->requestCount(SubmitKey), 0);
    }

    void upperCaseSuffixIsSubmittedLowered()
    {
        ctrl->translation(file("Report.DOCX"), "ja", "fr", QString());
        QTRY_COMPARE(standin->requestCount(SubmitKey), 1);
        QCOMPARE(standin->requests(SubmitKey).at(0).at("source.name").toString(), QStringLiteral("Report.DOCX"));
        QCOMPARE(standin->requests(SubmitKey).at(0).at("source.type").toString(), QStringLiteral("docx"));
        QTRY_COMPARE(state->fileTransHistory.size(), 1);
        QCOMPARE(state->fileTransHistory.at(0).statusText, QStringLiteral("正在准备"));
        QCOMPARE(state->fileTransHistory.at(0).progressState, 100);
        QVERIFY(ctrl->pollSnapshot().contains(state->fileTransHistory.at(0).file_id));
    }

    void droppedUrlIsALocalFile()
    {
        const QByteArray content("dropped");
        const QString path = file(QStringLiteral("a b#1 %20 文件.txt"), content);
        ctrl->translation(QUrl::fromLocalFile(path).toString(), "zh", "en", QString());
        QTRY_COMPARE(standin->requestCount(SubmitKey), 1);
        const StandinRequest request = standin->requests(SubmitKey).at(0);
        QCOMPARE(request.at("source.name").toString(), QStringLiteral("a b#1 %20 文件.txt"));
        QCOMPARE(QByteArray::fromBase64(request.at("source.content_base64").toString().toLatin1()), content);
    }

    // The repeated drop keeps its domain through the question; 取消 submits nothing.
    void repetitionIsAskedAndKeepsTheDomain()
    {
        const QString path = file("twice.md");
        ctrl->translation(path, "zh", "en", "patent");
        QTRY_COMPARE(standin->requestCount(SubmitKey), 1);
        ctrl->translation(path, "zh", "en", "patent");
        QCOMPARE(huds(), QStringList{"ask: 重复提交翻译任务，是否继续？ 翻译文件：twice.md"});
        Hud::instance()->cancelBtnTap(lastHudTag());
        ctrl->translation(path, "zh", "en", "patent");
        Hud::instance()->sureBtnTap(lastHudTag());
        QTRY_COMPARE(standin->requestCount(SubmitKey), 2);
        QCOMPARE(standin->requests(SubmitKey).at(1).at("text_domain").toString(), QStringLiteral("patent"));
        // Encoding runs off the thread: a drop meanwhile is a repetition already.
        ctrl->translation(file("fast.txt"), "zh", "en", QString());
        ctrl->translation(dir.filePath("fast.txt"), "zh", "en", QString());
        QCOMPARE(huds().last(), QStringLiteral("ask: 重复提交翻译任务，是否继续？ 翻译文件：fast.txt"));
        QTRY_COMPARE(standin->requestCount(SubmitKey), 3);
    }

    void queueGoesOnPastABadFile()
    {
        ScriptedFileDialogs dialogs;
        dialogs.answerOpen({file("one.txt", "1"), file("bad.gz"), file("three.md", "3"), dir.filePath("gone.txt"),
                            file("one.txt", "again")});
        QList<int> statuses;
        connect(state, &State::fileTransStatusChange, this, [&] { statuses.append(state->fileTransStatus()); });
        ctrl->transWithBrowser("zh", "en");
        QVERIFY(!GlobalCtrl::instance()->fileDialogOpen);
        QCOMPARE(dialogs.calls.at(0).filter, ctrl->nameFilter());
        QVERIFY(dialogs.calls.at(0).path.endsWith("/Downloads/"));
        // The repeated name waits for its answer; 取消 ends the queue.
        QTRY_COMPARE(huds().size(), 3);
        QCOMPARE(huds().mid(0, 2), (QStringList{"warning: 文件翻译不支持该类型:gz", "warning: 文件不存在"}));
        QCOMPARE(state->fileTransStatus(), 4);
        Hud::instance()->cancelBtnTap(lastHudTag());
        QTRY_COMPARE(state->fileTransStatus(), 0);
        QStringList names;
        for (const StandinRequest& request : standin->requests(SubmitKey))
            names.append(request.at("source.name").toString());
        QCOMPARE(names, (QStringList{"one.txt", "three.md"}));
        QCOMPARE(statuses.first(), 4);
        QCOMPARE(statuses.last(), 0);
        disconnect(state, &State::fileTransStatusChange, this, nullptr);
    }

    void cancelledDialogChangesNothing()
    {
        ScriptedFileDialogs dialogs;
        state->setFileTransStatus(1);
        // Released while the dialog is open: the controller lives until the dialog returns.
        QWeakPointer<FileTransCtrl> weak = ctrl;
        dialogs.answerOpen({}, [this] { ctrl.reset(); });
        weak.toStrongRef()->transWithBrowser("zh", "en");
        QVERIFY(weak.isNull());
        QCOMPARE(state->fileTransStatus(), 1);
        QVERIFY(!GlobalCtrl::instance()->fileDialogOpen);
    }

    // Five running tasks: three checks a tick, the two passed over go first in the next one.
    void pollingOrderAndPriority()
    {
        QJsonArray tasks;
        for (int i = 1; i <= 5; ++i)
            tasks.append(task(QStringLiteral("t%1").arg(i)));
        tasks.append(task("done", "completed", 100));
        for (int i = 1; i <= 5; ++i)
            standin->script(CheckKey, StandinReply::success(progressReply(QStringLiteral("t%1").arg(i), "translating", 20)));
        for (int i = 0; i < 5; ++i)
            standin->script(CheckKey, StandinReply::success(progressReply(QStringLiteral("t%1").arg(i % 3 + 1), "translating", 20)));
        loadList(tasks);
        QCOMPARE(state->fileTransHistory.size(), 6);
        // Checked at once: the load itself ran a round, long before the first tick.
        QCOMPARE(ctrl->pollSnapshot().value("t4"), int(FileTransCtrl::First));
        QTRY_VERIFY(checkedIds().size() >= 3); // a slow machine may have reached the next tick meanwhile
        // Sent in id order; three connections may arrive in any order.
        QStringList first = checkedIds().mid(0, 3);
        first.sort();
        QCOMPARE(first, (QStringList{"t1", "t2", "t3"}));
        QTRY_VERIFY(checkedIds().size() >= 6);
        QStringList second = checkedIds().mid(3, 3);
        second.sort();
        QCOMPARE(second, (QStringList{"t1", "t4", "t5"}));
    }

    void pollingStopsWhenAllAreDone()
    {
        loadList({task("a"), task("b")});
        standin->script(CheckKey, StandinReply::success(progressReply("a", "completed", 100)));
        standin->script(CheckKey, StandinReply::success(progressReply("b", "completed", 100)));
        QTRY_VERIFY(ctrl->pollSnapshot().isEmpty());
        QCOMPARE(state->fileTransHistory.at(0).completed_time, QStringLiteral("2026-12-10 11:00:00"));
        QCOMPARE(state->fileTransHistory.at(0).statusText, QStringLiteral("自动翻译成功"));
        QTRY_COMPARE(ctrl->pollInterval(), 0);
        setWindowActive(false);
        QCOMPARE(ctrl->pollInterval(), FileTransCtrl::SlowPollMs);
    }

    void checkReplies_data()
    {
        QTest::addColumn<QJsonObject>("reply");
        QTest::addColumn<int>("processStatus");
        QTest::addColumn<QString>("processText");
        QTest::addColumn<bool>("polled");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("redraws");
        QTest::newRow("running") << progressReply("x", "translating", 45) << 101 << "正在翻译45%" << true << QStringList() << 1;
        QTest::newRow("stage alone") << progressReply("x", "translate_completed", 10) << 101 << "完成翻译队列" << true << QStringList() << 1;
        QTest::newRow("aborted silently") << progressReply("x", "aborted", 30) << -1 << "出错退出" << false << QStringList() << 1;
        QTest::newRow("canceled") << progressReply("x", "canceled", 30) << -2 << "已取消" << false << QStringList() << 1;
        QTest::newRow("aborted with a message")
            << progressReply("x", "aborted", 30, "File is too large: 41MB") << -1 << "出错退出（文件超出限制）" << false
            << QStringList{"warning: 文件翻译失败 File is too large: 41MB"} << 1;
        QTest::newRow("done") << progressReply("x", "completed", 100) << 201 << "自动翻译成功" << false << QStringList() << 1;
        QTest::newRow("unknown id answers for the checked one")
            << progressReply("nobody", "translating", 50) << 101 << "正在翻译50%" << true << QStringList() << 1;
        QTest::newRow("same stage, same progress") << progressReply("x", "translating", 10) << 101 << "正在翻译10%" << true << QStringList() << 0;
    }
    void checkReplies()
    {
        QFETCH(QJsonObject, reply);
        QFETCH(int, processStatus);
        QFETCH(QString, processText);
        QFETCH(bool, polled);
        QFETCH(QStringList, shown);
        QFETCH(int, redraws);
        setWindowActive(false); // no tick within the test: only the check at load
        standin->script(CheckKey, StandinReply::success(reply));
        standin->script(ListKey, StandinReply::success(QJsonObject{{"file_list", QJsonArray{task("x")}}}));
        QSignalSpy rows(state, &State::fileTransHistoryChange);
        ctrl->updateTransList();
        QTRY_COMPARE(standin->requestCount(CheckKey), 1);
        QTRY_VERIFY(ctrl->pollSnapshot().value("x", -1) != FileTransCtrl::InFlight);
        QCOMPARE(rows.count(), 1 + redraws);
        const FileTaskRecord& record = state->fileTransHistory.at(0);
        QCOMPARE(record.progressState, processStatus);
        QCOMPARE(record.statusText, processText);
        QCOMPARE(ctrl->pollSnapshot().contains("x"), polled);
        QCOMPARE(huds(), shown);
    }

    void offlineChecksToastOnce()
    {
        // Scripted before the load, which checks at once; more than the test waits for, so a late look
        // finds no default answer ("no such task") among them.
        for (int i = 0; i < 8; ++i)
            standin->script(CheckKey, StandinReply::httpStatus(502));
        loadList({task("x")});
        // A task is checked again only once its last answer was handled: the fourth check means three failures
        // were handled. The log alone runs ahead of the answers.
        QTRY_VERIFY_WITH_TIMEOUT(standin->requestCount(CheckKey) >= 4, 12000);
        QCOMPARE(huds().size(), 1);
        QCOMPARE(huds().at(0), QStringLiteral("warning: 网络异常，请检查网络 服务器内部错误"));
    }

    // Whatever the server reports, the stored progress stays within 0 and 100.
    void progressIsBounded()
    {
        setWindowActive(false); // only the checks at load
        standin->script(CheckKey, StandinReply::success(progressReply("low", "translating", -7)));
        standin->script(CheckKey, StandinReply::success(progressReply("over", "translating", 180)));
        loadList({task("low", "translating", -20), task("over", "translating", 250)});
        QCOMPARE(state->fileTransHistory.at(0).progress, 0);
        QCOMPARE(state->fileTransHistory.at(1).progress, 100);
        QTRY_COMPARE(standin->requestCount(CheckKey), 2);
        QTRY_VERIFY(!ctrl->pollSnapshot().contains("over"));
        QTRY_COMPARE(ctrl->pollSnapshot().value("low", -1), int(FileTransCtrl::Waiting));
        QCOMPARE(state->fileTransHistory.at(0).progress, 0);
        QCOMPARE(state->fileTransHistory.at(1).progress, 100);
    }

    // A document whose upload failed stays listed, marked, with its reason in words, across list
    // loads; a retry sends it again without the repetition question.
    void failedUploadStaysWithRetry_data()
    {
        QTest::addColumn<StandinReply>("reply");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("connection dropped")
            << StandinReply::disconnect() << "服务器断开了连接" << QStringList{"error: 网络异常，请检查网络 服务器断开了连接"};
        QTest::newRow("no file_id") << StandinReply::success(QJsonObject{{"file_name", "x.txt"}}) << "服务器未返回任务编号"
                                    << QStringList{"warning: 文件上传失败 服务器未返回任务编号"};
    }
    void failedUploadStaysWithRetry()
    {
        QFETCH(StandinReply, reply);
        QFETCH(QString, reason);
        QFETCH(QStringList, shown);
        for (int i = 0; i < 3; ++i) // whatever the retries
            standin->script(SubmitKey, reply);
        ctrl->translation(file("doc.md", "# doc"), "zh", "en", "patent");
        QTRY_COMPARE(state->fileTransHistory.size(), 1);
        const FileTaskRecord failed = state->fileTransHistory.at(0);
        QCOMPARE(failed.file_name, QStringLiteral("doc.md"));
        QCOMPARE(failed.progressState, int(FileTaskStatus::UploadFailed));
        QCOMPARE(failed.statusText, reason);
        QCOMPARE(huds(), shown);
        QVERIFY(ctrl->pollSnapshot().isEmpty());
        standin.reset();
        loadList({task("older", "completed", 100)});
        QCOMPARE(state->fileTransHistory.size(), 2);
        QCOMPARE(state->fileTransHistory.at(0).file_id, failed.file_id);

        ctrl->retryUpload(failed.file_id);
        QTRY_COMPARE(standin->requestCount(SubmitKey), 1);
        QCOMPARE(standin->requests(SubmitKey).at(0).at("text_domain").toString(), QStringLiteral("patent"));
        QTRY_COMPARE(state->fileTransHistory.at(0).progressState, 100);
        QCOMPARE(state->fileTransHistory.size(), 2);
        QCOMPARE(state->fileTransHistory.at(1).file_id, QStringLiteral("older"));
        QCOMPARE(huds(), shown);
    }

    // Leaving the page releases the controller; the queue and the reply in flight go on.
    void queueOutlivesThePage()
    {
        ScriptedFileDialogs dialogs;
        dialogs.answerOpen({file("q1.txt"), file("q2.txt"), file("q3.txt"), file("q4.txt")});
        ctrl->transWithBrowser("zh", "en");
        const QWeakPointer<FileTransCtrl> released = ctrl;
        ctrl.reset();
        QTRY_COMPARE(standin->requestCount(SubmitKey), 4);
        QTRY_COMPARE(state->fileTransHistory.size(), 4);
        QTRY_COMPARE(state->fileTransStatus(), 0);
        QTRY_VERIFY(released.isNull());
        // Back on the page: the server's list has them all.
        ctrl.reset(new FileTransCtrl);
        ctrl->init();
        QTRY_COMPARE(standin->requestCount(ListKey), 1);
        QTRY_COMPARE(state->fileTransStatus(), 0);
        QStringList names;
        for (const FileTaskRecord& record : qAsConst(state->fileTransHistory))
            names.append(record.file_name);
        QCOMPARE(names, (QStringList{"q4.txt", "q3.txt", "q2.txt", "q1.txt"}));
    }

    // A refused delete says why until read, and the list is fetched again: a task the server no
    // longer has disappears.
    void failedDeleteReloadsTheList()
    {
        loadList({task("gone", "completed", 100)});
        for (int i = 0; i < 3; ++i)
            standin->script(RemoveKey, StandinReply::failure("file-not-found", "任务不存在"));
        ctrl->removeTransHistory({{"id", "gone"}, {"name", "gone.docx"}, {"time", "10:00"}, {"cancel", true}});
        QTRY_COMPARE(standin->requestCount(ListKey), 2);
        QTRY_COMPARE(state->fileTransStatus(), 0);
        QVERIFY(state->fileTransHistory.isEmpty());
        QCOMPARE(huds(), QStringList{"warning: 文件删除失败 任务不存在"});
        QVERIFY(!state->windowHud().last().toMap().value("lite").toBool());
    }

    void removal_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("delete asks") << false;
        QTest::newRow("cancel does not") << true;
    }
    void removal()
    {
        QFETCH(bool, cancel);
        ctrl->translation(file("gone.docx"), "zh", "en", QString());
        QTRY_COMPARE(state->fileTransHistory.size(), 1);
        const FileTaskRecord record = state->fileTransHistory.at(0);
        const QVariantMap args{{"id", record.file_id}, {"name", record.file_name}, {"time", "10:00"}, {"cancel", cancel}};
        ctrl->removeTransHistory(args);
        if (!cancel) {
            QCOMPARE(huds().last(), QStringLiteral("ask: 确认删除该文件吗？ 文件：gone.docx（10:00）\n删除后不可恢复"));
            QCOMPARE(standin->requestCount(RemoveKey), 0);
            Hud::instance()->sureBtnTap(lastHudTag());
        } else {
            QVERIFY(!ctrl->pollSnapshot().contains(record.file_id));
        }
        QCOMPARE(state->fileTransStatus(), 3);
        QTRY_COMPARE(standin->requestCount(ListKey), 1);
        QTRY_COMPARE(state->fileTransStatus(), 0);
        QVERIFY(state->fileTransHistory.isEmpty());
        // Only a cancelled task's name may be sent again without the question.
        const int before = huds().size();
        ctrl->translation(dir.filePath("gone.docx"), "zh", "en", QString());
        QCOMPARE(huds().mid(before).join('|').contains("重复提交"), !cancel);
        QTRY_COMPARE(standin->requestCount(SubmitKey), cancel ? 2 : 1);
    }

    void downloadNames_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("suggested");
        QTest::addColumn<QString>("target");
        QTest::newRow("typed with type") << "report.docx" << "docx" << "/d/a.docx" << "report_trans.docx" << "/d/a.docx";
        QTest::newRow("typed without") << "report.pdf" << "docx" << "/d/a" << "report.pdf_trans.docx" << "/d/a.docx";
        QTest::newRow("url form") << "x.txt" << "txt" << "file:///d/a" << "x_trans.txt" << "/d/a.txt";
        QTest::newRow("separators stripped") << "../../etc/passwd" << "txt" << "/d/a" << "....etcpasswd_trans.txt" << "/d/a.txt";
        QTest::newRow("only dots") << "../.." << "txt" << "/d/a" << "" << "/d/a.txt";
        QTest::newRow("bad type") << "a.docx" << "do/cx" << "/d/a" << "" << "";
        QTest::newRow("long type") << "a" << "abcdefghijk" << "/d/a" << "" << "";
    }
    void downloadNames()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, type);
        QFETCH(QString, chosen);
        QFETCH(QString, suggested);
        QFETCH(QString, target);
        QCOMPARE(FileTransCtrl::suggestedName(fileName, type), suggested);
        QCOMPARE(FileTransCtrl::downloadTarget(chosen, type), target);
    }

    // The client's sentence first, the server's text as its detail; one message, not two.
    void downloadOfATaskTheServerNoLongerHas()
    {
        ctrl->downloadTransHistory("nobody");
        QTRY_COMPARE(state->fileTransStatus(), 0);
        QCOMPARE(huds(), QStringList{"warning: 文件下载失败，请稍后重试 任务不存在"});
    }

    void download_data()
    {
        QTest::addColumn<QJsonObject>("payload");
        QTest::addColumn<QString>("chosenName");
        QTest::addColumn<bool>("existing");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("written");
        const QString good = QString::fromLatin1(QByteArray("translated\x00\x01", 12).toBase64());
        const auto payload = [](const QString& name, const QString& type, const QString& base64) {
            return QJsonObject{{"file_name", name}, {"content_type", type}, {"target_base64", base64}};
        };
        QTest::newRow("good") << payload("report.docx", "docx", good) << "a" << false << "info: 翻译文件保存成功" << QByteArray("translated\x00\x01", 12);
        QTest::newRow("existing target asked, replaced") << payload("report.docx", "docx", good) << "a" << true << "ask: 文件已存在，是否替换？" << QByteArray("translated\x00\x01", 12);
        QTest::newRow("empty payload") << payload("r.docx", "docx", "") << "a" << false << "warning: 保存翻译文件失败" << QByteArray();
        QTest::newRow("invalid payload") << payload("r.docx", "docx", "no*base64") << "a" << false << "warning: 保存翻译文件失败" << QByteArray();
        QTest::newRow("unpadded payload") << payload("r.docx", "docx", "QQ") << "a" << false << "warning: 保存翻译文件失败" << QByteArray();
        QTest::newRow("bad type") << payload("r.docx", "../x", good) << "a" << false << "warning: 保存翻译文件失败" << QByteArray();
        QTest::newRow("empty name") << payload("/", "docx", good) << "a" << false << "warning: 保存翻译文件失败" << QByteArray();
    }
    void download()
    {
        QFETCH(QJsonObject, payload);
        QFETCH(QString, chosenName);
        QFETCH(bool, existing);
        QFETCH(QString, shown);
        QFETCH(QByteArray, written);
        QTemporaryDir out;
        QuickStorage::instance()->setValue("fileTrans_download_dir", out.path());
        const QString type = payload.value("content_type").toString();
        const QString target = out.filePath(chosenName + "." + type);
        if (existing)
            QVERIFY(QFile(target).open(QIODevice::WriteOnly));
        ScriptedFileDialogs dialogs;
        dialogs.answerSave(out.filePath(chosenName));
        standin->script(LoadKey, StandinReply::success(payload));
        ctrl->downloadTransHistory("t1");
        QCOMPARE(state->fileTransStatus(), 2);
        QTRY_COMPARE(huds().size(), 1);
        QCOMPARE(huds().at(0).section(' ', 0, 1), shown);
        QCOMPARE(state->fileTransStatus(), 0);
        if (existing) {
            QCOMPARE(QFileInfo(target).size(), 0); // untouched until the answer
            Hud::instance()->sureBtnTap(lastHudTag());
            QCOMPARE(huds().last(), "info: 翻译文件保存成功 " + target);
        }
        if (written.isEmpty()) {
            QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList());
            return;
        }
        QCOMPARE(dialogs.calls.at(0).caption, QStringLiteral("保存翻译文件"));
        QCOMPARE(dialogs.calls.at(0).path, out.path() + "/report_trans.docx");
        QFile saved(target);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), written);
    }
};

PARLAVINE_TEST_MAIN(TestFileTransCtrl)
#include "tst_FileTransCtrl.moc"
