#include "StandinFixture.h"
#include "TestMain.h"
#include "UiTestEngine.h"

#include "core/Dispatch.h"
#include "core/Hud.h"
#include "shell/GlobalCtrl.h"

#include <QQmlComponent>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>

#include <memory>

// The document page's hand-over pop-up: documents handed over in a row are offered one after
// another, none dropped; a failed upload's row offers a retry.
class TestFileTransPage : public QObject
{
    Q_OBJECT
    StandinFixture m_standin;
    QTemporaryDir m_files;

    // Rows are laid out by a list view: they are found through the visual tree only.
    static QQuickItem* findRetry(QQuickItem* under)
    {
        for (QQuickItem* child : under->childItems()) {
            if (child->objectName().startsWith("fileTransRetry_"))
                return child;
            if (QQuickItem* found = findRetry(child))
                return found;
        }
        return nullptr;
    }

    QString file(const QString& name)
    {
        QFile out(m_files.filePath(name));
        out.open(QIODevice::WriteOnly);
        out.write("text");
        return out.fileName();
    }

private slots:
    void initTestCase()
    {
        qputenv("PARLAVINE_REQUEST_TIMEOUT_MS", "5000");
        QVERIFY(m_files.isValid());
        signInTestUser();
    }

    void init() { m_standin.reset(); }
    void cleanup() { m_standin.verify(); }

    // The page in a window, once its task list is in: nothing of its start is left in flight.
    QObject* openPage(UiTestEngine& ui)
    {
        QQmlComponent component(&ui.engine);
        component.setData("import QtQuick 2.14\nimport QtQuick.Window 2.14\n"
                          "Window { width: 1000; height: 700; visible: true\n"
                          "    Loader { anchors.fill: parent; source: \"qrc:/ui/pages/fileTrans/FileTransPage.qml\" } }",
                          QUrl());
        QObject* window = component.create();
        if (!window) {
            qWarning() << component.errorString();
            return nullptr;
        }
        const QString list = StandinRoute::imtKey("auto_translation_file", "list");
        if (!QTest::qWaitFor([&] { return m_standin->requestCount(list) == 1 && State::instance()->fileTransStatus() == 0; }))
            qWarning("the task list did not come");
        return window;
    }

    void handOversAreOfferedInTurn()
    {
        UiTestEngine ui;
        const std::unique_ptr<QObject> window(openPage(ui));
        QVERIFY(window);
        QObject* pop = window->findChild<QObject*>("fileQuickTransPop");
        QVERIFY(pop);

        GlobalCtrl* shell = GlobalCtrl::instance();
        const QStringList paths{file("one.docx"), file("two.txt"), file("three.md")};
        for (const QString& path : paths) {
            if (shell->handOverFile(path))
                shell->openPendingFile();
        }
        for (const QString& path : paths) {
            QTRY_COMPARE(pop->property("file").toMap().value("path").toString(), path);
            QTRY_VERIFY(pop->property("opened").toBool());
            QMetaObject::invokeMethod(pop, "close");
        }
        QTRY_VERIFY(!pop->property("visible").toBool());
        QTest::qWait(100);
        QVERIFY(State::instance()->quickTransfileData().value("path").toString().isEmpty());
        QVERIFY(!pop->property("visible").toBool());
        QVERIFY2(ui.warnings.isEmpty(), qPrintable(ui.warnings.join('\n')));
    }

    // A failed upload's row offers a retry, which sends the document again.
    void failedUploadRowRetries()
    {
        UiTestEngine ui;
        const std::unique_ptr<QObject> window(openPage(ui));
        QVERIFY(window);
        const QString submit = StandinRoute::imtKey("auto_translation_file", "submit");
        m_standin->script(submit, StandinReply::disconnect());
        Dispatch::instance()->run(Dispatch::Ctrl_FileTrans, "translation", {file("again.txt"), "zh", "en", ""});
        QQuickItem* retry = nullptr;
        QTRY_VERIFY((retry = findRetry(qobject_cast<QQuickWindow*>(window.get())->contentItem())));
        QVERIFY(retry->isVisible());
        QMetaObject::invokeMethod(retry, "clicked");
        QTRY_COMPARE(m_standin->requestCount(submit), 2);
        QCOMPARE(m_standin->requests(submit).at(1).at("source.name").toString(), QString("again.txt"));
        QTRY_COMPARE(State::instance()->fileTransHistory.value(0).progressState, 100);
        QCOMPARE(State::instance()->fileTransHistory.size(), 1);
        for (const QVariant& hud : State::instance()->windowHud()) // the network toast
            Hud::instance()->sureBtnTap(hud.toMap().value("tag").toInt());
        QVERIFY2(ui.warnings.isEmpty(), qPrintable(ui.warnings.join('\n')));
    }
};

PARLAVINE_TEST_MAIN(TestFileTransPage)
#include "tst_FileTransPage.moc"
