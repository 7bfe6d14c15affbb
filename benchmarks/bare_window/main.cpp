// The yardstick for scripts/bench-startup: the least a Qt Quick Controls 2 window costs to start.
#include <QGuiApplication>
#include <QQmlApplicationEngine>

int main(int argc, char** argv)
{
    QGuiApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QGuiApplication app(argc, argv);
    QQmlApplicationEngine engine;
    engine.loadData(R"(
        import QtQuick 2.14
        import QtQuick.Controls 2.14
        ApplicationWindow {
            title: "BareWindow"
            width: 1152
            height: 768
            visible: true
            Label { anchors.centerIn: parent; text: "Bare window" }
        }
    )");
    return engine.rootObjects().isEmpty() ? 1 : app.exec();
}
