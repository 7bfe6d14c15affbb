#include "quicktrans/CopyTransCtrl.h"

#include "core/Dispatch.h"
#include "core/State.h"
#include "platform/FakeDesktopScreens.h"
#include "platform/FakeInputEventSource.h"
#include "shell/GlobalCtrl.h"

#include "TestMain.h"
#include "texttrans/TextTransHarness.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QTemporaryFile>
#include <QWindow>
#include <QtTest>

namespace {

const QString Analysis = StandinRoute::imtKey("text_analysis");
const QString Translation = StandinRoute::imtKey("auto_translation");
const QPoint kReleasePoint(700, 420);

QSharedPointer<CopyTransCtrl> ctrl()
{
    return Dispatch::instance()->controller(Dispatch::Ctrl_CopyTrans).staticCast<CopyTransCtrl>();
}

void run(const QString& action, const QVariantList& args = {})
{
    Dispatch::instance()->run(Dispatch::Ctrl_CopyTrans, action, args);
}

QVariant data(const char* key)
{
    return State::instance()->copyTransData().value(QLatin1String(key));
}

QImage userImage()
{
    QImage image(4, 3, QImage::Format_ARGB32);
    image.fill(QColor(10, 200, 30));
    return image;
}

} // namespace

class TestCopyTransCtrl : public QObject
{
    Q_OBJECT
    TextTransHarness harness;
    FakeInputEventSource source;
    FakeDesktopScreens screens;
    State* state = nullptr;

    void putUserClipboard()
    {
        auto* mime = new QMimeData;
        mime->setText(QStringLiteral("the user's own text"));
        mime->setImageData(userImage());
        QGuiApplication::clipboard()->setMimeData(mime);
    }

