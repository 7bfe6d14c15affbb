#include "UiTestEngine.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>

// Closing the main window without a remembered answer asks how to close, over the window's
// middle; the question is built only when first asked.
class TestQuitQuestion : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        isolateUserFolders(m_home);
    }

    void askedOnCloseAndHidesTheWindow()
    {
        State::instance()->quitStyleRef().clear();
        UiTestEngine ui;
        ui.engine.load(QUrl(QStringLiteral("qrc:/ui/mainWin.qml")));
        auto* window = ui.engine.rootObjects().value(0)->findChild<QQuickWindow*>("mainWindow");
        QVERIFY(window && QTest::qWaitForWindowExposed(window));
        QVERIFY(!window->findChild<QObject*>("quitPop"));

        window->close();
        QObject* popup = nullptr;
        QTRY_VERIFY((popup = window->findChild<QObject*>("quitPop")) && popup->property("opened").toBool());
        QVERIFY(window->isVisible());
        auto* box = popup->property("contentItem").value<QQuickItem*>();
        QVERIFY(box);
        const QPointF middle = box->mapToScene(QPointF(box->width() / 2, box->height() / 2));
        QVERIFY(qAbs(middle.x() - window->width() / 2.0) <= 2);
        QVERIFY(qAbs(middle.y() - window->height() / 2.0) <= 2);

        auto* sure = popup->findChild<QQuickItem*>("quitSureBtn");
        QVERIFY(sure);
        const QPointF centre = sure->mapToScene(QPointF(sure->width() / 2, sure->height() / 2));
        QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, centre.toPoint());
        QTRY_VERIFY(!window->isVisible());
        QVERIFY2(ui.warnings.isEmpty(), qPrintable(ui.warnings.join('\n')));
    }

private:
    QTemporaryDir m_home;
};

QTEST_MAIN(TestQuitQuestion)
#include "tst_QuitQuestion.moc"
