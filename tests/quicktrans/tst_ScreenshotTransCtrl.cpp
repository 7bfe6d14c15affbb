#include "quicktrans/ScreenshotTransCtrl.h"

#include "core/Dispatch.h"
#include "core/QuickStorage.h"
#include "core/State.h"
#include "platform/FakeDesktopScreens.h"
#include "shell/ImageProvider.h"

#include "ScriptedFileDialogs.h"
#include "TestMain.h"
#include "texttrans/TextTransHarness.h"
#include "ui/UiTestEngine.h"

#include <QImage>
#include <QImageReader>
#include <QQmlComponent>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>

#include <memory>

namespace {

using Screen = DesktopScreens::Screen;

const QString Recognize = StandinRoute::imtKey("text_recognize");
const QString Translation = StandinRoute::imtKey("auto_translation");

// Every pixel tells where it lies: red and green the position within 256, blue the block.
QPixmap positionPicture(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 16 + y / 256));
    }
    return QPixmap::fromImage(image);
}

QRgb pixelAt(const QPixmap& pixmap, const QPoint& at)
{
    return pixmap.toImage().pixel(at);
}

void run(const QString& action, const QVariantList& args = {})
{
    Dispatch::instance()->run(Dispatch::Ctrl_ScreenshotTrans, action, args);
}

QVariant data(const char* key)
{
    return State::instance()->screenshotTransData().value(QLatin1String(key));
}

QJsonObject recognized(const QString& text, const QString& language)
{
    return {{"text", text},
            {"language", language},
            {"sentence_list", QJsonArray{QJsonObject{{"str", text}, {"start", 0}, {"len", text.size()}}}}};
}

} // namespace

Q_DECLARE_METATYPE(DesktopScreens::Screen)

class TestScreenshotTransCtrl : public QObject
{
    Q_OBJECT
    TextTransHarness harness;
    FakeDesktopScreens screens;
    // The capture window's engine; its image provider is the one the controller uses.
    std::unique_ptr<UiTestEngine> ui;
    QWindow mainWindow;
    State* state = nullptr;
    int hudsBefore = 0;

    ImageProvider& provider() { return *ImageProvider::instance(); }

    // The capture window is open on a picture of the only screen, 1920 × 1080 at ratio 1.
    void openCapture()
    {
        run("startCapture");
        QTRY_VERIFY(state->showScreenshotTransWindow());
    }

    // What the capture window does when the user confirms a selection.
    void confirm(const QRect& selection)
    {
        run("captureAndTrans", {selection.x(), selection.y(), selection.width(), selection.height()});
        state->setShowScreenshotTransWindow(false);
    }

    QStringList huds(const QString& window) const
    {
        QStringList out;
        for (const QVariant& value : state->windowHud().mid(hudsBefore)) {
            const QVariantMap hud = value.toMap();
            if (hud.value("window").toString() == window)
                out.append(hud.value("title").toString());
        }
        return out;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(TextTransHarness::setUp());
        state = State::instance();
        DesktopScreens::setSystem(&screens);
        QVERIFY(harness.loadLanguageTables());
        ui = std::make_unique<UiTestEngine>();
        mainWindow.setTitle(QStringLiteral("Parlavine"));
        mainWindow.resize(400, 300);
    }

    void cleanupTestCase()
    {
        DesktopScreens::setSystem(nullptr);
        ui.reset();
    }

    void init()
    {
        harness.server.reset();
        screens.setScreens({QRect(0, 0, 1920, 1080)});
        screens.setCursorPos({500, 500});
        screens.setPicture(positionPicture({1920, 1080}));
        screens.whileGrabbing = {};
        screens.grabs = 0;
        mainWindow.hide();
        state->screenshotTransDataRef().insert("targetLang", "zh");
        state->setShowScreenshotTransWindow(false);
        state->setShowScreenshotDetailWindow(false);
        hudsBefore = state->windowHud().size();
        QVERIFY(Dispatch::instance()->initController(Dispatch::Ctrl_ScreenshotTrans));
    }

    void cleanup()
    {
        Dispatch::instance()->releaseController(Dispatch::Ctrl_ScreenshotTrans);
        state->setShowScreenshotTransWindow(false);
        state->setShowScreenshotDetailWindow(false);
        QTest::qWait(150); // debounced jobs of the released controller run out
        QCOMPARE(harness.server.takeViolations(), QStringList());
    }

