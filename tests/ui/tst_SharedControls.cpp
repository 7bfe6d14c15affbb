#include "UiTestEngine.h"
#include "VisualTree.h"

#include "core/State.h"

#include "TestMain.h"

#include <QQmlComponent>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>

#include <ctime>

// The shared controls' behaviour that pages rely on, in a real window.
class TestSharedControls : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_ui.reset(new UiTestEngine);
        QQmlComponent component(&m_ui->engine);
        component.setData(R"(
            import QtQuick 2.14
            import QtQuick.Window 2.14
            import "qrc:/ui/components"
            Window {
                width: 700; height: 500; visible: true
                property int clicks: 0
                property var picked: []
                IconButton { objectName: "disabledBtn"; x: 10; y: 10; width: 30; height: 30; enable: false; onClicked: clicks++ }
                IconButton { objectName: "enabledBtn"; x: 50; y: 10; width: 30; height: 30; onClicked: clicks++ }
                PageSeparator { objectName: "pager"; y: 50 }
                DropSelect { objectName: "select"; y: 100; model: ["a", "b"]; currentIndex: -1 }
                Calendar { objectName: "calendar"; y: 140; width: 320; curDate: 20240229; endLimit: 20240310
                           onSelectDate: picked.push(dateNum) }
                SmartSelectTextRow { objectName: "rowA"; x: 400; y: 10; text: "first row of text" }
                SmartSelectTextRow { objectName: "rowB"; x: 400; y: 40; text: "second row of text" }
                PinyinDropSelect { objectName: "pinyin"; x: 400; y: 300 }
                Item { y: 440; width: 700; height: 40; WindowControl { objectName: "caption" } }
                PasswdInput { objectName: "password"; x: 400; y: 140; width: 200; canPlain: true }
                IconButton { objectName: "tipIconButton"; x: 400; y: 80; width: 30; height: 30; tip: "tip" }
                UserAvatar { objectName: "tipAvatar"; x: 440; y: 80; tip: "tip" }
                SwitchButton { objectName: "tipSwitch"; x: 480; y: 80; tip: "tip" }
                LiteButton { objectName: "tipLite"; x: 540; y: 80; text: "link"; tip: "tip" }
                CheckButton { objectName: "tipCheck"; x: 600; y: 80; text: "check"; tip: "tip" }
            })",
                          QUrl(QStringLiteral("qrc:/ui/tst.qml")));
        m_window = qobject_cast<QQuickWindow*>(component.create());
        QVERIFY2(m_window, qPrintable(component.errorString()));
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }

    void cleanupTestCase()
    {
        delete m_window;
        QVERIFY2(m_ui->warnings.isEmpty(), qPrintable(m_ui->warnings.join('\n')));
        m_ui.reset();
    }

    void disabledIconButtonEmitsNothing()
    {
        auto* disabled = item("disabledBtn");
        QCOMPARE(disabled->property("color").value<QColor>(), QColor("#44aaaaaa"));
        click(disabled);
        QCOMPARE(m_window->property("clicks").toInt(), 0);
        click(item("enabledBtn"));
        QCOMPARE(m_window->property("clicks").toInt(), 1);
    }

    void pagerShowsAtMostElevenEntries()
    {
        QObject* pager = item("pager");
        QCOMPARE(pager->property("_datas").toList().size(), 0);
        pager->setProperty("pageCount", 30);
        QSignalSpy selected(pager, SIGNAL(pageSelect(int)));
        QMetaObject::invokeMethod(pager, "updatePage", Q_ARG(QVariant, 15));
        const QVariantList entries = pager->property("_datas").toList();
        QCOMPARE(entries.size(), 11);
        QCOMPARE(entries.first().toMap().value("type").toString(), QStringLiteral("head"));
        QCOMPARE(entries.last().toMap().value("page").toInt(), 16);
        int selectedPage = -1;
        for (const QVariant& entry : entries) {
            if (entry.toMap().value("selected").toBool())
                selectedPage = entry.toMap().value("page").toInt();
        }
        QCOMPARE(selectedPage, 15);
        QCOMPARE(selected.count(), 1);
    }

    void dropSelectShowsPlaceholderUntilChosen()
    {
        QObject* select = item("select");
        auto* placeHolder = select->findChild<QQuickItem*>("placeHolder");
        QVERIFY(placeHolder);
        QVERIFY(placeHolder->isVisible());
        select->setProperty("currentIndex", 1);
        QVERIFY(!placeHolder->isVisible());
        QCOMPARE(select->property("displayText").toString(), QStringLiteral("b"));
    }

    void calendarShowsTheMonthAndKeepsToItsLimits()
    {
        QObject* calendar = item("calendar");
        QCOMPARE(calendar->findChild<QObject*>("calendarTitle")->property("text").toString(),
                 QStringLiteral("2024年 2月"));
        QObject* grid = calendar->findChild<QObject*>("monthGrid");
        QMetaObject::invokeMethod(grid, "clicked", Q_ARG(QDate, QDate(2024, 3, 11)));
        QMetaObject::invokeMethod(grid, "clicked", Q_ARG(QDate, QDate(2024, 3, 10)));
        QCOMPARE(m_window->property("picked").toList(), QVariantList{20240310});
    }

    // A day clicked in the grid is that day in any time zone, west or east of Greenwich.
    void calendarPicksTheClickedDayInAnyTimeZone_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::newRow("west of UTC") << QByteArray("America/New_York");
        QTest::newRow("east of UTC") << QByteArray("Asia/Tokyo");
    }

    void calendarPicksTheClickedDayInAnyTimeZone()
    {
        QFETCH(QByteArray, zone);
        const QByteArray before = qgetenv("TZ");
        useTimeZone(zone);
        m_window->setProperty("picked", QVariantList());
        QQuickItem* calendar = item("calendar");
        for (const char* day : {"day_20240305", "day_20240301"})
            click(VisualTree::find(calendar, day, true));
        useTimeZone(before);
        QCOMPARE(m_window->property("picked").toList(), (QVariantList{20240305, 20240301}));
    }

    void selectingInOneRowClearsTheOther()
    {
        QObject* rowA = item("rowA");
        QObject* rowB = item("rowB");
        QMetaObject::invokeMethod(rowA, "select", Q_ARG(int, 0), Q_ARG(int, 5));
        QCOMPARE(rowA->property("selectedText").toString(), QStringLiteral("first"));
        QMetaObject::invokeMethod(rowB, "select", Q_ARG(int, 0), Q_ARG(int, 6));
        QCOMPARE(rowB->property("selectedText").toString(), QStringLiteral("second"));
        QCOMPARE(rowA->property("selectedText").toString(), QString());
    }

    // The languages pop-up keeps inside the window, its languages wrapping instead of being cut off.
    void pinyinPopupStaysInsideTheWindow()
    {
        QQuickItem* select = item("pinyin");
        QObject* popup = select->findChild<QObject*>("pinyinPopup");
        QVERIFY(popup);
        click(select);
        QTRY_VERIFY(popup->property("opened").toBool());
        const qreal right = select->mapToScene(QPointF(popup->property("x").toReal(), 0)).x()
                            + popup->property("width").toReal();
        QVERIFY2(right <= m_window->width(), qPrintable(QString::number(right)));
        QVERIFY(popup->property("width").toReal() > 200);
        QMetaObject::invokeMethod(popup, "close");
    }

    // The button of a password field shows what a click does: an eye to show the password, a
    // crossed eye to hide it again; never the check mark that reads as "accepted".
    void passwordButtonShowsAnEye()
    {
        QQuickItem* field = item("password");
        QObject* input = field->findChild<QObject*>("input");
        auto* button = field->findChild<QQuickItem*>("rightBtn");
        QVERIFY(input && button);
        QCOMPARE(input->property("echoMode").toInt(), 2); // TextInput.Password
        QCOMPARE(button->property("icon").toInt(), 0xe821);
        click(button);
        QCOMPARE(input->property("echoMode").toInt(), 0); // TextInput.Normal
        QCOMPARE(button->property("icon").toInt(), 0xe822);
        click(button);
        QCOMPARE(button->property("icon").toInt(), 0xe821);
    }

    void captionButtonsKeepTheirIconReadable_data()
    {
        QTest::addColumn<int>("theme");
        QTest::newRow("light") << 0;
        QTest::newRow("dark") << 1;
    }

    // The hover and press backgrounds of the caption buttons stand apart from their icon in both themes.
    void captionButtonsKeepTheirIconReadable()
    {
        QFETCH(int, theme);
        State::instance()->setThemeColor(theme);
        QObject* caption = item("caption");
        const QColor icon = caption->property("normalColor").value<QColor>();
        const QColor hover = caption->property("hoverColor").value<QColor>();
        const QColor pressed = caption->property("selectColor").value<QColor>();
        State::instance()->setThemeColor(0);
        QVERIFY2(qAbs(icon.lightnessF() - hover.lightnessF()) > 0.3, qPrintable(hover.name()));
        QVERIFY2(qAbs(icon.lightnessF() - pressed.lightnessF()) > 0.3, qPrintable(pressed.name()));
    }

    void toolTipGoesAwayOnClick_data()
    {
        QTest::addColumn<QString>("control");
        for (const char* name : {"tipIconButton", "tipAvatar", "tipSwitch", "tipLite", "tipCheck"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    // A click puts the tip away although the pointer stays on the button (the tip would cover what
    // the click opened); leaving and coming back shows it again.
    void toolTipGoesAwayOnClick()
    {
        QFETCH(QString, control);
        QQuickItem* button = item(qPrintable(control));
        QObject* tip = button->findChild<QObject*>("toolTip");
        QVERIFY(tip);
        const QPoint centre = button->mapToScene(QPointF(button->width() / 2, button->height() / 2)).toPoint();
        const QPoint outside(690, 490);
        QTest::mouseMove(m_window, outside);
        QTest::mouseMove(m_window, centre);
        QTRY_VERIFY(tip->property("opened").toBool());
        QTest::mouseClick(m_window, Qt::LeftButton, Qt::NoModifier, centre);
        QVERIFY(!tip->property("visible").toBool());
        QTest::mouseMove(m_window, centre + QPoint(1, 0));
        QVERIFY(!tip->property("visible").toBool());
        QTest::mouseMove(m_window, outside);
        QTest::mouseMove(m_window, centre);
        QTRY_VERIFY(tip->property("opened").toBool());
        QTest::mouseMove(m_window, outside);
        QTRY_VERIFY(!tip->property("visible").toBool());
    }

private:
    QQuickItem* item(const char* name) const
    {
        auto* found = m_window->findChild<QQuickItem*>(name);
        Q_ASSERT(found);
        return found;
    }

    void useTimeZone(const QByteArray& zone)
    {
        if (zone.isEmpty())
            qunsetenv("TZ");
        else
            qputenv("TZ", zone);
        tzset();
        QJSValue updated = m_ui->engine.evaluate(QStringLiteral("Date.timeZoneUpdated()"));
        QVERIFY2(!updated.isError(), qPrintable(updated.toString()));
    }

    void click(QQuickItem* target)
    {
        QVERIFY(target);
        const QPointF centre = target->mapToScene(QPointF(target->width() / 2, target->height() / 2));
        QTest::mouseClick(m_window, Qt::LeftButton, Qt::NoModifier, centre.toPoint());
    }

    QScopedPointer<UiTestEngine> m_ui;
    QQuickWindow* m_window = nullptr;
};

PARLAVINE_TEST_MAIN(TestSharedControls)
#include "tst_SharedControls.moc"
