#include "UiTestEngine.h"

#include "core/FontSizeTable.h"
#include "core/State.h"

#include "TestMain.h"

#include <QQmlComponent>
#include <QQuickItem>
#include <QTranslator>
#include <QtTest>

// The general settings panel in English at the largest font size.
class TestSettingPanel : public QObject
{
    Q_OBJECT
private slots:
    // A button's label is wider in English and at a large font: the button grows instead of eliding it.
    void clearCacheButtonShowsItsWholeLabel()
    {
        initResources();
        QTranslator english;
        QVERIFY(english.load(QStringLiteral(":/translations/en.qm")));
        QCoreApplication::installTranslator(&english);
        State::instance()->setWindowFontSize(FontSizeTable::MaxLevel);
        UiTestEngine ui;
        QQmlComponent component(&ui.engine, QUrl(QStringLiteral("qrc:/ui/settingWindow/SettinngGeneralPanel.qml")));
        QScopedPointer<QObject> panel(component.create());
        QVERIFY2(panel, qPrintable(component.errorString()));
        auto* button = panel->findChild<QQuickItem*>(QStringLiteral("clearCacheBtn"));
        QVERIFY(button);
        QQuickItem* label = button->childItems().value(0);
        QVERIFY(label && label->property("text").toString().startsWith(QLatin1String("Clear")));
        QVERIFY2(label->width() >= label->implicitWidth(),
                 qPrintable(QStringLiteral("%1 < %2").arg(label->width()).arg(label->implicitWidth())));
        State::instance()->setWindowFontSize(0);
        QCoreApplication::removeTranslator(&english);
    }
};

PARLAVINE_TEST_MAIN(TestSettingPanel)
#include "tst_SettingPanel.moc"
