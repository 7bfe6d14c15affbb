#include "app/AppWiring.h"
#include "core/Dispatch.h"
#include "core/State.h"

#include "TestMain.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickTextDocument>
#include <QtTest>

// What QML sees of the two context objects.
class TestDispatchQml : public QObject
{
    Q_OBJECT

private slots:
    void throughTheContextProperties()
    {
        QQuickTextDocument* received = nullptr;
        int receivedNumber = 0;
        Dispatch::ControllerKind probe;
        probe.create = [] { return QSharedPointer<QObject>::create(); };
        probe.actions.insert("grab", [&](QObject&, const DispatchArgs& a) {
            received = a.d(0);
            receivedNumber = a.i(1);
        });
        Dispatch::instance()->setControllerKind(Dispatch::Ctrl_TextTrans, probe);

        QQmlEngine engine;
        AppWiring::setUpEngine(engine);
        QQmlComponent component(&engine);
        component.setData(R"(
            import QtQuick 2.15
            Item {
                property bool idsSeen: $dispatch.Ctrl_TextTrans === 2 && $dispatch.Ctrl_ScreenshotTrans === 8
                property int retcodeSeen: $state.retcode
                property bool globalRan: $dispatch.run($dispatch.Ctrl_Global, "raiseWindow", ["main"])
                TextEdit { id: edit; objectName: "edit" }
                function handOver() {
                    $dispatch.initController($dispatch.Ctrl_TextTrans)
                    return $dispatch.run($dispatch.Ctrl_TextTrans, "grab", [edit.textDocument, "7"])
                }
                function writeQuitStyle(v) { $state.quitStyle = v }
            })",
                          QUrl());
        QScopedPointer<QObject> root(component.create());
        QVERIFY2(root, qPrintable(component.errorString()));
        QVERIFY(root->property("idsSeen").toBool());
        QVERIFY(root->property("globalRan").toBool());

        State::instance()->setRetcode(601);
        QCOMPARE(root->property("retcodeSeen").toInt(), 601);

        QSignalSpy quitStyle(State::instance(), &State::quitStyleChange);
        QMetaObject::invokeMethod(root.data(), "writeQuitStyle", Q_ARG(QVariant, "hide"));
        QMetaObject::invokeMethod(root.data(), "writeQuitStyle", Q_ARG(QVariant, "hide"));
        QCOMPARE(quitStyle.count(), 1);

        QVariant ran;
        QMetaObject::invokeMethod(root.data(), "handOver", Q_RETURN_ARG(QVariant, ran));
        QVERIFY(ran.toBool());
        QVERIFY(received);
        QCOMPARE(received, root->findChild<QObject*>("edit")->property("textDocument").value<QQuickTextDocument*>());
        QCOMPARE(receivedNumber, 7);
    }
};

PARLAVINE_TEST_MAIN(TestDispatchQml)
#include "tst_DispatchQml.moc"