    // A shown main window leaves the screen before the picture is taken and comes back as it was.
    void grabTiming_data()
    {
        QTest::addColumn<bool>("mainShown");
        QTest::newRow("main window shown") << true;
        QTest::newRow("main window hidden") << false;
    }

    void grabTiming()
    {
        QFETCH(bool, mainShown);
        mainWindow.setVisible(mainShown);
        bool mainVisibleAtGrab = true;
        screens.whileGrabbing = [&] { mainVisibleAtGrab = mainWindow.isVisible(); };

        run("startCapture");
        QCOMPARE(screens.grabs, mainShown ? 0 : 1);
        QVERIFY(!mainWindow.isVisible());
        run("startCapture"); // a second start while the first waits for its picture
        QTRY_VERIFY(state->showScreenshotTransWindow());
        QCOMPARE(screens.grabs, 1);
        QVERIFY(!mainVisibleAtGrab);
        run("startCapture");
        QTest::qWait(40);
        QCOMPARE(screens.grabs, 1);

        run("stopCapture");
        QCOMPARE(mainWindow.isVisible(), mainShown);
    }

    // The picture is cut to the work area of the screen under the pointer, the selection scaled
    // by that screen's ratio; the recognition gets exactly the crop.
    void crop_data()
    {
        QTest::addColumn<QList<Screen>>("desktop");
        QTest::addColumn<QPoint>("cursor");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QRect>("selection");
        QTest::addColumn<QRect>("expected"); // in the grabbed picture's pixels

        const Screen plain{QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1080), 1.0};
        QTest::newRow("ratio 1") << QList<Screen>{plain} << QPoint(500, 500) << QSize(1920, 1080)
                                 << QRect(100, 50, 200, 80) << QRect(100, 50, 200, 80);
        QTest::newRow("ratio 1.5, truncated")
            << QList<Screen>{{QRect(0, 0, 1280, 720), QRect(0, 0, 1280, 720), 1.5}} << QPoint(500, 500)
            << QSize(1920, 1080) << QRect(101, 51, 201, 81) << QRect(151, 76, 301, 121);
        // The second screen has a 30-point panel on top and a ratio of its own; the primary's does not count.
        QTest::newRow("screen at x = 1920 with a panel")
            << QList<Screen>{plain, {QRect(1920, 0, 1280, 720), QRect(1920, 30, 1280, 690), 1.5}}
            << QPoint(2000, 300) << QSize(1920, 1080) << QRect(10, 20, 100, 50) << QRect(15, 75, 150, 75);
        QTest::newRow("selection past the edge") << QList<Screen>{plain} << QPoint(500, 500) << QSize(1920, 1080)
                                                 << QRect(1900, 1000, 100, 100) << QRect(1900, 1000, 20, 80);
    }

    void crop()
    {
        QFETCH(QList<Screen>, desktop);
        QFETCH(QPoint, cursor);
        QFETCH(QSize, picture);
        QFETCH(QRect, selection);
        QFETCH(QRect, expected);
        screens.setScreens(desktop);
        screens.setCursorPos(cursor);
        const QPixmap grabbed = positionPicture(picture);
        screens.setPicture(grabbed);

        openCapture();
        const Screen screen = screens.screenAt(cursor);
        QCOMPARE(provider().pixmap("screenshot")->size(), screen.workArea.size() * screen.devicePixelRatio);
        confirm(selection);
        QVERIFY(!provider().hasPixmap("screenshot"));
        const QPixmap* clip = provider().pixmap("screenshot_clip");
        QVERIFY(clip);
        QCOMPARE(clip->size(), expected.size());
        QCOMPARE(pixelAt(*clip, {0, 0}), pixelAt(grabbed, expected.topLeft()));
        QCOMPARE(pixelAt(*clip, {expected.width() - 1, expected.height() - 1}), pixelAt(grabbed, expected.bottomRight()));
        QVERIFY(state->showScreenshotDetailWindow());

        QTRY_COMPARE(data("state").toInt(), 0);
        const QString size = QStringLiteral("%1x%2").arg(expected.width()).arg(expected.height());
        QVERIFY2(data("source").toString().contains(size), qPrintable(data("source").toString()));
        QCOMPARE(harness.bodies(Recognize).value(0).value("source").toObject().value("file_type").toString(),
                 QStringLiteral("png"));
    }

    // What the recognition says decides whether and how the crop is translated.
    void recognition_data()
    {
        QTest::addColumn<QString>("targetLang");
        QTest::addColumn<QJsonObject>("reply"); // empty: the stand-in reads the picture
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("languages"); // "source>target" of the translation; empty: none

        QTest::newRow("detected language differs from the target") << "zh" << QJsonObject() << 0 << "en>zh";
        QTest::newRow("detected equals target: first preferred target") << "en" << QJsonObject() << 0 << "en>zh";
        QTest::newRow("empty text") << "zh" << recognized("", "en") << -1 << "";
        QTest::newRow("detected language not in the table") << "fr" << recognized("Bonjour", "fr") << -1 << "";
        QTest::newRow("no language detected") << "zh" << recognized("??", "") << -1 << "";
    }

    void recognition()
    {
        QFETCH(QString, targetLang);
        QFETCH(QJsonObject, reply);
        QFETCH(int, state);
        QFETCH(QString, languages);
        this->state->screenshotTransDataRef().insert("targetLang", targetLang);
        if (!reply.isEmpty())
            harness.server.script(Recognize, StandinReply::success(reply));

        openCapture();
        confirm(QRect(0, 0, 120, 40));
        QTRY_COMPARE(data("state").toInt(), state);
        QTest::qWait(50);
        QCOMPARE(data("state").toInt(), state);
        const QList<QJsonObject> translations = harness.bodies(Translation);
        QCOMPARE(translations.size(), languages.isEmpty() ? 0 : 1);
        if (languages.isEmpty())
            return;
        const QJsonObject body = translations.first();
        QCOMPARE(body.value("source").toObject().value("lang").toString() + ">"
                     + body.value("target").toObject().value("lang").toString(),
                 languages);
        QCOMPARE(body.value("source").toObject().value("text_list").toArray(),
                 QJsonArray({"hello world", "120x40 #3c1400"}));
        QCOMPARE(data("target").toString(), QStringLiteral("[zh] 你好 世界\n[zh] 120x40 #3c1400"));
        QCOMPARE(data("dontrelease").toBool(), true); // the detail window holds the controller
    }

    void assemble_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QJsonArray>("sentences");
        QTest::addColumn<QJsonArray>("translations");
        QTest::addColumn<QString>("target");
        const auto at = [](int start, int len) { return QJsonObject{{"start", start}, {"len", len}}; };
        QTest::newRow("lengths change, spaces stay")
            << "aa bb cc" << QJsonArray{at(0, 2), at(3, 2), at(6, 2)} << QJsonArray{"x", "yy", "zzz"} << "x yy zzz";
        QTest::newRow("one translation replaces everything")
            << "aa\nbb" << QJsonArray{at(0, 2), at(3, 2)} << QJsonArray{"one"} << "one";
        QTest::newRow("line breaks stay") << "ab\n\ncd" << QJsonArray{at(0, 2), at(4, 2)} << QJsonArray{"X", "Y"}
                                          << "X\n\nY";
        QTest::newRow("fewer translations than sentences")
            << "aa bb cc" << QJsonArray{at(0, 2), at(3, 2), at(6, 2)} << QJsonArray{"A", "B"} << "A B cc";
        QTest::newRow("sentence outside the text is left out")
            << "aa bb" << QJsonArray{at(0, 2), at(9, 2)} << QJsonArray{"A", "B"} << "A bb";
        // Offsets near the int limit must not wrap into the text and swallow its tail.
        QTest::newRow("length near 2^31") << "Hello world" << QJsonArray{at(6, 2147483647), at(0, 5)}
                                          << QJsonArray{"Welt", "Hallo"} << "Hallo world";
        QTest::newRow("start near 2^31") << "Hello world" << QJsonArray{at(2147483647, 2), at(0, 5)}
                                         << QJsonArray{"Welt", "Hallo"} << "Hallo world";
        QTest::newRow("beyond 64 bits") << "Hello world"
                                        << QJsonArray{QJsonObject{{"start", 1e30}, {"len", 2}}, at(6, 5)}
                                        << QJsonArray{"x", "Welt"} << "Hello Welt";
    }

    void assemble()
    {
        QFETCH(QString, source);
        QFETCH(QJsonArray, sentences);
        QFETCH(QJsonArray, translations);
        QFETCH(QString, target);
        QCOMPARE(ScreenshotTransCtrl::assemble(source, sentences, translations), target);
    }

    // Language changes after a translation: the last choice within 100 ms wins, one language on
    // both sides sends nothing, and an empty translation leaves no earlier result on show.
    void languageChanges()
    {
        openCapture();
        confirm(QRect(0, 0, 64, 32));
        QTRY_COMPARE(data("state").toInt(), 0);
        harness.server.clearLog();

        run("setTargetLanguage", {"ja"});
        run("setTargetLanguage", {"en"});
        QTRY_COMPARE(data("targetLang").toString(), QStringLiteral("en"));
        QCOMPARE(data("state").toInt(), -1);
        QTest::qWait(50);
        QCOMPARE(harness.server.requests().size(), 0);

        harness.server.script(Translation, StandinReply::success(QJsonObject{{"auto_translation", QJsonArray()}}));
        run("setTargetLanguage", {"ja"});
        QTRY_COMPARE(harness.server.requestCount(Translation), 1);
        QTRY_COMPARE(data("state").toInt(), -1);
        QCOMPARE(data("target").toString(), QString());

        // Back to detection: the crop is read again.
        run("setSourceLanguage", {"auto"});
        QTRY_COMPARE(data("state").toInt(), 0);
        QCOMPARE(harness.server.requestCount(Recognize), 1);
        const QStringList lines = data("target").toString().split('\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines.at(0).startsWith("[ja] ") && lines.at(1).startsWith("[ja] 64x32"), qPrintable(lines.join('\n')));
    }

    // A reply that comes after a newer capture belongs to the old one and changes nothing.
    void lateReplyOfAnEarlierCapture()
    {
        harness.server.script(Recognize, StandinReply::byDefault().after(400));
        openCapture();
        confirm(QRect(0, 0, 50, 50));
        QTRY_COMPARE(harness.server.requestCount(Recognize), 1);

        openCapture();
        confirm(QRect(0, 0, 80, 20));
        QTRY_COMPARE(data("state").toInt(), 0);
        const QString target = data("target").toString();
        QVERIFY2(target.contains("80x20"), qPrintable(target));
        QTest::qWait(600);
        QCOMPARE(data("target").toString(), target);
        QCOMPARE(data("state").toInt(), 0);
        QCOMPARE(harness.server.requestCount(Translation), 1);
    }

    // The capture window releases the controller when it closes unless "dontrelease" says a
    // detail window still uses it.
    void dismissKeepsControllerOfOpenDetail()
    {
        run("startCapture");
        QVERIFY(state->showScreenshotTransWindow());
        QCOMPARE(data("dontrelease").toBool(), false);
        run("stopCapture");
        state->setShowScreenshotTransWindow(false);

        state->setShowScreenshotDetailWindow(true);
        run("startCapture");
        QCOMPARE(data("dontrelease").toBool(), true);
    }

    // The capture window, as the main window's loader presents it; the controller is already up.
    QQuickWindow* presentCaptureWindow(QScopedPointer<QObject>& holder)
    {
        ui->warnings.clear();
        QQmlComponent component(&ui->engine, QUrl(QStringLiteral("qrc:/ui/screenshotTransWindow/ScreenshotTransWindow.qml")));
        holder.reset(component.create());
        auto* window = qobject_cast<QQuickWindow*>(holder.data());
        if (!window)
            return nullptr;
        QMetaObject::invokeMethod(window, "init");
        window->show();
        return window;
    }

    // Closed by the window manager (Alt+F4, a frame's close button), the capture window brings the
    // main window back as Esc does: else the next capture would keep "hidden" as the state to restore.
    void closingTheCaptureWindowRestoresMain()
    {
        mainWindow.show();
        openCapture();
        QVERIFY(!mainWindow.isVisible());
        QScopedPointer<QObject> holder;
        QQuickWindow* capture = presentCaptureWindow(holder);
        QVERIFY(capture);
        capture->close();
        QVERIFY(mainWindow.isVisible());
        QVERIFY(!state->showScreenshotTransWindow());
        QVERIFY2(ui->warnings.isEmpty(), qPrintable(ui->warnings.join('\n')));
    }

    // The capture window covers the screen that was grabbed, not the one the pointer is on once
    // the window opens.
    void captureWindowCoversTheGrabbedScreen()
    {
        const Screen second{QRect(1920, 0, 1280, 720), QRect(1920, 30, 1280, 690), 1.0};
        screens.setScreens({{QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1080), 1.0}, second});
        screens.setCursorPos({2000, 300});
        openCapture();
        screens.setCursorPos({500, 500});
        QScopedPointer<QObject> holder;
        QQuickWindow* capture = presentCaptureWindow(holder);
        QVERIFY(capture);
        QCOMPARE(capture->geometry(), second.workArea);
        capture->close();
    }

    // Without a picture of the screen the user is told so in the main window, which is shown.
    void desktopWithoutScreenPictures()
    {
        mainWindow.hide();
        screens.setPicture(QPixmap());
        run("startCapture");
        QVERIFY(!state->showScreenshotTransWindow());
        QCOMPARE(huds("main"), QStringList{QStringLiteral("当前桌面不支持截图")});
        QVERIFY(mainWindow.isVisible());
        QVERIFY(!provider().hasPixmap("screenshot"));
    }

    void save_data()
    {
        QTest::addColumn<QString>("answer"); // relative to a temporary folder
        QTest::addColumn<QString>("written"); // empty: nothing
        QTest::newRow("with .png") << "shots/a.png" << "shots/a.png";
        QTest::newRow("without a suffix") << "shots/b" << "shots/b.png";
        QTest::newRow("folder that cannot exist") << "file.txt/c.png" << "";
    }

    void save()
    {
        QFETCH(QString, answer);
        QFETCH(QString, written);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("shots"));
        QFile file(dir.filePath("file.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QuickStorage::instance()->setValue("downloadImg_dir", dir.path() + "/gone");

        openCapture();
        confirm(QRect(10, 10, 30, 20));
        QTRY_COMPARE(data("state").toInt(), 0);
        ScriptedFileDialogs dialogs;
        dialogs.answerSave(dir.filePath(answer));
        run("downloadImg");

        QCOMPARE(dialogs.calls.size(), 1);
        QCOMPARE(dialogs.calls.first().filter, QStringLiteral("Images (*.png)"));
        // A remembered folder that is gone falls back to the pictures folder, and without one to
        // the home folder.
        QVERIFY2(dialogs.calls.first().path.startsWith(QDir::homePath() + "/Screenshot_"),
                 qPrintable(dialogs.calls.first().path));
        const QString storedDir = QuickStorage::instance()->getValue("downloadImg_dir");
        if (written.isEmpty()) {
            QCOMPARE(huds("screenshotDetail"), QStringList{QStringLiteral("保存图片失败")});
            QCOMPARE(storedDir, dir.path() + "/gone");
            return;
        }
        QImageReader reader(dir.filePath(written));
        QCOMPARE(reader.format(), QByteArray("png"));
        QCOMPARE(reader.size(), QSize(30, 20));
        QCOMPARE(storedDir, QDir::toNativeSeparators(dir.filePath("shots")));
        QCOMPARE(huds("screenshotDetail"), QStringList());

        dialogs.answerSave(QString());
        run("downloadImg");
        QVERIFY(dialogs.calls.last().path.startsWith(storedDir + "/Screenshot_"));
    }

    void saveStartsInPicturesFolder()
    {
        QTemporaryDir pictures;
        QFile userDirs(qEnvironmentVariable("XDG_CONFIG_HOME") + "/user-dirs.dirs");
        QVERIFY(userDirs.open(QIODevice::WriteOnly));
        userDirs.write(QStringLiteral("XDG_PICTURES_DIR=\"%1\"\n").arg(pictures.path()).toUtf8());
        userDirs.close();
        QuickStorage::instance()->setValue("downloadImg_dir", QString());

        openCapture();
        confirm(QRect(10, 10, 30, 20));
        QTRY_COMPARE(data("state").toInt(), 0);
        ScriptedFileDialogs dialogs;
        dialogs.answerSave(QString());
        run("downloadImg");
        userDirs.remove();
        QCOMPARE(dialogs.calls.size(), 1);
        QVERIFY2(dialogs.calls.first().path.startsWith(pictures.path() + "/Screenshot_"),
                 qPrintable(dialogs.calls.first().path));
    }
};

PARLAVINE_TEST_MAIN(TestScreenshotTransCtrl)
#include "tst_ScreenshotTransCtrl.moc"
