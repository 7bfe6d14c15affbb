#include "UiTestEngine.h"

#include "TestMain.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QQmlComponent>
#include <QQuickItem>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

// Text from the server, the input method or a file reaches the shared controls and the text page.
// Shown as rich text, an <img> in it would make the program fetch whatever address it names.
namespace {

// Counts the paths asked of it; answers nothing worth loading.
class RequestCounter : public QObject
{
public:
    RequestCounter()
    {
        server.listen(QHostAddress::LocalHost);
        QObject::connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    const QList<QByteArray> line = socket->readLine().split(' ');
                    paths.append(QString::fromLatin1(line.value(1)));
                    socket->write("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
                    socket->disconnectFromHost();
                });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }

    QString img(const QString& path) const
    {
        return QStringLiteral("<img src=\"http://127.0.0.1:%1/%2\">").arg(server.serverPort()).arg(path);
    }

    QTcpServer server;
    QStringList paths;
};

void collectTexts(QQuickItem* item, QList<QQuickItem*>& out)
{
    if (item->inherits("QQuickText") || item->inherits("QQuickTextEdit"))
        out.append(item);
    for (QQuickItem* child : item->childItems())
        collectTexts(child, out);
}

} // namespace

class TestPlainText : public QObject
{
    Q_OBJECT
    UiTestEngine* m_ui = nullptr;

private slots:
    void initTestCase() { m_ui = new UiTestEngine; }

    void cleanupTestCase()
    {
        const QStringList warnings = m_ui->warnings;
        delete m_ui;
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('\n')));
    }

    // %1 stands for the hostile text, as a QML string.
    void hostileTextIsShownLiterally_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("TitleButton") << "TitleButton { width: 200; height: 30; title: %1 }";
        QTest::newRow("LiteButton") << "LiteButton { text: %1 }";
        QTest::newRow("IconTextButton") << "IconTextButton { width: 200; height: 30; text: %1 }";
        QTest::newRow("IconTextVerticalButton") << "IconTextVerticalButton { width: 200; height: 60; text: %1 }";
        QTest::newRow("BorderIconButton") << "BorderIconButton { width: 200; height: 30; text: %1 }";
        QTest::newRow("SwitchButton") << "SwitchButton { width: 200; height: 30; text: %1 }";
        QTest::newRow("CheckButton") << "CheckButton { width: 200; text: %1 }";
        QTest::newRow("PRadioButton") << "PRadioButton { width: 200; text: %1 }";
        QTest::newRow("RectLoading") << "RectLoading { width: 200; height: 120; title: %1; running: true }";
        QTest::newRow("PasswdInput") << "PasswdInput { width: 200; height: 30; placeholder: %1 }";
        QTest::newRow("PMenuItem") << "PMenuItem { text: %1 }";
        QTest::newRow("SmartSelectTextRow") << "SmartSelectTextRow { width: 200; text: %1 }";
        QTest::newRow("DropSelect, plain model") << "DropSelect { model: [%1]; currentIndex: 0 }";
        QTest::newRow("DropSelect, text role")
            << "DropSelect { model: [{ \"name\": %1 }]; textRole: \"name\"; currentIndex: 0 }";
        QTest::newRow("PinyinDropSelect")
            << "PinyinDropSelect { width: 200; popWidth: 400; popHeight: 200; currentSelect: ({ \"key\": %1, \"value\": \"a\" }); "
               "modal: ({ \"pre\": [{ \"key\": %1, \"value\": \"a\" }], "
               "\"py\": [{ \"key\": %1, \"datas\": [{ \"key\": %1, \"value\": \"b\" }] }] }) }";
        QTest::newRow("TextTransTypeSelect") << "TextTransTypeSelect { title: %1 }";
        QTest::newRow("TransAutoFitArea") << "TransAutoFitArea { width: 300; message: %1; subMessage: %1 }";
    }

    void hostileTextIsShownLiterally()
    {
        QFETCH(QString, control);
        RequestCounter counter;
        const QString hostile = counter.img("x.png");
        const QString quoted = QString::fromLatin1(QJsonDocument(QJsonArray{hostile}).toJson(QJsonDocument::Compact))
                                   .mid(1).chopped(1);
        // The rich-text line beside it proves that a fetch would have been seen by now.
        const QString qml = QStringLiteral(R"(
            import QtQuick 2.14
            import QtQuick.Window 2.14
            import "qrc:/ui/components"
            import "qrc:/ui/pages/textTrans"
            Window {
                width: 800; height: 600; visible: true
                Text { objectName: "control"; y: 500; text: %1 }
                %2
            })")
                                .arg(QString(quoted).replace("x.png", "control.png"), control.arg(quoted));
        QQmlComponent component(&m_ui->engine);
        component.setData(qml.toUtf8(), QUrl(QStringLiteral("qrc:/ui/tst_PlainText.qml")));
        QScopedPointer<QQuickWindow> window(qobject_cast<QQuickWindow*>(component.create()));
        QVERIFY2(window, qPrintable(component.errorString()));
        // Lists inside show their entries only when open; opening one remakes objects of the window.
        QList<QPointer<QObject>> popups;
        for (QObject* child : window->findChildren<QObject*>()) {
            if (child->inherits("QQuickPopup"))
                popups.append(child);
        }
        for (const QPointer<QObject>& popup : popups) {
            if (popup)
                QMetaObject::invokeMethod(popup, "open");
        }
        QVERIFY(QTest::qWaitForWindowExposed(window.data()));
        QTRY_VERIFY_WITH_TIMEOUT(counter.paths.contains("/control.png"), 5000);
        QTest::qWait(100); // a fetch started in the same frame as the control's has connected by now
        QCOMPARE(counter.paths, QStringList{"/control.png"});

        QList<QQuickItem*> texts;
        collectTexts(window->contentItem(), texts);
        int shown = 0;
        for (QQuickItem* text : texts) {
            if (text->objectName() == QLatin1String("control") || !text->property("text").toString().contains("<img"))
                continue;
            QCOMPARE(text->property("textFormat").toInt(), int(Qt::PlainText));
            QCOMPARE(text->property("text").toString(), hostile);
            ++shown;
        }
        QVERIFY(shown > 0);
    }
};

PARLAVINE_TEST_MAIN(TestPlainText)
#include "tst_PlainText.moc"
