#include "StandinFixture.h"
#include "UiTestEngine.h"

#include "core/Hud.h"

#include "TestMain.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>

// Huds published by Hud appear in the main window and answer once, through real input.
class TestHudDialogs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        isolateUserFolders(m_home);
        m_ui.reset(new UiTestEngine);
        m_ui->engine.load(QUrl(QStringLiteral("qrc:/ui/mainWin.qml")));
        QCOMPARE(m_ui->engine.rootObjects().size(), 1);
        m_window = m_ui->engine.rootObjects().first()->findChild<QQuickWindow*>("mainWindow");
        QVERIFY(m_window);
        m_window->requestActivate();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }

    void cleanup()
    {
        QTRY_VERIFY(!shown("questionWindow") && !shown("questionWindowLite"));
        QVERIFY(State::instance()->windowHud().isEmpty());
        QVERIFY2(m_ui->warnings.isEmpty(), qPrintable(m_ui->warnings.join('\n')));
        m_standin.verify();
    }

    void cleanupTestCase()
    {
        m_ui.reset();
    }

    // Titles and messages carry names and server texts: markup shows as typed, "\n" breaks.
    void confirmAnswersOnceWithPlainText()
    {
        int sure = 0;
        int cancel = 0;
        QSignalSpy sureTaps(State::instance(), &State::windowHudSureTap);
        const QString title = QStringLiteral("Delete <b>a&amp;b</b>?");
        const QString message = QStringLiteral("first line\n<i>second</i> & more");
        const int tag = Hud::ask(title, message, "OK", "No", [&] { ++sure; }, [&] { ++cancel; }, "main");

        QTRY_VERIFY(shown("questionWindow"));
        QObject* popup = find("questionWindow");
        QObject* titleText = popup->findChild<QObject*>("titleText");
        QObject* msgText = popup->findChild<QObject*>("msgText");
        QVERIFY(titleText && msgText);
        QCOMPARE(titleText->property("text").toString(), title);
        QCOMPARE(titleText->property("textFormat").toInt(), int(Qt::PlainText));
        QCOMPARE(msgText->property("text").toString(), message);
        QCOMPARE(msgText->property("textFormat").toInt(), int(Qt::PlainText));
        QVERIFY(msgText->property("lineCount").toInt() >= 2);

        click(popup->findChild<QQuickItem*>("sureBtn"));
        QTRY_COMPARE(sure, 1);
        QCOMPARE(cancel, 0);
        QCOMPARE(sureTaps.count(), 1);
        QCOMPARE(sureTaps.first().first().toInt(), tag);
    }

    void escapeCancels()
    {
        int sure = 0;
        int cancel = 0;
        QSignalSpy cancelTaps(State::instance(), &State::windowHudCancelTap);
        Hud::askStatic("Leave?", QString(), [&] { ++sure; }, [&] { ++cancel; }, "main");
        QTRY_VERIFY(shown("questionWindow"));
        QObject* popup = find("questionWindow");
        QVERIFY(!popup->findChild<QQuickItem*>("msgText")->isVisible());

        QTest::keyClick(m_window, Qt::Key_Escape);
        QTRY_COMPARE(cancel, 1);
        QCOMPARE(sure, 0);
        QCOMPARE(cancelTaps.count(), 1);
    }

    void singleButtonDialogHasNoCancel()
    {
        Hud::warning("Only one button", "text", "main");
        QTRY_VERIFY(shown("questionWindow"));
        QObject* popup = find("questionWindow");
        QVERIFY(!popup->findChild<QQuickItem*>("cancelBtn")->isVisible());
        QTest::keyClick(m_window, Qt::Key_Return);
    }

    void toastGoesAwayByItself()
    {
        int sure = 0;
        Hud::infoInWindow("Saved <b>x</b>", QString(), [&] { ++sure; }, "main");
        QTRY_VERIFY(shown("questionWindowLite"));
        QCOMPARE(find("questionWindowLite")->findChild<QObject*>("titleText")->property("textFormat").toInt(),
                 int(Qt::PlainText));
        // the toast answers its hud once when it has closed itself
        QTRY_COMPARE_WITH_TIMEOUT(sure, 1, 5000);
        QVERIFY(!shown("questionWindowLite"));
    }

    // A hud for another window is left to that window's watcher.
    void otherWindowsHudsAreNotShownHere()
    {
        const int tag = Hud::info("For the settings", QString(), "setting");
        QTest::qWait(50);
        QVERIFY(!shown("questionWindow"));
        Hud::instance()->cancelBtnTap(tag);
    }

private:
    QObject* find(const char* name) const { return m_window->findChild<QObject*>(name); }

    bool shown(const char* name) const
    {
        QObject* popup = find(name);
        return popup && popup->property("opened").toBool();
    }

    void click(QQuickItem* item)
    {
        QVERIFY(item);
        const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
        QTest::mouseClick(m_window, Qt::LeftButton, Qt::NoModifier, centre.toPoint());
    }

    // The main page loads the text translation page, whose start-up requests need a service.
    StandinFixture m_standin;
    QTemporaryDir m_home;
    QScopedPointer<UiTestEngine> m_ui;
    QQuickWindow* m_window = nullptr;
};

PARLAVINE_TEST_MAIN(TestHudDialogs)
#include "tst_HudDialogs.moc"
