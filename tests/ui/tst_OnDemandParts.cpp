#include "UiTestEngine.h"

#include "core/User.h"

#include "TestMain.h"

#include <QImage>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTranslator>
#include <QtTest>

// Parts of the main window built on first use, so that they cost the start nothing: the question
// asked on closing, the sidebar's "more" menu and the avatar's round picture. Once built they
// behave as if always there. The picture is a shader effect: PARLAVINE_TEST_NEEDS_DISPLAY.
class TestOnDemandParts : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        isolateUserFolders(m_home);
    }

    // Closing without a remembered answer asks how to close, over the window's middle. There is no
    // tray here, so "hide" minimises: a hidden window could never be brought back.
    void closingWithHideKeepsAWayBack_data()
    {
        QTest::addColumn<QString>("remembered");
        QTest::newRow("asked") << "";
        QTest::newRow("remembered") << "hide";
    }
    void closingWithHideKeepsAWayBack()
    {
        QFETCH(QString, remembered);
        QVERIFY(!State::instance()->systemTrayAvailable());
        State::instance()->quitStyleRef() = remembered;
        UiTestEngine ui;
        QQuickWindow* window = loadMainWindow(ui);
        QVERIFY(window);
        QVERIFY(!window->findChild<QObject*>("quitPop"));

        window->close();
        if (remembered.isEmpty()) {
            QObject* popup = nullptr;
            QTRY_VERIFY((popup = window->findChild<QObject*>("quitPop")) && popup->property("opened").toBool());
            QVERIFY(window->isVisible());
            auto* box = popup->property("contentItem").value<QQuickItem*>();
            QVERIFY(box);
            const QPointF middle = box->mapToScene(QPointF(box->width() / 2, box->height() / 2));
            QVERIFY(qAbs(middle.x() - window->width() / 2.0) <= 2);
            QVERIFY(qAbs(middle.y() - window->height() / 2.0) <= 2);
            QCOMPARE(popup->findChild<QObject*>("hideRadio")->property("text").toString(),
                     QString::fromUtf8("最小化窗口，不退出程序"));
            click(window, popup->findChild<QQuickItem*>("quitSureBtn"));
        }
        QTRY_VERIFY(window->windowStates() & Qt::WindowMinimized);
        QVERIFY(window->isVisible());
        State::instance()->quitStyleRef().clear();
        QVERIFY2(ui.warnings.isEmpty(), qPrintable(ui.warnings.join('\n')));
    }

    // The menu opens beside its button and keeps the sidebar's translations.
    void moreMenuOpensTranslated()
    {
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/translations/en.qm")));
        QCoreApplication::installTranslator(&translator);
        UiTestEngine ui;
        QQuickWindow* window = loadMainWindow(ui);
        QVERIFY(window);
        QVERIFY(!window->findChild<QObject*>("moreMenu"));

        auto* button = window->findChild<QQuickItem*>("moreBtn");
        click(window, button);
        QObject* menu = nullptr;
        QTRY_VERIFY((menu = window->findChild<QObject*>("moreMenu")) && menu->property("opened").toBool());
        auto* box = menu->property("contentItem").value<QQuickItem*>();
        QVERIFY(box);
        const QPointF buttonRight = button->mapToScene(QPointF(button->width(), 0));
        QVERIFY(box->mapToScene(QPointF(0, 0)).x() > buttonRight.x());
        QCOMPARE(window->findChild<QObject*>("settingItem")->property("text").toString(), QString("Settings"));
        QCOMPARE(window->findChild<QObject*>("quitItem")->property("text").toString(), QString("Quit"));
        QCoreApplication::removeTranslator(&translator);
        QVERIFY2(ui.warnings.isEmpty(), qPrintable(ui.warnings.join('\n')));
    }

    // A signed-in user's picture appears cut to a disc.
    void avatarPictureIsRound()
    {
        QImage red(64, 64, QImage::Format_RGB32);
        red.fill(Qt::red);
        const QString path = m_home.filePath("logo.png");
        QVERIFY(red.save(path));
        UiTestEngine ui;
        QQuickWindow* window = loadMainWindow(ui);
        QVERIFY(window);
        QObject* picture = window->findChild<QObject*>("avatarPicture");
        QVERIFY(picture && !picture->property("item").value<QObject*>());

        User::instance()->userLogo = QUrl::fromLocalFile(path).toString();
        emit State::instance()->userLogoChange();
        QTRY_VERIFY(picture->property("item").value<QObject*>());
        auto* avatar = window->findChild<QQuickItem*>("avatar");
        const QPointF middle = avatar->mapToScene(QPointF(avatar->width() / 2, avatar->height() / 2));
        const QPointF corner = avatar->mapToScene(QPointF(1, 1));
        QImage shot;
        QTRY_VERIFY((shot = window->grabWindow(), shot.pixelColor(middle.toPoint()) == QColor(Qt::red)));
        QVERIFY(shot.pixelColor(corner.toPoint()) != QColor(Qt::red));
        User::instance()->userLogo.clear();
        emit State::instance()->userLogoChange();
        QVERIFY2(ui.warnings.isEmpty(), qPrintable(ui.warnings.join('\n')));
    }

private:
    static QQuickWindow* loadMainWindow(UiTestEngine& ui)
    {
        ui.engine.load(QUrl(QStringLiteral("qrc:/ui/mainWin.qml")));
        auto* window = ui.engine.rootObjects().value(0)->findChild<QQuickWindow*>("mainWindow");
        return window && QTest::qWaitForWindowExposed(window) ? window : nullptr;
    }

    static void click(QQuickWindow* window, QQuickItem* item)
    {
        QVERIFY(item);
        const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
        QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, centre.toPoint());
    }

    QTemporaryDir m_home;
};

PARLAVINE_TEST_MAIN(TestOnDemandParts)
#include "tst_OnDemandParts.moc"
