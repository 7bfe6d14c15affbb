#pragma once

#include <QObject>
#include <QQmlApplicationEngine>
#include <QSocketNotifier>
#include <QString>
#include <QVariantMap>

// The social-login window of the helper program and its two pipes: the code address goes out on
// standard output, "raise" comes in on standard input.
class WebLoginWindow : public QObject
{
    Q_OBJECT
public:
    explicit WebLoginWindow(QObject* parent = nullptr);

    // settings: the command line's values by option name; false when the window cannot be made.
    bool show(const QVariantMap& settings);

    // The page landed on its code address: hand it to the client, once, and close.
    Q_INVOKABLE void handBack(const QString& address);

private:
    void readCommands();

    QQmlApplicationEngine m_engine;
    QSocketNotifier m_input;
    QByteArray m_pending;
    bool m_handedBack = false;
};
