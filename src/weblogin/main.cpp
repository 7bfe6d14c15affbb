// The social-login window in a program of its own, so that the client never loads the web engine:
// everything the engine takes is returned when this window closes, and an engine that cannot start
// ends this program, not the client.
//
// Arguments (the client's words and colours, so that the window looks like the client's):
//   parlavine-weblogin --host <web host> --language <en-US|zh-CN> --auto <true|false>
//                      --title <text> --heading <text> --background <colour> --text-color <colour>
//                      --accent <colour> [--blackwhite]
// Standard output: "code <address>" once the service's page lands on its code address, or
// "error sandbox" when the engine's sandbox cannot run. A line "raise" on standard input brings
// the window to the front; the end of standard input (the client is gone) closes it.
#include "weblogin/WebLoginWindow.h"

#include <QCommandLineParser>
#include <QGuiApplication>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    // Run as root, the engine's sandbox refuses to start and takes the process with it.
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
        std::fputs("error sandbox\n", stdout);
        return 3;
    }
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    // the web view draws through contexts shared with the window's
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    const QStringList valued{"host", "language", "auto", "title", "heading", "background", "text-color", "accent"};
    for (const QString& name : valued)
        parser.addOption(QCommandLineOption(name, name, name));
    parser.addOption(QCommandLineOption("blackwhite"));
    parser.process(app);

    WebLoginWindow window;
    QVariantMap settings;
    for (const QString& name : valued)
        settings.insert(name, parser.value(name));
    settings.insert("blackwhite", parser.isSet("blackwhite"));
    if (!window.show(settings))
        return 1;
    return app.exec();
}
