#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// One request found on the command line.
struct StartArg
{
    enum Kind { LoginScheme, Transfile };
    Kind kind;
    QString value; // the login-scheme text with "&time=" appended, or the file path

    bool operator==(const StartArg& other) const { return kind == other.kind && value == other.value; }
};

// What a later start sends to the running instance.
struct InstanceMessage
{
    QString server;
    QString text;

    bool operator==(const InstanceMessage& other) const { return server == other.server && text == other.text; }
};

// The command line of a start, read once; the caller decides whether to hand it over.
class StartArgs
{
public:
    // The requests in command-line order, program path included in the walk; the walk stops
    // after the first "--settings=" value. Empty "--transfile=" values are dropped; a relative one is
    // resolved against workingDir, the folder the start was made from (the running instance that
    // receives it has a folder of its own).
    static QVector<StartArg> parse(const QStringList& arguments, qint64 utcSeconds, const QString& workingDir);

    // The message for the running instance: the first request, or "raise" when there is none.
    static InstanceMessage handOver(const QVector<StartArg>& requests);
};