    void verifyUserClipboard()
    {
        const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
        QVERIFY(mime);
        QCOMPARE(mime->text(), QStringLiteral("the user's own text"));
        QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_ARGB32), userImage());
    }

    int readsBefore = 0;
    int reads() const { return source.selectionReads() - readsBefore; }

    // A 300-pixel drag held for half a second: a selection by every rule.
    void drag()
    {
        source.press(1, {400, 420}, 1000);
        source.move({550, 420}, 1200);
        source.move(kReleasePoint, 1400);
        source.release(1, kReleasePoint, 1500);
    }

    void resetData()
    {
        QVariantMap& map = state->copyTransDataRef();
        map.insert("source", QString());
        map.insert("target", QString());
        map.insert("sourceLang", "auto");
        map.insert("targetLang", "zh");
        map.insert("autoLang", true);
        map.insert("stayOn", false);
        map.insert("state", 0);
        map.insert("from", QString());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(TextTransHarness::setUp());
        state = State::instance();
        InputEventSource::setSystem(&source);
        DesktopScreens::setSystem(&screens);
        screens.setScreens({QRect(0, 0, 1920, 1080)});
        source.addWindow(QRect(0, 0, 1920, 1080), 77);
        QVERIFY(harness.loadLanguageTables());
    }

    void init()
    {
        harness.server.reset();
        resetData();
        source.setSelection(QString());
        readsBefore = source.selectionReads();
        screens.setCursorPos(kReleasePoint);
        state->copyTransBySelectRef() = true;
        state->copyTransAutoMergeBreakRef() = false;
        QVERIFY(Dispatch::instance()->initController(Dispatch::Ctrl_CopyTrans));
    }

    void cleanup()
    {
        Dispatch::instance()->releaseController(Dispatch::Ctrl_CopyTrans);
        GlobalCtrl::instance()->fileDialogOpen = false;
        state->setShowCopyTransTrigger(false);
        state->setShowCopyTransDetail(false);
        QTest::qWait(350); // debouncers and block timers of the released controller run out
        QCOMPARE(harness.server.takeViolations(), QStringList());
    }

    // The selection is read where it lies: the user's clipboard is never written, so nothing
    // selected (a password in a terminal) reaches a clipboard manager's history.
    void selectionShowsTriggerAndLeavesClipboardAlone()
    {
        run("startSelectTrans");
        putUserClipboard();
        QSignalSpy writes(QGuiApplication::clipboard(), &QClipboard::dataChanged);
        source.setSelection(QStringLiteral("  Hello world.\n"));
        drag();
        QTRY_VERIFY(state->showCopyTransTrigger());
        QCOMPARE(reads(), 1);
        QCOMPARE(data("source").toString(), QStringLiteral("Hello world."));
        QCOMPARE(data("cut").toBool(), false);
        QCOMPARE(data("x").toInt(), kReleasePoint.x());
        QCOMPARE(data("y").toInt(), kReleasePoint.y());
        QCOMPARE(state->copyTransTriggerAlpha(), 255);
        QVERIFY(!state->showCopyTransDetail());
        QCOMPARE(writes.count(), 0);
        verifyUserClipboard();
        // Nothing is translated until a window asks.
        QCOMPARE(harness.server.requests().size(), 0);
    }

    void emptySelectionShowsNothing()
    {
        run("startSelectTrans");
        source.setSelection(QStringLiteral(" \n"));
        drag();
        QTRY_COMPARE(reads(), 1);
        QVERIFY(!state->showCopyTransTrigger());
        QVERIFY(!state->showCopyTransDetail());
    }

    void fileLikeTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("looksLikeFile");
        QTest::newRow("bare file name") << "report_2024.docx" << true;
        QTest::newRow("dashed name") << "my-photo.jpeg" << true;
        QTest::newRow("file url") << "file:///home/u/a.txt" << true;
        QTest::newRow("existing folder") << QDir::tempPath() << true;
        QTest::newRow("unknown extension") << "notes.odt" << false;
        QTest::newRow("name with a space") << "my notes.txt" << false;
        QTest::newRow("web address") << "https://example.org/a.html" << false;
        QTest::newRow("upper-case scheme") << "FILE:///x" << false;
        QTest::newRow("missing path") << "/no/such/place/here" << false;
        QTest::newRow("sentence") << "Hello world." << false;
    }

    // A selection that names a file shows nothing; after a double Ctrl+C it is translated.
    void fileLikeTexts()
    {
        QFETCH(QString, text);
        QFETCH(bool, looksLikeFile);
        QCOMPARE(CopyTransCtrl::looksLikeFile(text), looksLikeFile);

        run("startSelectTrans");
        source.setSelection(text);
        drag();
        QTRY_COMPARE(reads(), 1);
        QCOMPARE(state->showCopyTransTrigger(), !looksLikeFile);
        state->setShowCopyTransTrigger(false);

        QGuiApplication::clipboard()->setText(text);
        run("startCCTrans");
        QVERIFY(state->showCopyTransDetail());
        QVERIFY(!state->showCopyTransTrigger());
        QCOMPARE(data("source").toString(), text);
        QCOMPARE(data("from").toString(), QStringLiteral("cc"));
    }

    void fileDialogPausesCapture()
    {
        run("startSelectTrans");
        GlobalCtrl::instance()->fileDialogOpen = true;
        putUserClipboard();
        QSignalSpy writes(QGuiApplication::clipboard(), &QClipboard::dataChanged);
        source.setSelection(QStringLiteral("Hello"));
        drag();
        QTest::qWait(150); // the copy job comes 80 ms after the release
        QVERIFY(!state->showCopyTransTrigger());
        QCOMPARE(reads(), 0);
        QCOMPARE(writes.count(), 0);
        verifyUserClipboard();
    }

    void doubleCtrlC()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("  copied text "));
        QSignalSpy writes(QGuiApplication::clipboard(), &QClipboard::dataChanged);
        state->setShowCopyTransTrigger(true);
        run("startCCTrans");
        QVERIFY(!state->showCopyTransTrigger());
        QVERIFY(!state->showCopyTransDetail()); // while the trigger showed it only hid it

        run("startCCTrans");
        QVERIFY(state->showCopyTransDetail());
        QCOMPARE(data("source").toString(), QStringLiteral("copied text"));
        QVERIFY(state->windowStayBottom());
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("  copied text "));
        // The detail window opened directly shows the text's translation.
        QCOMPARE(data("state").toInt(), 1);
        QTRY_COMPARE(data("state").toInt(), 0);
        QVERIFY(data("target").toString().startsWith(QStringLiteral("[zh] ")));

        // Pinned: the translation starts at once, marked as opened pinned.
        state->setShowCopyTransDetail(false);
        run("setStayOn", {true});
        run("startCCTrans");
        QCOMPARE(data("state").toInt(), 1);
        QTRY_COMPARE(data("state").toInt(), 0);
        QVERIFY(data("target").toString().contains(QStringLiteral("[zh]")));
        run("setStayOn", {false});
        QCOMPARE(writes.count(), 0);
    }

    void quickSearchOpensDetail()
    {
        putUserClipboard();
        QSignalSpy writes(QGuiApplication::clipboard(), &QClipboard::dataChanged);
        source.setSelection(QStringLiteral("Good morning."));
        run("startQuickSearch");
        QCOMPARE(reads(), 1);
        QVERIFY(state->showCopyTransDetail());
        QCOMPARE(data("source").toString(), QStringLiteral("Good morning."));
        QCOMPARE(data("from").toString(), QStringLiteral("quick"));
        QCOMPARE(writes.count(), 0);
        verifyUserClipboard();
    }

    void cutToLimit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kept");
        const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80"); // two UTF-16 units
        QTest::newRow("short") << "Hello" << 5;
        QTest::newRow("exactly the limit") << QString(5000, 'a') << 5000;
        QTest::newRow("one over") << QString(5001, 'a') << 5000;
        QTest::newRow("a pair across the limit") << QString(4999, 'a') + smile + "b" << 4999;
        QTest::newRow("a pair ending at the limit") << QString(4998, 'a') + smile + "b" << 5000;
    }

    void cutToLimit()
    {
        QFETCH(QString, text);
        QFETCH(int, kept);
        QCOMPARE(CopyTransCtrl::cutToLimit(text), text.left(kept));
    }

    // Megabytes selected in a terminal reach neither the windows nor the service whole, and the
    // detail window says the text was cut.
    void bigCapturesAreCut()
    {
        const QString big = QStringLiteral("Hello world. ").repeated(2 * 1024 * 1024 / 13);
        run("startSelectTrans");
        source.setSelection(big);
        drag();
        QTRY_VERIFY(state->showCopyTransTrigger());
        QCOMPARE(data("source").toString(), big.left(5000).trimmed());
        QCOMPARE(data("cut").toBool(), true);

        state->setShowCopyTransTrigger(false);
        QGuiApplication::clipboard()->setText(big);
        run("startCCTrans");
        QVERIFY(state->showCopyTransDetail());
        QCOMPARE(data("source").toString().size(), 5000);
        QCOMPARE(data("cut").toBool(), true);
        QTRY_COMPARE(data("state").toInt(), 0);
        QVERIFY(harness.server.requests(Analysis).first().at("text").toString().size() <= 5000);

        // A short capture is whole again.
        QGuiApplication::clipboard()->setText(QStringLiteral("Good morning."));
        run("startCCTrans");
        QCOMPARE(data("cut").toBool(), false);
    }

    void fadeSteps_data()
    {
        QTest::addColumn<int>("elapsed");
        QTest::addColumn<int>("current");
        QTest::addColumn<QPoint>("away"); // cursor minus anchor
        QTest::addColumn<int>("alpha");
        QTest::addColumn<bool>("hide");
        QTest::newRow("even tick does nothing") << 200 << 255 << QPoint(300, 0) << -1 << false;
        QTest::newRow("cursor on the anchor") << 100 << 255 << QPoint(0, 0) << -1 << false;
        QTest::newRow("60 px sideways") << 100 << 255 << QPoint(60, 0) << 135 << false;
        QTest::newRow("moving back never raises") << 300 << 135 << QPoint(10, 0) << -1 << false;
        QTest::newRow("vertical weighs three") << 300 << 255 << QPoint(0, -50) << 105 << false;
        QTest::newRow("118 px stays") << 500 << 255 << QPoint(118, 0) << 19 << false;
        QTest::newRow("123 px goes") << 500 << 255 << QPoint(-123, 0) << 9 << true;
        QTest::newRow("far away") << 3900 << 255 << QPoint(900, 900) << 0 << true;
        QTest::newRow("4100 dims") << 4100 << 255 << QPoint(0, 0) << 100 << false;
        QTest::newRow("4300 nothing") << 4300 << 100 << QPoint(0, 0) << -1 << false;
        QTest::newRow("4500 bright") << 4500 << 100 << QPoint(0, 0) << 255 << false;
        QTest::newRow("4900 dims") << 4900 << 255 << QPoint(0, 0) << 100 << false;
        QTest::newRow("5300 bright") << 5300 << 100 << QPoint(0, 0) << 255 << false;
        QTest::newRow("5700 dims") << 5700 << 255 << QPoint(0, 0) << 100 << false;
        QTest::newRow("5900 nothing") << 5900 << 100 << QPoint(0, 0) << -1 << false;
        QTest::newRow("6100 goes") << 6100 << 100 << QPoint(0, 0) << -1 << true;
        QTest::newRow("blinks ignore the cursor") << 4100 << 255 << QPoint(500, 0) << 100 << false;
    }

    void fadeSteps()
    {
        QFETCH(int, elapsed);
        QFETCH(int, current);
        QFETCH(QPoint, away);
        const QPoint anchor(500, 500);
        const CopyTransCtrl::FadeStep step = CopyTransCtrl::fadeStep(elapsed, current, anchor + away, anchor);
        QTEST(step.alpha, "alpha");
        QTEST(step.hide, "hide");
    }

    void fadeTimerFollowsCursor()
    {
        run("startSelectTrans");
        source.setSelection(QStringLiteral("Hello"));
        drag();
        QTRY_VERIFY(state->showCopyTransTrigger());
        screens.setCursorPos(kReleasePoint + QPoint(60, 0));
        QTRY_COMPARE(state->copyTransTriggerAlpha(), 135);
        screens.setCursorPos(kReleasePoint + QPoint(200, 0));
        QTRY_VERIFY(!state->showCopyTransTrigger());
        // A wheel turn after the trigger went changes nothing.
        source.press(4, kReleasePoint, 9000);
        QVERIFY(!state->showCopyTransTrigger());
    }

    void closingDetailReleases_data()
    {
        QTest::addColumn<bool>("bySelect");
        QTest::addColumn<bool>("newCapture");
        QTest::addColumn<bool>("released");
        QTest::newRow("select off") << false << false << true;
        QTest::newRow("select off, new capture meanwhile") << false << true << false;
        QTest::newRow("select on") << true << false << false;
    }

    void closingDetailReleases()
    {
        QFETCH(bool, bySelect);
        QFETCH(bool, newCapture);
        state->copyTransBySelectRef() = bySelect;
        QGuiApplication::clipboard()->setText(QStringLiteral("text"));
        run("startCCTrans");
        QVERIFY(state->windowStayBottom());
        run("closePanelWindow", {false});
        if (newCapture)
            run("startCCTrans");
        QTest::qWait(300);
        QTEST(ctrl().isNull(), "released");
        QCOMPARE(state->windowStayBottom(), newCapture);
    }

    void detailKeptOnCursorScreen_data()
    {
        QTest::addColumn<QPoint>("cursor");
        QTest::addColumn<QRect>("asked");
        QTest::addColumn<QPoint>("placed"); // (-1, -1): not moved
        QTest::newRow("fits on the second screen") << QPoint(2500, 500) << QRect(2000, 100, 400, 300) << QPoint(-1, -1);
        QTest::newRow("past its right edge") << QPoint(3000, 500) << QRect(3000, 100, 400, 300) << QPoint(2790, 100);
        QTest::newRow("past its bottom edge") << QPoint(2500, 900) << QRect(2200, 900, 400, 300) << QPoint(2200, 714);
        QTest::newRow("screen above the origin") << QPoint(500, -500) << QRect(100, -300, 400, 300) << QPoint(100, -310);
        QTest::newRow("first screen corner") << QPoint(1900, 1000) << QRect(1800, 1000, 400, 300) << QPoint(1510, 770);
        QTest::newRow("cursor off every screen") << QPoint(9000, 9000) << QRect(9000, 9000, 400, 300) << QPoint(-1, -1);
    }

    void detailKeptOnCursorScreen()
    {
        QFETCH(QPoint, cursor);
        QFETCH(QRect, asked);
        QFETCH(QPoint, placed);
        screens.setScreens({QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024), QRect(0, -1024, 1280, 1024)});
        screens.setCursorPos(cursor);
        QWindow detail;
        detail.setTitle(QStringLiteral("Parlavine_CopyTrans"));
        const QPoint start(-1, -1);
        detail.setPosition(start);
        run("fixDetailWindowPosi", {asked.x(), asked.y(), asked.width(), asked.height()});
        QCOMPARE(detail.position(), placed);
        screens.setScreens({QRect(0, 0, 1920, 1080)});
    }

    void requestAndResult()
    {
        run("requestTrans", {"Hel"});
        run("requestTrans", {"Hello"});
        run("requestTrans", {"Hello world. Good morning."});
        QCOMPARE(data("state").toInt(), 1);
        QTRY_COMPARE(data("state").toInt(), 0);
        QCOMPARE(harness.server.requestCount(Translation), 1);
        QCOMPARE(harness.server.requests(Analysis).first().at("text").toString(),
                 QStringLiteral("Hello world. Good morning."));
        QCOMPARE(harness.server.requests(Analysis).first().at("normalize.merge_broken_line").toBool(), false);
        // Detected language replaces "auto" in the shown language; detection stays on.
        QCOMPARE(harness.server.requests(Translation).first().at("source.lang").toString(), QStringLiteral("en"));
        QCOMPARE(data("sourceLang").toString(), QStringLiteral("en"));
        QCOMPARE(data("autoLang").toBool(), true);
        QCOMPARE(data("target").toString(), QStringLiteral("[zh] 你好 世界. [zh] 好 早上."));
    }

    void mergedLineBreaksReplaceSource()
    {
        state->copyTransAutoMergeBreakRef() = true;
        run("requestTrans", {"Hello\nworld."});
        QTRY_COMPARE(data("state").toInt(), 0);
        QCOMPARE(harness.server.requests(Analysis).first().at("normalize.merge_broken_line").toBool(), true);
        const QString real = data("source").toString();
        QVERIFY(!real.contains(QLatin1Char('\n')));
    }

    void joinedSentences_data()
    {
        QTest::addColumn<QVariantList>("subs");
        QTest::addColumn<QVariantList>("sentences");
        QTest::addColumn<bool>("space");
        QTest::addColumn<QString>("joined");
        const QVariantList two{"A.", "B."};
        QTest::newRow("spaced language") << QVariantList{"$0", "$1"} << two << true << "A. B.";
        QTest::newRow("unspaced language") << QVariantList{"$0", "$1"} << two << false << "A.B.";
        QTest::newRow("line break first") << QVariantList{"\n", "$0", "$1"} << two << true << "\nA. B.";
        QTest::newRow("break between") << QVariantList{"$0", "\n", "$1"} << two << true << "A.\nB.";
        QTest::newRow("marker out of range") << QVariantList{"$0", "$7", "$1"} << two << true << "A. B.";
        QTest::newRow("one sentence") << QVariantList{"x", "$0"} << QVariantList{"Only."} << true << "Only.";
        QTest::newRow("no sentence clears") << QVariantList{"\n"} << QVariantList{} << true << "";
    }

    void joinedSentences()
    {
        QFETCH(QVariantList, subs);
        QFETCH(QVariantList, sentences);
        QFETCH(bool, space);
        const QVariantMap reply{{"origin_text_subs", subs}, {"auto_translation", sentences}};
        QTEST(CopyTransCtrl::joinTranslation(reply, space), "joined");
    }

    void emptyTextClearsAndCancels()
    {
        state->copyTransDataRef().insert("target", QStringLiteral("earlier"));
        harness.server.script(Translation, StandinReply::byDefault().after(400));
        run("requestTrans", {"Hello"});
        QTRY_COMPARE(harness.server.requestCount(Translation), 1);
        run("requestTrans", {QString()});
        QTRY_COMPARE(data("state").toInt(), 0);
        QCOMPARE(data("target").toString(), QString());
        QTest::qWait(600); // the cancelled reply would have come by now
        QCOMPARE(data("target").toString(), QString());
        QCOMPARE(data("state").toInt(), 0);
    }

    void sameLanguagesSendNothing()
    {
        state->copyTransDataRef().insert("source", QStringLiteral("Hello"));
        run("setSourceLanguage", {"zh"});
        QTest::qWait(600);
        QCOMPARE(data("sourceLang").toString(), QStringLiteral("zh"));
        QCOMPARE(data("autoLang").toBool(), false);
        QCOMPARE(harness.server.requests().size(), 0);

        run("setTargetLanguage", {"en"});
        QTRY_COMPARE(harness.server.requestCount(Translation), 1);
        QTRY_COMPARE(data("state").toInt(), 0);
        QCOMPARE(harness.server.requests(Translation).first().at("target.lang").toString(), QStringLiteral("en"));
    }

    void failureKeepsTargetSilently()
    {
        state->copyTransDataRef().insert("target", QStringLiteral("earlier"));
        const int huds = state->windowHud().size();
        for (int i = 0; i < 3; ++i) // every try
            harness.server.script(Translation, StandinReply::failure("fail", "broken"));
        run("requestTrans", {"Hello"});
        QTRY_COMPARE(data("state").toInt(), -1);
        QCOMPARE(data("target").toString(), QStringLiteral("earlier"));
        QCOMPARE(state->windowHud().size(), huds);
    }

    void supersededNeverFails()
    {
        qputenv("PARLAVINE_REQUEST_TIMEOUT_MS", "500");
        harness.server.script(Translation, StandinReply::hang());
        run("requestTrans", {"Hello"});
        QTRY_COMPARE(harness.server.requestCount(Translation), 1);
        run("requestTrans", {"Good morning."});
        QTRY_COMPARE(harness.server.requestCount(Translation), 2);
        QList<int> states;
        connect(state, &State::copyTransDataChange, this, [&] { states.append(data("state").toInt()); });
        QTest::qWait(1500);
        disconnect(state, &State::copyTransDataChange, this, nullptr);
        qputenv("PARLAVINE_REQUEST_TIMEOUT_MS", "5000");
        QVERIFY2(!states.contains(-1), qPrintable(QString::number(states.size())));
        QCOMPARE(data("state").toInt(), 0);
        QCOMPARE(data("target").toString(), QStringLiteral("[zh] 好 早上."));
    }
};

PARLAVINE_TEST_MAIN(TestCopyTransCtrl)
#include "tst_CopyTransCtrl.moc"
